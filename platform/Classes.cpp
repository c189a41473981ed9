#include "platform/Classes.hpp"

#include <algorithm>

TComponent::TComponent(TComponent *AOwner) : owner_(AOwner) {
    if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
    // Owned components go first.
    DestroyComponents();
    if (owner_) owner_->Remove(this);
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent *c = components_.back();
        components_.pop_back();
        c->owner_ = nullptr;
        delete c;
    }
}

void TComponent::Remove(TComponent *c) {
    components_.erase(std::remove(components_.begin(), components_.end(), c), components_.end());
}

TComponent *TComponent::FindComponent(const AnsiString &name) const {
    for (TComponent *c : components_)
        if (c->name_ == name) return c;
    return nullptr;
}

AnsiString TStrings::Text() const {
    AnsiString text;
    for (int i = 0; i < Count(); ++i) text += Get(i) + "\r\n";
    return text;
}

void TStrings::SetText(const AnsiString &text) {
    Clear();
    const std::string &b = text.Bytes();
    std::size_t start = 0;
    while (start < b.size()) {
        std::size_t end = b.find_first_of("\r\n", start);
        if (end == std::string::npos) end = b.size();
        Add(AnsiString::FromBytes(std::string_view(b).substr(start, end - start)));
        if (end < b.size() && b[end] == '\r') ++end;
        if (end < b.size() && b[end] == '\n') ++end;
        start = end;
    }
}

AnsiString TStringList::Get(int index) const {
    if (index < 0 || index >= Count()) throw ERangeError("List index out of bounds");
    return items_[static_cast<std::size_t>(index)];
}

void TStringList::Insert(int index, const AnsiString &s) {
    if (index < 0 || index > Count()) throw ERangeError("List index out of bounds");
    items_.insert(items_.begin() + index, s);
}
