// Menus: the main menu of a form and its items.
#pragma once

#include <vector>

#include "platform/Classes.hpp"
#include "platform/System.hpp"

class TForm;
class TMainMenu;

// A key with its modifiers: the virtual-key code in the low byte, 0x2000 Shift, 0x4000
// Ctrl, 0x8000 Alt; 0 for none.
using TShortCut = unsigned short;

// An item of a menu. The items of a main menu's root (TMainMenu::Items) stand on the
// form's menu bar itself; choosing one runs its OnClick at once.
class TMenuItem : public TComponent {
    AnsiString GetCaption() const { return caption_; }
    void SetCaption(AnsiString value);
    TShortCut GetShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value) { shortCut_ = value; }
    bool GetVisible() const { return visible_; }
    void SetVisible(bool value);

public:
    explicit TMenuItem(TComponent *AOwner);
    ~TMenuItem() override;

    // With "&" before the access key, as in "開始(&S)".
    Property<TMenuItem, AnsiString, &TMenuItem::GetCaption, &TMenuItem::SetCaption> Caption{this};
    Property<TMenuItem, TShortCut, &TMenuItem::GetShortCut, &TMenuItem::SetShortCut> ShortCut{this};
    Property<TMenuItem, bool, &TMenuItem::GetVisible, &TMenuItem::SetVisible> Visible{this};
    TNotifyEvent OnClick;

    // The items under this one, in their order.
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem *Items(int index) const;
    // Appends `item` (taken from the item that held it before).
    void Add(TMenuItem *item);
    void Remove(TMenuItem *item);
    TMenuItem *Parent() const { return parent_; }

    // The toolkit's choice of the item (a click, or Alt with its access key): runs
    // OnClick. An exception that leaves the handler goes to the application's exception
    // handling and is shown there; it does not leave Click.
    virtual void Click();

private:
    friend class TMainMenu;
    // The form whose menu bar shows this item, if it stands there.
    TForm *BarForm() const;

    AnsiString caption_;
    TShortCut shortCut_ = 0;
    bool visible_ = true;
    TMenuItem *parent_ = nullptr;
    TMainMenu *menu_ = nullptr;  // set on the root item of a main menu
    std::vector<TMenuItem *> items_;
};

// A form's menu bar (TForm::Menu).
class TMainMenu : public TComponent {
public:
    explicit TMainMenu(TComponent *AOwner);
    ~TMainMenu() override;

    // The root item, owned by the menu; its items are the menu bar's.
    TMenuItem *const Items;

    // The form that shows this menu, if any.
    TForm *Form() const { return form_; }

private:
    friend class TForm;
    friend class TMenuItem;
    TForm *form_ = nullptr;
};
