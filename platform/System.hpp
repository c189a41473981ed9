// The platform's basic types: the byte string of the Windows ANSI code page (932),
// the date-time value, dynamic arrays, properties and the exception class.
#pragma once

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// A byte string in code page 932 (Shift_JIS). Lengths and positions count bytes,
// positions start at 1, equality is byte for byte.
//
// A plain `const char*` holds code page bytes already; a `u8"..."` literal is UTF-8
// text and is converted to code page 932 (a character the code page lacks becomes "?").
class AnsiString {
public:
    AnsiString() = default;
    AnsiString(const char *bytes) : bytes_(bytes ? bytes : "") {}
    AnsiString(const char8_t *utf8);
    AnsiString(char c) : bytes_(1, c) {}

    static AnsiString FromBytes(std::string_view bytes);
    // UTF-8 text (as bytes) converted to code page 932.
    static AnsiString FromUtf8(std::string_view utf8);
    static AnsiString StringOfChar(char c, int count);

    // The text converted to UTF-8; a byte sequence that is no code page 932 character
    // becomes "?".
    std::string ToUtf8() const;

    const std::string &Bytes() const { return bytes_; }
    const char *c_str() const { return bytes_.c_str(); }
    int Length() const { return static_cast<int>(bytes_.size()); }
    bool IsEmpty() const { return bytes_.empty(); }

    // Byte at position `pos`, counted from 1.
    char operator[](int pos) const;
    // `count` bytes from position `pos` (from 1); what lies past the end is left out,
    // and a start past the end gives the empty text.
    AnsiString SubString(int pos, int count) const;
    // Position (from 1) of the first occurrence of `sub`, or 0.
    int Pos(const AnsiString &sub) const;
    // True when the byte at `pos` (from 1) is the first byte of a double-byte character.
    bool IsLeadByte(int pos) const;

    AnsiString &operator+=(const AnsiString &other) {
        bytes_ += other.bytes_;
        return *this;
    }
    friend AnsiString operator+(AnsiString a, const AnsiString &b) { return a += b; }
    friend bool operator==(const AnsiString &a, const AnsiString &b) {
        return a.bytes_ == b.bytes_;
    }
    friend bool operator!=(const AnsiString &a, const AnsiString &b) { return !(a == b); }
    friend bool operator<(const AnsiString &a, const AnsiString &b) { return a.bytes_ < b.bytes_; }

private:
    std::string bytes_;
};

// True for the bytes that begin a double-byte character in code page 932.
bool IsCp932LeadByte(unsigned char b);

// Days since 30 December 1899 in the whole part, the time of day as the fraction.
using TDateTime = double;

// The platform's exception class: every error it raises is one of these.
class Exception : public std::exception {
public:
    explicit Exception(const AnsiString &message) : Message(message) {}
    const char *what() const noexcept override { return Message.c_str(); }
    AnsiString Message;
};

// Formats `format`, replacing each "%s" in turn by the next argument and "%%" by "%".
AnsiString Format(const AnsiString &format, std::initializer_list<AnsiString> args);

// A growable array indexed from 0. An index outside it raises ERangeError instead of
// touching memory that is not there.
class ERangeError : public Exception {
public:
    using Exception::Exception;
};

template <class T>
class DynamicArray {
public:
    int Length() const { return static_cast<int>(items_.size()); }
    void SetLength(int n) { items_.resize(n < 0 ? 0 : static_cast<std::size_t>(n)); }
    T &operator[](int i) {
        Check(i);
        return items_[static_cast<std::size_t>(i)];
    }
    const T &operator[](int i) const {
        Check(i);
        return items_[static_cast<std::size_t>(i)];
    }

private:
    void Check(int i) const {
        if (i < 0 || i >= Length()) throw ERangeError("Range check error");
    }
    std::vector<T> items_;
};

// A property of a component: reads call the getter, assignments call the setter, so
// that `Button1->Visible = false` stores the value and tells the widget set.
template <class C, class T, T (C::*Get)() const, void (C::*Set)(T)>
class Property {
public:
    explicit Property(C *self) : self_(self) {}
    Property(const Property &) = delete;
    operator T() const { return (self_->*Get)(); }
    Property &operator=(T value) {
        (self_->*Set)(value);
        return *this;
    }
    Property &operator=(const Property &other) { return *this = static_cast<T>(other); }

private:
    C *self_;
};
