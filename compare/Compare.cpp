// Change detection, the report in Memo1 and the log file.
#include "compare/Compare.h"

#include "app/Unit1.h"
#include "scan/RunState.h"

namespace {

const AnsiString EndMark = "*";

// The walks over the previous lists stop at the slots the last load or copy filled,
// whatever those slots hold: a section that lacks its end mark ends there.
int PrevLimit() {
    int limit = PrevCount;
    if (limit > PrevNames.Length()) limit = PrevNames.Length();
    if (limit > PrevStamps.Length()) limit = PrevStamps.Length();
    return limit;
}

// The report line of the current entry at ListIndex: 7 blanks, the name padded up to
// 35 bytes (but by no more than padLimit blanks), 2 blanks, the stamp.
void AppendEntryLine(int padLimit) {
    const AnsiString &name = NowNames[ListIndex];
    int pad = 35 - name.Length();
    if (pad < 0) pad = 0;
    if (pad > padLimit) pad = padLimit;
    Form1->Memo1->Lines->Add(AnsiString("       ") + name +
                             AnsiString::StringOfChar(' ', padLimit).SubString(1, pad) + "  " +
                             NowStamps[ListIndex]);
}

void AppendLine(const AnsiString &line) { Form1->Memo1->Lines->Add(line); }

AnsiString WindowsFolderLine() {
    return AnsiString(u8"\u3000\u3000") + DriveText + "\\" + WinDirName + "\\" + u8" ﾌｫﾙﾀﾞｰ 内";
}

AnsiString SystemFolderLine() {
    return AnsiString(u8"\u3000\u3000") + DriveText + "\\" + WinDirName + "\\System\\" +
           u8" ﾌｫﾙﾀﾞｰ 内";
}

// Where the log file of this scan goes: the date and time digits are taken by
// position, so a one-digit hour gives five time digits and a two-digit hour six.
AnsiString LogFilePath() {
    int k = NowTime.SubString(2, 1) == ":" ? 1 : 0;
    return DriveText + "\\Kavru\\Z" + NowDate.SubString(1, 2) + NowDate.SubString(4, 2) +
           NowDate.SubString(7, 2) + NowTime.SubString(1, 2 - k) + NowTime.SubString(4 - k, 2) +
           NowTime.SubString(7 - k, 2) + ".log";
}

}  // namespace

void FindRewritten() {
    FoundAny = 0;
    const int limit = PrevLimit();
    while (NowNames[ListIndex] != EndMark) {
        // An earlier entry of the same name and stamp does not end the search: the
        // name may stand again further on with another stamp.
        for (int j = PrevStart; j < limit && PrevNames[j] != EndMark; ++j) {
            if (PrevNames[j] == NowNames[ListIndex] && PrevStamps[j] != NowStamps[ListIndex]) {
                AppendEntryLine(25);
                FoundAny = 1;
                break;
            }
        }
        ++ListIndex;
    }
}

void FindAdded() {
    FoundAny = 0;
    const int limit = PrevLimit();
    while (NowNames[ListIndex] != EndMark) {
        bool present = false;
        for (int j = PrevStart; j < limit && PrevNames[j] != EndMark; ++j) {
            if (PrevNames[j] == NowNames[ListIndex]) {
                present = true;
                break;
            }
        }
        if (!present) {
            AppendEntryLine(20);
            FoundAny = 1;
        }
        ++ListIndex;
    }
}

void CompareAndReport() {
    // The System section follows the first end mark. Where the loaded slots hold none,
    // the Windows section ends with them and the System section is taken as empty:
    // PrevSystemStart is then one past the last loaded slot (1 when none was loaded),
    // so the passes over it find nothing to compare with and the gate stays open.
    const int limit = PrevLimit();
    int firstMark = 0;
    while (firstMark < limit && PrevNames[firstMark] != EndMark) ++firstMark;
    PrevSystemStart = firstMark + 1;

    ListIndex = 0;
    PrevStart = 0;
    AppendLine("");
    AppendLine(u8"書き換えによるもの \u3000");
    AppendLine("");
    AppendLine(WindowsFolderLine());
    FindRewritten();
    if (!FoundAny) AppendLine(u8"\u3000      \u3000\u3000書き換えられたものは有りません。");
    AppendLine("");
    AppendLine(SystemFolderLine());
    PrevStart = PrevSystemStart;
    ++ListIndex;
    FindRewritten();
    if (!FoundAny) AppendLine(u8"\u3000\u3000  \u3000    書き換えられたものは有りません。");

    ListIndex = 0;
    PrevStart = 0;
    AppendLine("");
    AppendLine(u8"増加したもの");
    AppendLine("");
    AppendLine(WindowsFolderLine());
    FindAdded();
    if (!FoundAny) AppendLine(u8"\u3000    \u3000\u3000  増加したものは有りません。");
    AppendLine("");
    AppendLine(SystemFolderLine());
    PrevStart = PrevSystemStart;
    ++ListIndex;
    FindAdded();
    if (!FoundAny) AppendLine(u8"\u3000\u3000      \u3000増加したものは有りません。");
    AppendLine("");
    AppendLine(AnsiString::StringOfChar(' ', 57) + u8"以上");

    ListIndex = 0;
    // Shown before the save, so that they are there also when the log file fails.
    Form1->Button1->Visible = true;
    Form1->Button3->Visible = true;
    Form1->Memo1->Lines->SaveToFile(LogFilePath());
}
