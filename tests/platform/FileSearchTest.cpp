#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/SysUtils.hpp"
#include "support/TempDrives.h"

namespace {

using support::TempDrives;

struct Found {
    std::string name;
    int attr;
    bool operator==(const Found &o) const { return name == o.name && attr == o.attr; }
};

std::ostream &operator<<(std::ostream &os, const Found &f) {
    return os << "{" << f.name << ", 0x" << std::hex << f.attr << std::dec << "}";
}

// Every entry a search reports, closing it at the end.
std::vector<Found> List(const AnsiString &pattern, int attr = faAnyFile) {
    std::vector<Found> out;
    TSearchRec rec;
    if (SearchFirst(pattern, attr, rec) == 0) {
        do {
            out.push_back({rec.Name.Bytes(), rec.Attr});
        } while (SearchNext(rec) == 0);
    }
    SearchClose(rec);
    EXPECT_EQ(rec.FindHandle, nullptr);
    return out;
}

class FileSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        c = drives.AddDrive('C');
        win = c + "/Windows";
        drives.MakeFile(win + "/b.dll");
        drives.MakeFile(win + "/a.DLL");
        drives.MakeFile(win + "/A.dll");
        drives.MakeFile(win + "/_under");
        drives.MakeFile(win + "/Zed");
        drives.MakeFile(win + "/表示.dll");
        drives.MakeFile(win + "/a*b.txt");
        drives.MakeFile(win + "/.profile");
        drives.MakeFolder(win + "/Sample");
        drives.MakeFolder(win + "/.Cache");
        drives.MakeFolder(win + "/Locked");
        drives.MakeFile(win + "/ReadOnly.ini");
        ::chmod((win + "/ReadOnly.ini").c_str(), 0444);
        ::chmod((win + "/Locked").c_str(), 0555);
        ::symlink("b.dll", (win + "/link.dll").c_str());
        ::symlink("Sample", (win + "/LinkDir").c_str());
        ::symlink("nowhere", (win + "/broken.dll").c_str());
    }

    TempDrives drives;
    std::string c;
    std::string win;
};

TEST_F(FileSearchTest, FolderListsDotsFirstThenSortedWithoutCaseAndAttributes) {
    std::vector<Found> expected = {
        {".", 0x10},
        {"..", 0x10},
        {".Cache", 0x12},  // a directory that is hidden too
        {".profile", 0x22},
        {"A.dll", 0x20},  // equal without case: ordered by bytes
        {"a.DLL", 0x20},
        {"A_B~~Y0Z.TXT", 0x20},  // a*b.txt, which Windows cannot hold
        {"b.dll", 0x20},
        {"link.dll", 0x20},  // links followed; the broken one is left out
        {"LinkDir", 0x10},
        {"Locked", 0x11},  // no write bit: read-only, directories too
        {"ReadOnly.ini", 0x21},
        {"Sample", 0x10},
        {"Zed", 0x20},
        {"_under", 0x20},                // letters fold upward, so "_" comes after them
        {"\x95\x5C\x8E\xA6.dll", 0x20},  // 表示.dll
    };
    EXPECT_EQ(List("C:\\Windows\\*.*"), expected);
    EXPECT_EQ(List("c:\\WINDOWS\\*.*"), expected);
}

TEST_F(FileSearchTest, DriveRootHasNoDotEntries) {
    EXPECT_EQ(List("C:\\*.*"), (std::vector<Found>{{"Windows", 0x10}}));
    drives.MakeFolder(c + "/Empty");
    EXPECT_EQ(List("C:\\Empty\\*.*"), (std::vector<Found>{{".", 0x10}, {"..", 0x10}}));
}

TEST_F(FileSearchTest, UnaskedSpecialBitsAreLeftOut) {
    struct Case {
        int attr;
        std::vector<std::string> names;
    } cases[] = {
        {0,
         {"A.dll", "a.DLL", "A_B~~Y0Z.TXT", "b.dll", "link.dll", "ReadOnly.ini", "Zed", "_under",
          "\x95\x5C\x8E\xA6.dll"}},
        {faReadOnly | faArchive,  // not special: the same as 0
         {"A.dll", "a.DLL", "A_B~~Y0Z.TXT", "b.dll", "link.dll", "ReadOnly.ini", "Zed", "_under",
          "\x95\x5C\x8E\xA6.dll"}},
        {faDirectory,
         {".", "..", "A.dll", "a.DLL", "A_B~~Y0Z.TXT", "b.dll", "link.dll", "LinkDir", "Locked",
          "ReadOnly.ini", "Sample", "Zed", "_under", "\x95\x5C\x8E\xA6.dll"}},
        {faHidden,
         {".profile", "A.dll", "a.DLL", "A_B~~Y0Z.TXT", "b.dll", "link.dll", "ReadOnly.ini", "Zed",
          "_under", "\x95\x5C\x8E\xA6.dll"}},
    };
    for (const Case &k : cases) {
        std::vector<std::string> names;
        for (const Found &f : List("C:\\Windows\\*.*", k.attr)) names.push_back(f.name);
        EXPECT_EQ(names, k.names) << "attr " << k.attr;
    }
}

TEST_F(FileSearchTest, OneNameFindsThatEntryAsItIsOnDisk) {
    drives.MakeFile(win + "/SYSTEM/KERNEL32.DLL", "MZ");
    TSearchRec rec;
    ASSERT_EQ(SearchFirst("C:\\Windows\\System\\Kernel32.dll", faAnyFile, rec), 0);
    EXPECT_EQ(rec.Name.Bytes(), "KERNEL32.DLL");
    EXPECT_EQ(rec.Attr, 0x20);
    EXPECT_EQ(rec.Size, 2);
    EXPECT_NE(SearchNext(rec), 0);
    EXPECT_NE(rec.FindHandle, nullptr);  // still open until closed
    SearchClose(rec);
    EXPECT_EQ(rec.FindHandle, nullptr);
    SearchClose(rec);  // nothing open: nothing happens
    EXPECT_NE(SearchNext(rec), 0);

    EXPECT_EQ(List("C:\\Windows\\\x95\x5C\x8E\xA6.dll"),
              (std::vector<Found>{{"\x95\x5C\x8E\xA6.dll", 0x20}}));
    EXPECT_EQ(List("C:\\Windows\\Sample", 0), std::vector<Found>{});  // a folder not asked for
    EXPECT_EQ(List("C:\\Windows\\Sample"), (std::vector<Found>{{"Sample", 0x10}}));
}

TEST_F(FileSearchTest, NothingFoundLeavesNoSearchOpen) {
    const char *patterns[] = {
        "C:\\Windows\\Kernel32.dll",  // no such file
        "C:\\Windows\\broken.dll",    // a link to nothing
        "C:\\Nowhere\\*.*",           // no such folder
        "C:\\Nowhere\\Kernel32.dll",
        "Q:\\Windows\\*.*",    // no such drive
        "C:\\Windows\\*.exe",  // nothing matches
        "C:\\Windows\\",       // no name
    };
    for (const char *p : patterns) {
        TSearchRec rec;
        EXPECT_NE(SearchFirst(p, faAnyFile, rec), 0) << p;
        EXPECT_EQ(rec.FindHandle, nullptr) << p;
    }
}

TEST(FileSearchTimes, LocalTimeFlooredToTwoSecondsAndAValueForEveryYear) {
    TempDrives drives;
    std::string c = drives.AddDrive('C');
    struct Case {
        const char *mtime;
        unsigned packed;
        double value;  // days since 1899-12-30, with the time of day
    } cases[] = {
        {"1997-05-03 09:02:44", 0x22A34856u, 35553 + 32564 / 86400.0},
        {"1997-05-03 09:02:44.999", 0x22A34856u, 35553 + 32564 / 86400.0},
        {"1997-05-03 09:02:45", 0x22A34856u, 35553 + 32564 / 86400.0},
        {"1997-05-03 09:02:45.999", 0x22A34856u, 35553 + 32564 / 86400.0},
        {"1997-05-03 09:02:46", 0x22A34857u, 35553 + 32566 / 86400.0},
        {"1997-05-03 00:00:00", 0x22A30000u, 35553},
        {"1997-05-03 00:00:01", 0x22A30000u, 35553},
        {"1980-01-01 00:00:00", 0x00210000u, 29221},
        {"2107-12-31 23:59:59", 0xFF9FBF7Du, 75971 + 86398 / 86400.0},
        // Out of the packed form's range: no packed time, but the value still holds it.
        {"1979-12-31 23:59:59", 0, 29220 + 86398 / 86400.0},
        {"2108-01-01 00:00:00", 0, 75972},
    };
    for (const Case &k : cases) {
        std::string f = drives.MakeFile(c + "/f.dll");
        drives.SetMTime(f, k.mtime);
        TSearchRec rec;
        ASSERT_EQ(SearchFirst("C:\\f.dll", faAnyFile, rec), 0) << k.mtime;
        EXPECT_EQ(static_cast<unsigned>(rec.Time), k.packed) << k.mtime;
        EXPECT_NEAR(rec.TimeStamp, k.value, 1e-9) << k.mtime;
        if (k.packed != 0) {
            EXPECT_EQ(FileDateToDateTime(rec.Time), rec.TimeStamp) << k.mtime;
        }
        SearchClose(rec);
    }

    // The same moment in another time zone is another local time.
    std::string f = drives.MakeFile(c + "/f.dll");
    drives.SetMTime(f, "1997-05-03 09:02:44");  // in JST
    support::FixedTimeZone utc("UTC0");
    TSearchRec rec;
    ASSERT_EQ(SearchFirst("C:\\f.dll", faAnyFile, rec), 0);
    EXPECT_EQ(static_cast<unsigned>(rec.Time), 0x22A30056u);  // 0:02:44
    SearchClose(rec);
}

}  // namespace
