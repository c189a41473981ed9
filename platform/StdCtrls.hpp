// The standard controls: the push button and the multi-line text area.
#pragma once

#include <memory>
#include <vector>

#include "platform/Classes.hpp"
#include "platform/Controls.hpp"

class TButton : public TControl {
public:
    explicit TButton(TComponent *AOwner);

protected:
    void CreateHandle(TFormPeer *parent) override;
};

enum TScrollStyle { ssNone = 0, ssHorizontal = 1, ssVertical = 2, ssBoth = 3 };

// A multi-line text area. It keeps its text as code page 932 bytes, as the edit control
// of Windows does: every position counts bytes, a double-byte character two and a line
// end (CR LF) two. What the toolkit shows is that text converted.
class TMemo : public TControl {
    AnsiString GetText() const { return text_; }
    void SetText(AnsiString value);
    bool GetReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    TScrollStyle GetScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    int GetSelStart() const { return selStart_; }
    void SetSelStart(int value);
    int GetSelLength() const { return selEnd_ - selStart_; }
    void SetSelLength(int value);

public:
    explicit TMemo(TComponent *AOwner);
    ~TMemo() override;

    // The text as lines: each line of the text is one item, and the text of the list is
    // every line followed by CR LF. Add appends a line after the last one and puts the
    // caret after it, so the text area shows its end.
    TStrings *const Lines;

    // The whole text. Setting it puts the caret (an empty selection) at position 0.
    Property<TMemo, AnsiString, &TMemo::GetText, &TMemo::SetText> Text{this};
    // True: the user can select and copy the text but not change it.
    Property<TMemo, bool, &TMemo::GetReadOnly, &TMemo::SetReadOnly> ReadOnly{this};
    // ssHorizontal and ssBoth: long lines are not wrapped but reached by scrolling.
    Property<TMemo, TScrollStyle, &TMemo::GetScrollBars, &TMemo::SetScrollBars> ScrollBars{this};
    // The selection, in byte positions from 0. Setting SelStart makes an empty selection
    // there (clipped to the text). Setting SelLength keeps the start and puts the end at
    // the start plus the length, an end past the text standing for the text's end; a
    // negative length selects backwards from the start.
    Property<TMemo, int, &TMemo::GetSelStart, &TMemo::SetSelStart> SelStart{this};
    Property<TMemo, int, &TMemo::GetSelLength, &TMemo::SetSelLength> SelLength{this};

    // The selected bytes.
    AnsiString SelText() const;
    // Empties the text: Text is "" and Lines->Count() 0.
    void Clear();
    // Copies the selection to the clipboard as text. An empty selection copies nothing
    // (the clipboard keeps what it held). A double-byte character whose first byte ends
    // the selection is not split: the copy ends before it.
    void CopyToClipboard();

    // The widget-set peer, none until the form's window is made.
    TMemoPeer *MemoPeer() const { return static_cast<TMemoPeer *>(Peer()); }

protected:
    void CreateHandle(TFormPeer *parent) override;
    void PushState() override;
    AnsiString GetCaption() const override { return text_; }
    void SetCaption(AnsiString value) override { SetText(value); }

private:
    friend class TMemoStrings;
    // Line starts, kept up to date as lines are appended.
    void IndexLines();
    void IndexFrom(std::size_t from);
    void AppendLine(const AnsiString &line);
    void InsertLine(int index, const AnsiString &line);
    AnsiString Line(int index) const;
    int LineCount() const { return static_cast<int>(lineStarts_.size()); }
    void SelectRange(long long start, long long end);

    AnsiString text_;
    std::vector<std::size_t> lineStarts_;
    std::unique_ptr<TStrings> lines_;
    bool readOnly_ = false;
    TScrollStyle scrollBars_ = ssNone;
    int selStart_ = 0;
    int selEnd_ = 0;
};
