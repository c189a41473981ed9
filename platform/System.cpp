#include "platform/System.hpp"

#include <iconv.h>

#include <cerrno>

namespace {

// Length of the UTF-8 sequence that starts with `b`, 1 for a stray byte.
std::size_t Utf8SequenceLength(unsigned char b) {
    if (b >= 0xF0 && b <= 0xF4) return 4;
    if (b >= 0xE0) return b <= 0xEF ? 3 : 1;
    if (b >= 0xC2 && b <= 0xDF) return 2;
    return 1;
}

// Converts with glibc's iconv, character by character where a character cannot be
// converted: that character becomes "?", as the Windows conversion's default character.
std::string Convert(const char *to, const char *from, std::string_view in, bool fromUtf8) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    std::string out;
    out.reserve(in.size() * 2);
    char buf[256];
    char *src = const_cast<char *>(in.data());
    std::size_t left = in.size();
    while (left > 0) {
        char *dst = buf;
        std::size_t room = sizeof buf;
        std::size_t r = iconv(cd, &src, &left, &dst, &room);
        out.append(buf, static_cast<std::size_t>(dst - buf));
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL: one character that has no place in the target.
        std::size_t skip = 1;
        if (fromUtf8) {
            skip = Utf8SequenceLength(static_cast<unsigned char>(*src));
        } else if (IsCp932LeadByte(static_cast<unsigned char>(*src)) && left >= 2) {
            skip = 2;
        }
        if (skip > left) skip = left;
        src += skip;
        left -= skip;
        out += '?';
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

}  // namespace

bool IsCp932LeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

AnsiString::AnsiString(const char8_t *utf8)
    : bytes_(utf8 ? FromUtf8(reinterpret_cast<const char *>(utf8)).bytes_ : std::string()) {}

AnsiString AnsiString::FromBytes(std::string_view bytes) {
    AnsiString s;
    s.bytes_.assign(bytes.data(), bytes.size());
    return s;
}

AnsiString AnsiString::FromUtf8(std::string_view utf8) {
    bool ascii = true;
    for (unsigned char c : utf8) ascii = ascii && c < 0x80;
    if (ascii) return FromBytes(utf8);
    return FromBytes(Convert("CP932", "UTF-8", utf8, true));
}

AnsiString AnsiString::StringOfChar(char c, int count) {
    AnsiString s;
    if (count > 0) s.bytes_.assign(static_cast<std::size_t>(count), c);
    return s;
}

std::string AnsiString::ToUtf8() const {
    bool ascii = true;
    for (unsigned char c : bytes_) ascii = ascii && c < 0x80;
    if (ascii) return bytes_;
    return Convert("UTF-8", "CP932", bytes_, false);
}

char AnsiString::operator[](int pos) const {
    if (pos < 1 || pos > Length()) throw ERangeError("Range check error");
    return bytes_[static_cast<std::size_t>(pos - 1)];
}

AnsiString AnsiString::SubString(int pos, int count) const {
    if (pos < 1) {
        count += pos - 1;
        pos = 1;
    }
    if (count <= 0 || pos > Length()) return AnsiString();
    return FromBytes(std::string_view(bytes_).substr(static_cast<std::size_t>(pos - 1),
                                                     static_cast<std::size_t>(count)));
}

int AnsiString::Pos(const AnsiString &sub) const {
    if (sub.IsEmpty()) return 0;
    std::size_t at = bytes_.find(sub.bytes_);
    return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

bool AnsiString::IsLeadByte(int pos) const {
    // Walk from the start: a trail byte can look like a lead byte.
    int i = 1;
    while (i <= Length()) {
        bool lead =
            IsCp932LeadByte(static_cast<unsigned char>(bytes_[static_cast<std::size_t>(i - 1)]));
        if (i == pos) return lead && i < Length();
        i += lead ? 2 : 1;
        if (i > pos) return false;
    }
    return false;
}

AnsiString Format(const AnsiString &format, std::initializer_list<AnsiString> args) {
    std::string out;
    auto next = args.begin();
    const std::string &f = format.Bytes();
    for (std::size_t i = 0; i < f.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(f[i]);
        if (IsCp932LeadByte(c) && i + 1 < f.size()) {
            out += f[i];
            out += f[++i];
        } else if (c == '%' && i + 1 < f.size() && f[i + 1] == 's') {
            if (next != args.end()) out += (next++)->Bytes();
            ++i;
        } else if (c == '%' && i + 1 < f.size() && f[i + 1] == '%') {
            out += '%';
            ++i;
        } else {
            out += f[i];
        }
    }
    return AnsiString::FromBytes(out);
}
