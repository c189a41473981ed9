#include "platform/SysUtils.hpp"

#include <unistd.h>

#include <climits>

#include "platform/DosPath.hpp"

AnsiString Trim(const AnsiString &s) {
    const std::string &b = s.Bytes();
    std::size_t first = 0;
    std::size_t last = b.size();
    while (first < last && static_cast<unsigned char>(b[first]) <= 0x20) ++first;
    while (last > first && static_cast<unsigned char>(b[last - 1]) <= 0x20) --last;
    return AnsiString::FromBytes(std::string_view(b).substr(first, last - first));
}

AnsiString GetCurrentDir() {
    char buf[PATH_MAX];
    if (::getcwd(buf, sizeof buf) == nullptr) return AnsiString();
    // A folder that no drive holds has no Windows path: the empty text.
    return DosPath::FromHost(buf).value_or(AnsiString());
}
