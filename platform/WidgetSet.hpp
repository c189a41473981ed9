// The widget set: what mirrors the components into a toolkit. A component owns all of
// its state; its setters store the value and then tell its peer, if it has one, and a
// peer made later is given the whole state at once. What the user does in the toolkit
// comes back as one call on the component (TControl::Click, TMenuItem::Click,
// TForm::Close), which hands any exception to the application's exception handling.
//
// Two widget sets exist: the headless one (HeadlessWidgetSet.hpp), the default, with
// which the system runs and is tested without a display, and the Qt 6 one
// (platform/qt), which the program installs in main().
#pragma once

#include <memory>
#include <string>

#include "platform/System.hpp"

class TComponent;
class TControl;
class TForm;
class TMemo;
class TButton;
class TMenuItem;

// A font as the form description gives it.
struct TFontData {
    int Charset = 1;   // DEFAULT_CHARSET; SHIFTJIS_CHARSET is 128
    int Color = 0;     // clBlack
    int Height = -12;  // negative: the character height in pixels
    AnsiString Name;   // in code page 932, such as "ＭＳ ゴシック"
    int Style = 0;     // bits: 1 bold, 2 italic, 4 underline, 8 strike-out
};

// Peer of a control (button, memo) or of the form itself.
class TControlPeer {
public:
    virtual ~TControlPeer() = default;
    // Left and Top within the parent's client area; for a form, on the screen, with
    // Width and Height its outer size.
    virtual void SetBounds(int left, int top, int width, int height) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetCursor(int cursor) = 0;               // crDefault, crArrow, crHourGlass ...
    virtual void SetCaption(const AnsiString &text) = 0;  // with "&" before the access key
    virtual void SetFont(const TFontData &font) = 0;
    virtual void SetTabOrder(int order) = 0;
};

class TMemoPeer : public TControlPeer {
public:
    // The whole text, in code page 932, lines ended by CR LF.
    virtual void SetText(const AnsiString &text) = 0;
    // `tail` was appended to the end of the text.
    virtual void AppendText(const AnsiString &tail) = 0;
    // The selection, in byte positions of the text (CR LF counts two).
    virtual void SetSelection(int start, int length) = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual void SetScrollBars(
        int scrollBars) = 0;  // ssNone 0, ssHorizontal 1, ssVertical 2, ssBoth 3
};

class TFormPeer : public TControlPeer {
public:
    // An item was added to the form's menu bar (items come in their order).
    virtual void AddMenuBarItem(TMenuItem *item) = 0;
    virtual void SetMenuItemCaption(TMenuItem *item, const AnsiString &caption) = 0;
    virtual void SetMenuItemVisible(TMenuItem *item, bool visible) = 0;
    // The form's icon: the bytes of a Windows icon file (.ico) with its images.
    virtual void SetIcon(const std::string &icoBytes) = 0;
};

class TWidgetSet {
public:
    virtual ~TWidgetSet() = default;

    virtual std::unique_ptr<TFormPeer> CreateFormPeer(TForm *form) = 0;
    virtual std::unique_ptr<TControlPeer> CreateButtonPeer(TButton *button, TFormPeer *parent) = 0;
    virtual std::unique_ptr<TMemoPeer> CreateMemoPeer(TMemo *memo, TFormPeer *parent) = 0;

    // The application's icon (task bar button), the bytes of a Windows icon file.
    virtual void SetApplicationIcon(const std::string &icoBytes) = 0;

    // Runs the message loop until Terminate is called.
    virtual void Run() = 0;
    virtual void Terminate() = 0;

    // A modal message box; returns the button chosen (IDOK 1). `flags` as MessageBox
    // takes them (MB_ICONSTOP 0x10, MB_OK 0).
    virtual int MessageBox(const AnsiString &text, const AnsiString &caption, int flags) = 0;

    // The system clipboard: emptied, or given a text (code page 932; the toolkit
    // receives it as Unicode).
    virtual void ClipboardClear() = 0;
    virtual void ClipboardSetText(const AnsiString &text) = 0;
};

// The widget set in use; the headless one until another is installed.
TWidgetSet &WidgetSet();
// Installs a widget set (the caller keeps it alive); none brings back the headless one.
void SetWidgetSet(TWidgetSet *widgetSet);
