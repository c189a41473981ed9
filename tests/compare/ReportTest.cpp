// The whole comparison: the report's rows in Memo1, PrevSystemStart, the buttons, and
// the log file with its path and its failures.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>

#include "CompareFixture.h"
#include "compare/Compare.h"
#include "platform/SysUtils.hpp"

namespace {

using compare_test::CompareFixture;
using compare_test::Entry;
using support::TempDrives;
using Lines = std::vector<std::string>;

using Report = CompareFixture;

// Both folders without a change: the 18 lines of the report, each with its CR LF.
const std::string UnchangedReport =
    "\r\n"
    "\x8F\x91\x82\xAB\x8A\xB7\x82\xA6\x82\xC9\x82\xE6\x82\xE9\x82\xE0\x82\xCC \x81\x40\r\n"
    "\r\n"
    "\x81\x40\x81\x40"
    "C:\\Windows\\ \xCC\xAB\xD9\xC0\xDE\xB0 \x93\xE0\r\n"
    "\x81\x40      \x81\x40\x81\x40"
    "\x8F\x91\x82\xAB\x8A\xB7\x82\xA6\x82\xE7\x82\xEA\x82\xBD\x82\xE0\x82\xCC\x82\xCD\x97\x4C"
    "\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42\r\n"
    "\r\n"
    "\x81\x40\x81\x40"
    "C:\\Windows\\System\\ \xCC\xAB\xD9\xC0\xDE\xB0 \x93\xE0\r\n"
    "\x81\x40\x81\x40  \x81\x40    "
    "\x8F\x91\x82\xAB\x8A\xB7\x82\xA6\x82\xE7\x82\xEA\x82\xBD\x82\xE0\x82\xCC\x82\xCD\x97\x4C"
    "\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42\r\n"
    "\r\n"
    "\x91\x9D\x89\xC1\x82\xB5\x82\xBD\x82\xE0\x82\xCC\r\n"
    "\r\n"
    "\x81\x40\x81\x40"
    "C:\\Windows\\ \xCC\xAB\xD9\xC0\xDE\xB0 \x93\xE0\r\n"
    "\x81\x40    \x81\x40\x81\x40  "
    "\x91\x9D\x89\xC1\x82\xB5\x82\xBD\x82\xE0\x82\xCC\x82\xCD\x97\x4C\x82\xE8\x82\xDC\x82\xB9"
    "\x82\xF1\x81\x42\r\n"
    "\r\n"
    "\x81\x40\x81\x40"
    "C:\\Windows\\System\\ \xCC\xAB\xD9\xC0\xDE\xB0 \x93\xE0\r\n"
    "\x81\x40\x81\x40      \x81\x40"
    "\x91\x9D\x89\xC1\x82\xB5\x82\xBD\x82\xE0\x82\xCC\x82\xCD\x97\x4C\x82\xE8\x82\xDC\x82\xB9"
    "\x82\xF1\x81\x42\r\n"
    "\r\n"
    "                                                         \x88\xC8\x8F\xE3\r\n";

const std::string NothingRewrittenInWindows =
    "\x81\x40      \x81\x40\x81\x40"
    "\x8F\x91\x82\xAB\x8A\xB7\x82\xA6\x82\xE7\x82\xEA\x82\xBD\x82\xE0\x82\xCC\x82\xCD\x97\x4C"
    "\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42";
const std::string NothingRewrittenInSystem =
    "\x81\x40\x81\x40  \x81\x40    "
    "\x8F\x91\x82\xAB\x8A\xB7\x82\xA6\x82\xE7\x82\xEA\x82\xBD\x82\xE0\x82\xCC\x82\xCD\x97\x4C"
    "\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42";
const std::string NothingAddedInWindows =
    "\x81\x40    \x81\x40\x81\x40  "
    "\x91\x9D\x89\xC1\x82\xB5\x82\xBD\x82\xE0\x82\xCC\x82\xCD\x97\x4C\x82\xE8\x82\xDC\x82\xB9"
    "\x82\xF1\x81\x42";
const std::string NothingAddedInSystem =
    "\x81\x40\x81\x40      \x81\x40"
    "\x91\x9D\x89\xC1\x82\xB5\x82\xBD\x82\xE0\x82\xCC\x82\xCD\x97\x4C\x82\xE8\x82\xDC\x82\xB9"
    "\x82\xF1\x81\x42";

const std::vector<Entry> Unchanged = {
    {"C:\\Windows\\Alpha1.dll", "97/04/28 10:00:00"},
    {"*", "*"},
    {"C:\\Windows\\System\\Gamma1.dll", "96/08/24 11:11:00"},
    {"*", "*"},
};

// What follows each of the four folder lines of one report, up to the next empty line:
// the rewritten Windows and System entries, then the added ones.
std::array<Lines, 4> Blocks(const Lines &memo) {
    std::array<Lines, 4> blocks;
    int block = -1;
    bool inBlock = false;
    for (const std::string &line : memo) {
        if (line.rfind("\x81\x40\x81\x40"
                       "C:\\Windows\\",
                       0) == 0) {
            ++block;
            inBlock = block < 4;
        } else if (line.empty()) {
            inBlock = false;
        } else if (inBlock) {
            blocks[static_cast<std::size_t>(block)].push_back(line);
        }
    }
    return blocks;
}

bool Exists(const std::string &hostPath) {
    struct stat st;
    return ::lstat(hostPath.c_str(), &st) == 0;
}

TEST_F(Report, WithoutChangesHas18LinesAndTheLogFileHoldsThem) {
    SetPrevious(Unchanged);
    SetCurrent(Unchanged);

    CompareAndReport();

    EXPECT_EQ(MemoText(), UnchangedReport);
    EXPECT_EQ(MemoLines().size(), 18u);
    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/Z97050390503.log"), UnchangedReport);
    EXPECT_EQ(PrevSystemStart, 2);
    EXPECT_EQ(PrevStart, 2);
    EXPECT_EQ(ListIndex, 0);
    EXPECT_EQ(FoundAny, 0);
    EXPECT_TRUE(Form1->Button1->Visible);
    EXPECT_TRUE(Form1->Button3->Visible);
    EXPECT_FALSE(Form1->Button2->Visible);  // only Start shows it
}

TEST_F(Report, AnEmptyPreviousWindowsSectionMakesEveryWindowsEntryAdded) {
    SetPrevious({{"*", "*"}, {"C:\\Windows\\System\\Gamma1.dll", "96/08/24 11:11:00"}, {"*", "*"}});
    SetCurrent({{"C:\\Windows\\Alpha1.dll", "97/05/03 9:02:44"},
                {"C:\\Windows\\Beta01.dll", "97/05/03 9:01:10"},
                {"*", "*"},
                {"C:\\Windows\\System\\Gamma1.dll", "97/05/03 9:01:05"},
                {"*", "*"}});

    CompareAndReport();

    EXPECT_EQ(PrevSystemStart, 1);
    std::array<Lines, 4> expected = {
        Lines{NothingRewrittenInWindows},
        Lines{"       C:\\Windows\\System\\Gamma1.dll         97/05/03 9:01:05"},
        Lines{"       C:\\Windows\\Alpha1.dll                97/05/03 9:02:44",
              "       C:\\Windows\\Beta01.dll                97/05/03 9:01:10"},
        Lines{NothingAddedInSystem},
    };
    EXPECT_EQ(Blocks(MemoLines()), expected);
    EXPECT_EQ(MemoLines().size(), 19u);
}

// Damaged previous lists: a section that lacks its end mark ends at the last loaded slot,
// and what an older load left after it is not read. Without any end mark the System
// section is empty and PrevSystemStart is one past the loaded slots.
TEST_F(Report, WalksOverThePreviousListsStopAtTheLoadedSlots) {
    struct Case {
        const char *what;
        std::vector<Entry> previous;
        int prevCount;
        int prevSystemStart;
        std::array<Lines, 4> blocks;
    } cases[] = {
        {"no end mark among the loaded slots",
         {{"C:\\Windows\\Alpha1.dll", "97/04/28 10:00:00"},
          {"C:\\Windows\\Stale1.dll", "97/04/28 10:00:00"},
          {"*", "*"},
          {"C:\\Windows\\System\\Gamma1.dll", "96/01/01 1:00:00"},
          {"*", "*"}},
         1,
         2,
         {Lines{NothingRewrittenInWindows}, Lines{NothingRewrittenInSystem},
          Lines{NothingAddedInWindows},
          Lines{"       C:\\Windows\\System\\Gamma1.dll         96/08/24 11:11:00"}}},
        {"only the Windows end mark loaded",
         {{"C:\\Windows\\Alpha1.dll", "97/04/28 10:00:00"},
          {"*", "*"},
          {"C:\\Windows\\System\\Gamma1.dll", "96/01/01 1:00:00"},
          {"*", "*"}},
         2,
         2,
         {Lines{NothingRewrittenInWindows}, Lines{NothingRewrittenInSystem},
          Lines{NothingAddedInWindows},
          Lines{"       C:\\Windows\\System\\Gamma1.dll         96/08/24 11:11:00"}}},
        {"nothing loaded",
         Unchanged,
         0,
         1,
         {Lines{NothingRewrittenInWindows}, Lines{NothingRewrittenInSystem},
          Lines{"       C:\\Windows\\Alpha1.dll                97/04/28 10:00:00"},
          Lines{"       C:\\Windows\\System\\Gamma1.dll         96/08/24 11:11:00"}}},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        Form1->Memo1->Clear();
        Fill(PrevNames, PrevStamps, k.previous);
        PrevCount = k.prevCount;
        SetCurrent(Unchanged);

        CompareAndReport();

        EXPECT_EQ(PrevSystemStart, k.prevSystemStart);
        EXPECT_EQ(PrevStart, k.prevSystemStart);
        EXPECT_EQ(Blocks(MemoLines()), k.blocks);
    }
}

TEST_F(Report, TheLogFileIsNamedByPositionFromTheScansDateAndTime) {
    struct Case {
        const char *date;
        const char *time;
        const char *file;
    } cases[] = {
        {"97/05/03", "9:05:03", "Z97050390503.log"},
        {"97/05/03", "19:05:03", "Z970503190503.log"},
        {"97-05-03", "21:04:37", "Z970503210437.log"},
        {"97/05/03", "9:05", "Z970503905.log"},  // parts past the end are empty
        {"", "", "Z.log"},
    };
    SetPrevious(Unchanged);
    for (const Case &k : cases) {
        SCOPED_TRACE(k.file);
        NowDate = k.date;
        NowTime = k.time;
        SetCurrent(Unchanged);

        CompareAndReport();

        EXPECT_EQ(TempDrives::ReadBytes(kavru + "/" + k.file), MemoText());
    }
}

// One Start, two comparisons: the same path, and the file holds both reports below the
// start lines.
TEST_F(Report, ASecondComparisonRewritesTheSameLogFileWithBothReports) {
    const std::string startLines =
        "\x91\x4F\x89\xF1 97/05/01 18:20:07 \x82\xA9\x82\xE7\r\n"
        "\x8D\xA1\x89\xF1 97/05/03 9:05:03 "
        "\x82\xDC\x82\xC5\x82\xCC\x95\xCF\x89\xBB\x82\xCC\x97\x4C\x96\xB3\r\n";
    Form1->Memo1->Lines->Add("\x91\x4F\x89\xF1 97/05/01 18:20:07 \x82\xA9\x82\xE7");
    Form1->Memo1->Lines->Add(
        "\x8D\xA1\x89\xF1 97/05/03 9:05:03 "
        "\x82\xDC\x82\xC5\x82\xCC\x95\xCF\x89\xBB\x82\xCC\x97\x4C\x96\xB3");
    SetPrevious(Unchanged);
    SetCurrent(Unchanged);

    CompareAndReport();
    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/Z97050390503.log"), startLines + UnchangedReport);
    CompareAndReport();

    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/Z97050390503.log"),
              startLines + UnchangedReport + UnchangedReport);
    EXPECT_EQ(MemoText(), startLines + UnchangedReport + UnchangedReport);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(kavru),
                            std::filesystem::directory_iterator()),
              2);  // the snapshot file and the one log file
}

// The save fails after the report is complete and the buttons are shown; the error
// leaves the comparison as the platform raised it.
TEST_F(Report, ALogFileThatCannotBeSavedFailsWithThePlatformsError) {
    struct Case {
        const char *what;
        void (*prepare)(const std::string &folder);
        bool created;  // whether the error is the creation error
        std::string message;
    } cases[] = {
        {"the data folder is missing",
         [](const std::string &folder) { std::filesystem::remove_all(folder); }, true,
         "\xCC\xA7\xB2\xD9 C:\\Kavru\\Z97050390503.log "
         "\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1"},
        {"the log file is a link to a full device",
         [](const std::string &folder) {
             ASSERT_EQ(::symlink("/dev/full", (folder + "/Z97050390503.log").c_str()), 0);
         },
         false, "\xBD\xC4\xD8\xB0\xD1\x82\xD6\x82\xCC\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\xB4\xD7\xB0"},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        TempDrives::MakeFolder(kavru);
        Form1->Memo1->Clear();
        Form1->Button1->Visible = false;
        Form1->Button3->Visible = false;
        SetPrevious(Unchanged);
        SetCurrent(Unchanged);
        k.prepare(kavru);

        try {
            CompareAndReport();
            ADD_FAILURE() << "the comparison reported success";
        } catch (const EFCreateError &e) {
            EXPECT_TRUE(k.created);
            EXPECT_EQ(e.Message.Bytes(), k.message);
        } catch (const EWriteError &e) {
            EXPECT_FALSE(k.created);
            EXPECT_EQ(e.Message.Bytes(), k.message);
        }

        EXPECT_EQ(MemoText(), UnchangedReport);
        EXPECT_TRUE(Form1->Button1->Visible);
        EXPECT_TRUE(Form1->Button3->Visible);
        EXPECT_EQ(ListIndex, 0);
        EXPECT_EQ(PrevStart, 2);
        EXPECT_EQ(Exists(kavru + "/Z97050390503.log"), !k.created);
    }
}

}  // namespace
