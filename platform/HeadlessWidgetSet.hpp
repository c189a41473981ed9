// The headless widget set: the default one, with which the components run without a
// display. Its peers keep what they were told, and the widget set keeps the message
// boxes shown, the clipboard and the message loop's state, so that tests can look.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/WidgetSet.hpp"
#include "platform/Windows.hpp"

class TComponent;

// The state common to every headless peer, mixed into the peer interface `Base`.
template <class Base>
class THeadlessPeer : public Base {
public:
    explicit THeadlessPeer(TComponent *component) : Component(component) {}

    void SetBounds(int left, int top, int width, int height) override {
        Left = left;
        Top = top;
        Width = width;
        Height = height;
    }
    void SetVisible(bool visible) override { Visible = visible; }
    void SetCursor(int cursor) override { Cursor = cursor; }
    void SetCaption(const AnsiString &text) override { Caption = text; }
    void SetFont(const TFontData &font) override { Font = font; }
    void SetTabOrder(int order) override { TabOrder = order; }

    TComponent *Component;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = false;
    int Cursor = 0;
    AnsiString Caption;
    TFontData Font;
    int TabOrder = -1;
};

using THeadlessControlPeer = THeadlessPeer<TControlPeer>;

class THeadlessMemoPeer : public THeadlessPeer<TMemoPeer> {
public:
    using THeadlessPeer::THeadlessPeer;

    void SetText(const AnsiString &text) override;
    void AppendText(const AnsiString &tail) override;
    void SetSelection(int start, int length) override;
    void SetReadOnly(bool readOnly) override { ReadOnly = readOnly; }
    void SetScrollBars(int scrollBars) override { ScrollBars = scrollBars; }

    AnsiString Text;    // what the peer shows
    std::string Shown;  // every text and tail it was ever given, one after another
    int SelStart = 0, SelLength = 0;
    bool ReadOnly = false;
    int ScrollBars = 0;
};

class THeadlessFormPeer : public THeadlessPeer<TFormPeer> {
public:
    using THeadlessPeer::THeadlessPeer;

    void AddMenuBarItem(TMenuItem *item) override;
    void SetMenuItemCaption(TMenuItem *item, const AnsiString &caption) override;
    void SetMenuItemVisible(TMenuItem *item, bool visible) override;
    void SetIcon(const std::string &icoBytes) override { Icon = icoBytes; }

    struct TBarItem {
        TMenuItem *Item;
        AnsiString Caption;
        bool Visible;
    };
    std::vector<TBarItem> MenuBar;  // in their order on the bar
    std::string Icon;
};

class THeadlessWidgetSet : public TWidgetSet {
public:
    std::unique_ptr<TFormPeer> CreateFormPeer(TForm *form) override;
    std::unique_ptr<TControlPeer> CreateButtonPeer(TButton *button, TFormPeer *parent) override;
    std::unique_ptr<TMemoPeer> CreateMemoPeer(TMemo *memo, TFormPeer *parent) override;
    void SetApplicationIcon(const std::string &icoBytes) override { ApplicationIcon = icoBytes; }

    // There are no events to wait for: Run counts the entry, runs OnRun (what the user
    // does while the loop runs) and returns, as a loop whose events have run out.
    void Run() override;
    void Terminate() override { Terminated = true; }

    // Records the box and answers MessageBoxResult.
    int MessageBox(const AnsiString &text, const AnsiString &caption, int flags) override;

    void ClipboardClear() override;
    void ClipboardSetText(const AnsiString &text) override;

    struct TMessageBox {
        AnsiString Text;
        AnsiString Caption;
        int Flags;
    };
    std::vector<TMessageBox> MessageBoxes;
    int MessageBoxResult = IDOK;

    bool ClipboardHasText = false;
    AnsiString ClipboardText;
    int ClipboardClears = 0;

    std::string ApplicationIcon;
    int RunCount = 0;
    bool Terminated = false;
    std::function<void()> OnRun;
};
