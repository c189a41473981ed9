// The real main window on the Qt widget set: what the user sees after start-up, and the
// program entry running the message loop until the window is closed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "QtTesting.h"
#include "app/Unit1.h"
#include "platform/Windows.hpp"
#include "support/RunStateReset.h"
#include "support/TempDrives.h"

namespace {

using qttest::WidgetOf;

class MainWindowTest : public testing::Test {
protected:
    MainWindowTest() {
        std::string c = drives.AddDrive('C');
        drives.MakeFile(c + "/Windows/System/Kernel32.dll", "MZ");
    }
    ~MainWindowTest() override { Form1 = nullptr; }

    RunStateReset reset;
    support::TempDrives drives;
    qttest::QtApplication qt;
};

TEST_F(MainWindowTest, AfterStartUpTheWindowShowsTheMenuBarAnEmptyTextAreaAndNoButton) {
    Application->CreateForm<TForm1>(&Form1);
    Form1->Show();
    auto *window = WidgetOf<QMainWindow>(Form1);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));

    EXPECT_EQ(window->frameGeometry(), QRect(109, 88, 528, 435));
    EXPECT_EQ(window->windowTitle(), QString("Quindral"));
    EXPECT_EQ(window->windowIcon().availableSizes(), (QList<QSize>{QSize(32, 32), QSize(16, 16)}));

    QList<QAction *> bar = window->menuBar()->actions();
    ASSERT_EQ(bar.size(), 2);
    EXPECT_EQ(bar[0]->text(), QString::fromUtf16(u"開始(&S)"));
    EXPECT_EQ(bar[1]->text(), QString::fromUtf16(u"閉じる(&E)"));
    EXPECT_EQ(bar[0]->menu(), nullptr);
    EXPECT_EQ(bar[1]->menu(), nullptr);

    struct Case {
        TButton *button;
        QRect place;
        const char16_t *caption;
        QKeySequence key;
    } buttons[] = {
        {Form1->Button1, QRect(208, 352, 73, 33), u"ﾌｧｲﾙ更新(&A)",
         QKeySequence(Qt::ALT | Qt::Key_A)},
        {Form1->Button2, QRect(112, 16, 73, 33), u"比　較(&H)", QKeySequence(Qt::ALT | Qt::Key_H)},
        {Form1->Button3, QRect(272, 16, 129, 33), u"ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ(&C)",
         QKeySequence(Qt::ALT | Qt::Key_C)},
    };
    for (const Case &c : buttons) {
        auto *b = WidgetOf<QPushButton>(c.button);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->parentWidget(), window->centralWidget());
        EXPECT_EQ(b->geometry(), c.place);
        EXPECT_EQ(b->text(), QString::fromUtf16(c.caption));
        EXPECT_EQ(QKeySequence::mnemonic(b->text()), c.key);
        EXPECT_FALSE(b->isVisible());
        EXPECT_EQ(QFontInfo(b->font()).family(), QString("IPAGothic"));
        EXPECT_EQ(QFontInfo(b->font()).pixelSize(), 12);
    }

    auto *memo = WidgetOf<QPlainTextEdit>(Form1->Memo1);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->geometry(), QRect(16, 72, 465, 265));
    EXPECT_TRUE(memo->isVisible());
    EXPECT_EQ(memo->toPlainText(), QString());
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->viewport()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(QFontInfo(memo->font()).family(), QString("IPAGothic"));
    EXPECT_EQ(QFontInfo(memo->font()).pixelSize(), 12);
}

TEST_F(MainWindowTest, TheEntryRunsTheWindowUntilItsCloseBoxAndReturnsZero) {
    bool shown = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *window = qobject_cast<QMainWindow *>(w);
            if (!window || !window->isVisible()) continue;
            closer.stop();
            shown = true;
            window->close();
        }
    });
    closer.start(20);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(10000);

    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(guard.isActive()) << "the loop did not end with the window";
}

}  // namespace
