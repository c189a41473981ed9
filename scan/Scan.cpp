#include "scan/Scan.h"

#include "platform/SysUtils.hpp"
#include "scan/RunState.h"

namespace {

// The search mask of every search of the system: entries with any attribute bit.
constexpr int AllEntries = 0x3F;

// Writes one entry at ListIndex, growing the lists where the slots run out, so that a
// folder larger than the lists is still listed whole.
void WriteEntry(const AnsiString &name, const AnsiString &stamp) {
    MakeRoom(NowNames, NowStamps, ListIndex);
    NowStamps[ListIndex] = stamp;
    NowNames[ListIndex] = name;
}

}  // namespace

void LocateWindowsFolder() {
    struct Probe {
        const char *file;
        const char *drive;
        const char *winDir;
    };
    static const Probe probes[] = {
        {"C:\\Windows\\System\\Kernel32.dll", "C:", "Windows"},
        {"A:\\Windows\\System\\Kernel32.dll", "A:", "Windows"},
        {"C:\\Win95\\System\\Kernel32.dll", "C:", "Win95"},
        {"A:\\Win95\\System\\Kernel32.dll", "A:", "Win95"},
    };
    WinDirName = "Windows";
    for (const Probe &probe : probes) {
        if (SearchFirst(probe.file, AllEntries, SearchRec) == 0) {
            DriveText = probe.drive;
            WinDirName = probe.winDir;
            SearchClose(SearchRec);
            return;
        }
    }
    DriveText = GetCurrentDir().SubString(1, 2);
}

void ScanFolders() {
    ScanDir = DriveText + "\\" + WinDirName + "\\";
    ListIndex = 0;
    NowDate = DateTimeText(Date());
    NowTime = DateTimeText(Time());
    ListFolder();
    WriteEntry("*", "*");  // the Windows end mark
    ListIndex = ListIndex + 1;
    SearchClose(SearchRec);

    ScanDir = DriveText + "\\" + WinDirName + "\\System\\";
    ListFolder();
    WriteEntry("*", "*");  // the System end mark
    SearchClose(SearchRec);
    ListIndex = 0;
}

void ListFolder() {
    int found = SearchFirst(ScanDir + "*.*", AllEntries, SearchRec);
    PrevStart = 1;
    if (found != 0) return;
    do {
        // The stamp comes from the entry's local time as a value, which a year the
        // packed form cannot hold still has.
        AnsiString name = ScanDir + SearchRec.Name;
        if (SearchRec.Attr == 0x10) name += "<Dir>";
        WriteEntry(name, DateTimeText(SearchRec.TimeStamp));
        ListIndex = ListIndex + 1;
    } while (SearchNext(SearchRec) == 0);
}

AnsiString DateTimeText(TDateTime value) {
    if (value < 1.0) return TimeToStr(value);
    double whole = static_cast<double>(static_cast<long long>(value));
    if (value == whole) return DateToStr(value);
    return DateToStr(whole) + " " + TimeToStr(value - whole);
}
