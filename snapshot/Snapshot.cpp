// The snapshot file and its backup. Each file is written whole to a file of its own
// beside it and moved over the old one only when every line and the close went
// through, so a failing disk never leaves a snapshot cut short; the reader takes a
// file only when it is in the written form, so a damaged one cannot send a walk astray.
#include "snapshot/Snapshot.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/Stdio.hpp"
#include "platform/SysUtils.hpp"
#include "scan/RunState.h"
#include "scan/Scan.h"

namespace {

const AnsiString EndMark = "*";

// A snapshot file that the system did not write in its form.
const AnsiString SBadSnapshot = u8"ﾌｧｲﾙ %s はｽﾅｯﾌﾟｼｮｯﾄの形式ではありません";

AnsiString DataPath(const char *name) { return DriveText + "\\Kavru\\" + name; }

// Where each file is written before it replaces the old one: the same folder, so that
// the move is a rename within one disk.
AnsiString TempPath(const AnsiString &path) { return path + ".tmp"; }

// A file written beside its final place. Until Keep() it is removed when dropped.
class PendingFile {
public:
    explicit PendingFile(AnsiString path) : path_(std::move(path)), temp_(TempPath(path_)) {}
    PendingFile(const PendingFile &) = delete;
    PendingFile &operator=(const PendingFile &) = delete;
    ~PendingFile() {
        CloseStream();
        if (written_ && !kept_) Crt::remove(temp_.c_str());
    }

    // Writes the date, the time and both sections of one pair of lists, each walk ending
    // on its end mark. Both end marks must lie within the first `limit` slots, the ones
    // that were filled; where they do not, nothing is written and the result is false.
    bool Write(const AnsiString &date, const AnsiString &time, DynamicArray<AnsiString> &names,
               DynamicArray<AnsiString> &stamps, int limit) {
        if (!Closed(names, limit)) return false;
        SnapFile = Crt::fopen(temp_.c_str(), "w+t");
        if (SnapFile == nullptr) throw EFCreateError(Format(Consts::SFCreateError, {path_}));
        written_ = true;
        Line(date, time);
        ListIndex = 0;
        for (int section = 0; section < 2; ++section) {
            do {
                Line(names[ListIndex], stamps[ListIndex]);
                ++ListIndex;
            } while (names[ListIndex - 1] != EndMark);
        }
        ListIndex = 0;
        Crt::FILE *stream = SnapFile;
        SnapFile = nullptr;
        bool failed = Crt::ferror(stream) != 0;
        if (Crt::fclose(stream) != 0 || failed) throw EWriteError(Consts::SWriteError);
        return true;
    }

    // Moves the written file over the old one.
    void Keep() {
        if (Crt::rename(temp_.c_str(), path_.c_str()) != 0)
            throw EFCreateError(Format(Consts::SFCreateError, {path_}));
        kept_ = true;
    }

private:
    // True when both sections end within the first `limit` slots.
    static bool Closed(DynamicArray<AnsiString> &names, int limit) {
        int marks = 0;
        for (int i = 0; i < limit && i < names.Length() && marks < 2; ++i)
            if (names[i] == EndMark) ++marks;
        return marks == 2;
    }

    void Line(const AnsiString &first, const AnsiString &second) {
        if (Crt::fprintf(SnapFile, "%s\n %s\n", first.c_str(), second.c_str()) < 0)
            throw EWriteError(Consts::SWriteError);
    }

    void CloseStream() {
        if (SnapFile != nullptr) {
            Crt::fclose(SnapFile);
            SnapFile = nullptr;
        }
    }

    AnsiString path_;
    AnsiString temp_;
    bool written_ = false;
    bool kept_ = false;
};

// Reads one line whole, however long, through the run-time's 100-byte line reads.
// False at the end of the file.
// No line of the written form comes near this length (a full path is a few hundred
// bytes); a longer one, or a file with no line ends at all, is not a snapshot.
constexpr std::size_t LongestLine = 65536;
struct LineTooLong {};

bool ReadLine(Crt::FILE *stream, std::string &line) {
    line.clear();
    char buffer[100];
    for (;;) {
        // A NUL inside the line must not hide its end: the reader's own NUL is the last
        // one in a buffer filled with LF beforehand.
        std::fill(std::begin(buffer), std::end(buffer), '\n');
        if (Crt::fgets(buffer, sizeof buffer, stream) == nullptr) {
            if (Crt::ferror(stream) != 0) throw EReadError(Consts::SReadError);
            return !line.empty();
        }
        std::size_t length = sizeof buffer - 1;
        while (buffer[length] != '\0') --length;
        line.append(buffer, length);
        if (length > 0 && buffer[length - 1] == '\n') return true;
        if (line.size() > LongestLine) throw LineTooLong();
    }
}

// A NUL inside a text is no part of the written form, and would cut the text short
// when it is written again.
bool HasNul(const AnsiString &text) { return text.Bytes().find('\0') != std::string::npos; }

}  // namespace

void WriteSnapshots() {
    ListIndex = 0;
    PendingFile snapshot(DataPath("czenkai.txt"));
    PendingFile backup(DataPath("czenkai.bak"));
    // Without a whole scan in the current lists there is nothing to store.
    if (!snapshot.Write(NowDate, NowTime, NowNames, NowStamps, NowNames.Length())) return;
    // The backup holds the previous snapshot of the run state; where no load or copy has
    // put one there, the old backup stays as it is.
    bool backupWritten = backup.Write(PrevDate, PrevTime, PrevNames, PrevStamps, PrevCount);
    // The backup first: should the second move fail, the old snapshot lives on in one
    // of the two files.
    if (backupWritten) backup.Keep();
    snapshot.Keep();
    ListIndex = 0;
}

void ReadSnapshot() {
    ListIndex = 0;
    AnsiString path = DataPath("czenkai.txt");
    SnapFile = Crt::fopen(path.c_str(), "r+t");
    if (SnapFile == nullptr) throw EFOpenError(Format(Consts::SFOpenError, {path}));

    AnsiString date;
    AnsiString time;
    std::vector<AnsiString> names;
    std::vector<AnsiString> stamps;
    bool whole = false;
    try {
        std::string line;
        bool haveDate = ReadLine(SnapFile, line);
        date = Trim(AnsiString::FromBytes(line));
        bool haveTime = haveDate && ReadLine(SnapFile, line);
        time = Trim(AnsiString::FromBytes(line));
        int marks = 0;
        bool clean = !HasNul(date) && !HasNul(time);
        bool paired = true;
        while (haveTime && paired && ReadLine(SnapFile, line)) {
            if (marks == 2) {
                clean = false;  // something after the System end mark
                break;
            }
            AnsiString name = Trim(AnsiString::FromBytes(line));
            paired = ReadLine(SnapFile, line);
            AnsiString stamp = Trim(AnsiString::FromBytes(line));
            clean = clean && !HasNul(name) && !HasNul(stamp);
            names.push_back(name);
            stamps.push_back(stamp);
            if (name == EndMark) ++marks;
        }
        whole = haveTime && paired && clean && marks == 2;
    } catch (const LineTooLong &) {
        whole = false;
    } catch (...) {
        Crt::fclose(SnapFile);
        SnapFile = nullptr;
        throw;
    }
    Crt::fclose(SnapFile);
    SnapFile = nullptr;
    if (!whole) throw EReadError(Format(SBadSnapshot, {path}));

    PrevDate = date;
    PrevTime = time;
    int count = static_cast<int>(names.size());
    MakeRoom(PrevNames, PrevStamps, count - 1);
    for (ListIndex = 0; ListIndex < count; ++ListIndex) {
        PrevNames[ListIndex] = std::move(names[static_cast<std::size_t>(ListIndex)]);
        PrevStamps[ListIndex] = std::move(stamps[static_cast<std::size_t>(ListIndex)]);
    }
    PrevCount = count;
    ListIndex = 0;
}

void CopyNowToPrev() {
    PrevDate = NowDate;
    PrevTime = NowTime;
    ListIndex = 0;
    // Current lists that hold no whole scan are copied only as far as they go.
    for (int section = 0; section < 2; ++section) {
        do {
            if (ListIndex == NowNames.Length()) break;
            MakeRoom(PrevNames, PrevStamps, ListIndex);
            PrevNames[ListIndex] = NowNames[ListIndex];
            PrevStamps[ListIndex] = NowStamps[ListIndex];
            ++ListIndex;
        } while (NowNames[ListIndex - 1] != EndMark);
    }
    PrevCount = ListIndex;
}

void CreateFirstSnapshot() {
    // Closes the search however the first snapshot ends.
    struct SearchCloser {
        ~SearchCloser() { SearchClose(SearchRec); }
    } closer;
    if (SearchFirst(DataPath("czenkai.txt"), faAnyFile, SearchRec) == 0) return;
    ScanFolders();
    CopyNowToPrev();
    Crt::chdir((DriveText + "\\").c_str());
    Crt::mkdir("Kavru");
    WriteSnapshots();
}
