#include "platform/DosPath.hpp"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// ---- Unicode helpers on host names ---------------------------------------------------

// Decodes UTF-8 into code points; a byte that starts no valid sequence stands for itself
// in U+DC80..U+DCFF, so that two different byte strings never decode alike.
std::u32string Decode(const std::string &utf8) {
    std::u32string out;
    const auto *p = reinterpret_cast<const unsigned char *>(utf8.data());
    std::size_t n = utf8.size();
    for (std::size_t i = 0; i < n;) {
        unsigned char b = p[i];
        std::size_t len = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            len = 1;
            cp = b;
        } else if (b >= 0xC2 && b <= 0xDF) {
            len = 2;
            cp = b & 0x1Fu;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            cp = b & 0x0Fu;
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            cp = b & 0x07u;
        }
        bool ok = len > 0 && i + len <= n;
        for (std::size_t k = 1; ok && k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (p[i + k] & 0x3Fu);
        }
        if (ok && len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
        if (ok && len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ok = false;
        if (!ok) {
            out += static_cast<char32_t>(0xDC00 + b);
            ++i;
        } else {
            out += cp;
            i += len;
        }
    }
    return out;
}

// The case pairs a code page 932 name can hold (Latin, full-width Latin, Greek,
// Cyrillic), plus Latin-1 for host names.
char32_t Upper(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 0x20;
    if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;
    if (c == 0x3C2) return 0x3A3;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    return c;
}

char32_t Lower(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 0x20;
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    return c;
}

std::u16string ToUtf16(const std::u32string &s) {
    std::u16string out;
    for (char32_t c : s) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

// ---- Short names --------------------------------------------------------------------

bool NeedsShortName(const std::string &name) {
    for (unsigned char c : name) {
        if (c < 0x20 || std::strchr("\\/:*?\"<>|", c) != nullptr) return true;
    }
    // A trailing blank: Windows cannot hold it, and a line reader that trims would lose it.
    return !name.empty() && name.back() == ' ';
}

char ShortChar(char16_t c) {
    if (c > 0x7F || c < 0x20 || c == '~' || c == '.' ||
        std::strchr("\\/:*?\"<>|+=,;[] ", static_cast<int>(c)) != nullptr) {
        return '_';
    }
    char a = static_cast<char>(c);
    return (a >= 'a' && a <= 'z') ? static_cast<char>(a - 0x20) : a;
}

// Wine's 8.3 name for a long name: four characters of the base, "~" padding to five,
// three characters of a hash of the whole name, then up to three of the extension.
std::string ShortName(const std::string &utf8Name) {
    std::u16string name = ToUtf16(Decode(utf8Name));
    if (name.empty()) return std::string();
    unsigned hash = 0xBEEF;
    for (std::size_t i = 0; i + 1 < name.size(); ++i) {
        hash = ((hash << 3) ^ (hash >> 5) ^ Lower(name[i]) ^ (Lower(name[i + 1]) << 8)) & 0xFFFF;
    }
    hash = ((hash << 3) ^ (hash >> 5) ^ Lower(name.back())) & 0xFFFF;

    std::size_t ext = std::u16string::npos;
    for (std::size_t i = 1; i + 1 < name.size(); ++i) {
        if (name[i] == u'.') ext = i;
    }
    std::size_t baseEnd = ext == std::u16string::npos ? name.size() : ext;
    std::string out;
    for (std::size_t i = 0; i < baseEnd && out.size() < 4; ++i) {
        if (name[i] == u'.') continue;
        out += ShortChar(name[i]);
    }
    while (out.size() < 5) out += '~';
    static const char kHashChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    out += kHashChars[(hash >> 10) & 31];
    out += kHashChars[(hash >> 5) & 31];
    out += kHashChars[hash & 31];
    if (ext != std::u16string::npos) {
        out += '.';
        for (std::size_t i = ext + 1; i < name.size() && i <= ext + 3; ++i) {
            out += ShortChar(name[i]);
        }
    }
    return out;
}

// ---- The prefix and its drives ------------------------------------------------------

struct Identity {
    dev_t dev = 0;
    ino_t ino = 0;
    bool operator==(const Identity &o) const { return dev == o.dev && ino == o.ino; }
};

std::optional<Identity> IdentityOf(const std::string &path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return Identity{st.st_dev, st.st_ino};
}

bool Exists(const std::string &path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The prefix folder, read anew on each call so that a change of WINEPREFIX takes effect.
std::optional<std::string> Prefix() {
    const char *env = std::getenv("WINEPREFIX");
    std::string prefix;
    if (env != nullptr && *env != '\0') {
        prefix = env;
        if (prefix[0] != '/') return std::nullopt;  // a prefix must be an absolute path
    } else {
        const char *home = std::getenv("HOME");
        if (home == nullptr || *home != '/') return std::nullopt;
        prefix = std::string(home) + "/.wine";
    }
    while (prefix.size() > 1 && prefix.back() == '/') prefix.pop_back();
    return prefix;
}

std::string Join(const std::string &folder, const std::string &name) {
    if (folder.empty() || folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string Canonical(const std::string &path) {
    char buf[PATH_MAX];
    if (::realpath(path.c_str(), buf) != nullptr) return buf;
    return path;
}

std::string HostCurrentDir() {
    char buf[PATH_MAX];
    if (::getcwd(buf, sizeof buf) == nullptr) return "/";
    return buf;
}

// Splits a Windows path into its components at "\" and "/", leaving the second byte of a
// double-byte character alone (it can be 0x5C).
std::vector<AnsiString> SplitWindows(const std::string &bytes) {
    std::vector<AnsiString> parts;
    std::string cur;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (IsCp932LeadByte(c) && i + 1 < bytes.size()) {
            cur += bytes[i];
            cur += bytes[++i];
        } else if (c == '\\' || c == '/') {
            if (!cur.empty()) parts.push_back(AnsiString::FromBytes(cur));
            cur.clear();
        } else {
            cur += bytes[i];
        }
    }
    if (!cur.empty()) parts.push_back(AnsiString::FromBytes(cur));
    return parts;
}

// Applies "." and ".." to the components; ".." stops at the drive's root.
std::vector<AnsiString> Normalise(const std::vector<AnsiString> &parts) {
    std::vector<AnsiString> out;
    for (const AnsiString &p : parts) {
        if (p == AnsiString(".")) continue;
        if (p == AnsiString("..")) {
            if (!out.empty()) out.pop_back();
            continue;
        }
        out.push_back(p);
    }
    return out;
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The entry of `folder` that `name` (code page 932) names: the exact name, else the
// first entry that matches without regard to case or by its short name.
std::optional<std::string> LookUp(const std::string &folder, const AnsiString &name) {
    std::string host = DosPath::NameToHost(name);
    if (Exists(Join(folder, host))) return host;
    DIR *dir = ::opendir(folder.c_str());
    if (dir == nullptr) return std::nullopt;
    std::optional<std::string> found;
    std::u32string wanted = DosPath::FoldedName(host);
    while (dirent *e = ::readdir(dir)) {
        std::string entry = e->d_name;
        if (entry == "." || entry == "..") continue;
        bool match = DosPath::FoldedName(entry) == wanted;
        if (!match && name.Pos("~") > 0) {
            // A short name holds a "~": the entry may be one that is listed by it.
            AnsiString listed = DosPath::ListedName(entry);
            match = listed != DosPath::NameFromHost(entry) &&
                    DosPath::CompareNoCase(listed.Bytes(), name.Bytes()) == 0;
        }
        if (match) {
            found = entry;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

// Drive letter and components of the current directory, if a drive holds it.
std::optional<std::pair<char, std::vector<AnsiString>>> CurrentWindowsDir() {
    std::optional<AnsiString> cwd = DosPath::FromHost(HostCurrentDir());
    if (!cwd) return std::nullopt;
    const std::string &b = cwd->Bytes();
    return std::make_pair(b[0], SplitWindows(b.substr(2)));
}

}  // namespace

namespace DosPath {

std::optional<std::string> DriveRoot(char letter) {
    if (!IsLetter(letter)) return std::nullopt;
    char lower = static_cast<char>(letter | 0x20);
    std::optional<std::string> prefix = Prefix();
    std::string devices = prefix ? *prefix + "/dosdevices" : std::string();
    bool hasDevices = false;
    bool hasZ = false;
    if (prefix) {
        struct stat st {};
        hasDevices = ::stat(devices.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        hasZ = hasDevices && (Exists(devices + "/z:") || Exists(devices + "/Z:"));
    }
    if (hasDevices) {
        for (char l : {lower, static_cast<char>(lower - 0x20)}) {
            std::string link = devices + "/" + l + ":";
            struct stat st {};
            if (::stat(link.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return Canonical(link);
        }
    }
    if (lower == 'z' && !hasZ) return std::string("/");
    return std::nullopt;
}

std::optional<std::string> ToHost(const AnsiString &windowsPath) {
    const std::string &b = windowsPath.Bytes();
    char letter = 0;
    std::vector<AnsiString> parts;
    if (b.size() >= 2 && IsLetter(b[0]) && b[1] == ':') {
        letter = b[0];
        std::string rest = b.substr(2);
        if (rest.empty() || (rest[0] != '\\' && rest[0] != '/')) {
            // Relative to the drive: from the current directory where it is on that drive.
            auto cwd = CurrentWindowsDir();
            if (cwd && (cwd->first | 0x20) == (letter | 0x20)) parts = cwd->second;
        }
        for (AnsiString &p : SplitWindows(rest)) parts.push_back(p);
    } else if (b.size() >= 2 && (b[0] == '\\' || b[0] == '/') && (b[1] == '\\' || b[1] == '/')) {
        return std::nullopt;  // network paths have no host folder
    } else {
        auto cwd = CurrentWindowsDir();
        if (!cwd) {
            // No drive holds the current directory: go from the host's own.
            std::string host = HostCurrentDir();
            for (const AnsiString &p : Normalise(SplitWindows(b))) host = Join(host, NameToHost(p));
            return host;
        }
        letter = cwd->first;
        if (b.empty() || (b[0] != '\\' && b[0] != '/')) parts = cwd->second;
        for (AnsiString &p : SplitWindows(b)) parts.push_back(p);
    }
    std::optional<std::string> root = DriveRoot(letter);
    if (!root) return std::nullopt;
    parts = Normalise(parts);

    // The whole path as written first, then one component at a time.
    std::string whole = *root;
    for (const AnsiString &p : parts) whole = Join(whole, NameToHost(p));
    if (Exists(whole)) return whole;

    std::string host = *root;
    bool missing = false;
    for (const AnsiString &p : parts) {
        std::optional<std::string> entry = missing ? std::nullopt : LookUp(host, p);
        if (entry) {
            host = Join(host, *entry);
        } else {
            host = Join(host, NameToHost(p));
            missing = true;
        }
    }
    return host;
}

std::optional<AnsiString> FromHost(const std::string &hostPath) {
    std::string path =
        hostPath.empty() || hostPath[0] != '/' ? Join(HostCurrentDir(), hostPath) : hostPath;
    // Resolve the part that exists; what lies below it is kept as written.
    std::vector<std::string> tail;
    std::string head = path;
    while (true) {
        char buf[PATH_MAX];
        if (::realpath(head.c_str(), buf) != nullptr) {
            head = buf;
            break;
        }
        std::size_t slash = head.find_last_of('/');
        if (slash == std::string::npos || head == "/") break;
        std::string last = head.substr(slash + 1);
        if (!last.empty() && last != ".") tail.insert(tail.begin(), last);
        head = slash == 0 ? "/" : head.substr(0, slash);
    }

    std::optional<Identity> roots[26];
    for (int i = 0; i < 26; ++i) {
        if (auto r = DriveRoot(static_cast<char>('a' + i))) roots[i] = IdentityOf(*r);
    }
    std::vector<std::string> below = tail;
    std::string at = head;
    while (true) {
        std::optional<Identity> id = IdentityOf(at);
        for (int i = 0; id && i < 26; ++i) {
            if (roots[i] && *roots[i] == *id) {
                std::string out;
                out += static_cast<char>('A' + i);
                out += ":\\";
                for (std::size_t k = 0; k < below.size(); ++k) {
                    if (k > 0) out += '\\';
                    out += ListedName(below[k]).Bytes();
                }
                return AnsiString::FromBytes(out);
            }
        }
        if (at == "/" || at.empty()) return std::nullopt;
        std::size_t slash = at.find_last_of('/');
        below.insert(below.begin(), at.substr(slash + 1));
        at = slash == 0 ? "/" : at.substr(0, slash);
    }
}

AnsiString NameFromHost(const std::string &utf8Name) { return AnsiString::FromUtf8(utf8Name); }

std::string NameToHost(const AnsiString &name) { return name.ToUtf8(); }

AnsiString ListedName(const std::string &utf8Name) {
    if (NeedsShortName(utf8Name)) return AnsiString::FromBytes(ShortName(utf8Name));
    AnsiString name = NameFromHost(utf8Name);
    // The code page's mapping can give a separator the host name did not have ("¥"
    // becomes 0x5C): such a name would read as a path, so it gets its short name too.
    const std::string &b = name.Bytes();
    for (std::size_t i = 0; i < b.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(b[i]);
        if (IsCp932LeadByte(c) && i + 1 < b.size()) {
            ++i;
        } else if (c < 0x20 || std::strchr("\\/:*\"<>|", c) != nullptr) {
            return AnsiString::FromBytes(ShortName(utf8Name));
        }
    }
    return name;
}

int CompareNoCase(const std::string &a, const std::string &b) {
    int c = FoldedName(a).compare(FoldedName(b));
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

std::u32string FoldedName(const std::string &utf8Name) {
    std::u32string folded = Decode(utf8Name);
    for (char32_t &c : folded) c = Upper(c);
    return folded;
}

bool MatchesPattern(const std::string &utf8Name, const std::string &utf8Pattern) {
    if (utf8Pattern == "*.*" || utf8Pattern == "*") return true;
    std::u32string name = Decode(utf8Name);
    std::u32string pat = Decode(utf8Pattern);
    // Greedy match with back-tracking to the last "*".
    std::size_t n = 0, p = 0, starP = std::u32string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pat.size() && (pat[p] == U'?' || Upper(pat[p]) == Upper(name[n]))) {
            ++n;
            ++p;
        } else if (p < pat.size() && pat[p] == U'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u32string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pat.size() && pat[p] == U'*') ++p;
    return p == pat.size();
}

bool IsDriveRoot(const std::string &hostFolder) {
    std::optional<Identity> id = IdentityOf(hostFolder);
    if (!id) return false;
    for (char l = 'a'; l <= 'z'; ++l) {
        std::optional<std::string> root = DriveRoot(l);
        if (root && IdentityOf(*root) == id) return true;
    }
    return false;
}

}  // namespace DosPath
