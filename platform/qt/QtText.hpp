// Texts between the platform's code page 932 bytes and the toolkit's Unicode strings.
#pragma once

#include <QString>

#include "platform/System.hpp"

namespace QtText {

// A caption or message, converted as a whole.
QString ToUnicode(const AnsiString &text);
AnsiString FromUnicode(const QString &text);

// The text of an edit control as the toolkit shows it: every character of the code page
// becomes exactly one character of the result, and each line end (CR LF, or a lone CR
// or LF) becomes one "\n". A double-byte character is a lead byte and the byte after it,
// unless that byte ends the line; a lead byte without its second byte becomes "?".
QString EditText(const std::string &bytes);

// The character position in EditText(bytes) of the byte position `bytePos` (0 before the
// first byte). A position inside a character or inside a CR LF goes back to its start;
// positions past the end stand for the end.
int CharPosition(const std::string &bytes, int bytePos);

// True when text appended to `bytes` cannot join with its last character: EditText of
// the whole is then EditText(bytes) followed by EditText(tail).
bool EndsCleanly(const std::string &bytes);

}  // namespace QtText
