#include "platform/FormReader.hpp"

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>

#include "platform/Controls.hpp"
#include "platform/Forms.hpp"
#include "platform/Menus.hpp"
#include "platform/Resources.hpp"
#include "platform/StdCtrls.hpp"

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerCase(const std::string &s) {
    std::string lower = s;
    for (char &c : lower) c = Lower(c);
    return lower;
}

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// True when `s` is well-formed UTF-8.
bool IsUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        std::size_t n = b < 0x80                 ? 1
                        : b >= 0xC2 && b <= 0xDF ? 2
                        : b >= 0xE0 && b <= 0xEF ? 3
                        : b >= 0xF0 && b <= 0xF4 ? 4
                                                 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        unsigned char b1 = static_cast<unsigned char>(n > 1 ? s[i + 1] : 0);
        if ((b == 0xE0 && b1 < 0xA0) || (b == 0xED && b1 >= 0xA0) || (b == 0xF0 && b1 < 0x90) ||
            (b == 0xF4 && b1 >= 0x90))
            return false;  // overlong, surrogate or past U+10FFFF
        i += n;
    }
    return true;
}

void AppendUtf8(std::string &out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

[[noreturn]] void Fail(const AnsiString &source, int line, const std::string &what) {
    throw EReadError(
        AnsiString::FromBytes(source.Bytes() + ", line " + std::to_string(line) + ": " + what));
}

// ---- Parsing ------------------------------------------------------------------------

constexpr int MaxDepth = 32;

class TParser {
public:
    TParser(std::string_view text, const AnsiString &source) : s_(text), source_(source) {
        if (s_.substr(0, 3) == "\xEF\xBB\xBF") i_ = 3;  // a byte-order mark
    }

    TFormObject Root() {
        SkipSpace();
        TFormObject root = Object(0);
        SkipSpace();
        if (!AtEnd()) Fail(line_, "text after the last 'end': " + Found());
        return root;
    }

private:
    [[noreturn]] void Fail(int line, const std::string &what) const { ::Fail(source_, line, what); }

    bool AtEnd() const { return i_ >= s_.size(); }
    char Peek() const { return AtEnd() ? '\0' : s_[i_]; }

    void SkipSpace() {
        while (!AtEnd()) {
            char c = s_[i_];
            if (c == '\n')
                ++line_;
            else if (c != ' ' && c != '\t' && c != '\r')
                break;
            ++i_;
        }
    }

    // What stands at the current place, for an error message.
    std::string Found() const {
        if (AtEnd()) return "the end of the text";
        std::size_t n = 0;
        if (IsIdentChar(s_[i_]))
            while (i_ + n < s_.size() && IsIdentChar(s_[i_ + n]) && n < 40) ++n;
        else
            n = 1;
        return "'" + std::string(s_.substr(i_, n)) + "'";
    }

    void Expect(char c, const std::string &after) {
        SkipSpace();
        if (Peek() != c)
            Fail(line_, std::string("expected '") + c + "' " + after + ", found " + Found());
        ++i_;
    }

    std::string Ident(const char *what) {
        SkipSpace();
        if (!IsIdentStart(Peek()))
            Fail(line_, std::string("expected ") + what + ", found " + Found());
        std::size_t start = i_;
        while (!AtEnd() && IsIdentChar(s_[i_])) ++i_;
        return std::string(s_.substr(start, i_ - start));
    }

    // True when the next word is `word` (any case); the word is not taken.
    bool NextWordIs(const char *word) {
        SkipSpace();
        std::size_t n = 0;
        while (i_ + n < s_.size() && IsIdentChar(s_[i_ + n])) ++n;
        return n > 0 && LowerCase(std::string(s_.substr(i_, n))) == word;
    }

    TFormObject Object(int depth) {
        if (depth > MaxDepth) Fail(line_, "objects nested too deeply");
        TFormObject object;
        object.line = line_;
        std::string keyword = LowerCase(Ident("'object'"));
        if (keyword == "inherited" || keyword == "inline")
            Fail(object.line, "'" + keyword + "' objects are not supported");
        if (keyword != "object") Fail(object.line, "expected 'object', found '" + keyword + "'");
        object.name = AnsiString::FromBytes(Ident("the object's name"));
        Expect(':', "after the object's name");
        object.className = AnsiString::FromBytes(Ident("the object's class"));
        bool nested = false;
        for (;;) {
            SkipSpace();
            if (AtEnd())
                Fail(line_, "object " + object.name.Bytes() + " (line " +
                                std::to_string(object.line) + ") has no 'end'");
            if (NextWordIs("end")) {
                Ident("'end'");
                break;
            }
            if (NextWordIs("object") || NextWordIs("inherited") || NextWordIs("inline")) {
                object.children.push_back(Object(depth + 1));
                nested = true;
                continue;
            }
            if (nested)
                Fail(line_,
                     "property " + Found() + " after the nested objects of " + object.name.Bytes());
            object.properties.push_back(Property(depth));
        }
        return object;
    }

    TFormProperty Property(int depth) {
        TFormProperty property;
        SkipSpace();
        property.line = line_;
        std::string name = Ident("a property name");
        while (Peek() == '.') {
            ++i_;
            if (!IsIdentStart(Peek())) Fail(line_, "expected a name after '.' in " + name);
            name += "." + Ident("a name");
        }
        property.name = AnsiString::FromBytes(name);
        Expect('=', "after " + name);
        property.value = Value(depth + 1);
        return property;
    }

    TFormValue Value(int depth) {
        if (depth > MaxDepth) Fail(line_, "values nested too deeply");
        SkipSpace();
        TFormValue value;
        value.line = line_;
        char c = Peek();
        if (c == '\'' || c == '#') {
            value.kind = TFormValue::String;
            value.text = String();
        } else if (IsDigit(c) || c == '-' || c == '+' || c == '$') {
            Number(value);
        } else if (IsIdentStart(c)) {
            value.kind = TFormValue::Ident;
            std::string name = Ident("a value");
            while (Peek() == '.' && i_ + 1 < s_.size() && IsIdentStart(s_[i_ + 1])) {
                ++i_;
                name += "." + Ident("a name");
            }
            value.text = AnsiString::FromBytes(name);
        } else if (c == '[') {
            ++i_;
            value.kind = TFormValue::Set;
            SkipSpace();
            if (Peek() == ']') {
                ++i_;
            } else {
                for (;;) {
                    value.names.push_back(AnsiString::FromBytes(Ident("a set element")));
                    SkipSpace();
                    if (Peek() == ']') {
                        ++i_;
                        break;
                    }
                    Expect(',', "between set elements");
                }
            }
        } else if (c == '(') {
            ++i_;
            value.kind = TFormValue::List;
            for (;;) {
                SkipSpace();
                if (AtEnd()) Fail(value.line, "list without ')'");
                if (Peek() == ')') {
                    ++i_;
                    break;
                }
                value.items.push_back(Value(depth + 1));
            }
        } else if (c == '{') {
            ++i_;
            value.kind = TFormValue::Binary;
            int high = -1;
            for (;;) {
                SkipSpace();
                if (AtEnd()) Fail(value.line, "binary data without '}'");
                char h = s_[i_++];
                if (h == '}') break;
                int digit = HexValue(h);
                if (digit < 0) Fail(line_, "binary data holds '" + std::string(1, h) + "'");
                if (high < 0) {
                    high = digit;
                } else {
                    value.bytes += static_cast<char>(high * 16 + digit);
                    high = -1;
                }
            }
            if (high >= 0) Fail(line_, "binary data with an odd number of hex digits");
        } else if (c == '<') {
            ++i_;
            value.kind = TFormValue::Collection;
            for (;;) {
                SkipSpace();
                if (AtEnd()) Fail(value.line, "collection without '>'");
                if (Peek() == '>') {
                    ++i_;
                    break;
                }
                if (!NextWordIs("item")) Fail(line_, "expected 'item', found " + Found());
                Ident("'item'");
                std::vector<TFormProperty> item;
                for (;;) {
                    SkipSpace();
                    if (AtEnd()) Fail(line_, "collection item without 'end'");
                    if (NextWordIs("end")) {
                        Ident("'end'");
                        break;
                    }
                    item.push_back(Property(depth + 1));
                }
                value.collection.push_back(std::move(item));
            }
        } else {
            Fail(line_, "expected a value, found " + Found());
        }
        return value;
    }

    void Number(TFormValue &value) {
        std::size_t start = i_;
        bool negative = false;
        if (Peek() == '-' || Peek() == '+') negative = s_[i_++] == '-';
        unsigned long long magnitude = 0;
        auto add = [&](unsigned base, int digit) {
            if (magnitude > (std::numeric_limits<unsigned long long>::max() - digit) / base)
                Fail(line_, "number out of range");
            magnitude = magnitude * base + static_cast<unsigned>(digit);
        };
        std::size_t digits = 0;
        if (Peek() == '$') {
            ++i_;
            while (!AtEnd() && HexValue(s_[i_]) >= 0) add(16, HexValue(s_[i_++])), ++digits;
        } else {
            while (!AtEnd() && IsDigit(s_[i_])) add(10, s_[i_++] - '0'), ++digits;
            if (digits > 0 && (Peek() == '.' || Peek() == 'e' || Peek() == 'E')) {
                if (Peek() == '.') {
                    ++i_;
                    while (!AtEnd() && IsDigit(s_[i_])) ++i_;
                }
                if (Peek() == 'e' || Peek() == 'E') {
                    ++i_;
                    if (Peek() == '-' || Peek() == '+') ++i_;
                    if (!IsDigit(Peek())) Fail(line_, "invalid number");
                    while (!AtEnd() && IsDigit(s_[i_])) ++i_;
                }
                value.kind = TFormValue::Float;
                value.real = std::stod(std::string(s_.substr(start, i_ - start)));
                EndOfNumber();
                return;
            }
        }
        if (digits == 0) Fail(line_, "invalid number");
        if (magnitude > static_cast<unsigned long long>(std::numeric_limits<long long>::max()))
            Fail(line_, "number out of range");
        value.kind = TFormValue::Integer;
        value.integer = static_cast<long long>(magnitude) * (negative ? -1 : 1);
        EndOfNumber();
    }

    void EndOfNumber() {
        if (!AtEnd() && (IsIdentChar(s_[i_]) || s_[i_] == '.'))
            Fail(line_, "invalid number ending in " + Found());
    }

    // Quoted pieces and character codes, run together or joined by "+".
    AnsiString String() {
        std::string utf8;
        for (;;) {
            char c = Peek();
            if (c == '\'') {
                ++i_;
                std::size_t pieceStart = utf8.size();
                for (;;) {
                    if (AtEnd() || s_[i_] == '\n' || s_[i_] == '\r')
                        Fail(line_, "string without its closing quote");
                    char q = s_[i_++];
                    if (q != '\'') {
                        utf8 += q;
                    } else if (Peek() == '\'') {
                        utf8 += '\'';
                        ++i_;
                    } else {
                        break;
                    }
                }
                if (!IsUtf8(std::string_view(utf8).substr(pieceStart)))
                    Fail(line_, "string is not UTF-8 text");
            } else if (c == '#') {
                ++i_;
                unsigned long long code = 0;
                std::size_t digits = 0;
                bool hex = Peek() == '$';
                if (hex) ++i_;
                while (!AtEnd() && (hex ? HexValue(s_[i_]) >= 0 : IsDigit(s_[i_]))) {
                    code = code * (hex ? 16 : 10) +
                           static_cast<unsigned>(hex ? HexValue(s_[i_]) : s_[i_] - '0');
                    ++i_;
                    if (++digits > 8) break;
                }
                if (digits == 0) Fail(line_, "'#' without a character code");
                if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || digits > 8)
                    Fail(line_, "#" + std::to_string(code) + " is no character");
                AppendUtf8(utf8, static_cast<std::uint32_t>(code));
            } else {
                break;
            }
            // A "+" joins the next piece, also on the next line.
            std::size_t save = i_;
            int saveLine = line_;
            SkipSpace();
            if (Peek() == '+') {
                ++i_;
                SkipSpace();
                if (Peek() != '\'' && Peek() != '#')
                    Fail(line_, "expected a string after '+', found " + Found());
            } else {
                i_ = save;
                line_ = saveLine;
            }
        }
        return AnsiString::FromUtf8(utf8);
    }

    std::string_view s_;
    const AnsiString &source_;
    std::size_t i_ = 0;
    int line_ = 1;
};

// ---- Building -----------------------------------------------------------------------

struct TNamedValue {
    const char *name;
    int value;
};

const TNamedValue Cursors[] = {
    {"crDefault", crDefault},     {"crNone", crNone},           {"crArrow", crArrow},
    {"crCross", crCross},         {"crIBeam", crIBeam},         {"crSizeNESW", crSizeNESW},
    {"crSizeNS", crSizeNS},       {"crSizeNWSE", crSizeNWSE},   {"crSizeWE", crSizeWE},
    {"crUpArrow", crUpArrow},     {"crHourGlass", crHourGlass}, {"crDrag", crDrag},
    {"crNoDrop", crNoDrop},       {"crHSplit", crHSplit},       {"crVSplit", crVSplit},
    {"crMultiDrag", crMultiDrag}, {"crSQLWait", crSQLWait},     {"crNo", crNo},
    {"crAppStart", crAppStart},   {"crHelp", crHelp},           {"crHandPoint", crHandPoint},
    {"crSizeAll", crSizeAll},
};

const TNamedValue Colors[] = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clBtnFace", clBtnFace},
    {"clWindow", clWindow},
    {"clWindowText", clWindowText},
};

const TNamedValue Charsets[] = {
    {"ANSI_CHARSET", ANSI_CHARSET},     {"DEFAULT_CHARSET", DEFAULT_CHARSET},
    {"SYMBOL_CHARSET", SYMBOL_CHARSET}, {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET},
    {"OEM_CHARSET", OEM_CHARSET},
};

const TNamedValue FontStyles[] = {
    {"fsBold", fsBold},
    {"fsItalic", fsItalic},
    {"fsUnderline", fsUnderline},
    {"fsStrikeOut", fsStrikeOut},
};

const TNamedValue ScrollStyles[] = {
    {"ssNone", ssNone},
    {"ssHorizontal", ssHorizontal},
    {"ssVertical", ssVertical},
    {"ssBoth", ssBoth},
};

const TNamedValue Booleans[] = {{"False", 0}, {"True", 1}};

// The bytes of an icon file: as given, or after the 4-byte size the class library can
// write before them. None when they are no icon file.
std::optional<std::string> IconFile(const std::string &data) {
    auto u16 = [](const std::string &b, std::size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(b[at])) |
               static_cast<unsigned>(static_cast<unsigned char>(b[at + 1])) << 8;
    };
    auto u32 = [&](const std::string &b, std::size_t at) {
        return static_cast<std::uint32_t>(u16(b, at)) | static_cast<std::uint32_t>(u16(b, at + 2))
                                                            << 16;
    };
    auto isIcon = [&](const std::string &b) {
        if (b.size() < 6 || u16(b, 0) != 0 || u16(b, 2) != 1) return false;
        std::size_t count = u16(b, 4);
        if (count == 0 || 6 + 16 * count > b.size()) return false;
        for (std::size_t k = 0; k < count; ++k) {
            std::uint64_t size = u32(b, 6 + 16 * k + 8);
            std::uint64_t offset = u32(b, 6 + 16 * k + 12);
            if (size == 0 || offset < 6 + 16 * count || offset + size > b.size()) return false;
        }
        return true;
    };
    if (isIcon(data)) return data;
    if (data.size() >= 4 && u32(data, 0) == data.size() - 4 && isIcon(data.substr(4)))
        return data.substr(4);
    return std::nullopt;
}

class TBuilder {
public:
    TBuilder(TForm *form, const AnsiString &className, const AnsiString &source)
        : form_(form), className_(className), source_(source) {}

    void Build(const TFormObject &root) {
        if (!SameIdentifier(root.className, className_))
            Fail(root.line, "the description is of " + root.className.Bytes() + ", not of " +
                                className_.Bytes());
        form_->SetName(root.name);
        ApplyProperties(form_, root);
        for (const TFormObject &child : root.children) MakeComponent(form_, child);
        for (const auto &[name, line] : menuRefs_) {
            auto *menu = dynamic_cast<TMainMenu *>(Component(name));
            if (!menu) Fail(line, "Menu: " + name.Bytes() + " is no TMainMenu of the form");
            form_->Menu = menu;
        }
    }

private:
    [[noreturn]] void Fail(int line, const std::string &what) const { ::Fail(source_, line, what); }

    TComponent *Component(const AnsiString &name) const {
        for (int i = 0; i < form_->ComponentCount(); ++i)
            if (SameIdentifier(form_->Components(i)->Name(), name)) return form_->Components(i);
        return nullptr;
    }

    void MakeComponent(TComponent *holder, const TFormObject &object) {
        if (Component(object.name) || SameIdentifier(object.name, form_->Name()))
            Fail(object.line, "a component named " + object.name.Bytes() + " exists already");
        std::string cls = LowerCase(object.className.Bytes());
        TComponent *made = nullptr;
        auto cannotHold = [&] {
            Fail(object.line, Describe(holder) + " cannot hold " + object.name.Bytes() + " (" +
                                  object.className.Bytes() + ")");
        };
        if (cls == "tbutton" || cls == "tmemo") {
            if (holder != form_) cannotHold();
            TControl *control = nullptr;
            if (cls == "tbutton")
                control = new TButton(form_);
            else
                control = new TMemo(form_);
            control->SetName(object.name);
            control->Parent = form_;
            made = control;
        } else if (cls == "tmainmenu") {
            if (holder != form_) cannotHold();
            made = new TMainMenu(form_);
            made->SetName(object.name);
        } else if (cls == "tmenuitem") {
            TMenuItem *under = nullptr;
            if (auto *menu = dynamic_cast<TMainMenu *>(holder)) under = menu->Items;
            if (auto *item = dynamic_cast<TMenuItem *>(holder)) under = item;
            if (!under) cannotHold();
            auto *item = new TMenuItem(form_);
            item->SetName(object.name);
            under->Add(item);
            made = item;
        } else {
            Fail(object.line, "class " + object.className.Bytes() + " is not known");
        }
        ApplyProperties(made, object);
        for (const TFormObject &child : object.children) MakeComponent(made, child);
    }

    static std::string Describe(TComponent *c) {
        return c->Name().Bytes() + " (" + ClassNameOf(typeid(*c)).Bytes() + ")";
    }

    void ApplyProperties(TComponent *c, const TFormObject &object) {
        for (const TFormProperty &p : object.properties)
            if (!Apply(c, LowerCase(p.name.Bytes()), p))
                Fail(p.line, Describe(c) + " has no property " + p.name.Bytes());
    }

    // ---- Values ----

    int Int(const TFormProperty &p) const {
        if (p.value.kind != TFormValue::Integer)
            Fail(p.value.line, p.name.Bytes() + " takes an integer");
        if (p.value.integer < std::numeric_limits<int>::min() ||
            p.value.integer > std::numeric_limits<int>::max())
            Fail(p.value.line, p.name.Bytes() + " out of range");
        return static_cast<int>(p.value.integer);
    }

    AnsiString Str(const TFormProperty &p) const {
        if (p.value.kind != TFormValue::String)
            Fail(p.value.line, p.name.Bytes() + " takes a string");
        return p.value.text;
    }

    template <std::size_t N>
    int Named(const TFormProperty &p, const AnsiString &ident,
              const TNamedValue (&table)[N]) const {
        for (const TNamedValue &named : table)
            if (SameIdentifier(ident, named.name)) return named.value;
        Fail(p.value.line, ident.Bytes() + " is no value of " + p.name.Bytes());
    }

    template <std::size_t N>
    int Ident(const TFormProperty &p, const TNamedValue (&table)[N]) const {
        if (p.value.kind != TFormValue::Ident)
            Fail(p.value.line, p.name.Bytes() + " takes one of its names");
        return Named(p, p.value.text, table);
    }

    template <std::size_t N>
    int IntOrIdent(const TFormProperty &p, const TNamedValue (&table)[N]) const {
        if (p.value.kind == TFormValue::Integer) return Int(p);
        return Ident(p, table);
    }

    bool Bool(const TFormProperty &p) const { return Ident(p, Booleans) != 0; }

    template <std::size_t N>
    int Set(const TFormProperty &p, const TNamedValue (&table)[N]) const {
        if (p.value.kind != TFormValue::Set) Fail(p.value.line, p.name.Bytes() + " takes a set");
        int bits = 0;
        for (const AnsiString &name : p.value.names) bits |= Named(p, name, table);
        return bits;
    }

    TNotifyEvent Handler(const TFormProperty &p) const {
        if (p.value.kind != TFormValue::Ident)
            Fail(p.value.line, p.name.Bytes() + " takes the name of a method");
        const TMethodInvoker *found = TPublishedMethodsBase::Find(className_, p.value.text);
        if (!found)
            Fail(p.value.line,
                 className_.Bytes() + " has no published method " + p.value.text.Bytes());
        TForm *form = form_;
        TMethodInvoker invoke = *found;
        return [form, invoke](TObject *Sender) { invoke(form, Sender); };
    }

    // ---- Properties, by class ----

    bool Apply(TComponent *c, const std::string &name, const TFormProperty &p) {
        if (auto *form = dynamic_cast<TForm *>(c)) {
            if (ApplyForm(form, name, p)) return true;
            if (name == "caption") return form->Caption = Str(p), true;
            return ApplyControl(form, name, p);
        }
        if (auto *memo = dynamic_cast<TMemo *>(c)) {
            if (name == "lines.strings") {
                if (p.value.kind != TFormValue::List)
                    Fail(p.value.line, "Lines.Strings takes a list of strings");
                memo->Lines->Clear();
                for (const TFormValue &line : p.value.items) {
                    if (line.kind != TFormValue::String)
                        Fail(line.line, "Lines.Strings holds strings only");
                    memo->Lines->Add(line.text);
                }
                return true;
            }
            if (name == "readonly") return memo->ReadOnly = Bool(p), true;
            if (name == "scrollbars")
                return memo->ScrollBars = static_cast<TScrollStyle>(Ident(p, ScrollStyles)), true;
            if (name == "taborder") return memo->TabOrder = Int(p), true;
            if (name == "parentfont") return memo->ParentFont = Bool(p), true;
            return ApplyControl(memo, name, p);
        }
        if (auto *button = dynamic_cast<TButton *>(c)) {
            if (name == "caption") return button->Caption = Str(p), true;
            if (name == "taborder") return button->TabOrder = Int(p), true;
            if (name == "parentfont") return button->ParentFont = Bool(p), true;
            return ApplyControl(button, name, p);
        }
        if (auto *item = dynamic_cast<TMenuItem *>(c)) {
            if (name == "caption") return item->Caption = Str(p), true;
            if (name == "shortcut") {
                int key = Int(p);
                if (key < 0 || key > 0xFFFF) Fail(p.value.line, "ShortCut out of range");
                return item->ShortCut = static_cast<TShortCut>(key), true;
            }
            if (name == "visible") return item->Visible = Bool(p), true;
            if (name == "onclick") return item->OnClick = Handler(p), true;
            return false;
        }
        return false;  // a main menu has no properties of its own here
    }

    bool ApplyControl(TControl *c, const std::string &name, const TFormProperty &p) {
        if (name == "left") return c->Left = Int(p), true;
        if (name == "top") return c->Top = Int(p), true;
        if (name == "width") return c->Width = Int(p), true;
        if (name == "height") return c->Height = Int(p), true;
        if (name == "visible") return c->Visible = Bool(p), true;
        if (name == "cursor") return c->Cursor = IntOrIdent(p, Cursors), true;
        if (name == "font.charset") return c->Font->Charset = IntOrIdent(p, Charsets), true;
        if (name == "font.color") return c->Font->Color = IntOrIdent(p, Colors), true;
        if (name == "font.height") return c->Font->Height = Int(p), true;
        if (name == "font.name") return c->Font->Name = Str(p), true;
        if (name == "font.style") return c->Font->Style = Set(p, FontStyles), true;
        if (name == "onclick") return c->OnClick = Handler(p), true;
        return false;
    }

    bool ApplyForm(TForm *form, const std::string &name, const TFormProperty &p) {
        if (name == "menu") {
            if (p.value.kind != TFormValue::Ident)
                Fail(p.value.line, "Menu takes the name of a TMainMenu");
            menuRefs_.emplace_back(p.value.text, p.value.line);
            return true;
        }
        if (name == "pixelsperinch") return form->PixelsPerInch = Int(p), true;
        if (name == "textheight") return form->TextHeight = Int(p), true;
        if (name == "icon.data") {
            if (p.value.kind != TFormValue::Binary)
                Fail(p.value.line, "Icon.Data takes binary data");
            std::optional<std::string> ico = IconFile(p.value.bytes);
            if (!ico) Fail(p.value.line, "Icon.Data holds no icon file");
            form->Icon->SetData(*ico);
            return true;
        }
        return false;
    }

    TForm *form_;
    const AnsiString &className_;
    const AnsiString &source_;
    std::vector<std::pair<AnsiString, int>> menuRefs_;
};

AnsiString SourceName(const AnsiString &className) { return className + " form description"; }

}  // namespace

bool SameIdentifier(const AnsiString &a, const AnsiString &b) {
    const std::string &x = a.Bytes();
    const std::string &y = b.Bytes();
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i)
        if (Lower(x[i]) != Lower(y[i])) return false;
    return true;
}

TFormObject ParseFormDescription(std::string_view text, const AnsiString &source) {
    return TParser(text, source).Root();
}

void ReadForm(TForm *form, const AnsiString &className, std::string_view text) {
    AnsiString source = SourceName(className);
    TFormObject root = ParseFormDescription(text, source);
    TBuilder(form, className, source).Build(root);
}

void ReadForm(TForm *form, const AnsiString &className) {
    std::optional<std::string_view> text = FindResource(className, rtForm);
    if (!text) throw EResNotFound(Format("Resource %s not found", {className}));
    ReadForm(form, className, *text);
}
