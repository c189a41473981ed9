// The five commands of the main window, headless: Start's two lines, the gate of
// Compare and Update file, the cursors over a comparison, the life cycle of the buttons,
// Update file replacing both snapshot files, the clipboard copy and Close.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/Unit1.h"
#include "platform/Testing.hpp"
#include "scan/RunState.h"
#include "support/HeadlessApp.h"
#include "support/RunStateReset.h"
#include "support/TempDrives.h"

namespace {

using support::TempDrives;

// The snapshot of 97/05/01 18:20:07 that Start loads: ALPHA.INI in the Windows section,
// Kernel32.dll in the System section, each with another stamp than on the disk.
const std::string Snapshot =
    "97/05/01\r\n 18:20:07\r\n"
    "C:\\Windows\\ALPHA.INI\r\n 97/04/28 10:00:00\r\n"
    "*\r\n *\r\n"
    "C:\\Windows\\System\\Kernel32.dll\r\n 96/08/24 11:11:00\r\n"
    "*\r\n *\r\n";

// "前回 97/05/01 18:20:07 から" and "今回 97/05/03 9:05:03 までの変化の有無".
const std::string FirstStartLine = "\x91\x4F\x89\xF1 97/05/01 18:20:07 \x82\xA9\x82\xE7";
const std::string SecondStartLine =
    "\x8D\xA1\x89\xF1 97/05/03 9:05:03 "
    "\x82\xDC\x82\xC5\x82\xCC\x95\xCF\x89\xBB\x82\xCC\x97\x4C\x96\xB3";

// What a scan of that drive at 97/05/03 9:05:03 writes as the snapshot file.
const std::string NewSnapshot =
    "97/05/03\r\n 9:05:03\r\n"
    "C:\\Windows\\.<Dir>\r\n 97/05/02 8:00:00\r\n"
    "C:\\Windows\\..<Dir>\r\n 97/05/01 7:00:00\r\n"
    "C:\\Windows\\ALPHA.INI\r\n 97/05/03 9:02:44\r\n"
    "C:\\Windows\\System<Dir>\r\n 97/05/02 12:30:00\r\n"
    "*\r\n *\r\n"
    "C:\\Windows\\System\\.<Dir>\r\n 97/05/02 12:30:00\r\n"
    "C:\\Windows\\System\\..<Dir>\r\n 97/05/02 8:00:00\r\n"
    "C:\\Windows\\System\\Kernel32.dll\r\n 97/05/03 9:01:04\r\n"
    "*\r\n *\r\n";

class CommandsTest : public ::testing::Test {
protected:
    RunStateReset reset;
    TempDrives drives;
    std::string c = drives.AddDrive('C');
    std::string kavru = c + "/Kavru";
    support::HeadlessApp app;
    support::FixedClock clock{"1997-05-03 09:05:03.250"};

    void SetUp() override {
        TempDrives::MakeFile(c + "/Windows/ALPHA.INI", "[alpha]\r\n");
        TempDrives::MakeFile(c + "/Windows/System/Kernel32.dll", "MZ");
        TempDrives::MakeFile(kavru + "/czenkai.txt", Snapshot);
        TempDrives::MakeFile(kavru + "/czenkai.bak", Snapshot);
        TempDrives::SetMTime(c + "/Windows/ALPHA.INI", "1997-05-03 09:02:44");
        TempDrives::SetMTime(c + "/Windows/System/Kernel32.dll", "1997-05-03 09:01:05");
        TempDrives::SetMTime(c + "/Windows/System", "1997-05-02 12:30:00");
        TempDrives::SetMTime(c + "/Windows", "1997-05-02 08:00:00");
        TempDrives::SetMTime(c, "1997-05-01 07:00:00");
        Application->CreateForm<TForm1>(&Form1);
    }
    void TearDown() override { Form1 = nullptr; }

    static std::string Lines(TMemo *memo) { return AnsiString(memo->Text).Bytes(); }
    std::string LogFile() const { return kavru + "/Z97050390503.log"; }
    bool Exists(const std::string &path) const { return std::filesystem::exists(path); }

    struct Cursors {
        int form, memo, button2;
        bool operator==(const Cursors &) const = default;
    };
    static Cursors CursorsNow() {
        return {Form1->Cursor, Form1->Memo1->Cursor, Form1->Button2->Cursor};
    }
    struct Shown {
        bool button1, button2, button3;
        bool operator==(const Shown &) const = default;
    };
    static Shown ButtonsNow() {
        return {Form1->Button1->Visible, Form1->Button2->Visible, Form1->Button3->Visible};
    }
};

TEST_F(CommandsTest, StartWritesTheTwoLinesAndShowsCompare) {
    Form1->K1->Click();
    EXPECT_EQ(Lines(Form1->Memo1), FirstStartLine + "\r\n" + SecondStartLine + "\r\n");
    EXPECT_EQ(ButtonsNow(), (Shown{false, true, false}));
    EXPECT_EQ(PrevStart, 1);
    EXPECT_EQ(ListIndex, 0);
    EXPECT_EQ(CursorsNow(), (Cursors{crDefault, crArrow, crDefault}));  // Start changes none

    // A second Start appends two more lines naming the same snapshot.
    Form1->K1->Click();
    EXPECT_EQ(Lines(Form1->Memo1), FirstStartLine + "\r\n" + SecondStartLine + "\r\n" +
                                       FirstStartLine + "\r\n" + SecondStartLine + "\r\n");
    EXPECT_TRUE(app.Widgets().MessageBoxes.empty());
}

TEST_F(CommandsTest, CompareAndUpdateDoNothingBeforeTheFirstStart) {
    ASSERT_EQ(PrevStart, 0);  // the snapshot file existed at start-up
    Form1->Button2->Click();
    Form1->Button1->Click();
    EXPECT_EQ(Lines(Form1->Memo1), "");
    EXPECT_EQ(CursorsNow(), (Cursors{crDefault, crArrow, crDefault}));
    EXPECT_EQ(ButtonsNow(), (Shown{false, false, false}));
    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/czenkai.txt"), Snapshot);
    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/czenkai.bak"), Snapshot);
    EXPECT_FALSE(Exists(LogFile()));
}

TEST_F(CommandsTest, CompareReportsUnderTheHourGlassAndShowsTheOtherButtons) {
    Form1->K1->Click();
    // The cursors while the comparison runs are seen by the save of the log file: a
    // folder in the way of the log file makes the comparison end there.
    TempDrives::MakeFolder(LogFile());
    Form1->Button2->Click();
    EXPECT_EQ(CursorsNow(), (Cursors{crHourGlass, crHourGlass, crHourGlass}));
    EXPECT_EQ(ButtonsNow(), (Shown{true, true, true}));
    ASSERT_EQ(app.Widgets().MessageBoxes.size(), 1u);
    // "ﾌｧｲﾙ C:\Kavru\Z97050390503.log を作成できません" and ".", in a stop box.
    EXPECT_EQ(app.Widgets().MessageBoxes[0].Text.Bytes(),
              "\xCC\xA7\xB2\xD9 C:\\Kavru\\Z97050390503.log "
              "\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1.");
    EXPECT_EQ(app.Widgets().MessageBoxes[0].Caption.Bytes(), "quindral");
    EXPECT_EQ(app.Widgets().MessageBoxes[0].Flags, 0x10);

    // The next comparison that ends normally gives the cursors back.
    std::filesystem::remove(LogFile());
    Form1->Button2->Click();
    EXPECT_EQ(CursorsNow(), (Cursors{crDefault, crArrow, crArrow}));
    EXPECT_EQ(app.Widgets().MessageBoxes.size(), 1u);
    // The log file holds all of the text area, both reports included.
    EXPECT_EQ(TempDrives::ReadBytes(LogFile()), Lines(Form1->Memo1));
    EXPECT_EQ(Lines(Form1->Memo1).rfind(FirstStartLine + "\r\n" + SecondStartLine + "\r\n\r\n", 0),
              0u);
}

TEST_F(CommandsTest, UpdateFileMakesTheScanTheSnapshotForTheNextStart) {
    Form1->K1->Click();
    Form1->Button2->Click();
    Form1->Button1->Click();
    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/czenkai.txt"), NewSnapshot);
    // The backup is the snapshot that Start loaded, byte for byte.
    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/czenkai.bak"), Snapshot);
    EXPECT_TRUE(app.Widgets().MessageBoxes.empty());

    // The next Start compares with the new snapshot: its first line names that scan.
    Form1->K1->Click();
    const std::string memo = Lines(Form1->Memo1);
    const std::string newFirstLine = "\x91\x4F\x89\xF1 97/05/03 9:05:03 \x82\xA9\x82\xE7\r\n";
    EXPECT_NE(memo.find(newFirstLine + SecondStartLine + "\r\n"), std::string::npos);
}

TEST_F(CommandsTest, CopyTakesTheFirstTenThousandPositions) {
    struct Case {
        const char *what;
        std::string text;  // the text area's whole text
        std::string copied;
    };
    const std::string line98 = std::string(98, 'a') + "\r\n";  // 100 positions
    std::string hundredLines;
    for (int i = 0; i < 100; ++i) hundredLines += line98;  // exactly 10000
    const Case cases[] = {
        {"longer text is cut inside a line", hundredLines + "tail\r\n", hundredLines},
        {"shorter text goes whole", "\x95\x5C\x8E\xA6\r\n", "\x95\x5C\x8E\xA6\r\n"},
        {"a double-byte character at the cut is not split",
         std::string(9999, 'b') + "\x94\xE4\x81\x40\r\n", std::string(9999, 'b')},
        {"a CR LF at the cut counts two", std::string(9999, 'c') + "\r\nd\r\n",
         std::string(9999, 'c') + "\r"},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        Form1->Memo1->Lines->SetText(AnsiString::FromBytes(k.text));
        ASSERT_EQ(Lines(Form1->Memo1), k.text);
        Form1->Button3->Click();
        EXPECT_TRUE(app.Widgets().ClipboardHasText);
        EXPECT_EQ(app.Widgets().ClipboardText.Bytes(), k.copied);
    }
}

TEST_F(CommandsTest, CopyEmptiesTheClipboardFirst) {
    app.Widgets().ClipboardSetText("earlier contents");
    const int clears = app.Widgets().ClipboardClears;
    Form1->Button3->Click();  // the text area is empty: nothing to copy
    EXPECT_EQ(app.Widgets().ClipboardClears, clears + 1);
    EXPECT_FALSE(app.Widgets().ClipboardHasText);
}

TEST_F(CommandsTest, CloseEndsTheMessageLoopAndWritesNothing) {
    Form1->K1->Click();
    Form1->Close1->Click();
    EXPECT_TRUE(app.Widgets().Terminated);
    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/czenkai.txt"), Snapshot);
    EXPECT_FALSE(Exists(LogFile()));
}

}  // namespace
