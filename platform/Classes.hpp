// The class library's base classes: objects, components with owners and names, string
// lists, and the notify event of the controls.
#pragma once

#include <functional>
#include <vector>

#include "platform/System.hpp"

class TObject {
public:
    virtual ~TObject() = default;
};

class TPersistent : public TObject {};

// A handler of a control's event; it receives the sending object.
using TNotifyEvent = std::function<void(TObject *Sender)>;

// A component belongs to its owner, which destroys it.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent *AOwner);
    ~TComponent() override;
    TComponent(const TComponent &) = delete;
    TComponent &operator=(const TComponent &) = delete;

    TComponent *Owner() const { return owner_; }
    const AnsiString &Name() const { return name_; }
    void SetName(const AnsiString &name) { name_ = name; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent *Components(int i) const { return components_.at(static_cast<std::size_t>(i)); }
    // The owned component of that name, or none.
    TComponent *FindComponent(const AnsiString &name) const;
    // Destroys the owned components, the last made first.
    void DestroyComponents();

private:
    void Remove(TComponent *c);
    TComponent *owner_;
    AnsiString name_;
    std::vector<TComponent *> components_;
};

// A list of texts, one a line. The text of the whole list is every line followed by
// CR LF, the last one too.
class TStrings : public TPersistent {
public:
    virtual int Count() const = 0;
    virtual AnsiString Get(int index) const = 0;
    virtual void Insert(int index, const AnsiString &s) = 0;
    virtual void Clear() = 0;

    // Appends a line after the last one; returns its index.
    int Add(const AnsiString &s) {
        int at = Count();
        Insert(at, s);
        return at;
    }
    AnsiString operator[](int index) const { return Get(index); }

    virtual AnsiString Text() const;
    virtual void SetText(const AnsiString &text);

    // Writes the text of the list to a file, which is created or emptied. EFCreateError
    // (SFCreateError with the path) when the file cannot be created, EWriteError
    // (SWriteError) when not all of it could be written; the file is closed either way.
    void SaveToFile(const AnsiString &fileName) const;
};

// A list of texts held in memory.
class TStringList : public TStrings {
public:
    int Count() const override { return static_cast<int>(items_.size()); }
    AnsiString Get(int index) const override;
    void Insert(int index, const AnsiString &s) override;
    void Clear() override { items_.clear(); }

private:
    std::vector<AnsiString> items_;
};
