#include "platform/Clipbrd.hpp"

#include "platform/WidgetSet.hpp"

void TClipboard::Open() { ++openCount_; }

void TClipboard::Close() {
    if (openCount_ > 0) --openCount_;
}

void TClipboard::Clear() {
    Open();
    WidgetSet().ClipboardClear();
    Close();
}

void TClipboard::SetTextBuf(const char *buffer) {
    Open();
    WidgetSet().ClipboardSetText(AnsiString(buffer));
    Close();
}

TClipboard *Clipboard() {
    static TClipboard clipboard;
    return &clipboard;
}
