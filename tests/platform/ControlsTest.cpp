// Controls and their peers: the state a peer is given when the window is made, the
// changes that follow, fonts shared with the form, the menu bar, the toolkit's clicks
// with their exceptions, and components destroyed in any order.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/Controls.hpp"
#include "platform/Forms.hpp"
#include "platform/Menus.hpp"
#include "platform/StdCtrls.hpp"
#include "support/HeadlessApp.h"

namespace {

using support::PeerOf;

std::string Bytes(const AnsiString &s) { return s.Bytes(); }

class ControlsTest : public ::testing::Test {
protected:
    support::HeadlessApp app;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
};

TEST_F(ControlsTest, AWindowMadeLaterGetsTheWholeStateAndThenEachChange) {
    form->SetBounds(109, 88, 528, 435);
    form->Caption = "Quindral";
    form->Font->Name = u8"ＭＳ ゴシック";
    form->Font->Charset = SHIFTJIS_CHARSET;
    auto *button = new TButton(form.get());
    button->SetName("Button2");
    button->Parent = form.get();
    button->SetBounds(112, 16, 73, 33);
    button->Caption = u8"比　較(&H)";
    button->TabOrder = 2;
    button->Visible = false;
    auto *memo = new TMemo(form.get());
    memo->Parent = form.get();
    memo->SetBounds(16, 72, 465, 265);
    memo->ReadOnly = true;
    memo->ScrollBars = ssBoth;
    memo->Cursor = crArrow;
    memo->Lines->Add("Memo1");
    memo->Clear();
    memo->Lines->Add("a");
    auto *menu = new TMainMenu(form.get());
    auto *k1 = new TMenuItem(form.get());
    k1->Caption = u8"開始(&S)";
    menu->Items->Add(k1);
    form->Menu = menu;
    EXPECT_FALSE(form->HandleAllocated());
    EXPECT_EQ(button->Peer(), nullptr);

    form->HandleNeeded();

    THeadlessFormPeer &f = PeerOf(form.get());
    EXPECT_EQ(f.Component, form.get());
    EXPECT_EQ((std::vector<int>{f.Left, f.Top, f.Width, f.Height}),
              (std::vector<int>{109, 88, 528, 435}));
    EXPECT_EQ(Bytes(f.Caption), "Quindral");
    EXPECT_EQ(Bytes(f.Font.Name), "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E");
    EXPECT_EQ(f.Font.Charset, 128);
    EXPECT_FALSE(f.Visible);  // made, not shown
    ASSERT_EQ(f.MenuBar.size(), 1u);
    EXPECT_EQ(f.MenuBar[0].Item, k1);
    EXPECT_EQ(Bytes(f.MenuBar[0].Caption), "\x8A\x4A\x8E\x6E(&S)");
    EXPECT_TRUE(f.MenuBar[0].Visible);

    THeadlessControlPeer &b = PeerOf(button);
    EXPECT_EQ((std::vector<int>{b.Left, b.Top, b.Width, b.Height, b.TabOrder}),
              (std::vector<int>{112, 16, 73, 33, 2}));
    EXPECT_EQ(Bytes(b.Caption), "\x94\xE4\x81\x40\x8A\x72(&H)");
    EXPECT_FALSE(b.Visible);
    EXPECT_EQ(Bytes(b.Font.Name), "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E");

    THeadlessMemoPeer &m = PeerOf(memo);
    EXPECT_EQ(Bytes(m.Text), "a\r\n");
    EXPECT_EQ(m.Shown.find("Memo1"), std::string::npos);  // cleared before it was shown
    EXPECT_TRUE(m.ReadOnly);
    EXPECT_EQ(m.ScrollBars, 3);
    EXPECT_EQ(m.Cursor, -2);
    EXPECT_EQ(m.TabOrder, 1);  // the second control on the form
    EXPECT_TRUE(m.Visible);

    // Changes after the window exists go straight on.
    form->Show();
    button->Visible = true;
    button->Cursor = crHourGlass;
    k1->Caption = "Start";
    k1->Visible = false;
    memo->Lines->Add(u8"前回");
    EXPECT_TRUE(f.Visible);
    EXPECT_TRUE(b.Visible);
    EXPECT_EQ(b.Cursor, -11);
    EXPECT_EQ(Bytes(f.MenuBar[0].Caption), "Start");
    EXPECT_FALSE(f.MenuBar[0].Visible);
    EXPECT_EQ(Bytes(m.Text), "a\r\n\x91\x4F\x89\xF1\r\n");
    EXPECT_EQ(m.Shown, "a\r\n\x91\x4F\x89\xF1\r\n");  // appended, not sent again
    EXPECT_EQ(m.SelStart, 9);
    EXPECT_EQ(m.SelLength, 0);
    memo->Clear();
    EXPECT_EQ(Bytes(m.Text), "");
}

TEST_F(ControlsTest, ControlsAndItemsAddedToAMadeWindowGetTheirPeersAtOnce) {
    auto *menu = new TMainMenu(form.get());
    form->Menu = menu;
    form->HandleNeeded();
    auto *button = new TButton(form.get());
    button->Caption = "late";
    button->Parent = form.get();
    EXPECT_EQ(Bytes(PeerOf(button).Caption), "late");
    auto *item = new TMenuItem(form.get());
    item->Caption = "E";
    menu->Items->Add(item);
    ASSERT_EQ(PeerOf(form.get()).MenuBar.size(), 1u);
    EXPECT_EQ(Bytes(PeerOf(form.get()).MenuBar[0].Caption), "E");
}

TEST_F(ControlsTest, ControlsWithParentFontFollowTheFormsFont) {
    auto *button = new TButton(form.get());
    button->Parent = form.get();
    auto *memo = new TMemo(form.get());
    memo->Parent = form.get();
    memo->Font->Name = "Own";  // a font of its own
    form->HandleNeeded();
    form->Font->Height = -12;
    form->Font->Name = "Shared";
    EXPECT_TRUE(button->ParentFont);
    EXPECT_EQ(Bytes(button->Font->Name), "Shared");
    EXPECT_EQ(Bytes(PeerOf(button).Font.Name), "Shared");
    EXPECT_EQ(PeerOf(button).Font.Height, -12);
    EXPECT_FALSE(memo->ParentFont);
    EXPECT_EQ(Bytes(PeerOf(memo).Font.Name), "Own");
    memo->ParentFont = true;
    EXPECT_EQ(Bytes(PeerOf(memo).Font.Name), "Shared");
}

TEST_F(ControlsTest, AnExceptionLeavingAHandlerIsShownAndTheToolkitsCallReturns) {
    auto *button = new TButton(form.get());
    auto *item = new TMenuItem(form.get());
    auto *other = new TForm(form.get());  // not the main form: Close hides it
    struct Case {
        const char *what;
        std::function<void()> raise;
        std::string text;
    } cases[] = {
        {"the platform's error",
         [] { throw EFCreateError(AnsiString(u8"ﾌｧｲﾙ C:\\Kavru\\Z1.log を作成できません")); },
         "\xCC\xA7\xB2\xD9 C:\\Kavru\\Z1.log "
         "\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1."},
        {"a message ending in a full stop gets one more", [] { throw Exception("Done."); },
         "Done.."},
        {"the language's error", [] { throw std::runtime_error("bad"); }, "bad."},
    };
    for (const Case &c : cases) {
        TObject *sender = nullptr;
        auto handler = [&](TObject *s) {
            sender = s;
            c.raise();
        };
        button->OnClick = handler;
        item->OnClick = handler;
        app.Widgets().MessageBoxes.clear();
        EXPECT_NO_THROW(button->Click()) << c.what;
        EXPECT_EQ(sender, button) << c.what;
        EXPECT_NO_THROW(item->Click()) << c.what;
        EXPECT_EQ(sender, item) << c.what;
        ASSERT_EQ(app.Widgets().MessageBoxes.size(), 2u) << c.what;
        for (const auto &box : app.Widgets().MessageBoxes) {
            EXPECT_EQ(Bytes(box.Text), c.text) << c.what;
            EXPECT_EQ(Bytes(box.Caption), "quindral") << c.what;
            EXPECT_EQ(box.Flags, 0x10) << c.what;
        }
    }
    other->Show();
    other->Close();
    EXPECT_FALSE(other->Visible);
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(ControlsTest, AHandlerThatReturnsShowsNothing) {
    auto *button = new TButton(form.get());
    int clicks = 0;
    button->OnClick = [&](TObject *) { ++clicks; };
    button->Click();
    TButton unhandled(nullptr);
    unhandled.Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(app.Widgets().MessageBoxes.empty());
}

TEST_F(ControlsTest, ComponentsMayGoInAnyOrder) {
    // Each link between them (form and menu, item and menu, form and control) is undone
    // by whichever goes first; the sanitizer catches one left dangling.
    auto *menu = new TMainMenu(form.get());
    auto *item = new TMenuItem(form.get());
    auto *sub = new TMenuItem(form.get());
    menu->Items->Add(item);
    item->Add(sub);
    form->Menu = menu;
    auto *memo = new TMemo(form.get());
    memo->Parent = form.get();
    form->Show();
    delete menu;
    EXPECT_EQ(static_cast<TMainMenu *>(form->Menu), nullptr);
    EXPECT_EQ(item->Parent(), nullptr);
    delete item;
    EXPECT_EQ(sub->Parent(), nullptr);
    delete memo;
    EXPECT_EQ(form->ControlCount(), 0);
    // A control of another owner outlives the form.
    TButton foreign(nullptr);
    foreign.Parent = form.get();
    form.reset();
    EXPECT_EQ(static_cast<TForm *>(foreign.Parent), nullptr);
    EXPECT_EQ(foreign.Peer(), nullptr);
}

}  // namespace
