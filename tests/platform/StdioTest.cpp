// The run-time's streams and directory calls on Windows paths: text line ends both ways,
// results and errno as the run-time gives them, and a full disk seen at the flush.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/Stdio.hpp"
#include "support/TempDrives.h"

namespace {

class CrtStreams : public ::testing::Test {
protected:
    support::TempDrives drives;
    std::string c = drives.AddDrive('C');

    // Every line the stream gives with a buffer of `size` bytes, until fgets gives none.
    static std::vector<std::string> AllLines(Crt::FILE *f, int size) {
        std::vector<std::string> lines;
        char buffer[200];
        while (Crt::fgets(buffer, size, f) != nullptr) lines.emplace_back(buffer);
        return lines;
    }
};

TEST_F(CrtStreams, TextWriteTurnsEachLfIntoCrLf) {
    Crt::FILE *f = Crt::fopen("C:\\snap.txt", "w+t");
    ASSERT_NE(f, nullptr);
    // The count is that of the formatted bytes, before the CRs are added.
    EXPECT_EQ(Crt::fprintf(f, "%s\n %s\n", "98/06/01", "21:04:37"), 19);
    EXPECT_EQ(Crt::fprintf(f, "%s\n %s\n", "\x95\x5C\x8E\xA6", "*"), 8);
    EXPECT_EQ(Crt::fclose(f), 0);
    EXPECT_EQ(support::TempDrives::ReadBytes(c + "/snap.txt"),
              "98/06/01\r\n 21:04:37\r\n\x95\x5C\x8E\xA6\r\n *\r\n");
}

TEST_F(CrtStreams, BinaryWriteAndTruncation) {
    support::TempDrives::MakeFile(c + "/f.bin", "old content that is longer");
    Crt::FILE *f = Crt::fopen("C:\\F.BIN", "wb");  // found without regard to case
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(Crt::fprintf(f, "a\nb\r\n"), 5);
    EXPECT_EQ(Crt::fclose(f), 0);
    EXPECT_EQ(support::TempDrives::ReadBytes(c + "/f.bin"), "a\nb\r\n");
}

TEST_F(CrtStreams, TextReadDropsCrAndSplitsAtLf) {
    support::TempDrives::MakeFile(c + "/in.txt", "ab\r\ncd\nx\ry\r\n\r\nlast");
    Crt::FILE *f = Crt::fopen("C:\\in.txt", "r+t");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(AllLines(f, 100), (std::vector<std::string>{"ab\n", "cd\n", "xy\n", "\n", "last"}));
    EXPECT_EQ(Crt::feof(f), 1);
    EXPECT_EQ(Crt::ferror(f), 0);
    EXPECT_EQ(Crt::fclose(f), 0);
}

TEST_F(CrtStreams, ShortBufferGivesALineInPiecesAndCrDoesNotCount) {
    support::TempDrives::MakeFile(c + "/in.txt", "abcdefg\r\nhi\r\n");
    Crt::FILE *f = Crt::fopen("C:\\in.txt", "rt");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(AllLines(f, 4), (std::vector<std::string>{"abc", "def", "g\n", "hi\n"}));
    Crt::fclose(f);

    f = Crt::fopen("C:\\in.txt", "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(AllLines(f, 100), (std::vector<std::string>{"abcdefg\r\n", "hi\r\n"}));
    Crt::fclose(f);
}

TEST_F(CrtStreams, EmptyFileGivesNoLine) {
    support::TempDrives::MakeFile(c + "/empty.txt");
    Crt::FILE *f = Crt::fopen("C:\\empty.txt", "r+t");
    ASSERT_NE(f, nullptr);
    char buffer[100] = "untouched";
    EXPECT_EQ(Crt::fgets(buffer, sizeof buffer, f), nullptr);
    EXPECT_STREQ(buffer, "untouched");
    EXPECT_EQ(Crt::feof(f), 1);
    Crt::fclose(f);
}

TEST_F(CrtStreams, OpenFailures) {
    support::TempDrives::MakeFolder(c + "/Folder");
    struct Case {
        const char *path;
        const char *mode;
        int error;
    } cases[] = {
        {"C:\\missing.txt", "r+t", ENOENT},
        {"C:\\missing.txt", "rt", ENOENT},
        {"C:\\NoFolder\\new.txt", "w+t", ENOENT},
        {"Q:\\new.txt", "w+t", ENOENT},  // no such drive
        {"C:\\Folder", "rt", EACCES},    // a folder is no file
        {"C:\\Folder", "w+t", EACCES},
        {"C:\\new.txt", "x", EINVAL},
        {"C:\\new.txt", "wq", EINVAL},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(std::string(k.path) + " " + k.mode);
        errno = 0;
        EXPECT_EQ(Crt::fopen(k.path, k.mode), nullptr);
        EXPECT_EQ(errno, k.error);
    }
    EXPECT_FALSE(::access((c + "/new.txt").c_str(), F_OK) == 0);
}

TEST_F(CrtStreams, FullDiskFailsAtFlushAndClose) {
    ASSERT_EQ(::symlink("/dev/full", (c + "/full.txt").c_str()), 0);

    Crt::FILE *f = Crt::fopen("C:\\full.txt", "w+t");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(Crt::fprintf(f, "%s\n", "line"), 5);  // still in the buffer
    EXPECT_EQ(Crt::ferror(f), 0);
    errno = 0;
    EXPECT_EQ(Crt::fflush(f), EOF);
    EXPECT_EQ(errno, ENOSPC);
    EXPECT_EQ(Crt::ferror(f), 1);
    Crt::fclose(f);

    f = Crt::fopen("C:\\full.txt", "w+t");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(Crt::fprintf(f, "%s\n", "line"), 5);
    errno = 0;
    EXPECT_EQ(Crt::fclose(f), EOF);
    EXPECT_EQ(errno, ENOSPC);

    // More than the buffer holds goes out at once, and fprintf itself fails.
    f = Crt::fopen("C:\\full.txt", "w+t");
    ASSERT_NE(f, nullptr);
    std::string big(10000, 'x');
    EXPECT_LT(Crt::fprintf(f, "%s\n", big.c_str()), 0);
    EXPECT_EQ(Crt::ferror(f), 1);
    Crt::fclose(f);
}

TEST_F(CrtStreams, ChangeDirAndMakeDirOnWindowsPaths) {
    support::TempDrives::MakeFolder(c + "/Sub");
    EXPECT_EQ(Crt::chdir("C:\\SUB"), 0);
    char here[4096];
    ASSERT_NE(::getcwd(here, sizeof here), nullptr);
    EXPECT_EQ(std::string(here), c + "/Sub");

    // Relative names start at the current directory.
    EXPECT_EQ(Crt::mkdir("Kavru"), 0);
    struct stat st {};
    EXPECT_EQ(::stat((c + "/Sub/Kavru").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    Crt::FILE *f = Crt::fopen("Kavru\\rel.txt", "w+t");
    ASSERT_NE(f, nullptr);
    Crt::fprintf(f, "x\n");
    EXPECT_EQ(Crt::fclose(f), 0);
    EXPECT_EQ(support::TempDrives::ReadBytes(c + "/Sub/Kavru/rel.txt"), "x\r\n");

    errno = 0;
    EXPECT_EQ(Crt::mkdir("C:\\Sub\\Kavru"), -1);
    EXPECT_EQ(errno, EEXIST);
    errno = 0;
    EXPECT_EQ(Crt::mkdir("C:\\None\\Kavru"), -1);
    EXPECT_EQ(errno, ENOENT);
    errno = 0;
    EXPECT_EQ(Crt::chdir("C:\\None"), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(Crt::chdir("Q:\\"), -1);
    ASSERT_NE(::getcwd(here, sizeof here), nullptr);
    EXPECT_EQ(std::string(here), c + "/Sub");
}

TEST_F(CrtStreams, RenameReplacesAndRemoveTakesFilesOnly) {
    support::TempDrives::MakeFile(c + "/new.tmp", "new");
    support::TempDrives::MakeFile(c + "/old.txt", "old");
    support::TempDrives::MakeFolder(c + "/Folder");

    EXPECT_EQ(Crt::rename("C:\\new.tmp", "C:\\old.txt"), 0);
    EXPECT_EQ(support::TempDrives::ReadBytes(c + "/old.txt"), "new");
    EXPECT_NE(::access((c + "/new.tmp").c_str(), F_OK), 0);
    errno = 0;
    EXPECT_EQ(Crt::rename("C:\\new.tmp", "C:\\old.txt"), -1);
    EXPECT_EQ(errno, ENOENT);
    errno = 0;
    EXPECT_EQ(Crt::rename("C:\\old.txt", "C:\\Folder"), -1);
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(support::TempDrives::ReadBytes(c + "/old.txt"), "new");

    EXPECT_EQ(Crt::remove("C:\\old.txt"), 0);
    EXPECT_NE(::access((c + "/old.txt").c_str(), F_OK), 0);
    EXPECT_EQ(Crt::remove("C:\\old.txt"), -1);
    errno = 0;
    EXPECT_EQ(Crt::remove("C:\\Folder"), -1);
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(::access((c + "/Folder").c_str(), F_OK), 0);
}

TEST_F(CrtStreams, InvalidArgumentsAreRefused) {
    errno = 0;
    EXPECT_EQ(Crt::fclose(nullptr), EOF);
    EXPECT_EQ(errno, EINVAL);
    char buffer[10];
    EXPECT_EQ(Crt::fgets(buffer, 10, nullptr), nullptr);
    EXPECT_LT(Crt::fprintf(nullptr, "x"), 0);
    EXPECT_EQ(Crt::feof(nullptr), 0);
    EXPECT_EQ(Crt::ferror(nullptr), 0);

    // A stream opened for one direction refuses the other.
    support::TempDrives::MakeFile(c + "/in.txt", "x\n");
    Crt::FILE *f = Crt::fopen("C:\\in.txt", "rt");
    ASSERT_NE(f, nullptr);
    EXPECT_LT(Crt::fprintf(f, "y"), 0);
    EXPECT_EQ(Crt::ferror(f), 1);
    Crt::fclose(f);
    EXPECT_EQ(support::TempDrives::ReadBytes(c + "/in.txt"), "x\n");
}

}  // namespace
