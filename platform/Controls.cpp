#include "platform/Controls.hpp"

#include "platform/Forms.hpp"

// ---- TFont --------------------------------------------------------------------------

void TFont::SetCharset(int value) {
    data_.Charset = value;
    Changed();
}

void TFont::SetColor(TColor value) {
    data_.Color = value;
    Changed();
}

void TFont::SetHeight(int value) {
    data_.Height = value;
    Changed();
}

void TFont::SetName(AnsiString value) {
    data_.Name = value;
    Changed();
}

void TFont::SetStyle(TFontStyles value) {
    data_.Style = value;
    Changed();
}

void TFont::Assign(const TFont &source) {
    data_ = source.data_;
    Changed();
}

void TFont::Changed() {
    if (OnChange) OnChange();
}

// ---- TControl -----------------------------------------------------------------------

TControl::TControl(TComponent *AOwner) : TComponent(AOwner), Font(new TFont), font_(Font) {
    Font->OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
    peer_.reset();
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (peer_) peer_->SetBounds(left_, top_, width_, height_);
}

void TControl::SetVisible(bool value) {
    visible_ = value;
    if (peer_) peer_->SetVisible(value);
}

void TControl::SetCursor(TCursor value) {
    cursor_ = value;
    if (peer_) peer_->SetCursor(value);
}

void TControl::SetCaption(AnsiString value) {
    caption_ = value;
    if (peer_) peer_->SetCaption(caption_);
}

void TControl::SetTabOrder(int value) {
    tabOrder_ = value;
    if (peer_) peer_->SetTabOrder(value);
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (parentFont_) TakeParentFont();
}

void TControl::SetParentForm(TForm *value) {
    if (value == parent_) return;
    if (parent_) {
        peer_.reset();
        parent_->RemoveControl(this);
        parent_ = nullptr;
    }
    if (!value) return;
    parent_ = value;
    if (tabOrder_ < 0) tabOrder_ = parent_->ControlCount();
    parent_->InsertControl(this);
    if (parentFont_) TakeParentFont();
    if (parent_->HandleAllocated()) CreateHandle(parent_->FormPeer());
}

void TControl::TakeParentFont() {
    if (!parent_) return;
    // Following the form's font is no change of the control's own.
    takingParentFont_ = true;
    Font->Assign(*parent_->Font);
    takingParentFont_ = false;
}

void TControl::FontChanged() {
    if (!takingParentFont_) parentFont_ = false;
    if (peer_) peer_->SetFont(Font->Data());
}

void TControl::Click() {
    RunEventHandler(this, [this] {
        if (OnClick) OnClick(this);
    });
}

void TControl::AttachPeer(std::unique_ptr<TControlPeer> peer) {
    peer_ = std::move(peer);
    PushState();
    peer_->SetVisible(visible_);
}

void TControl::PushState() {
    peer_->SetBounds(left_, top_, width_, height_);
    peer_->SetCaption(GetCaption());
    peer_->SetFont(Font->Data());
    peer_->SetCursor(cursor_);
    peer_->SetTabOrder(tabOrder_);
}
