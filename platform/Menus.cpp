#include "platform/Menus.hpp"

#include <algorithm>

#include "platform/Controls.hpp"
#include "platform/Forms.hpp"

// ---- TMenuItem ----------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent *AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
    for (TMenuItem *item : items_) item->parent_ = nullptr;
    if (parent_) parent_->Remove(this);
}

TMenuItem *TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw ERangeError("List index out of bounds");
    return items_[static_cast<std::size_t>(index)];
}

void TMenuItem::Add(TMenuItem *item) {
    if (item->parent_) item->parent_->Remove(item);
    items_.push_back(item);
    item->parent_ = this;
    if (menu_ && menu_->form_) menu_->form_->MenuItemAdded(item);
}

void TMenuItem::Remove(TMenuItem *item) {
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    if (item->parent_ == this) item->parent_ = nullptr;
}

TForm *TMenuItem::BarForm() const {
    return parent_ && parent_->menu_ ? parent_->menu_->form_ : nullptr;
}

void TMenuItem::SetCaption(AnsiString value) {
    caption_ = value;
    TForm *form = BarForm();
    if (form && form->HandleAllocated()) form->FormPeer()->SetMenuItemCaption(this, caption_);
}

void TMenuItem::SetVisible(bool value) {
    visible_ = value;
    TForm *form = BarForm();
    if (form && form->HandleAllocated()) form->FormPeer()->SetMenuItemVisible(this, visible_);
}

void TMenuItem::Click() {
    RunEventHandler(this, [this] {
        if (OnClick) OnClick(this);
    });
}

// ---- TMainMenu ----------------------------------------------------------------------

TMainMenu::TMainMenu(TComponent *AOwner) : TComponent(AOwner), Items(new TMenuItem(this)) {
    Items->menu_ = this;
}

TMainMenu::~TMainMenu() {
    if (form_ && form_->menu_ == this) form_->menu_ = nullptr;
}
