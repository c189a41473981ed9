#include "platform/StdCtrls.hpp"

#include <algorithm>
#include <string>

#include "platform/Clipbrd.hpp"

// ---- TButton ------------------------------------------------------------------------

TButton::TButton(TComponent *AOwner) : TControl(AOwner) {}

void TButton::CreateHandle(TFormPeer *parent) {
    AttachPeer(WidgetSet().CreateButtonPeer(this, parent));
}

// ---- TMemo's lines ------------------------------------------------------------------

// The memo's text seen as a list of lines.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TMemo *memo) : memo_(memo) {}

    int Count() const override { return memo_->LineCount(); }
    AnsiString Get(int index) const override {
        if (index < 0 || index >= Count()) throw ERangeError("List index out of bounds");
        return memo_->Line(index);
    }
    void Insert(int index, const AnsiString &s) override {
        if (index < 0 || index > Count()) throw ERangeError("List index out of bounds");
        if (index == Count())
            memo_->AppendLine(s);
        else
            memo_->InsertLine(index, s);
    }
    void Clear() override { memo_->Clear(); }

private:
    TMemo *memo_;
};

// ---- TMemo --------------------------------------------------------------------------

namespace {
bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
}  // namespace

TMemo::TMemo(TComponent *AOwner) : TControl(AOwner), Lines(new TMemoStrings(this)), lines_(Lines) {}

TMemo::~TMemo() = default;

void TMemo::CreateHandle(TFormPeer *parent) {
    AttachPeer(WidgetSet().CreateMemoPeer(this, parent));
}

void TMemo::PushState() {
    TControl::PushState();
    TMemoPeer *peer = MemoPeer();
    peer->SetReadOnly(readOnly_);
    peer->SetScrollBars(scrollBars_);
    peer->SetText(text_);
    peer->SetSelection(selStart_, selEnd_ - selStart_);
}

void TMemo::SetText(AnsiString value) {
    text_ = value;
    IndexLines();
    selStart_ = selEnd_ = 0;
    if (TMemoPeer *peer = MemoPeer()) {
        peer->SetText(text_);
        peer->SetSelection(0, 0);
    }
}

void TMemo::Clear() { SetText(AnsiString()); }

void TMemo::SetReadOnly(bool value) {
    readOnly_ = value;
    if (TMemoPeer *peer = MemoPeer()) peer->SetReadOnly(value);
}

void TMemo::SetScrollBars(TScrollStyle value) {
    scrollBars_ = value;
    if (TMemoPeer *peer = MemoPeer()) peer->SetScrollBars(value);
}

void TMemo::SetSelStart(int value) { SelectRange(value, value); }

void TMemo::SetSelLength(int value) {
    SelectRange(selStart_, static_cast<long long>(selStart_) + value);
}

void TMemo::SelectRange(long long start, long long end) {
    long long length = text_.Length();
    start = std::clamp(start, 0LL, length);
    end = std::clamp(end, 0LL, length);
    if (end < start) std::swap(start, end);
    selStart_ = static_cast<int>(start);
    selEnd_ = static_cast<int>(end);
    if (TMemoPeer *peer = MemoPeer()) peer->SetSelection(selStart_, selEnd_ - selStart_);
}

AnsiString TMemo::SelText() const { return text_.SubString(selStart_ + 1, selEnd_ - selStart_); }

void TMemo::CopyToClipboard() {
    int end = selEnd_;
    // Byte `end` (from 1) is the selection's last; when it begins a double-byte
    // character, the character is left out whole.
    if (end > selStart_ && text_.IsLeadByte(end)) --end;
    if (end <= selStart_) return;
    Clipboard()->SetTextBuf(text_.SubString(selStart_ + 1, end - selStart_).c_str());
}

void TMemo::IndexLines() {
    lineStarts_.clear();
    IndexFrom(0);
}

// Adds the starts of the lines from `from`, the start of a line, to the end of the text.
// A line ends at CR LF, CR or LF; no byte of a double-byte character is either.
void TMemo::IndexFrom(std::size_t from) {
    const std::string &b = text_.Bytes();
    std::size_t i = from;
    while (i < b.size()) {
        lineStarts_.push_back(i);
        std::size_t end = b.find_first_of("\r\n", i);
        if (end == std::string::npos) return;
        i = end + (b[end] == '\r' && end + 1 < b.size() && b[end + 1] == '\n' ? 2 : 1);
    }
}

AnsiString TMemo::Line(int index) const {
    const std::string &b = text_.Bytes();
    std::size_t start = lineStarts_[static_cast<std::size_t>(index)];
    std::size_t end =
        index + 1 < LineCount() ? lineStarts_[static_cast<std::size_t>(index) + 1] : b.size();
    if (end > start && b[end - 1] == '\n') --end;
    if (end > start && b[end - 1] == '\r') --end;
    return AnsiString::FromBytes(std::string_view(b).substr(start, end - start));
}

void TMemo::AppendLine(const AnsiString &line) {
    const std::string &b = text_.Bytes();
    bool lastLineOpen = !b.empty() && !IsLineBreak(b.back());
    bool loneCrAtEnd = !b.empty() && b.back() == '\r';
    // The last line, if it has no line end yet, gets one before the new line.
    AnsiString tail = lastLineOpen ? AnsiString("\r\n") : AnsiString();
    tail += line + "\r\n";
    std::size_t start = b.size() + (lastLineOpen ? 2 : 0);
    text_ += tail;
    bool breaksInside = line.Bytes().find_first_of("\r\n") != std::string::npos;
    if (loneCrAtEnd || breaksInside)
        IndexLines();
    else
        lineStarts_.push_back(start);
    if (TMemoPeer *peer = MemoPeer()) peer->AppendText(tail);
    // The caret goes after the new line, as the edit control leaves it.
    SelectRange(text_.Length(), text_.Length());
}

void TMemo::InsertLine(int index, const AnsiString &line) {
    std::size_t at = lineStarts_[static_cast<std::size_t>(index)];
    const std::string &b = text_.Bytes();
    std::string text = b.substr(0, at) + line.Bytes() + "\r\n" + b.substr(at);
    text_ = AnsiString::FromBytes(text);
    IndexLines();
    if (TMemoPeer *peer = MemoPeer()) peer->SetText(text_);
    long long caret = static_cast<long long>(at) + line.Length() + 2;
    SelectRange(caret, caret);
}
