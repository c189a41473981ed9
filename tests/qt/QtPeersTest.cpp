// The Qt peers of a form built by hand: what they show of the components' state, and the
// clicks, access keys and close requests that come back to the components.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include "QtTesting.h"
#include "platform/Clipbrd.hpp"
#include "platform/Forms.hpp"
#include "platform/Menus.hpp"
#include "platform/StdCtrls.hpp"

namespace {

using qttest::WidgetOf;

class QtPeersTest : public testing::Test {
protected:
    QtPeersTest() {
        Application->CreateForm<TForm>(&form);
        form->SetBounds(109, 88, 528, 435);
        form->Caption = "Quindral";
        SetFont(form->Font);
        // Made in another order than their tab order.
        compare = AddButton(u8"比　較(&H)", 112, 16, 73, 33, 2);
        memo = new TMemo(form);
        memo->Parent = form;
        memo->SetBounds(16, 72, 465, 265);
        memo->ReadOnly = true;
        memo->ScrollBars = ssBoth;
        memo->TabOrder = 0;
        update = AddButton(u8"ﾌｧｲﾙ更新(&A)", 208, 352, 73, 33, 1);
        menu = new TMainMenu(form);
        start = AddItem(u8"開始(&S)");
        close = AddItem(u8"閉じる(&E)");
        form->Menu = menu;
        form->Show();
        window = WidgetOf<QMainWindow>(form);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    }

    static void SetFont(TFont *font) {
        font->Charset = SHIFTJIS_CHARSET;
        font->Height = -12;
        font->Name = u8"ＭＳ ゴシック";
    }
    TButton *AddButton(const char8_t *caption, int left, int top, int width, int height,
                       int tabOrder) {
        auto *button = new TButton(form);
        button->Parent = form;
        button->SetBounds(left, top, width, height);
        button->Caption = caption;
        button->TabOrder = tabOrder;
        button->OnClick = [this, button](TObject *) { clicks.push_back(button); };
        return button;
    }
    TMenuItem *AddItem(const char8_t *caption) {
        auto *item = new TMenuItem(form);
        item->Caption = caption;
        item->OnClick = [this, item](TObject *) { chosen.push_back(item); };
        menu->Items->Add(item);
        return item;
    }
    QPlainTextEdit *Edit() { return WidgetOf<QPlainTextEdit>(memo); }

    qttest::QtApplication qt;
    TForm *form = nullptr;
    TButton *compare = nullptr, *update = nullptr;
    TMemo *memo = nullptr;
    TMainMenu *menu = nullptr;
    TMenuItem *start = nullptr, *close = nullptr;
    QMainWindow *window = nullptr;
    std::vector<TObject *> clicks, chosen;
};

TEST_F(QtPeersTest, WindowHasItsOuterBoundsAndControlsTheirPlacesBelowTheMenuBar) {
    // The offscreen platform draws a frame of 2 pixels: the frame has the outer size.
    EXPECT_EQ(window->frameGeometry(), QRect(109, 88, 528, 435));
    EXPECT_EQ(window->windowTitle(), QString("Quindral"));

    QWidget *client = window->centralWidget();
    EXPECT_EQ(client->y(), window->menuBar()->geometry().bottom() + 1);
    struct Case {
        TControl *control;
        QRect place;
    } cases[] = {
        {compare, QRect(112, 16, 73, 33)},
        {update, QRect(208, 352, 73, 33)},
        {memo, QRect(16, 72, 465, 265)},
    };
    for (const Case &c : cases) {
        QWidget *w = WidgetOf(c.control);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget(), client);
        EXPECT_EQ(w->geometry(), c.place);
    }

    // The user resizes, maximises and restores: the controls keep their places.
    window->resize(300, 200);
    window->showMaximized();
    QTest::qWait(20);
    window->showNormal();
    QTest::qWait(20);
    for (const Case &c : cases) EXPECT_EQ(WidgetOf(c.control)->geometry(), c.place);
}

TEST_F(QtPeersTest, CaptionsShowConvertedWithTheirAccessKeys) {
    auto *button = WidgetOf<QPushButton>(compare);
    EXPECT_EQ(button->text(), QString::fromUtf16(u"比　較(&H)"));
    EXPECT_EQ(QKeySequence::mnemonic(button->text()), QKeySequence(Qt::ALT | Qt::Key_H));
    EXPECT_EQ(WidgetOf<QPushButton>(update)->text(), QString::fromUtf16(u"ﾌｧｲﾙ更新(&A)"));

    // A later change goes straight to the button.
    compare->Caption = AnsiString("\x8A\x72(&K)");
    EXPECT_EQ(button->text(), QString::fromUtf16(u"較(&K)"));
}

TEST_F(QtPeersTest, MenuItemsStandOnTheBarAndComeBackWhenChosen) {
    QList<QAction *> actions = window->menuBar()->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->text(), QString::fromUtf16(u"開始(&S)"));
    EXPECT_EQ(actions[1]->text(), QString::fromUtf16(u"閉じる(&E)"));
    for (QAction *a : actions) EXPECT_EQ(a->menu(), nullptr);  // no drop-down

    QTest::keyClick(window, Qt::Key_S, Qt::AltModifier);
    actions[1]->trigger();
    QTest::mouseClick(window->menuBar(), Qt::LeftButton, {},
                      window->menuBar()->actionGeometry(actions[0]).center());
    EXPECT_EQ(chosen, (std::vector<TObject *>{start, close, start}));

    close->Visible = false;
    EXPECT_FALSE(actions[1]->isVisible());
}

TEST_F(QtPeersTest, ButtonsComeBackWhenClickedOrTheirAccessKeyIsPressedWhileVisible) {
    QTest::mouseClick(WidgetOf(compare), Qt::LeftButton);
    QTest::keyClick(window, Qt::Key_A, Qt::AltModifier);
    // The access key presses the button visibly first.
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicks.size() == 2; }));
    EXPECT_EQ(clicks, (std::vector<TObject *>{compare, update}));

    compare->Visible = false;
    EXPECT_FALSE(WidgetOf(compare)->isVisible());
    QTest::keyClick(window, Qt::Key_H, Qt::AltModifier);
    QTest::qWait(300);
    EXPECT_EQ(clicks.size(), 2u);

    compare->Visible = true;
    QTest::keyClick(window, Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicks.size() == 3; }));
}

TEST_F(QtPeersTest, AnExceptionLeavingAClickIsShownInAStopBoxAndTheWindowGoesOn) {
    update->OnClick = [](TObject *) {
        throw Exception(u8"ﾌｧｲﾙ C:\\Kavru\\Z.log を作成できません");
    };
    Application->Title = "Quindral";
    qttest::SeenBox seen;
    auto answer = qttest::AnswerMessageBox(seen, QMessageBox::Ok);
    QTest::mouseClick(WidgetOf(update), Qt::LeftButton);
    ASSERT_TRUE(seen.Shown);
    EXPECT_EQ(seen.Icon, QMessageBox::Critical);
    EXPECT_EQ(seen.Title, QString("Quindral"));
    EXPECT_EQ(seen.Text, QString::fromUtf16(u"ﾌｧｲﾙ C:\\Kavru\\Z.log を作成できません."));
    EXPECT_EQ(seen.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_NE(seen.Modality, Qt::NonModal);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(QtPeersTest, TheCloseBoxAsksTheFormWhichEndsTheApplication) {
    EXPECT_FALSE(window->close());  // refused by the window: the form decides
    EXPECT_TRUE(Application->Terminated());

    // Inside the message loop, closing the main form ends it.
    qt.Widgets().Run();  // the Terminate above ends it at once
    QTimer::singleShot(0, window, [this] { window->close(); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(5000);
    qt.Widgets().Run();
    EXPECT_TRUE(guard.isActive()) << "the loop went on after the close";
}

TEST_F(QtPeersTest, TabKeyFollowsTheTabOrder) {
    Edit()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Edit()->hasFocus(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), WidgetOf(update));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), WidgetOf(compare));
}

TEST_F(QtPeersTest, MemoIsReadOnlyWithBothScrollBarsAndNoWrapping) {
    QPlainTextEdit *edit = Edit();
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_TRUE(edit->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    // A long line is reached sideways, not wrapped.
    memo->Lines->Add(AnsiString::StringOfChar('x', 400));
    EXPECT_EQ(edit->document()->blockCount(), 2);
    EXPECT_GT(edit->horizontalScrollBar()->maximum(), 0);

    // Typing changes nothing.
    QTest::keyClicks(edit, "abc");
    EXPECT_EQ(memo->Text, AnsiString::StringOfChar('x', 400) + "\r\n");
    EXPECT_EQ(edit->toPlainText(), QString(400, u'x') + u'\n');

    // Without the focus the selection is not highlighted, as in the Windows edit control.
    const QPalette &palette = edit->palette();
    EXPECT_EQ(palette.color(QPalette::Inactive, QPalette::Highlight),
              palette.color(QPalette::Inactive, QPalette::Base));
    EXPECT_NE(palette.color(QPalette::Active, QPalette::Highlight),
              palette.color(QPalette::Active, QPalette::Base));
}

TEST_F(QtPeersTest, MemoShowsItsTextAsLinesAndAppendsAtTheEnd) {
    QPlainTextEdit *edit = Edit();
    memo->Text = "Memo1\r\n";
    memo->Clear();
    EXPECT_EQ(edit->toPlainText(), QString());
    memo->Lines->Add(u8"前回 97/05/01 18:20:07 から");
    memo->Lines->Add(u8"今回 97/05/03 9:05:03 までの変化の有無");
    EXPECT_EQ(edit->toPlainText(),
              QString::fromUtf16(
                  u"前回 97/05/01 18:20:07 から\n今回 97/05/03 9:05:03 までの変化の有無\n"));
    EXPECT_EQ(edit->textCursor().position(), edit->document()->characterCount() - 1);

    // A tail that completes the last character: the whole is shown anew.
    TMemoPeer *peer = memo->MemoPeer();
    peer->SetText(AnsiString("a\x95"));
    EXPECT_EQ(edit->toPlainText(), QString("a?"));
    peer->AppendText(AnsiString("\x5C\r\n"));
    EXPECT_EQ(edit->toPlainText(), QString::fromUtf16(u"a表\n"));
    peer->SetText(AnsiString("a\r"));
    peer->AppendText(AnsiString("\nb"));
    EXPECT_EQ(edit->toPlainText(), QString("a\nb"));
}

TEST_F(QtPeersTest, MemoSelectionInBytesBecomesCharacters) {
    QPlainTextEdit *edit = Edit();
    // 比　較 CR LF: 8 bytes, 4 characters; then "ab" CR LF.
    memo->Text = AnsiString("\x94\xE4\x81\x40\x8A\x72\r\nab\r\n");
    struct Case {
        int selStart, selLength;
        int from, to;
        const char16_t *selected;
    } cases[] = {
        {0, 2, 0, 1, u"比"},      {2, 6, 1, 4, u"　較\u2029"},
        {2, 5, 1, 3, u"　較"},  // the middle of the CR LF
        {0, 3, 0, 1, u"比"},    // the middle of a double-byte character
        {6, 3, 3, 5, u"\u2029a"}, {0, 10000, 0, 7, u"比　較\u2029ab\u2029"},
        {9, 0, 5, 5, u""},
    };
    for (const Case &c : cases) {
        memo->SelStart = c.selStart;
        memo->SelLength = c.selLength;
        QTextCursor cursor = edit->textCursor();
        EXPECT_EQ(cursor.selectionStart(), c.from) << c.selStart << "+" << c.selLength;
        EXPECT_EQ(cursor.selectionEnd(), c.to) << c.selStart << "+" << c.selLength;
        EXPECT_EQ(cursor.selectedText(), QString::fromUtf16(c.selected));
    }
}

TEST_F(QtPeersTest, CursorsFollowTheCursorProperty) {
    struct Case {
        TControl *control;
        TCursor cursor;
        Qt::CursorShape shape;
    } cases[] = {
        {memo, crDefault, Qt::IBeamCursor},  // the edit control's own
        {memo, crArrow, Qt::ArrowCursor},      {memo, crHourGlass, Qt::WaitCursor},
        {compare, crDefault, Qt::ArrowCursor}, {compare, crHourGlass, Qt::WaitCursor},
        {compare, crArrow, Qt::ArrowCursor},   {form, crHourGlass, Qt::WaitCursor},
        {form, crDefault, Qt::ArrowCursor},
    };
    for (const Case &c : cases) {
        c.control->Cursor = c.cursor;
        QWidget *w = WidgetOf(c.control);
        if (c.control == memo) w = Edit()->viewport();
        if (c.control == form) w = window->centralWidget();
        EXPECT_EQ(w->cursor().shape(), c.shape) << c.control->Name().c_str() << " " << c.cursor;
    }
    // The memo's cursor stays the text's: its scroll bars and the buttons keep the arrow
    // while the form shows the hour-glass.
    form->Cursor = crHourGlass;
    EXPECT_EQ(Edit()->horizontalScrollBar()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(WidgetOf(update)->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(window->menuBar()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(QtPeersTest, FontsAreTheNamedFamilyOrIpaGothicAtTheirPixelSize) {
    for (TControl *c : {static_cast<TControl *>(compare), static_cast<TControl *>(memo)}) {
        QFontInfo shown(WidgetOf(c)->font());
        if (!QFontDatabase::families().contains(QString::fromUtf16(u"ＭＳ ゴシック"))) {
            EXPECT_EQ(shown.family(), QString("IPAGothic"));
        }
        EXPECT_EQ(shown.pixelSize(), 12);
    }
    EXPECT_EQ(QFontInfo(window->menuBar()->font()).pixelSize(), 12);
}

TEST(QtFontTest, FontDataBecomesAToolkitFont) {
    ASSERT_TRUE(QFontDatabase::families().contains("IPAGothic")) << "fonts-ipafont-gothic";
    struct Case {
        const char8_t *name;
        int height, style;
        const char *family;
        int pixels;
        bool bold, italic, underline, strikeOut;
    } cases[] = {
        {u8"No Such Font", -12, 0, "IPAGothic", 12, false, false, false, false},
        {u8"IPAPGothic", -16, 0, "IPAPGothic", 16, false, false, false, false},
        {u8"IPAGothic", 14, 1 | 8, "IPAGothic", 14, true, false, false, true},
        {u8"IPAGothic", -12, 2 | 4, "IPAGothic", 12, false, true, true, false},
    };
    for (const Case &c : cases) {
        TFontData data;
        data.Name = c.name;
        data.Height = c.height;
        data.Style = c.style;
        QFont f = QtFontOf(data);
        EXPECT_EQ(QFontInfo(f).family(), QString(c.family))
            << reinterpret_cast<const char *>(c.name);
        EXPECT_EQ(f.pixelSize(), c.pixels);
        EXPECT_EQ(f.bold(), c.bold);
        EXPECT_EQ(f.italic(), c.italic);
        EXPECT_EQ(f.underline(), c.underline);
        EXPECT_EQ(f.strikeOut(), c.strikeOut);
    }
}

TEST(QtWidgetSetTest, ClipboardIsEmptiedAndGetsUnicodeText) {
    qttest::QtApplication qt;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText("earlier");
    Clipboard()->Clear();
    EXPECT_EQ(clipboard->text(), QString());
    Clipboard()->SetTextBuf("\x91\x4F\x89\xF1 97/05/01\r\n\xB8\xD8");
    EXPECT_EQ(clipboard->text(), QString::fromUtf16(u"前回 97/05/01\r\nｸﾘ"));
}

TEST(QtWidgetSetTest, MessageBoxShowsItsIconAndButtonsAndAnswersTheChoice) {
    qttest::QtApplication qt;
    struct Case {
        int flags;
        QMessageBox::StandardButton press;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        int result;
    } cases[] = {
        {0x10, QMessageBox::Ok, QMessageBox::Critical, QMessageBox::Ok, 1},
        {0x30 | 1, QMessageBox::Cancel, QMessageBox::Warning, QMessageBox::Ok | QMessageBox::Cancel,
         2},
        {0x20 | 4, QMessageBox::No, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, 7},
        {0x40 | 3, QMessageBox::Yes, QMessageBox::Information,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, 6},
    };
    for (const Case &c : cases) {
        qttest::SeenBox seen;
        auto answer = qttest::AnswerMessageBox(seen, c.press);
        int result = qt.Widgets().MessageBox(AnsiString("<b>\x95\x5C</b>"), "Quindral", c.flags);
        EXPECT_EQ(result, c.result) << c.flags;
        EXPECT_EQ(seen.Icon, c.icon) << c.flags;
        EXPECT_EQ(seen.Buttons, c.buttons) << c.flags;
        EXPECT_EQ(seen.Text, QString::fromUtf16(u"<b>表</b>"));  // plain text, as given
    }
}

TEST(QtWidgetSetTest, IconsKeepEveryImageOfTheIconFile) {
    qttest::QtApplication qt;
    auto read = [](const char *name) {
        QFile f(QString(QUINDRAL_SOURCE_DIR "/app/") + name);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        return f.readAll().toStdString();
    };
    TForm *form = nullptr;
    Application->CreateForm<TForm>(&form);
    form->Icon->SetData(read("Form1.ico"));
    form->HandleNeeded();
    EXPECT_EQ(WidgetOf(form)->windowIcon().availableSizes(),
              (QList<QSize>{QSize(32, 32), QSize(16, 16)}));
    qt.Widgets().SetApplicationIcon(read("Quindral.ico"));
    EXPECT_EQ(QApplication::windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
}

}  // namespace
