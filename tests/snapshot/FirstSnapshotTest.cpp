// The first start: with no snapshot file, a real scan of the drive becomes the data
// folder's snapshot file and backup; with one, nothing is scanned or written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/Testing.hpp"
#include "scan/RunState.h"
#include "snapshot/Snapshot.h"
#include "support/RunStateReset.h"
#include "support/TempDrives.h"

namespace {

using support::TempDrives;

class FirstSnapshot : public ::testing::Test {
protected:
    RunStateReset reset;
    TempDrives drives;
    std::string c = drives.AddDrive('C');
    std::string kavru = c + "/Kavru";

    void SetUp() override {
        TempDrives::MakeFile(c + "/Windows/Win.ini", "[windows]\r\n");
        TempDrives::MakeFile(c + "/Windows/System/Kernel32.dll", "MZ");
        TempDrives::SetMTime(c + "/Windows/Win.ini", "1998-05-20 10:12:00");
        TempDrives::SetMTime(c + "/Windows/System/Kernel32.dll", "1997-05-03 09:02:44");
        TempDrives::SetMTime(c + "/Windows/System", "1998-05-29 12:30:00");
        TempDrives::SetMTime(c + "/Windows", "1998-05-30 08:00:00");
        TempDrives::SetMTime(c, "1998-05-01 07:00:00");
        PlatformTesting::SetClock(
            [] { return PlatformTesting::ClockReading{1998, 6, 1, 21, 4, 37, 500}; });
        DriveText = "C:";
        WinDirName = "Windows";
    }
    void TearDown() override { PlatformTesting::SetClock({}); }
};

const std::string ScanBytes =
    "98/06/01\r\n"
    " 21:04:37\r\n"
    "C:\\Windows\\.<Dir>\r\n"
    " 98/05/30 8:00:00\r\n"
    "C:\\Windows\\..<Dir>\r\n"
    " 98/05/01 7:00:00\r\n"
    "C:\\Windows\\System<Dir>\r\n"
    " 98/05/29 12:30:00\r\n"
    "C:\\Windows\\Win.ini\r\n"
    " 98/05/20 10:12:00\r\n"
    "*\r\n"
    " *\r\n"
    "C:\\Windows\\System\\.<Dir>\r\n"
    " 98/05/29 12:30:00\r\n"
    "C:\\Windows\\System\\..<Dir>\r\n"
    " 98/05/30 8:00:00\r\n"
    "C:\\Windows\\System\\Kernel32.dll\r\n"
    " 97/05/03 9:02:44\r\n"
    "*\r\n"
    " *\r\n";

TEST_F(FirstSnapshot, CreatesTheDataFolderAndBothFilesFromAScan) {
    CreateFirstSnapshot();

    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/czenkai.txt"), ScanBytes);
    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/czenkai.bak"), ScanBytes);
    EXPECT_EQ(PrevDate.Bytes(), "98/06/01");
    EXPECT_EQ(PrevTime.Bytes(), "21:04:37");
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(PrevNames[i], NowNames[i]) << i;
        EXPECT_EQ(PrevStamps[i], NowStamps[i]) << i;
    }
    EXPECT_EQ(PrevCount, 9);
    EXPECT_EQ(PrevStart, 1);
    EXPECT_EQ(ListIndex, 0);
    EXPECT_EQ(SearchRec.FindHandle, nullptr);
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(c));
}

// The data folder is there already, without its snapshot file: it is used as it is.
TEST_F(FirstSnapshot, UsesADataFolderThatExists) {
    TempDrives::MakeFile(kavru + "/czenkai.bak", "old backup\r\n");
    TempDrives::MakeFile(kavru + "/Z980531230000.log", "log\r\n");
    TempDrives::SetMTime(c, "1998-05-01 07:00:00");  // the root's time, as the scan shows it
    CreateFirstSnapshot();
    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/czenkai.txt"), ScanBytes);
    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/czenkai.bak"), ScanBytes);
    EXPECT_EQ(TempDrives::ReadBytes(kavru + "/Z980531230000.log"), "log\r\n");
}

TEST_F(FirstSnapshot, ASnapshotFileThatExistsIsLeftAlone) {
    for (const char *name : {"czenkai.txt", "CZENKAI.TXT"}) {
        SCOPED_TRACE(name);
        ResetRunState();
        DriveText = "C:";
        WinDirName = "Windows";
        std::filesystem::remove_all(kavru);
        std::string file = TempDrives::MakeFile(kavru + "/" + name, "kept\r\n");
        ::chmod(file.c_str(), 0444);  // a read-only file is found as well

        CreateFirstSnapshot();
        EXPECT_EQ(TempDrives::ReadBytes(file), "kept\r\n");
        EXPECT_FALSE(std::filesystem::exists(kavru + "/czenkai.bak"));
        EXPECT_TRUE(NowDate.IsEmpty());  // no scan
        EXPECT_TRUE(NowNames[0].IsEmpty());
        EXPECT_EQ(PrevStart, 0);
        EXPECT_EQ(SearchRec.FindHandle, nullptr);
    }
}

// Where the data folder cannot be made, the first start fails with the file's path.
TEST_F(FirstSnapshot, ADataFolderThatCannotBeMadeRaisesTheCreateError) {
    TempDrives::MakeFile(kavru, "a file where the folder belongs");
    try {
        CreateFirstSnapshot();
        ADD_FAILURE() << "created";
    } catch (const EFCreateError &e) {
        EXPECT_EQ(e.Message.Bytes(),
                  "\xCC\xA7\xB2\xD9 C:\\Kavru\\czenkai.txt "
                  "\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1");
    }
    EXPECT_EQ(TempDrives::ReadBytes(kavru), "a file where the folder belongs");
    EXPECT_EQ(SearchRec.FindHandle, nullptr);
    EXPECT_EQ(SnapFile, nullptr);
}

}  // namespace
