#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

#include "platform/Classes.hpp"
#include "platform/SysUtils.hpp"
#include "support/TempDrives.h"

namespace {

using support::TempDrives;

TStringList ListOf(const std::vector<std::string> &lines) {
    TStringList list;
    for (const std::string &line : lines) list.Add(AnsiString::FromBytes(line));
    return list;
}

bool Exists(const std::string &hostPath) {
    struct stat st;
    return ::lstat(hostPath.c_str(), &st) == 0;
}

TEST(StringsSaveToFile, EveryLineEndsWithCrLfTheLastToo) {
    TempDrives drives;
    std::string c = drives.AddDrive('C');
    TempDrives::MakeFolder(c + "/Kavru");

    struct Case {
        std::vector<std::string> lines;
        std::string bytes;
    } cases[] = {
        {{}, ""},
        {{""}, "\r\n"},
        {{"a"}, "a\r\n"},
        // Code page bytes go out as they are, a trail byte 5C included.
        {{"\x95\x5C\x8E\xA6.dll", "", "  \x81\x40 "},
         "\x95\x5C\x8E\xA6.dll\r\n\r\n  \x81\x40 \r\n"},
    };
    for (const Case &k : cases) {
        ListOf(k.lines).SaveToFile("C:\\Kavru\\Z1.log");
        EXPECT_EQ(TempDrives::ReadBytes(c + "/Kavru/Z1.log"), k.bytes);
    }
}

TEST(StringsSaveToFile, AnExistingFileIsEmptiedFirstAndFoundWithoutRegardToCase) {
    TempDrives drives;
    std::string c = drives.AddDrive('C');
    TempDrives::MakeFile(c + "/KAVRU/z1.LOG", "an older and longer text\r\nline two\r\n");

    ListOf({"new"}).SaveToFile("C:\\Kavru\\Z1.log");

    EXPECT_EQ(TempDrives::ReadBytes(c + "/KAVRU/z1.LOG"), "new\r\n");
    EXPECT_FALSE(Exists(c + "/Kavru"));
}

TEST(StringsSaveToFile, AFileThatCannotBeCreatedRaisesWithTheWindowsPath) {
    TempDrives drives;
    std::string c = drives.AddDrive('C');
    TempDrives::MakeFolder(c + "/Kavru/Folder.log");

    struct Case {
        const char *path;
        std::string message;
    } cases[] = {
        // The data folder is missing.
        {"C:\\Missing\\Z1.log",
         "\xCC\xA7\xB2\xD9 C:\\Missing\\Z1.log "
         "\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1"},
        // A folder stands where the file would be.
        {"C:\\Kavru\\Folder.log",
         "\xCC\xA7\xB2\xD9 C:\\Kavru\\Folder.log "
         "\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1"},
        // No such drive.
        {"Q:\\Kavru\\Z1.log",
         "\xCC\xA7\xB2\xD9 Q:\\Kavru\\Z1.log "
         "\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1"},
    };
    for (const Case &k : cases) {
        try {
            ListOf({"a"}).SaveToFile(k.path);
            ADD_FAILURE() << k.path << " was saved";
        } catch (const EFCreateError &e) {
            EXPECT_EQ(e.Message.Bytes(), k.message);
        }
    }
    EXPECT_FALSE(Exists(c + "/Missing"));
}

TEST(StringsSaveToFile, AFullDeviceRaisesAWriteError) {
    TempDrives drives;
    std::string c = drives.AddDrive('C');
    TempDrives::MakeFolder(c + "/Kavru");
    ASSERT_EQ(::symlink("/dev/full", (c + "/Kavru/Z1.log").c_str()), 0);

    try {
        ListOf({"a", "b"}).SaveToFile("C:\\Kavru\\Z1.log");
        ADD_FAILURE() << "the save reported success";
    } catch (const EWriteError &e) {
        EXPECT_EQ(
            e.Message.Bytes(),
            "\xBD\xC4\xD8\xB0\xD1\x82\xD6\x82\xCC\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\xB4\xD7\xB0");
    }
}

// A file size limit makes the kernel take part of the text and refuse the rest: the
// file keeps the part, and the save still fails.
TEST(StringsSaveToFile, AFileThatTakesOnlyPartKeepsThatPart) {
    TempDrives drives;
    std::string c = drives.AddDrive('C');
    TempDrives::MakeFolder(c + "/Kavru");

    struct rlimit old;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 7;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool failed = false;
    try {
        ListOf({"abc", "def"}).SaveToFile("C:\\Kavru\\Z1.log");
    } catch (const EWriteError &) {
        failed = true;
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(failed);
    EXPECT_EQ(TempDrives::ReadBytes(c + "/Kavru/Z1.log"), "abc\r\nde");
}

}  // namespace
