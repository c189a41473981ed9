// A whole comparison from the disk up: a real scan of drive C, the snapshot file loaded,
// the report in Memo1 and the log file, byte for byte.
#include <gtest/gtest.h>

#include "CompareFixture.h"
#include "compare/Compare.h"
#include "platform/Testing.hpp"
#include "scan/Scan.h"
#include "snapshot/Snapshot.h"

namespace {

using compare_test::CompareFixture;
using support::TempDrives;

using WorkedExample = CompareFixture;

// The snapshot of 97/05/01 18:20:07. Besides the files it holds the folder entries the
// scan lists (".", ".." and System), with the stamps they have now.
const std::string SnapshotBytes =
    "97/05/01\r\n"
    " 18:20:07\r\n"
    "C:\\Windows\\.<Dir>\r\n"
    " 97/04/30 12:30:00\r\n"
    "C:\\Windows\\..<Dir>\r\n"
    " 97/04/01 7:00:00\r\n"
    "C:\\Windows\\ALPHA.INI\r\n"
    " 97/04/28 10:00:00\r\n"
    "C:\\Windows\\OMEGA.EXE\r\n"
    " 96/11/02 8:00:00\r\n"
    "C:\\Windows\\System<Dir>\r\n"
    " 97/04/30 12:00:00\r\n"
    "*\r\n"
    " *\r\n"
    "C:\\Windows\\System\\.<Dir>\r\n"
    " 97/04/30 12:00:00\r\n"
    "C:\\Windows\\System\\..<Dir>\r\n"
    " 97/04/30 12:30:00\r\n"
    "C:\\Windows\\System\\GAMMA32.DLL\r\n"
    " 96/08/24 11:11:00\r\n"
    "*\r\n"
    " *\r\n";

// The report of the worked example: the lists as it gives them, without folder entries.
const std::string ExampleLogBytes =
    "\x91\x4F\x89\xF1 97/05/01 18:20:07 \x82\xA9\x82\xE7\r\n"
    "\x8D\xA1\x89\xF1 97/05/03 9:05:03 "
    "\x82\xDC\x82\xC5\x82\xCC\x95\xCF\x89\xBB\x82\xCC\x97\x4C\x96\xB3\r\n"
    "\r\n"
    "\x8F\x91\x82\xAB\x8A\xB7\x82\xA6\x82\xC9\x82\xE6\x82\xE9\x82\xE0\x82\xCC \x81\x40\r\n"
    "\r\n"
    "\x81\x40\x81\x40"
    "C:\\Windows\\ \xCC\xAB\xD9\xC0\xDE\xB0 \x93\xE0\r\n"
    "       C:\\Windows\\ALPHA.INI                 97/05/03 9:02:44\r\n"
    "\r\n"
    "\x81\x40\x81\x40"
    "C:\\Windows\\System\\ \xCC\xAB\xD9\xC0\xDE\xB0 \x93\xE0\r\n"
    "       C:\\Windows\\System\\GAMMA32.DLL        97/05/03 9:01:05\r\n"
    "\r\n"
    "\x91\x9D\x89\xC1\x82\xB5\x82\xBD\x82\xE0\x82\xCC\r\n"
    "\r\n"
    "\x81\x40\x81\x40"
    "C:\\Windows\\ \xCC\xAB\xD9\xC0\xDE\xB0 \x93\xE0\r\n"
    "       C:\\Windows\\BETA.TXT                  97/05/03 9:01:10\r\n"
    "\r\n"
    "\x81\x40\x81\x40"
    "C:\\Windows\\System\\ \xCC\xAB\xD9\xC0\xDE\xB0 \x93\xE0\r\n"
    "\x81\x40\x81\x40      \x81\x40"
    "\x91\x9D\x89\xC1\x82\xB5\x82\xBD\x82\xE0\x82\xCC\x82\xCD\x97\x4C\x82\xE8\x82\xDC\x82\xB9"
    "\x82\xF1\x81\x42\r\n"
    "\r\n"
    "                                                         \x88\xC8\x8F\xE3\r\n";

// The file search gives times in two-second steps: GAMMA32.DLL, written at 9:01:05, has
// the stamp 9:01:04.
const std::string ScanLogBytes =
    "\x91\x4F\x89\xF1 97/05/01 18:20:07 \x82\xA9\x82\xE7\r\n"
    "\x8D\xA1\x89\xF1 97/05/03 9:05:03 "
    "\x82\xDC\x82\xC5\x82\xCC\x95\xCF\x89\xBB\x82\xCC\x97\x4C\x96\xB3\r\n"
    "\r\n"
    "\x8F\x91\x82\xAB\x8A\xB7\x82\xA6\x82\xC9\x82\xE6\x82\xE9\x82\xE0\x82\xCC \x81\x40\r\n"
    "\r\n"
    "\x81\x40\x81\x40"
    "C:\\Windows\\ \xCC\xAB\xD9\xC0\xDE\xB0 \x93\xE0\r\n"
    "       C:\\Windows\\ALPHA.INI                 97/05/03 9:02:44\r\n"
    "\r\n"
    "\x81\x40\x81\x40"
    "C:\\Windows\\System\\ \xCC\xAB\xD9\xC0\xDE\xB0 \x93\xE0\r\n"
    "       C:\\Windows\\System\\GAMMA32.DLL        97/05/03 9:01:04\r\n"
    "\r\n"
    "\x91\x9D\x89\xC1\x82\xB5\x82\xBD\x82\xE0\x82\xCC\r\n"
    "\r\n"
    "\x81\x40\x81\x40"
    "C:\\Windows\\ \xCC\xAB\xD9\xC0\xDE\xB0 \x93\xE0\r\n"
    "       C:\\Windows\\BETA.TXT                  97/05/03 9:01:10\r\n"
    "\r\n"
    "\x81\x40\x81\x40"
    "C:\\Windows\\System\\ \xCC\xAB\xD9\xC0\xDE\xB0 \x93\xE0\r\n"
    "\x81\x40\x81\x40      \x81\x40"
    "\x91\x9D\x89\xC1\x82\xB5\x82\xBD\x82\xE0\x82\xCC\x82\xCD\x97\x4C\x82\xE8\x82\xDC\x82\xB9"
    "\x82\xF1\x81\x42\r\n"
    "\r\n"
    "                                                         \x88\xC8\x8F\xE3\r\n";

TEST_F(WorkedExample, ScanAndSnapshotGiveTheReportAndItsLogFile) {
    TempDrives::MakeFile(kavru + "/czenkai.txt", SnapshotBytes);
    struct Timed {
        const char *path;
        const char *when;
    };
    const Timed files[] = {
        {"/Windows/ALPHA.INI", "1997-05-03 09:02:44"},
        {"/Windows/BETA.TXT", "1997-05-03 09:01:10"},
        {"/Windows/OMEGA.EXE", "1996-11-02 08:00:00"},
        {"/Windows/System/GAMMA32.DLL", "1997-05-03 09:01:05"},
    };
    // After the files: making entries changes a folder's time.
    const Timed folders[] = {
        {"/Windows/System", "1997-04-30 12:00:00"},
        {"/Windows", "1997-04-30 12:30:00"},
        {"", "1997-04-01 07:00:00"},
    };
    for (const auto &f : files) TempDrives::MakeFile(c + f.path, "x");
    for (const auto &f : files) TempDrives::SetMTime(c + f.path, f.when);
    for (const auto &f : folders) TempDrives::SetMTime(c + f.path, f.when);
    PlatformTesting::SetClock([] { return PlatformTesting::ClockReading{1997, 5, 3, 9, 5, 3, 0}; });

    // What the Start command does: scan, load the snapshot, name both in two lines.
    ScanFolders();
    ReadSnapshot();
    Form1->Memo1->Lines->Add(AnsiString(u8"前回 ") + PrevDate + " " + PrevTime + u8" から");
    Form1->Memo1->Lines->Add(AnsiString(u8"今回 ") + NowDate + " " + NowTime +
                             u8" までの変化の有無");

    CompareAndReport();

    EXPECT_EQ(MemoText(), ScanLogBytes);
    EXPECT_EQ(MemoLines().size(), 20u);
    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/Z97050390503.log"), ScanLogBytes);
    // In each entry line the stamp begins at byte 45.
    struct {
        std::size_t line;
        const char *stamp;
    } entries[] = {{7, "97/05/03 9:02:44"}, {10, "97/05/03 9:01:04"}, {15, "97/05/03 9:01:10"}};
    for (const auto &e : entries) {
        const std::string text = MemoLines().at(e.line - 1);
        EXPECT_EQ(text.substr(42, 2), "  ") << e.line;
        EXPECT_EQ(text.substr(44), e.stamp) << e.line;
    }
    // Slot 6 follows the Windows end mark: ".", ".." and System come before the files.
    EXPECT_EQ(PrevSystemStart, 6);
    EXPECT_TRUE(Form1->Button1->Visible);
    EXPECT_TRUE(Form1->Button3->Visible);
}

TEST_F(WorkedExample, TheListsAsGivenGiveTheReportByteForByte) {
    SetPrevious({{"C:\\Windows\\ALPHA.INI", "97/04/28 10:00:00"},
                 {"C:\\Windows\\OMEGA.EXE", "96/11/02 8:00:00"},
                 {"*", "*"},
                 {"C:\\Windows\\System\\GAMMA32.DLL", "96/08/24 11:11:00"},
                 {"*", "*"}});
    SetCurrent({{"C:\\Windows\\ALPHA.INI", "97/05/03 9:02:44"},
                {"C:\\Windows\\BETA.TXT", "97/05/03 9:01:10"},
                {"C:\\Windows\\OMEGA.EXE", "96/11/02 8:00:00"},
                {"*", "*"},
                {"C:\\Windows\\System\\GAMMA32.DLL", "97/05/03 9:01:05"},
                {"*", "*"}});
    Form1->Memo1->Lines->Add("\x91\x4F\x89\xF1 97/05/01 18:20:07 \x82\xA9\x82\xE7");
    Form1->Memo1->Lines->Add(
        "\x8D\xA1\x89\xF1 97/05/03 9:05:03 "
        "\x82\xDC\x82\xC5\x82\xCC\x95\xCF\x89\xBB\x82\xCC\x97\x4C\x96\xB3");

    CompareAndReport();

    EXPECT_EQ(PrevSystemStart, 3);
    EXPECT_EQ(MemoText(), ExampleLogBytes);
    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/Z97050390503.log"), ExampleLogBytes);
}

}  // namespace
