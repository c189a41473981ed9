// Each file operation of the program failing in turn, through the program entry and its
// commands on a headless window: the data folder missing or read-only at start-up, at
// Update file and at Compare; a full disk under each file written; a folder where the
// backup belongs at Update file; the snapshot file removed, unreadable or a folder
// between start-up and Start. Each ends with the platform's message box (or, where
// nothing needs writing, none), and leaves every entry of the data folder as it was.
//
// Tests run as root, whom permissions do not stop. What fails here fails for root too:
// a regular file where the data folder belongs, a data folder moved away, the file
// system's immutable flag on the data folder (the cases skip where the file system
// keeps no such flag), links to /dev/full where the bytes of a file go (for the
// snapshot files, the file written beside each and moved over it), a dangling link, a
// link to a file whose reading fails (/proc/self/mem at offset 0), and a folder where
// a snapshot file belongs.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "platform/Windows.hpp"
#include "scan/RunState.h"
#include "support/HeadlessApp.h"
#include "support/RunStateReset.h"
#include "support/TempDrives.h"

namespace {

namespace fs = std::filesystem;
using support::TempDrives;

// The snapshot file and the backup that the program finds, different from each other
// and from anything a scan writes.
const std::string Snapshot =
    "97/05/01\r\n 18:20:07\r\n"
    "C:\\Windows\\ALPHA.INI\r\n 97/04/28 10:00:00\r\n"
    "*\r\n *\r\n"
    "C:\\Windows\\System\\Kernel32.dll\r\n 96/08/24 11:11:00\r\n"
    "*\r\n *\r\n";
const std::string Backup = "97/04/30\r\n 8:00:00\r\n*\r\n *\r\n*\r\n *\r\n";

// The messages, each with the "." of the exception box: "ﾌｧｲﾙ %s を作成できません",
// "ﾌｧｲﾙ %s を開けません", "ｽﾄﾘｰﾑへの書き込みｴﾗｰ" and "ｽﾄﾘｰﾑの読み込みｴﾗｰ".
const std::string CannotCreateSnapshot =
    "\xCC\xA7\xB2\xD9 C:\\Kavru\\czenkai.txt "
    "\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1.";
const std::string CannotCreateBackup =
    "\xCC\xA7\xB2\xD9 C:\\Kavru\\czenkai.bak "
    "\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1.";
const std::string CannotCreateLog =
    "\xCC\xA7\xB2\xD9 C:\\Kavru\\Z97050390503.log "
    "\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1.";
const std::string CannotOpenSnapshot =
    "\xCC\xA7\xB2\xD9 C:\\Kavru\\czenkai.txt \x82\xF0\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1.";
const std::string WriteError =
    "\xBD\xC4\xD8\xB0\xD1\x82\xD6\x82\xCC\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\xB4\xD7\xB0.";
const std::string ReadError =
    "\xBD\xC4\xD8\xB0\xD1\x82\xCC\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\xB4\xD7\xB0.";

// The report's closing line: 57 spaces, then "以上".
const std::string ClosingLine = std::string(57, ' ') + "\x88\xC8\x8F\xE3";

// The command before which the fault is made; the ones before it run as usual.
enum class When { StartUp, Start, UpdateFile, Compare };

class FaultTableTest;
using Fault = void (*)(FaultTableTest &);

struct FaultCase {
    const char *name;
    bool snapshotFiles;  // the data folder holds both snapshot files at start-up
    When when;
    Fault fault;
    bool readOnly;        // the fault sets the immutable flag
    const char *message;  // the box shown, or none
    // An entry of the fault that the failing command takes away: the file it writes
    // beside a snapshot file, removed when that write fails.
    const char *removed;
};

// A case prints as its name (in test listings and failures), not as its bytes.
void PrintTo(const FaultCase &k, std::ostream *os) { *os << k.name; }

class FaultTableTest : public ::testing::TestWithParam<FaultCase> {
public:
    std::string c;
    std::string kavru;

    void DataFolderAFile() {
        fs::remove_all(kavru);
        TempDrives::MakeFile(kavru, "a file where the data folder belongs\r\n");
    }
    void DataFolderMovedAway() { fs::rename(kavru, kavru + ".away"); }
    void DataFolderReadOnly() {
        TempDrives::MakeFolder(kavru);
        ASSERT_TRUE(SetImmutable(kavru, true));
        immutable_.push_back(kavru);
    }
    // A disk that takes no byte under the data folder's entry `name`.
    void FullDisk(const char *name) {
        TempDrives::MakeFolder(kavru);
        fs::create_symlink("/dev/full", kavru + "/" + name);
    }
    void SnapshotReplacedBy(const std::string &linkTarget) {
        fs::remove(kavru + "/czenkai.txt");
        if (!linkTarget.empty()) fs::create_symlink(linkTarget, kavru + "/czenkai.txt");
    }
    void AFolderFor(const char *name) {
        fs::remove(kavru + "/" + name);
        TempDrives::MakeFolder(kavru + "/" + name);
    }

protected:
    RunStateReset reset;
    TempDrives drives;
    support::HeadlessApp app;
    support::FixedClock clock{"1997-05-03 09:05:03"};

    void SetUp() override {
        c = drives.AddDrive('C');
        kavru = c + "/Kavru";
        TempDrives::MakeFile(c + "/Windows/ALPHA.INI", "[alpha]\r\n");
        TempDrives::MakeFile(c + "/Windows/System/Kernel32.dll", "MZ");
        TempDrives::SetMTime(c + "/Windows/ALPHA.INI", "1997-05-03 09:02:44");
        TempDrives::SetMTime(c + "/Windows/System/Kernel32.dll", "1997-05-03 09:01:05");
    }
    void TearDown() override {
        // Before the drive goes: an immutable folder cannot be removed.
        for (const std::string &path : immutable_) SetImmutable(path, false);
        Form1 = nullptr;
    }

    // The immutable flag stops root as well from making, removing or renaming entries
    // of a folder. False where the file system keeps no such flag.
    static bool SetImmutable(const std::string &folder, bool on) {
        int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }
    bool ReadOnlyFolders() {
        std::string probe = TempDrives::MakeFolder(drives.Temp() + "/probe");
        bool kept = SetImmutable(probe, true);
        if (kept) SetImmutable(probe, false);
        return kept;
    }

    // Every entry of the drive's root whose name begins with "Kavru", and everything in
    // it: a file by its bytes, a link by its target, a folder as such.
    std::map<std::string, std::string> DataEntries() const {
        std::map<std::string, std::string> entries;
        for (const fs::directory_entry &top : fs::directory_iterator(c)) {
            if (top.path().filename().string().rfind("Kavru", 0) != 0) continue;
            std::vector<fs::path> paths{top.path()};
            if (top.is_directory() && !top.is_symlink())
                for (const auto &inner : fs::recursive_directory_iterator(top.path()))
                    paths.push_back(inner.path());
            for (const fs::path &p : paths) {
                std::string key = p.lexically_relative(c).string();
                if (fs::is_symlink(p))
                    entries[key] = "link to " + fs::read_symlink(p).string();
                else if (fs::is_directory(p))
                    entries[key] = "folder";
                else
                    entries[key] = TempDrives::ReadBytes(p.string());
            }
        }
        return entries;
    }

    std::vector<std::string> immutable_;
};

const FaultCase Cases[] = {
    // Start-up: the first snapshot cannot be made, and the window never shows.
    {"StartUpDataFolderAFile", false, When::StartUp, [](FaultTableTest &t) { t.DataFolderAFile(); },
     false, CannotCreateSnapshot.c_str(), nullptr},
    {"StartUpDataFolderReadOnly", false, When::StartUp,
     [](FaultTableTest &t) { t.DataFolderReadOnly(); }, true, CannotCreateSnapshot.c_str(),
     nullptr},
    {"StartUpFullDiskForTheSnapshotFile", false, When::StartUp,
     [](FaultTableTest &t) { t.FullDisk("czenkai.txt.tmp"); }, false, WriteError.c_str(),
     "Kavru/czenkai.txt.tmp"},
    {"StartUpFullDiskForTheBackupFile", false, When::StartUp,
     [](FaultTableTest &t) { t.FullDisk("czenkai.bak.tmp"); }, false, WriteError.c_str(),
     "Kavru/czenkai.bak.tmp"},
    // With a snapshot file start-up writes nothing, so a read-only data folder is fine.
    {"StartUpDataFolderReadOnlyWithSnapshot", true, When::StartUp,
     [](FaultTableTest &t) { t.DataFolderReadOnly(); }, true, nullptr, nullptr},

    // Update file: neither snapshot file is replaced by anything short.
    {"UpdateFileDataFolderMissing", true, When::UpdateFile,
     [](FaultTableTest &t) { t.DataFolderMovedAway(); }, false, CannotCreateSnapshot.c_str(),
     nullptr},
    {"UpdateFileDataFolderReadOnly", true, When::UpdateFile,
     [](FaultTableTest &t) { t.DataFolderReadOnly(); }, true, CannotCreateSnapshot.c_str(),
     nullptr},
    {"UpdateFileFullDiskForTheSnapshotFile", true, When::UpdateFile,
     [](FaultTableTest &t) { t.FullDisk("czenkai.txt.tmp"); }, false, WriteError.c_str(),
     "Kavru/czenkai.txt.tmp"},
    {"UpdateFileFullDiskForTheBackupFile", true, When::UpdateFile,
     [](FaultTableTest &t) { t.FullDisk("czenkai.bak.tmp"); }, false, WriteError.c_str(),
     "Kavru/czenkai.bak.tmp"},
    // The backup is moved over the old one first: when that fails, nothing is moved.
    {"UpdateFileBackupAFolder", true, When::UpdateFile,
     [](FaultTableTest &t) { t.AFolderFor("czenkai.bak"); }, false, CannotCreateBackup.c_str(),
     nullptr},

    // Compare: the log file cannot be saved.
    {"CompareDataFolderMissing", true, When::Compare,
     [](FaultTableTest &t) { t.DataFolderMovedAway(); }, false, CannotCreateLog.c_str(), nullptr},
    {"CompareDataFolderReadOnly", true, When::Compare,
     [](FaultTableTest &t) { t.DataFolderReadOnly(); }, true, CannotCreateLog.c_str(), nullptr},
    {"CompareFullDiskForTheLogFile", true, When::Compare,
     [](FaultTableTest &t) { t.FullDisk("Z97050390503.log"); }, false, WriteError.c_str(), nullptr},

    // Start: the snapshot file changed after start-up.
    {"StartSnapshotFileRemoved", true, When::Start,
     [](FaultTableTest &t) { t.SnapshotReplacedBy(""); }, false, CannotOpenSnapshot.c_str(),
     nullptr},
    {"StartSnapshotFileADanglingLink", true, When::Start,
     [](FaultTableTest &t) { t.SnapshotReplacedBy(t.kavru + "/gone.txt"); }, false,
     CannotOpenSnapshot.c_str(), nullptr},
    {"StartSnapshotFileUnreadable", true, When::Start,
     [](FaultTableTest &t) { t.SnapshotReplacedBy("/proc/self/mem"); }, false, ReadError.c_str(),
     nullptr},
    {"StartSnapshotFileAFolder", true, When::Start,
     [](FaultTableTest &t) { t.AFolderFor("czenkai.txt"); }, false, CannotOpenSnapshot.c_str(),
     nullptr},
};

TEST_P(FaultTableTest, TheFailureIsShownAndTheDataFolderStaysAsItWas) {
    const FaultCase &row = GetParam();
    if (row.readOnly && !ReadOnlyFolders())
        GTEST_SKIP() << "the file system keeps no immutable flag here";
    if (row.snapshotFiles) {
        TempDrives::MakeFile(kavru + "/czenkai.txt", Snapshot);
        TempDrives::MakeFile(kavru + "/czenkai.bak", Backup);
    }

    std::map<std::string, std::string> before;
    auto breakNow = [&] {
        row.fault(*this);
        before = DataEntries();
    };
    if (row.when == When::StartUp) breakNow();
    bool ran = false;
    app.Widgets().OnRun = [&] {
        ran = true;
        if (row.when == When::Start) breakNow();
        Form1->K1->Click();
        if (row.when == When::Start) {
            // Nothing of Start's is shown: no start line, no Compare button.
            EXPECT_EQ(Form1->Memo1->Lines->Count(), 0);
            EXPECT_FALSE(Form1->Button2->Visible);
        }
        if (row.when == When::UpdateFile) {
            breakNow();
            Form1->Button1->Click();
            EXPECT_EQ(Form1->Memo1->Lines->Count(), 2);  // the start lines alone
        }
        if (row.when == When::Compare) {
            breakNow();
            Form1->Button2->Click();
            // The report is there and the buttons are shown; the hour-glass stays.
            int lines = Form1->Memo1->Lines->Count();
            ASSERT_GT(lines, 20);
            EXPECT_EQ(Form1->Memo1->Lines->Get(lines - 1).Bytes(), ClosingLine);
            EXPECT_TRUE(Form1->Button1->Visible);
            EXPECT_TRUE(Form1->Button3->Visible);
            EXPECT_EQ(Form1->Button2->Cursor, crHourGlass);
        }
        Form1->Close1->Click();
    };
    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);

    // A failing start-up ends the program before its window shows; else it goes on.
    EXPECT_EQ(ran, row.when != When::StartUp || row.message == nullptr);
    const auto &boxes = app.Widgets().MessageBoxes;
    if (row.message == nullptr) {
        EXPECT_TRUE(boxes.empty());
    } else {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Text.Bytes(), row.message);
        EXPECT_EQ(boxes[0].Caption.Bytes(), "quindral");
        EXPECT_EQ(boxes[0].Flags, MB_ICONSTOP | MB_OK);
    }

    if (row.removed != nullptr) {
        EXPECT_EQ(before.erase(row.removed), 1u);
    }
    EXPECT_EQ(DataEntries(), before);
}

INSTANTIATE_TEST_SUITE_P(EachFileOperation, FaultTableTest, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<FaultCase> &param) {
                             return std::string(param.param.name);
                         });

}  // namespace
