// The clipboard object.
#pragma once

#include "platform/System.hpp"

// The system clipboard, through the widget set. Nothing it does reports a failure: a
// clipboard that cannot be opened is not examined, as on Windows.
class TClipboard {
    // Assigning text puts it on the clipboard in place of what was there.
    class TAsText {
    public:
        explicit TAsText(TClipboard *clipboard) : clipboard_(clipboard) {}
        TAsText(const TAsText &) = delete;
        TAsText &operator=(const AnsiString &text) {
            clipboard_->SetTextBuf(text.c_str());
            return *this;
        }

    private:
        TClipboard *clipboard_;
    };

public:
    TClipboard() = default;
    TClipboard(const TClipboard &) = delete;
    TClipboard &operator=(const TClipboard &) = delete;

    // Opening and closing nest; the clipboard is emptied and filled in between.
    void Open();
    void Close();
    // Opens the clipboard, empties it and closes it again.
    void Clear();
    // Puts the text (code page 932, up to its terminating 0) on the clipboard, in place
    // of what was there.
    void SetTextBuf(const char *buffer);
    TAsText AsText{this};

private:
    int openCount_ = 0;
};

// The one clipboard object, made on first use.
TClipboard *Clipboard();
