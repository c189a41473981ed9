// Any bytes as the snapshot file: Start loads them (or refuses them), Compare reports
// against a small scan, and Update file writes the loaded snapshot as the backup. None
// of it may crash, read a slot past the pairs loaded, or end with an error other than
// the refusal of the load; a loaded snapshot, written as the backup and loaded from it
// again, must come back unchanged.
//
//   quindral_fuzz [libFuzzer options] [corpus folders]
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "compare/Compare.h"
#include "platform/Forms.hpp"
#include "scan/RunState.h"
#include "scan/Scan.h"
#include "snapshot/Snapshot.h"

namespace fs = std::filesystem;

namespace {

std::string Kavru;  // the host path of the data folder C:\Kavru

[[noreturn]] void Fault(const char *what, const std::string &detail = "") {
    std::fprintf(stderr, "quindral_fuzz: %s %s\n", what, detail.c_str());
    std::abort();
}

void WriteHostFile(const std::string &path, const uint8_t *data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    if (!out) Fault("cannot write", path);
}

void MakeFile(const std::string &path, const char *mtime) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << "MZ";
    std::tm tm{};
    std::sscanf(mtime, "%d-%d-%d %d:%d:%d", &tm.tm_year, &tm.tm_mon, &tm.tm_mday, &tm.tm_hour,
                &tm.tm_min, &tm.tm_sec);
    tm.tm_year -= 1900;
    tm.tm_mon -= 1;
    tm.tm_isdst = -1;
    std::time_t t = std::mktime(&tm);
    timespec times[2] = {{t, 0}, {t, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

// The previous lists end with the pairs loaded: a walk that reads one slot further meets
// the lists' own range check (ERangeError), which is taken as a fault below.
void TrimPreviousLists() {
    PrevNames.SetLength(PrevCount);
    PrevStamps.SetLength(PrevCount);
}

struct Loaded {
    AnsiString date, time;
    std::vector<AnsiString> names, stamps;
    bool operator==(const Loaded &) const = default;
};

Loaded Previous() {
    Loaded l{PrevDate, PrevTime, {}, {}};
    for (int i = 0; i < PrevCount; ++i) {
        l.names.push_back(PrevNames[i]);
        l.stamps.push_back(PrevStamps[i]);
    }
    return l;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    // A drive C on memory where there is one: the files are written on every run.
    std::string base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string temp = base + "/quindral-fuzz-" + std::to_string(::getpid());
    std::string c = temp + "/drive_c";
    fs::remove_all(temp);
    fs::create_directories(temp + "/prefix/dosdevices");
    fs::create_directories(c);
    fs::create_directory_symlink(c, temp + "/prefix/dosdevices/c:");
    ::setenv("WINEPREFIX", (temp + "/prefix").c_str(), 1);
    ::setenv("TZ", "JST-9", 1);
    ::tzset();
    MakeFile(c + "/Windows/ALPHA.INI", "1997-05-03 09:02:44");
    MakeFile(c + "/Windows/BETA.TXT", "1997-05-03 09:01:10");
    MakeFile(c + "/Windows/OMEGA.EXE", "1996-11-02 08:00:00");
    MakeFile(c + "/Windows/System/Kernel32.dll", "1996-08-24 11:11:00");
    MakeFile(c + "/Windows/System/GAMMA32.DLL", "1997-05-03 09:01:05");
    Kavru = c + "/Kavru";
    // The drive goes when the fuzzer ends, however it ends.
    static std::string removeAtExit = temp;
    std::atexit([] {
        std::error_code ec;
        fs::remove_all(removeAtExit, ec);
    });

    // The main window as the program makes it: start-up finds C:\Windows and writes the
    // first snapshot; then one Start's scan.
    Application->CreateForm<TForm1>(&Form1);
    if (DriveText != "C:") Fault("the Windows folder was not found on C:");
    ScanFolders();
    TrimPreviousLists();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    WriteHostFile(Kavru + "/czenkai.txt", data, size);
    bool loaded = false;
    try {
        ReadSnapshot();
        loaded = true;
    } catch (const ERangeError &e) {
        Fault("load read outside the lists:", e.Message.Bytes());
    } catch (const Exception &) {
        // Refused: the previous lists keep the last snapshot loaded, and the comparison
        // below runs on them, as Compare after a failed Start would.
    }
    if (ListIndex != 0) Fault("ListIndex left at", std::to_string(ListIndex));
    TrimPreviousLists();

    try {
        Form1->Memo1->Clear();
        CompareAndReport();
    } catch (const Exception &e) {
        Fault("comparison failed:", e.Message.Bytes());
    }
    if (ListIndex != 0 || PrevStart < 1) Fault("comparison left the indexes wrong");

    if (!loaded) return 0;
    // Update file writes what was loaded as the backup; loaded again it is the same.
    Loaded before = Previous();
    try {
        WriteSnapshots();
        // Through the streams, which go on after a signal; the fuzzer's timer
        // interrupts the kernel's file copy.
        std::ifstream in(Kavru + "/czenkai.bak", std::ios::binary);
        std::string backup((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        WriteHostFile(Kavru + "/czenkai.txt", reinterpret_cast<const uint8_t *>(backup.data()),
                      backup.size());
        ReadSnapshot();
    } catch (const Exception &e) {
        Fault("backup of a loaded snapshot failed:", e.Message.Bytes());
    }
    if (!(Previous() == before)) Fault("the backup did not load as the snapshot it was made of");
    TrimPreviousLists();
    return 0;
}
