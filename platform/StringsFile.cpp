// Saving a string list as a text file: every line in code page 932 followed by CR LF.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/Classes.hpp"
#include "platform/DosPath.hpp"
#include "platform/SysUtils.hpp"

namespace {

// Writes all of `bytes` to `fd`; false as soon as a write fails or writes nothing, so
// that the file keeps what went in before.
bool WriteAll(int fd, const std::string &bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

void TStrings::SaveToFile(const AnsiString &fileName) const {
    // The whole text first: a list whose lines cannot be read leaves no file behind.
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i).Bytes();
        text += "\r\n";
    }

    std::optional<std::string> host = DosPath::ToHost(fileName);
    int fd = -1;
    if (host) {
        do {
            fd = ::open(host->c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        } while (fd < 0 && errno == EINTR);
    }
    if (fd < 0) throw EFCreateError(Format(Consts::SFCreateError, {fileName}));

    bool written = WriteAll(fd, text);
    // Write-back errors can surface only at the close; it counts as not written.
    bool closed = ::close(fd) == 0;
    if (!written || !closed) throw EWriteError(Consts::SWriteError);
}
