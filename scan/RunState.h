// The run state: all working data of the system, one process-wide instance of each item.
// The operations take no arguments and return no results; they hand data and positions
// to each other through these items.
#pragma once

#include "platform/Stdio.hpp"
#include "platform/SysUtils.hpp"
#include "platform/System.hpp"

// Slots each entry list starts with. The lists grow by as many again when a scan or a
// load needs more, so that no entry is dropped and nothing is written past their end.
constexpr int ListSlots = 5000;

// The current scan and the previous snapshot: slot i of a name list and slot i of the
// stamp list beside it form one entry. Each pair holds the Windows section and then the
// System section, each closed by the end mark, the entry whose name and stamp are "*".
extern DynamicArray<AnsiString> NowNames;
extern DynamicArray<AnsiString> NowStamps;
extern DynamicArray<AnsiString> PrevNames;
extern DynamicArray<AnsiString> PrevStamps;

extern AnsiString NowDate;     // date text of the current scan
extern AnsiString NowTime;     // time text of the current scan
extern AnsiString PrevDate;    // date text of the previous snapshot
extern AnsiString PrevTime;    // time text of the previous snapshot
extern AnsiString DriveText;   // drive of the Windows folder, such as "C:"
extern AnsiString WinDirName;  // "Windows" or "Win95"
extern AnsiString ScanDir;     // the folder being listed, with its trailing backslash

extern TSearchRec SearchRec;  // the one file-search record
extern int ListIndex;         // the shared index of the walks over the lists
extern int PrevStart;         // first slot of the previous section compared; the gate
extern int PrevSystemStart;   // first slot of the previous System section
extern int FoundAny;          // 1 when the detection pass just run wrote a line
extern Crt::FILE *SnapFile;   // the snapshot file while it is written or read

// Slots of the previous lists that the last load or copy filled: no walk over the
// previous lists goes past them, whatever they hold.
extern int PrevCount;

// Makes sure slot `index` exists in both lists of a pair, growing them by ListSlots
// at a time.
void MakeRoom(DynamicArray<AnsiString> &names, DynamicArray<AnsiString> &stamps, int index);
