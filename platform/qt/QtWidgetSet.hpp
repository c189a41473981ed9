// The Qt 6 widget set: the form becomes a top-level window with a menu bar and a client
// area, the buttons push buttons, the memo a plain-text edit. Needs a QApplication.
#pragma once

#include <QFont>
#include <QWidget>

#include "platform/WidgetSet.hpp"

class TQtWidgetSet : public TWidgetSet {
public:
    TQtWidgetSet();
    ~TQtWidgetSet() override;

    std::unique_ptr<TFormPeer> CreateFormPeer(TForm *form) override;
    std::unique_ptr<TControlPeer> CreateButtonPeer(TButton *button, TFormPeer *parent) override;
    std::unique_ptr<TMemoPeer> CreateMemoPeer(TMemo *memo, TFormPeer *parent) override;

    void SetApplicationIcon(const std::string &icoBytes) override;

    void Run() override;
    void Terminate() override;

    int MessageBox(const AnsiString &text, const AnsiString &caption, int flags) override;

    void ClipboardClear() override;
    void ClipboardSetText(const AnsiString &text) override;

private:
    bool terminated_ = false;
};

// The font a form description's font becomes: the named family where the font database
// has it, else IPA Gothic (made to the measures of the system's Japanese fonts).
QFont QtFontOf(const TFontData &font);
// The family used when the named one is missing.
inline constexpr const char *QtFallbackFamily = "IPAGothic";

// The widget of a peer of this widget set (for a form, its window); none for another's.
QWidget *QtWidgetOf(const TControlPeer *peer);
