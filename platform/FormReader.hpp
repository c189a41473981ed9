// The reader of form descriptions in the class library's text form:
//
//     object Form1: TForm1
//       Caption = 'Quindral'
//       Font.Name = 'ＭＳ ゴシック'
//       object Memo1: TMemo
//         Lines.Strings = (
//           'Memo1')
//       end
//     end
//
// The text is UTF-8. A property is `Ident{.Ident} = value`; a value is an integer
// (decimal, or hexadecimal after "$"), a float, a string (quoted pieces, '' for a quote
// inside, and #NNN character codes, Unicode code points, run together; pieces may also
// be joined by "+"), an identifier, a set [a, b], a list ( ... ), binary data { hex } or a
// collection < item ... end ... >. The properties of an object come before its nested
// objects. Strings become code page 932 (a character the code page lacks becomes "?").
// Identifiers and names match without regard to case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/SysUtils.hpp"
#include "platform/System.hpp"

class TForm;

struct TFormProperty;

struct TFormValue {
    enum Kind { Integer, Float, String, Ident, Set, List, Binary, Collection };
    Kind kind = Integer;
    int line = 0;
    long long integer = 0;
    double real = 0;
    AnsiString text;                                     // String: the bytes; Ident: the identifier
    std::vector<AnsiString> names;                       // Set: its identifiers
    std::vector<TFormValue> items;                       // List: its values
    std::string bytes;                                   // Binary
    std::vector<std::vector<TFormProperty>> collection;  // Collection: each item's
};

struct TFormProperty {
    AnsiString name;  // dotted, such as "Font.Name"
    TFormValue value;
    int line = 0;
};

struct TFormObject {
    AnsiString name;
    AnsiString className;
    int line = 0;
    std::vector<TFormProperty> properties;
    std::vector<TFormObject> children;
};

// Parses a form description. EReadError, with `source` and the line, when the text is
// not one well-formed object.
TFormObject ParseFormDescription(std::string_view text, const AnsiString &source);

// Builds `form` from the form description registered for `className`: its properties,
// its components (TMemo, TButton, TMainMenu, TMenuItem, owned by the form) and their
// properties, event properties bound to `className`'s published methods. EResNotFound
// when no description is registered; EReadError with the line for an unknown class,
// property, value, component or method.
void ReadForm(TForm *form, const AnsiString &className);
// The same from a given text.
void ReadForm(TForm *form, const AnsiString &className, std::string_view text);

// True when the two identifiers are equal without regard to the case of ASCII letters,
// as the form description's identifiers are compared.
bool SameIdentifier(const AnsiString &a, const AnsiString &b);
