#include "scan/RunState.h"

namespace {
DynamicArray<AnsiString> MakeList() {
    DynamicArray<AnsiString> list;
    list.SetLength(ListSlots);
    return list;
}
}  // namespace

DynamicArray<AnsiString> NowNames = MakeList();
DynamicArray<AnsiString> NowStamps = MakeList();
DynamicArray<AnsiString> PrevNames = MakeList();
DynamicArray<AnsiString> PrevStamps = MakeList();

AnsiString NowDate;
AnsiString NowTime;
AnsiString PrevDate;
AnsiString PrevTime;
AnsiString DriveText;
AnsiString WinDirName;
AnsiString ScanDir;

TSearchRec SearchRec;
int ListIndex = 0;
int PrevStart = 0;
int PrevSystemStart = 0;
int FoundAny = 0;
Crt::FILE *SnapFile = nullptr;
int PrevCount = 0;

void MakeRoom(DynamicArray<AnsiString> &names, DynamicArray<AnsiString> &stamps, int index) {
    while (index >= names.Length()) {
        names.SetLength(names.Length() + ListSlots);
        stamps.SetLength(names.Length());
    }
}
