#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "platform/Testing.hpp"
#include "scan/RunState.h"
#include "scan/Scan.h"
#include "support/RunStateReset.h"
#include "support/TempDrives.h"

namespace {

using support::TempDrives;

struct Slot {
    std::string name;
    std::string stamp;
    bool operator==(const Slot &o) const { return name == o.name && stamp == o.stamp; }
};

std::ostream &operator<<(std::ostream &os, const Slot &s) {
    return os << "{" << s.name << " | " << s.stamp << "}";
}

// The first `count` slots of the current lists.
std::vector<Slot> NowSlots(int count) {
    std::vector<Slot> out;
    for (int i = 0; i < count; ++i) out.push_back({NowNames[i].Bytes(), NowStamps[i].Bytes()});
    return out;
}

class ScanTest : public ::testing::Test {
protected:
    RunStateReset reset;
    TempDrives drives;
    support::FixedClock clock{"1998-06-01 21:04:37.250"};
};

TEST_F(ScanTest, ProbesGoInOrderAndFallBackToTheCurrentDrive) {
    struct Case {
        std::vector<std::string> files;  // "<drive letter><path below its root>"
        bool withA;
        const char *drive;
        const char *winDir;
    } cases[] = {
        {{"C/Windows/System/Kernel32.dll"}, true, "C:", "Windows"},
        {{"C/Windows/System/Kernel32.dll", "A/Windows/System/Kernel32.dll"}, true, "C:", "Windows"},
        {{"A/Windows/System/Kernel32.dll", "C/Win95/System/Kernel32.dll",
          "A/Win95/System/Kernel32.dll"},
         true,
         "A:",
         "Windows"},
        {{"C/Win95/System/Kernel32.dll", "A/Win95/System/Kernel32.dll"}, true, "C:", "Win95"},
        {{"A/Win95/System/Kernel32.dll"}, true, "A:", "Win95"},
        {{"C/WINDOWS/SYSTEM/KERNEL32.DLL"}, true, "C:", "Windows"},  // any letter case
        {{"C/Win95/System/Kernel32.dll"}, false, "C:", "Win95"},     // no drive A: at all
        {{"C/Windows/Kernel32.dll", "A/Win95/Kernel32.dll"}, true, "D:", "Windows"},
        {{}, true, "D:", "Windows"},
    };
    for (const Case &k : cases) {
        TempDrives local;
        std::string root[2] = {local.AddDrive('C'), k.withA ? local.AddDrive('A') : ""};
        std::string tools = local.MakeFolder(local.AddDrive('D') + "/Tools");
        local.ChangeDir(tools);
        for (const std::string &f : k.files) {
            local.MakeFile(root[f[0] == 'C' ? 0 : 1] + f.substr(1));
        }
        DriveText = "";
        WinDirName = "Win95";
        LocateWindowsFolder();
        std::string what = k.files.empty() ? "none" : k.files[0];
        EXPECT_EQ(DriveText.Bytes(), k.drive) << what;
        EXPECT_EQ(WinDirName.Bytes(), k.winDir) << what;
        EXPECT_EQ(SearchRec.FindHandle, nullptr) << what;
    }
}

TEST_F(ScanTest, WithoutTheFolderBothSectionsAreTheirEndMarks) {
    std::string d = drives.AddDrive('D');
    drives.MakeFolder(d + "/Tools");
    drives.ChangeDir(d + "/Tools");
    LocateWindowsFolder();
    ASSERT_EQ(DriveText.Bytes(), "D:");
    ScanFolders();
    EXPECT_EQ(NowSlots(3), (std::vector<Slot>{{"*", "*"}, {"*", "*"}, {"", ""}}));
    EXPECT_EQ(NowDate.Bytes(), "98/06/01");
    EXPECT_EQ(NowTime.Bytes(), "21:04:37");
    EXPECT_EQ(PrevStart, 1);
    EXPECT_EQ(ListIndex, 0);
}

TEST_F(ScanTest, ListsBothFoldersWithNamesStampsAndEndMarks) {
    std::string c = drives.AddDrive('C');
    std::string win = c + "/Windows";
    drives.MakeFolder(win + "/.Sample");  // hidden as well: no "<Dir>"
    drives.MakeFolder(win + "/Sample");
    drives.MakeFolder(win + "/Locked");  // read-only as well: no "<Dir>"
    drives.MakeFile(win + "/Midnight.dll");
    drives.MakeFile(win + "/Old.dll");
    drives.MakeFile(win + "/system/Kernel32.dll");  // the folder's name in lower case
    drives.MakeFile(win + "/system/表示.dll");
    struct {
        const char *path;
        const char *when;
    } times[] = {
        {"/Windows/.Sample", "1997-05-03 09:02:44"},
        {"/Windows/Locked", "1997-05-03 09:02:45.999"},
        {"/Windows/Sample", "1997-05-03 09:02:46"},
        {"/Windows/Midnight.dll", "1997-05-03 00:00:00"},
        {"/Windows/Old.dll", "1975-01-02 03:04:05"},  // before the packed form's years
        {"/Windows/system/Kernel32.dll", "1998-05-20 23:59:59"},
        {"/Windows/system/表示.dll", "1997-05-03 12:00:00"},
        {"/Windows/system", "1998-05-20 10:12:01"},
        {"/Windows", "1998-05-20 10:12:00"},
        {"", "1998-05-01 08:00:00"},
    };
    for (const auto &t : times) drives.SetMTime(c + t.path, t.when);
    ::chmod((win + "/Locked").c_str(), 0555);

    LocateWindowsFolder();
    ASSERT_EQ(DriveText.Bytes(), "C:");
    ListIndex = 0;
    PrevStart = 0;
    ScanFolders();

    std::vector<Slot> expected = {
        {"C:\\Windows\\.<Dir>", "98/05/20 10:12:00"},
        {"C:\\Windows\\..<Dir>", "98/05/01 8:00:00"},
        {"C:\\Windows\\.Sample", "97/05/03 9:02:44"},
        {"C:\\Windows\\Locked", "97/05/03 9:02:44"},
        {"C:\\Windows\\Midnight.dll", "97/05/03"},
        {"C:\\Windows\\Old.dll", "75/01/02 3:04:04"},
        {"C:\\Windows\\Sample<Dir>", "97/05/03 9:02:46"},
        {"C:\\Windows\\system<Dir>", "98/05/20 10:12:00"},
        {"*", "*"},
        {"C:\\Windows\\System\\.<Dir>", "98/05/20 10:12:00"},
        {"C:\\Windows\\System\\..<Dir>", "98/05/20 10:12:00"},
        {"C:\\Windows\\System\\Kernel32.dll", "98/05/20 23:59:58"},
        {"\x43\x3A\x5C\x57\x69\x6E\x64\x6F\x77\x73\x5C\x53\x79\x73\x74\x65\x6D\x5C\x95\x5C\x8E\xA6"
         "\x2E\x64\x6C\x6C",
         "97/05/03 12:00:00"},
        {"*", "*"},
        {"", ""},
    };
    EXPECT_EQ(NowSlots(15), expected);
    EXPECT_EQ(NowDate.Bytes(), "98/06/01");
    EXPECT_EQ(NowTime.Bytes(), "21:04:37");
    EXPECT_EQ(ScanDir.Bytes(), "C:\\Windows\\System\\");
    EXPECT_EQ(ListIndex, 0);
    EXPECT_EQ(PrevStart, 1);
    EXPECT_EQ(SearchRec.FindHandle, nullptr);
}

TEST_F(ScanTest, AShorterSecondScanLeavesTheFirstOnesTailBehindItsEndMark) {
    std::string c = drives.AddDrive('C');
    drives.MakeFile(c + "/Windows/a.dll");
    drives.MakeFile(c + "/Windows/b.dll");
    drives.MakeFile(c + "/Windows/System/Kernel32.dll");
    LocateWindowsFolder();
    ScanFolders();
    ::unlink((c + "/Windows/b.dll").c_str());
    ::unlink((c + "/Windows/System/Kernel32.dll").c_str());
    ScanFolders();

    std::vector<std::string> names;
    for (int i = 0; i < 10; ++i) names.push_back(NowNames[i].Bytes());
    EXPECT_EQ(names, (std::vector<std::string>{"C:\\Windows\\.<Dir>", "C:\\Windows\\..<Dir>",
                                               "C:\\Windows\\a.dll", "C:\\Windows\\System<Dir>",
                                               "*", "C:\\Windows\\System\\.<Dir>",
                                               "C:\\Windows\\System\\..<Dir>", "*",
                                               // what is left of the first scan
                                               "C:\\Windows\\System\\Kernel32.dll", "*"}));
}

TEST_F(ScanTest, DateAndTimeAreReadOneAfterTheOther) {
    support::FixedClock midnight({"1998-06-01 23:59:59.999", "1998-06-02 00:00:00.000"});
    std::string c = drives.AddDrive('C');
    drives.MakeFile(c + "/Windows/System/Kernel32.dll");
    LocateWindowsFolder();
    ScanFolders();
    EXPECT_EQ(NowDate.Bytes(), "98/06/01");
    EXPECT_EQ(NowTime.Bytes(), "0:00:00");
    EXPECT_EQ(midnight.Reads(), 2);
}

TEST_F(ScanTest, DateTimeTextInTheJapaneseAndA12HourLocale) {
    PlatformTesting::LocaleValues twelve = PlatformTesting::JapaneseLocale();
    twelve.Clock = AnsiString("0");
    twelve.MorningMarker = AnsiString("AM");
    twelve.AfternoonMarker = AnsiString("PM");
    twelve.MarkerPosition = AnsiString("0");
    const double nine = 32564 / 86400.0;  // 9:02:44
    struct Case {
        double value;
        const char *japanese;
        const char *twelveHour;
    } cases[] = {
        {0, "0:00:00", "12:00:00 AM"},
        {nine, "9:02:44", "9:02:44 AM"},
        {0.5, "12:00:00", "12:00:00 PM"},
        {35553, "97/05/03", "97/05/03"},
        {35553 + nine, "97/05/03 9:02:44", "97/05/03 9:02:44 AM"},
        {35553 + 75877 / 86400.0, "97/05/03 21:04:37", "97/05/03 9:04:37 PM"},
    };
    for (const Case &k : cases) EXPECT_EQ(DateTimeText(k.value).Bytes(), k.japanese) << k.value;
    support::FixedLocale locale(twelve);
    for (const Case &k : cases) {
        EXPECT_EQ(DateTimeText(k.value).Bytes(), k.twelveHour) << k.value;
    }
    std::string c = drives.AddDrive('C');
    drives.MakeFile(c + "/Windows/System/Kernel32.dll");
    LocateWindowsFolder();
    ScanFolders();
    EXPECT_EQ(NowTime.Bytes(), "9:04:37 PM");
}

TEST_F(ScanTest, AFolderLargerThanTheListsIsScannedWhole) {
    std::string c = drives.AddDrive('C');
    const int count = 6000;
    for (int i = 0; i < count; ++i) {
        char name[48];
        std::snprintf(name, sizeof name, "/Windows/System/f%04d.dll", i);
        drives.MakeFile(c + name);
    }
    drives.MakeFile(c + "/Windows/System/Kernel32.dll");
    LocateWindowsFolder();
    ScanFolders();

    // Windows: ".", "..", System<Dir>, end mark; then the System section.
    ASSERT_EQ(NowNames[3].Bytes(), "*");
    EXPECT_EQ(NowNames[4].Bytes(), "C:\\Windows\\System\\.<Dir>");
    EXPECT_EQ(NowNames[5].Bytes(), "C:\\Windows\\System\\..<Dir>");
    for (int i = 0; i < count; ++i) {
        char name[40];
        std::snprintf(name, sizeof name, "C:\\Windows\\System\\f%04d.dll", i);
        ASSERT_EQ(NowNames[6 + i].Bytes(), name);
        ASSERT_FALSE(NowStamps[6 + i].IsEmpty());
    }
    EXPECT_EQ(NowNames[6 + count].Bytes(), "C:\\Windows\\System\\Kernel32.dll");
    EXPECT_EQ(NowNames[7 + count].Bytes(), "*");
    EXPECT_EQ(NowStamps[7 + count].Bytes(), "*");
    EXPECT_EQ(NowStamps.Length(), NowNames.Length());
}

}  // namespace
