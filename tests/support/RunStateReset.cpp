#include "support/RunStateReset.h"

#include "scan/RunState.h"

namespace {
void ResetList(DynamicArray<AnsiString> &list) {
    list.SetLength(0);
    list.SetLength(ListSlots);
}
}  // namespace

void ResetRunState() {
    ResetList(NowNames);
    ResetList(NowStamps);
    ResetList(PrevNames);
    ResetList(PrevStamps);
    NowDate = AnsiString();
    NowTime = AnsiString();
    PrevDate = AnsiString();
    PrevTime = AnsiString();
    DriveText = AnsiString();
    WinDirName = AnsiString();
    ScanDir = AnsiString();
    // Dropping the record's listing ends any search a test left open.
    SearchRec = TSearchRec();
    ListIndex = 0;
    PrevStart = 0;
    PrevSystemStart = 0;
    FoundAny = 0;
    if (SnapFile != nullptr) Crt::fclose(SnapFile);
    SnapFile = nullptr;
    PrevCount = 0;
}
