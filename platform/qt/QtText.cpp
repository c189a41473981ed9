#include "platform/qt/QtText.hpp"

namespace QtText {
namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Length in bytes of the character that begins at `i`.
std::size_t UnitLength(const std::string &bytes, std::size_t i) {
    if (bytes[i] == '\r') return i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 2 : 1;
    if (IsCp932LeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size() &&
        !IsLineEnd(bytes[i + 1]))
        return 2;
    return 1;
}

// One line's characters (no line ends inside), one character of the result each.
void AppendLine(QString &out, std::string_view line) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < line.size(); ++units) {
        bool pair = IsCp932LeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size();
        i += pair ? 2 : 1;
    }
    QString converted = QString::fromUtf8(AnsiString::FromBytes(line).ToUtf8());
    if (static_cast<std::size_t>(converted.size()) == units) {
        out += converted;
        return;
    }
    // The conversion did not give one character for each: go character by character,
    // so that positions keep matching.
    for (std::size_t i = 0; i < line.size();) {
        bool pair = IsCp932LeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size();
        std::size_t n = pair ? 2 : 1;
        QString one = QString::fromUtf8(AnsiString::FromBytes(line.substr(i, n)).ToUtf8());
        out += one.size() == 1 ? one.at(0) : QChar(u'?');
        i += n;
    }
}

}  // namespace

QString ToUnicode(const AnsiString &text) { return QString::fromUtf8(text.ToUtf8()); }

AnsiString FromUnicode(const QString &text) {
    return AnsiString::FromUtf8(text.toUtf8().toStdString());
}

QString EditText(const std::string &bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t start = 0;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && !IsLineEnd(bytes[i])) continue;
        AppendLine(out, std::string_view(bytes).substr(start, i - start));
        if (i == bytes.size()) break;
        out += u'\n';
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    return out;
}

int CharPosition(const std::string &bytes, int bytePos) {
    if (bytePos <= 0) return 0;
    int chars = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t n = UnitLength(bytes, i);
        if (static_cast<std::size_t>(bytePos) < i + n) break;
        i += n;
        ++chars;
    }
    return chars;
}

bool EndsCleanly(const std::string &bytes) {
    if (bytes.empty()) return true;
    if (bytes.back() == '\r') return false;
    // The last character is a lone lead byte when the walk ends on it alone. A line end
    // never trails a lead byte, so the walk may start after the last one.
    std::size_t i = bytes.find_last_of("\r\n");
    i = i == std::string::npos ? 0 : i + 1;
    std::size_t last = i;
    while (i < bytes.size()) {
        last = i;
        i += UnitLength(bytes, i);
    }
    return !(i - last == 1 && IsCp932LeadByte(static_cast<unsigned char>(bytes[last])));
}

}  // namespace QtText
