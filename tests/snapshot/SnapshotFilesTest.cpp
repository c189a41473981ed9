// The snapshot file and its backup: the written bytes, the loading of the previous
// lists, and files, folders and disks that fail without losing a snapshot.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "scan/RunState.h"
#include "snapshot/Snapshot.h"
#include "support/RunStateReset.h"
#include "support/TempDrives.h"

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;
using support::TempDrives;
using namespace std::string_literals;

// The example snapshot: a directory and a file in the Windows folder, one file in System.
const Pairs ExampleScan = {
    {"C:\\Windows\\Sample<Dir>", "98/05/20 10:12:00"},
    {"C:\\Windows\\Sample1.dll", "97/11/03 9:00:00"},
    {"*", "*"},
    {"C:\\Windows\\System\\Sample2.dll", "98/05/31 23:59:58"},
    {"*", "*"},
};
const std::string ExampleBytes =
    "98/06/01\r\n"
    " 21:04:37\r\n"
    "C:\\Windows\\Sample<Dir>\r\n"
    " 98/05/20 10:12:00\r\n"
    "C:\\Windows\\Sample1.dll\r\n"
    " 97/11/03 9:00:00\r\n"
    "*\r\n"
    " *\r\n"
    "C:\\Windows\\System\\Sample2.dll\r\n"
    " 98/05/31 23:59:58\r\n"
    "*\r\n"
    " *\r\n";

// An older snapshot whose Windows section has no entries.
const Pairs OlderScan = {
    {"*", "*"},
    {"C:\\Windows\\System\\Kernel32.dll", "97/05/03 9:02:44"},
    {"*", "*"},
};
const std::string OlderBytes =
    "97/05/03\r\n"
    " 9:02:44\r\n"
    "*\r\n"
    " *\r\n"
    "C:\\Windows\\System\\Kernel32.dll\r\n"
    " 97/05/03 9:02:44\r\n"
    "*\r\n"
    " *\r\n";

const std::string BadFormMessage =
    "\xCC\xA7\xB2\xD9 C:\\Kavru\\czenkai.txt \x82\xCD\xBD\xC5\xAF\xCC\xDF\xBC\xAE\xAF\xC4\x82\xCC"
    "\x8C\x60\x8E\xAE\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1";
const std::string OpenErrorMessage =
    "\xCC\xA7\xB2\xD9 C:\\Kavru\\czenkai.txt \x82\xF0\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1";
const std::string CreateTxtMessage =
    "\xCC\xA7\xB2\xD9 C:\\Kavru\\czenkai.txt "
    "\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";
const std::string WriteErrorMessage =
    "\xBD\xC4\xD8\xB0\xD1\x82\xD6\x82\xCC\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\xB4\xD7\xB0";

void Fill(DynamicArray<AnsiString> &names, DynamicArray<AnsiString> &stamps, const Pairs &pairs,
          int from = 0) {
    for (const auto &[name, stamp] : pairs) {
        names[from] = AnsiString::FromBytes(name);
        stamps[from] = AnsiString::FromBytes(stamp);
        ++from;
    }
}

Pairs Slots(const DynamicArray<AnsiString> &names, const DynamicArray<AnsiString> &stamps, int from,
            int count) {
    Pairs out;
    for (int i = from; i < from + count; ++i) out.emplace_back(names[i].Bytes(), stamps[i].Bytes());
    return out;
}

class SnapshotFiles : public ::testing::Test {
protected:
    RunStateReset reset;
    TempDrives drives;
    std::string c = drives.AddDrive('C');
    std::string kavru = TempDrives::MakeFolder(c + "/Kavru");
    std::string txt = kavru + "/czenkai.txt";
    std::string bak = kavru + "/czenkai.bak";

    void SetUp() override { DriveText = "C:"; }

    void SetNow(const char *date, const char *time, const Pairs &pairs) {
        NowDate = date;
        NowTime = time;
        Fill(NowNames, NowStamps, pairs);
    }
    // The previous lists as a load leaves them.
    void SetPrev(const char *date, const char *time, const Pairs &pairs) {
        PrevDate = date;
        PrevTime = time;
        Fill(PrevNames, PrevStamps, pairs);
        PrevCount = static_cast<int>(pairs.size());
    }
    Pairs Prev(int count) const { return Slots(PrevNames, PrevStamps, 0, count); }

    std::vector<std::string> DataFolder() const {
        std::vector<std::string> names;
        for (const auto &e : std::filesystem::directory_iterator(kavru))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(SnapshotFiles, WriteStoresTheScanAndThePreviousSnapshotInTheirForm) {
    TempDrives::WriteBytes(txt, "old snapshot\r\n");
    TempDrives::WriteBytes(bak, "old backup\r\n");
    SetNow("98/06/01", "21:04:37", ExampleScan);
    SetPrev("97/05/03", "9:02:44", OlderScan);
    // Slots past the System end mark are never written.
    Fill(NowNames, NowStamps, {{"C:\\Windows\\Stale.dll", "90/01/01 1:00:00"}}, 5);
    Fill(PrevNames, PrevStamps, {{"C:\\Windows\\Stale.dll", "90/01/01 1:00:00"}}, 3);

    WriteSnapshots();

    EXPECT_EQ(TempDrives::ReadBytes(txt), ExampleBytes);
    EXPECT_EQ(TempDrives::ReadBytes(txt).substr(ExampleBytes.size() - 7),
              "\x2A\x0D\x0A\x20\x2A\x0D\x0A");
    EXPECT_EQ(TempDrives::ReadBytes(bak), OlderBytes);
    EXPECT_EQ(DataFolder(), (std::vector<std::string>{"czenkai.bak", "czenkai.txt"}));
    EXPECT_EQ(ListIndex, 0);
    EXPECT_EQ(SnapFile, nullptr);
    EXPECT_EQ(Prev(3), OlderScan);  // writing changes no list
}

TEST_F(SnapshotFiles, ReadLoadsEveryPairAtItsIndex) {
    struct Case {
        const char *what;
        std::string bytes;
        const char *date;
        const char *time;
        Pairs pairs;
    } cases[] = {
        {"CR LF", ExampleBytes, "98/06/01", "21:04:37", ExampleScan},
        {"LF alone",
         "98/06/01\n 21:04:37\nC:\\Windows\\Sample<Dir>\n 98/05/20 "
         "10:12:00\nC:\\Windows\\Sample1.dll\n"
         " 97/11/03 9:00:00\n*\n *\nC:\\Windows\\System\\Sample2.dll\n 98/05/31 23:59:58\n*\n *\n",
         "98/06/01", "21:04:37", ExampleScan},
        {"empty Windows section", OlderBytes, "97/05/03", "9:02:44", OlderScan},
        {"both sections empty",
         "98/06/01\r\n 0:00:00\r\n*\r\n *\r\n*\r\n *\r\n",
         "98/06/01",
         "0:00:00",
         {{"*", "*"}, {"*", "*"}}},
        {"last line without its line end", OlderBytes.substr(0, OlderBytes.size() - 2), "97/05/03",
         "9:02:44", OlderScan},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        ResetRunState();
        DriveText = "C:";
        Fill(PrevNames, PrevStamps, {{"C:\\Windows\\Tail.dll", "90/01/01 1:00:00"}}, 6);
        TempDrives::WriteBytes(txt, k.bytes);

        ReadSnapshot();

        EXPECT_EQ(PrevDate.Bytes(), k.date);
        EXPECT_EQ(PrevTime.Bytes(), k.time);
        int count = static_cast<int>(k.pairs.size());
        EXPECT_EQ(Prev(count), k.pairs);
        EXPECT_EQ(PrevCount, count);
        EXPECT_EQ(ListIndex, 0);
        EXPECT_EQ(SnapFile, nullptr);
        // Slots past the pairs loaded keep what they held.
        EXPECT_EQ(Slots(PrevNames, PrevStamps, 6, 1),
                  (Pairs{{"C:\\Windows\\Tail.dll", "90/01/01 1:00:00"}}));
        EXPECT_EQ(TempDrives::ReadBytes(txt), k.bytes);  // read, never written
    }
}

TEST_F(SnapshotFiles, RoundTripKeepsEveryTextByteForByte) {
    const Pairs scan = {
        {"C:\\Windows\\.<Dir>", "98/06/01 8:00:00"},
        {"C:\\Windows\\..<Dir>", "98/06/01 8:00:00"},
        {"C:\\Windows\\\x95\x5C\x8E\xA6.dll", "97/01/01"},  // 表示.dll, stamped at midnight
        {"C:\\Windows\\two  words.txt", "98/12/31 23:59:58"},
        {"*", "*"},
        {"*", "*"},
    };
    SetNow("98/06/01", "8:15:02", scan);
    SetPrev("98/06/01", "8:15:02", scan);
    WriteSnapshots();
    EXPECT_EQ(TempDrives::ReadBytes(txt),
              "98/06/01\r\n 8:15:02\r\n"
              "C:\\Windows\\.<Dir>\r\n 98/06/01 8:00:00\r\n"
              "C:\\Windows\\..<Dir>\r\n 98/06/01 8:00:00\r\n"
              "C:\\Windows\\\x95\x5C\x8E\xA6.dll\r\n 97/01/01\r\n"
              "C:\\Windows\\two  words.txt\r\n 98/12/31 23:59:58\r\n"
              "*\r\n *\r\n*\r\n *\r\n");
    EXPECT_EQ(TempDrives::ReadBytes(bak), TempDrives::ReadBytes(txt));

    ResetRunState();
    DriveText = "C:";
    ReadSnapshot();
    EXPECT_EQ(PrevDate.Bytes(), "98/06/01");
    EXPECT_EQ(PrevTime.Bytes(), "8:15:02");
    EXPECT_EQ(Prev(6), scan);
}

// An update after a Start: the backup is the file that Start loaded, and the next Start
// loads the whole new file, shorter or longer than the last.
TEST_F(SnapshotFiles, UpdateAfterStartMakesTheLoadedFileTheBackup) {
    TempDrives::WriteBytes(txt, OlderBytes);
    TempDrives::WriteBytes(bak, "older still\r\n");
    SetNow("98/06/01", "21:04:37", ExampleScan);
    ReadSnapshot();
    WriteSnapshots();
    EXPECT_EQ(TempDrives::ReadBytes(txt), ExampleBytes);
    EXPECT_EQ(TempDrives::ReadBytes(bak), OlderBytes);

    ReadSnapshot();
    EXPECT_EQ(PrevDate.Bytes(), "98/06/01");
    EXPECT_EQ(Prev(5), ExampleScan);
    EXPECT_EQ(PrevCount, 5);

    SetNow("98/06/02", "7:00:00", OlderScan);
    WriteSnapshots();
    EXPECT_EQ(TempDrives::ReadBytes(bak), ExampleBytes);
    ReadSnapshot();
    EXPECT_EQ(Prev(3), OlderScan);
    EXPECT_EQ(PrevCount, 3);
    // What the longer file left behind stays, past the pairs loaded.
    EXPECT_EQ(Slots(PrevNames, PrevStamps, 3, 2), (Pairs{ExampleScan[3], ExampleScan[4]}));
}

// Lines of any length are loaded whole, each name with its own stamp, and written back
// unshortened.
TEST_F(SnapshotFiles, LongLinesStayWholeAndPaired) {
    for (std::size_t length : {98u, 99u, 100u, 300u}) {
        SCOPED_TRACE(length);
        ResetRunState();
        DriveText = "C:";
        std::string name = "C:\\Windows\\" + std::string(length - 15, 'n') + ".dll";
        ASSERT_EQ(name.size(), length);
        std::string bytes =
            "98/06/01\r\n 21:04:37\r\n" + name + "\r\n 98/05/20 10:12:00\r\n*\r\n *\r\n*\r\n *\r\n";
        TempDrives::WriteBytes(txt, bytes);
        SetNow("98/06/01", "21:04:37", ExampleScan);

        ReadSnapshot();
        EXPECT_EQ(Prev(3), (Pairs{{name, "98/05/20 10:12:00"}, {"*", "*"}, {"*", "*"}}));
        EXPECT_EQ(PrevCount, 3);

        WriteSnapshots();
        EXPECT_EQ(TempDrives::ReadBytes(bak), bytes);
    }
}

TEST_F(SnapshotFiles, ReadTrimsBlanksAndControlBytesAtBothEnds) {
    TempDrives::WriteBytes(txt,
                           "  98/06/01\t\r\n"
                           "   21:04:37  \r\n"
                           "  C:\\Windows\\two  words.dll \x01\r\n"
                           "\t 98/05/20 10:12:00 \x00\r\n"
                           " * \r\n"
                           " *\r\n"
                           "*\r\n"
                           " *\r\n"s);
    ReadSnapshot();
    EXPECT_EQ(PrevDate.Bytes(), "98/06/01");
    EXPECT_EQ(PrevTime.Bytes(), "21:04:37");
    EXPECT_EQ(
        Prev(3),
        (Pairs{{"C:\\Windows\\two  words.dll", "98/05/20 10:12:00"}, {"*", "*"}, {"*", "*"}}));
}

// A file not in the written form is refused, naming the file, and the previous
// snapshot stays as it was.
TEST_F(SnapshotFiles, DamagedFilesAreRefusedAndChangeNothing) {
    const std::string head = "98/06/01\r\n 21:04:37\r\n";
    struct Case {
        const char *what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"date alone", "98/06/01\r\n"},
        {"date and time alone", head},
        {"Windows section alone", head + "C:\\Windows\\a.dll\r\n 98/05/20 10:12:00\r\n*\r\n *\r\n"},
        {"no end marks", head + "C:\\Windows\\a.dll\r\n 98/05/20 10:12:00\r\n"},
        {"name without its stamp", ExampleBytes.substr(0, ExampleBytes.size() - 4)},
        {"entry after the System end mark", ExampleBytes + "C:\\Windows\\b.dll\r\n 1\r\n"},
        {"blank line after the System end mark", ExampleBytes + "\r\n"},
        {"NUL inside a name", head + "C:\\Win\0dows\\a.dll\r\n 1\r\n*\r\n *\r\n*\r\n *\r\n"s},
        {"a line longer than any path",
         head + std::string(70000, 'a') + "\r\n 1\r\n*\r\n *\r\n*\r\n *\r\n"},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        ResetRunState();
        DriveText = "C:";
        SetPrev("97/05/03", "9:02:44", OlderScan);
        Fill(PrevNames, PrevStamps, {{"C:\\Windows\\Tail.dll", "90/01/01 1:00:00"}}, 3);
        TempDrives::WriteBytes(txt, k.bytes);

        try {
            ReadSnapshot();
            ADD_FAILURE() << "loaded";
        } catch (const EReadError &e) {
            EXPECT_EQ(e.Message.Bytes(), BadFormMessage);
        }
        EXPECT_EQ(PrevDate.Bytes(), "97/05/03");
        EXPECT_EQ(PrevTime.Bytes(), "9:02:44");
        EXPECT_EQ(Prev(4), (Pairs{OlderScan[0],
                                  OlderScan[1],
                                  OlderScan[2],
                                  {"C:\\Windows\\Tail.dll", "90/01/01 1:00:00"}}));
        EXPECT_EQ(PrevCount, 3);
        EXPECT_EQ(ListIndex, 0);
        EXPECT_EQ(SnapFile, nullptr);
    }
}

// A snapshot file that never ends a line (here an endless device) is refused once the
// line is longer than any the written form holds, instead of being read until memory
// runs out.
TEST_F(SnapshotFiles, AnEndlessLineIsRefused) {
    DriveText = "C:";
    std::filesystem::create_symlink("/dev/zero", txt);
    try {
        ReadSnapshot();
        ADD_FAILURE() << "loaded";
    } catch (const EReadError &e) {
        EXPECT_EQ(e.Message.Bytes(), BadFormMessage);
    }
    EXPECT_EQ(SnapFile, nullptr);
    EXPECT_EQ(PrevCount, 0);
}

TEST_F(SnapshotFiles, SnapshotFileThatCannotBeOpenedRaisesTheOpenError) {
    struct Case {
        const char *what;
        void (*arrange)(const std::string &kavru);
    } cases[] = {
        {"no snapshot file", [](const std::string &) {}},
        {"a folder in its place",
         [](const std::string &k) { TempDrives::MakeFolder(k + "/czenkai.txt"); }},
        {"no data folder", [](const std::string &k) { std::filesystem::remove_all(k); }},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        ResetRunState();
        DriveText = "C:";
        std::filesystem::remove_all(kavru);
        TempDrives::MakeFolder(kavru);
        k.arrange(kavru);
        SetPrev("97/05/03", "9:02:44", OlderScan);

        try {
            ReadSnapshot();
            ADD_FAILURE() << "loaded";
        } catch (const EFOpenError &e) {
            EXPECT_EQ(e.Message.Bytes(), OpenErrorMessage);
        }
        EXPECT_EQ(PrevDate.Bytes(), "97/05/03");
        EXPECT_EQ(Prev(3), OlderScan);
        EXPECT_EQ(SnapFile, nullptr);
    }
}

// Switches to an unprivileged user while it lives, where the tests run as root, so
// that a folder's missing write permission stops the writes.
class Unprivileged {
public:
    explicit Unprivileged(const std::string &tree) {
        if (::geteuid() != 0) return;
        // The drives must stay reachable for that user.
        for (const auto &e : std::filesystem::recursive_directory_iterator(tree))
            if (e.is_directory() && !e.is_symlink()) ::chmod(e.path().c_str(), 0755);
        ::chmod(tree.c_str(), 0755);
        switched_ = ::seteuid(65534) == 0;
    }
    ~Unprivileged() {
        if (switched_) (void)::seteuid(0);
    }
    Unprivileged(const Unprivileged &) = delete;
    Unprivileged &operator=(const Unprivileged &) = delete;

private:
    bool switched_ = false;
};

// A file that cannot be written or put in place leaves both old files byte for byte as
// they were and leaves nothing else behind.
TEST_F(SnapshotFiles, FailedWritesLeaveTheOldFiles) {
    struct Case {
        const char *what;
        const char *linkedToFullDisk;  // beside which file the disk is full
        bool readOnly;
        bool noDataFolder;
        bool createError;
    } cases[] = {
        {"full disk under the snapshot file", "czenkai.txt.tmp", false, false, false},
        {"full disk under the backup file", "czenkai.bak.tmp", false, false, false},
        {"read-only data folder", nullptr, true, false, true},
        {"no data folder", nullptr, false, true, true},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        std::filesystem::remove_all(kavru);
        TempDrives::MakeFolder(kavru);
        TempDrives::WriteBytes(txt, OlderBytes);
        TempDrives::WriteBytes(bak, "older still\r\n");
        if (k.linkedToFullDisk != nullptr) {
            ASSERT_EQ(::symlink("/dev/full", (kavru + "/" + k.linkedToFullDisk).c_str()), 0);
        }
        if (k.noDataFolder) std::filesystem::remove_all(kavru);
        SetNow("98/06/01", "21:04:37", ExampleScan);
        SetPrev("97/05/03", "9:02:44", OlderScan);

        try {
            if (k.readOnly) {
                ::chmod(kavru.c_str(), 0555);
                Unprivileged user(drives.Temp());
                WriteSnapshots();
            } else {
                WriteSnapshots();
            }
            ADD_FAILURE() << "written";
        } catch (const EFCreateError &e) {
            EXPECT_TRUE(k.createError);
            EXPECT_EQ(e.Message.Bytes(), CreateTxtMessage);
        } catch (const EWriteError &e) {
            EXPECT_FALSE(k.createError);
            EXPECT_EQ(e.Message.Bytes(), WriteErrorMessage);
        }
        ::chmod(kavru.c_str(), 0755);
        EXPECT_EQ(SnapFile, nullptr);
        if (k.noDataFolder) {
            EXPECT_FALSE(std::filesystem::exists(kavru));
            continue;
        }
        EXPECT_EQ(TempDrives::ReadBytes(txt), OlderBytes);
        EXPECT_EQ(TempDrives::ReadBytes(bak), "older still\r\n");
        EXPECT_EQ(DataFolder(), (std::vector<std::string>{"czenkai.bak", "czenkai.txt"}));
    }
}

// Where no load or copy has put a whole previous snapshot in the lists, there is none
// to back up: the snapshot file is replaced and the old backup stays.
TEST_F(SnapshotFiles, BackupIsWrittenOnlyFromASnapshotInThePreviousLists) {
    for (int loaded : {0, 2}) {
        SCOPED_TRACE(loaded);
        TempDrives::WriteBytes(txt, "old snapshot\r\n");
        TempDrives::WriteBytes(bak, OlderBytes);
        SetNow("98/06/01", "21:04:37", ExampleScan);
        // End marks beyond the slots loaded do not count.
        Fill(PrevNames, PrevStamps, OlderScan);
        PrevCount = loaded;

        WriteSnapshots();
        EXPECT_EQ(TempDrives::ReadBytes(txt), ExampleBytes);
        EXPECT_EQ(TempDrives::ReadBytes(bak), OlderBytes);
        EXPECT_EQ(DataFolder(), (std::vector<std::string>{"czenkai.bak", "czenkai.txt"}));
    }
}

TEST_F(SnapshotFiles, CopyNowToPrevTakesBothSectionsWithTheirEndMarks) {
    SetNow("98/06/01", "21:04:37", ExampleScan);
    Fill(NowNames, NowStamps, {{"C:\\Windows\\NowTail.dll", "1"}}, 5);
    Fill(PrevNames, PrevStamps,
         {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}, {"f", "6"}});

    CopyNowToPrev();
    EXPECT_EQ(PrevDate.Bytes(), "98/06/01");
    EXPECT_EQ(PrevTime.Bytes(), "21:04:37");
    EXPECT_EQ(Prev(5), ExampleScan);
    EXPECT_EQ(Slots(PrevNames, PrevStamps, 5, 1), (Pairs{{"f", "6"}}));
    EXPECT_EQ(PrevCount, 5);
    EXPECT_EQ(ListIndex, 5);

    SetNow("98/06/02", "1:00:00", {{"*", "*"}, {"*", "*"}});
    CopyNowToPrev();
    EXPECT_EQ(Prev(3), (Pairs{{"*", "*"}, {"*", "*"}, ExampleScan[2]}));
    EXPECT_EQ(PrevCount, 2);
    EXPECT_EQ(ListIndex, 2);
}

}  // namespace
