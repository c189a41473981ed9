// The five commands of the main window: Start, Compare, Update file, Copy to clipboard
// and Close.
#include "app/Unit1.h"
#include "compare/Compare.h"
#include "platform/Clipbrd.hpp"
#include "scan/RunState.h"
#include "scan/Scan.h"
#include "snapshot/Snapshot.h"

// Start: a new scan, the snapshot loaded, and the two lines naming both.
void TForm1::K1Click(TObject * /*Sender*/) {
    ListIndex = 0;
    ScanFolders();
    ReadSnapshot();
    Memo1->Lines->Add(u8"前回 " + PrevDate + " " + PrevTime + u8" から");
    Memo1->Lines->Add(u8"今回 " + NowDate + " " + NowTime + u8" までの変化の有無");
    Button2->Visible = true;
}

// Close: the window closes, which ends the program.
void TForm1::Close1Click(TObject * /*Sender*/) { Close(); }

// Update file: the scan of the last Start becomes the snapshot.
void TForm1::Button1Click(TObject * /*Sender*/) {
    if (PrevStart == 0) return;
    WriteSnapshots();
}

// Compare: the report, under the hour-glass. When the log file cannot be saved the
// error leaves here at once and the hour-glass stays until a comparison ends normally.
void TForm1::Button2Click(TObject * /*Sender*/) {
    if (PrevStart == 0) return;
    Button2->Cursor = crHourGlass;
    Form1->Cursor = crHourGlass;
    Memo1->Cursor = crHourGlass;
    CompareAndReport();
    Form1->Cursor = crDefault;
    Memo1->Cursor = crArrow;
    Button2->Cursor = crArrow;
}

// Copy to clipboard: the first 10000 positions of the text area.
void TForm1::Button3Click(TObject * /*Sender*/) {
    Clipboard()->Clear();
    Memo1->SelStart = 0;
    Memo1->SelLength = 10000;
    Memo1->CopyToClipboard();
}
