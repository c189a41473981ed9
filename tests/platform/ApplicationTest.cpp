// The application object: form creation with its reference set first, the main form,
// the message loop with closing, the title and the exception display; and forms whose
// fields and handlers are bound by name from their form description.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/Forms.hpp"
#include "platform/Resources.hpp"
#include "platform/StdCtrls.hpp"
#include "support/HeadlessApp.h"

namespace {

using support::PeerOf;

std::string Bytes(const AnsiString &s) { return s.Bytes(); }

TResourceEntry FormText(const char *className, const char *text) {
    return {className, rtForm, text, std::strlen(text)};
}

// A form that looks, from its constructor, at the reference being set.
class TProbeForm : public TForm {
public:
    static inline TProbeForm **Reference = nullptr;
    static inline bool ReferenceWasSet = false;
    static inline bool Throw = false;

    explicit TProbeForm(TComponent *Owner) : TForm(Owner) {
        ReferenceWasSet = Reference && *Reference == this;
        if (Throw) throw EFCreateError("cannot");
    }
};

class ApplicationTest : public ::testing::Test {
protected:
    support::HeadlessApp app;
    const TResources texts{FormText("TProbeForm",
                                    "object Probe: TProbeForm\n"
                                    "  Caption = 'P'\n"
                                    "end\n")};
    TProbeForm *first = nullptr;
    TProbeForm *second = nullptr;

    void SetUp() override { TProbeForm::Throw = false; }
    void TearDown() override { TProbeForm::Reference = nullptr; }
};

TEST_F(ApplicationTest, CreateFormSetsTheReferenceBeforeTheConstructorAndTheFirstIsMain) {
    TProbeForm::Reference = &first;
    Application->CreateForm<TProbeForm>(&first);
    EXPECT_TRUE(TProbeForm::ReferenceWasSet);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Bytes(first->Caption), "P");  // built from its description
    EXPECT_EQ(first->Owner(), Application);
    EXPECT_EQ(Application->MainForm(), first);

    TProbeForm::Reference = &second;
    Application->CreateForm<TProbeForm>(&second);
    EXPECT_TRUE(TProbeForm::ReferenceWasSet);
    EXPECT_EQ(Application->MainForm(), first);

    delete first;
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_EQ(Application->ComponentCount(), 1);
}

TEST_F(ApplicationTest, AConstructorThatThrowsLeavesTheReferenceNone) {
    TProbeForm::Reference = &first;
    TProbeForm::Throw = true;
    first = reinterpret_cast<TProbeForm *>(&second);  // anything but none
    try {
        Application->CreateForm<TProbeForm>(&first);
        ADD_FAILURE() << "made";
    } catch (const EFCreateError &e) {
        EXPECT_EQ(Bytes(e.Message), "cannot");
    }
    EXPECT_TRUE(TProbeForm::ReferenceWasSet);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_EQ(Application->ComponentCount(), 0);

    TProbeForm::Throw = false;
    Application->CreateForm<TProbeForm>(&second);
    EXPECT_EQ(Application->MainForm(), second);
}

TEST_F(ApplicationTest, AFormWithoutADescriptionCannotBeMade) {
    class TUndescribed : public TForm {
    public:
        using TForm::TForm;
    };
    TUndescribed *form = nullptr;
    try {
        Application->CreateForm<TUndescribed>(&form);
        ADD_FAILURE() << "made";
    } catch (const EResNotFound &e) {
        EXPECT_EQ(Bytes(e.Message), "Resource TUndescribed not found");
    }
    EXPECT_EQ(form, nullptr);
}

TEST_F(ApplicationTest, RunShowsTheMainFormAndClosingItEndsTheLoop) {
    Application->Run();  // no main form: nothing to do
    EXPECT_EQ(app.Widgets().RunCount, 0);

    Application->CreateForm<TProbeForm>(&first);
    Application->CreateForm<TProbeForm>(&second);
    bool shownInLoop = false;
    app.Widgets().OnRun = [&] {
        shownInLoop = PeerOf(first).Visible;
        second->Show();
        second->Close();  // another form only hides
        EXPECT_FALSE(Application->Terminated());
        first->Close();
    };
    Application->Run();
    EXPECT_TRUE(shownInLoop);
    EXPECT_EQ(app.Widgets().RunCount, 1);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(app.Widgets().Terminated);
    EXPECT_FALSE(second->Visible);
}

TEST_F(ApplicationTest, TheExceptionBoxShowsTheMessageWithAFullStopUnderTheTitle) {
    struct Case {
        const char *title;
        std::string caption;
    } cases[] = {{"", "quindral"}, {"Q", "Q"}};
    for (const Case &c : cases) {
        Application->Title = c.title;
        Exception e(u8"ﾌｧｲﾙ");
        app.Widgets().MessageBoxes.clear();
        Application->ShowException(&e);
        ASSERT_EQ(app.Widgets().MessageBoxes.size(), 1u);
        EXPECT_EQ(Bytes(app.Widgets().MessageBoxes[0].Text), "\xCC\xA7\xB2\xD9.");
        EXPECT_EQ(Bytes(app.Widgets().MessageBoxes[0].Caption), c.caption);
        EXPECT_EQ(app.Widgets().MessageBoxes[0].Flags, 0x10);  // stop icon, OK button
    }
}

TEST(ApplicationTitleTest, TheProgramsNameIsItsExecutablesBaseName) {
    EXPECT_EQ(Bytes(Application->ProgramName()), "platform_tests");
    EXPECT_EQ(Bytes(Application->Title), "platform_tests");
}

TEST_F(ApplicationTest, DoneApplicationDestroysTheFormsOnce) {
    Application->CreateForm<TProbeForm>(&first);
    Application->CreateForm<TProbeForm>(&second);
    first->HandleNeeded();
    DoneApplication();
    EXPECT_EQ(Application->ComponentCount(), 0);
    EXPECT_EQ(Application->MainForm(), nullptr);
    DoneApplication();
}

// ---- Fields and handlers by name ----------------------------------------------------

class TFieldForm : public TForm {
public:
    TButton *Button1 = Published<TButton>("Button1");
    TMemo *Memo1 = Published<TMemo>("Memo1");

    void Button1Click(TObject *Sender) {
        ClickedBy = Sender;
        ClickedOn = this;
    }
    TObject *ClickedBy = nullptr;
    TFieldForm *ClickedOn = nullptr;

    explicit TFieldForm(TComponent *Owner) : TForm(Owner) {}
};

const TPublishedMethods<TFieldForm> FieldFormMethods{{"Button1Click", &TFieldForm::Button1Click}};

TEST_F(ApplicationTest, FieldsAndHandlersAreBoundByName) {
    const TResources text{FormText("TFieldForm",
                                   "object FieldForm: TFieldForm\n"
                                   "  object Memo1: TMemo\n"
                                   "  end\n"
                                   "  object Button1: TButton\n"
                                   "    OnClick = button1click\n"  // any case
                                   "  end\n"
                                   "end\n")};
    TFieldForm *form = nullptr;
    Application->CreateForm<TFieldForm>(&form);
    ASSERT_NE(form->Button1, nullptr);
    EXPECT_EQ(Bytes(form->Button1->Name()), "Button1");
    EXPECT_EQ(Bytes(form->Memo1->Name()), "Memo1");
    EXPECT_EQ(Bytes(form->Name()), "FieldForm");
    form->Button1->Click();
    EXPECT_EQ(form->ClickedBy, form->Button1);
    EXPECT_EQ(form->ClickedOn, form);
}

TEST_F(ApplicationTest, AFieldTheDescriptionLacksIsAnError) {
    struct Case {
        const char *text;
        std::string message;
    } cases[] = {
        {"object FieldForm: TFieldForm\n"
         "  object Button1: TButton\n"
         "  end\n"
         "end\n",
         "TFieldForm: the form description has no component Memo1"},
        {"object FieldForm: TFieldForm\n"
         "  object Button1: TButton\n"
         "  end\n"
         "  object Memo1: TButton\n"
         "  end\n"
         "end\n",
         "TFieldForm: component Memo1 is a TButton, not a TMemo"},
    };
    for (const Case &c : cases) {
        const TResources text{FormText("TFieldForm", c.text)};
        TFieldForm *form = reinterpret_cast<TFieldForm *>(this);
        try {
            Application->CreateForm<TFieldForm>(&form);
            ADD_FAILURE() << c.message;
        } catch (const EReadError &e) {
            EXPECT_EQ(Bytes(e.Message), c.message);
        }
        EXPECT_EQ(form, nullptr);
        EXPECT_EQ(Application->ComponentCount(), 0);
    }
}

}  // namespace
