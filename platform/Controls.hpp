// Controls: the visible components of a form, their fonts and cursors.
#pragma once

#include <functional>
#include <memory>

#include "platform/Classes.hpp"
#include "platform/System.hpp"
#include "platform/WidgetSet.hpp"

class TForm;

// ---- Cursors ------------------------------------------------------------------------

// A mouse pointer shape, as the class library numbers its standard ones.
using TCursor = int;
constexpr TCursor crDefault = 0;  // the control's own pointer (the I-beam over a memo)
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// ---- Fonts --------------------------------------------------------------------------

using TColor = int;  // 0x00BBGGRR, or a system colour (0x80000000 and the colour's index)
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBtnFace = static_cast<TColor>(0x8000000F);
constexpr TColor clWindow = static_cast<TColor>(0x80000005);
constexpr TColor clWindowText = static_cast<TColor>(0x80000008);

using TFontCharset = int;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset SHIFTJIS_CHARSET = 128;
constexpr TFontCharset OEM_CHARSET = 255;

// A set of font styles: the bits below, or'ed together.
using TFontStyles = int;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

// A control's font. Every change calls OnChange, through which the control tells its peer.
class TFont : public TPersistent {
    int GetCharset() const { return data_.Charset; }
    void SetCharset(int value);
    TColor GetColor() const { return data_.Color; }
    void SetColor(TColor value);
    int GetHeight() const { return data_.Height; }
    void SetHeight(int value);
    AnsiString GetName() const { return data_.Name; }
    void SetName(AnsiString value);
    TFontStyles GetStyle() const { return data_.Style; }
    void SetStyle(TFontStyles value);

public:
    TFont() = default;
    TFont(const TFont &) = delete;
    TFont &operator=(const TFont &) = delete;

    Property<TFont, TFontCharset, &TFont::GetCharset, &TFont::SetCharset> Charset{this};
    Property<TFont, TColor, &TFont::GetColor, &TFont::SetColor> Color{this};
    // Negative: the character height in pixels (-12 is 12 pixels).
    Property<TFont, int, &TFont::GetHeight, &TFont::SetHeight> Height{this};
    Property<TFont, AnsiString, &TFont::GetName, &TFont::SetName> Name{this};
    Property<TFont, TFontStyles, &TFont::GetStyle, &TFont::SetStyle> Style{this};

    // Takes all five settings of `source`, with one OnChange.
    void Assign(const TFont &source);
    const TFontData &Data() const { return data_; }

    std::function<void()> OnChange;

private:
    void Changed();
    TFontData data_;
};

// ---- Controls -----------------------------------------------------------------------

// A control: a component with a place on its parent form, a caption, a font and a cursor.
// Its state lives here; once its form's window is made, every change goes on to the
// control's peer in the widget set as well.
class TControl : public TComponent {
    int GetLeft() const { return left_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    int GetTop() const { return top_; }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    int GetWidth() const { return width_; }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    int GetHeight() const { return height_; }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    bool GetVisible() const { return visible_; }
    TCursor GetCursor() const { return cursor_; }
    void SetCursor(TCursor value);
    int GetTabOrder() const { return tabOrder_; }
    void SetTabOrder(int value);
    bool GetParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    TForm *GetParent() const { return parent_; }
    void SetParentForm(TForm *value);

protected:
    virtual void SetVisible(bool value);
    // A memo's caption is its text, as a window's text is.
    virtual AnsiString GetCaption() const { return caption_; }
    virtual void SetCaption(AnsiString value);

public:
    explicit TControl(TComponent *AOwner);
    ~TControl() override;

    // Within the parent's client area; for a form, on the screen, with Width and Height
    // its outer size.
    Property<TControl, int, &TControl::GetLeft, &TControl::SetLeft> Left{this};
    Property<TControl, int, &TControl::GetTop, &TControl::SetTop> Top{this};
    Property<TControl, int, &TControl::GetWidth, &TControl::SetWidth> Width{this};
    Property<TControl, int, &TControl::GetHeight, &TControl::SetHeight> Height{this};
    // True from the making for a control, false for a form until it is shown.
    Property<TControl, bool, &TControl::GetVisible, &TControl::SetVisible> Visible{this};
    Property<TControl, TCursor, &TControl::GetCursor, &TControl::SetCursor> Cursor{this};
    // With "&" before the access key, as in "比　較(&H)".
    Property<TControl, AnsiString, &TControl::GetCaption, &TControl::SetCaption> Caption{this};
    // The control's place in the Tab key's order on its form; by default the count of
    // controls the form held before it.
    Property<TControl, int, &TControl::GetTabOrder, &TControl::SetTabOrder> TabOrder{this};
    // True: the control shows its form's font, following its changes. A change of the
    // control's own Font makes it false.
    Property<TControl, bool, &TControl::GetParentFont, &TControl::SetParentFont> ParentFont{this};
    // The form whose client area holds the control (none for a form itself).
    Property<TControl, TForm *, &TControl::GetParent, &TControl::SetParentForm> Parent{this};

    TFont *const Font;
    TNotifyEvent OnClick;

    void SetBounds(int left, int top, int width, int height);
    void Show() { Visible = true; }
    void Hide() { Visible = false; }

    // The toolkit's click on the control (a mouse click, or its access key): runs
    // OnClick. An exception that leaves the handler goes to the application's exception
    // handling and is shown there; it does not leave Click.
    virtual void Click();

    // The control's widget-set peer; none until its form's window is made.
    TControlPeer *Peer() const { return peer_.get(); }

protected:
    friend class TForm;
    // Makes the control's peer under the window of its form, which has one.
    virtual void CreateHandle(TFormPeer *parent) = 0;
    // Keeps `peer` and hands it the control's whole state, visibility last.
    void AttachPeer(std::unique_ptr<TControlPeer> peer);
    // Hands the peer every setting but the visibility; controls with more to hand on
    // add theirs.
    virtual void PushState();
    // Keeps `peer` without handing it anything: for a form, which hands on its own.
    void SetPeer(std::unique_ptr<TControlPeer> peer) { peer_ = std::move(peer); }
    void DestroyHandle() { peer_.reset(); }
    // The control's Font changed (its own, or its form's while ParentFont is true).
    virtual void FontChanged();

    bool visible_ = true;

private:
    // The form's font, taken while ParentFont is true.
    void TakeParentFont();

    std::unique_ptr<TFont> font_;
    std::unique_ptr<TControlPeer> peer_;
    TForm *parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TCursor cursor_ = crDefault;
    AnsiString caption_;
    int tabOrder_ = -1;
    bool parentFont_ = true;
    bool takingParentFont_ = false;
};

// Runs `handler`, the handler of an event of `Sender` that the toolkit reported. An
// exception that leaves it goes to Application->HandleException, so the window goes on.
void RunEventHandler(TObject *Sender, const std::function<void()> &handler);
