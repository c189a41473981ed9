// The run-time's buffered streams on host files. Writes gather in a buffer and go out
// when it is full, at fflush and at fclose, so a disk that cannot take them shows as a
// failed fprintf, fflush or fclose, as with the run-time. Text mode turns each LF
// written into CR LF and drops each CR read.
#include "platform/Stdio.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "platform/DosPath.hpp"

namespace Crt {

struct FILE {
    int fd = -1;
    bool text = true;
    bool canRead = false;
    bool canWrite = false;
    bool eof = false;
    bool error = false;
    std::string out;  // bytes written and not yet handed to the host
    std::string in;   // bytes read from the host and not yet taken
    std::size_t inPos = 0;
};

namespace {

constexpr std::size_t BufferSize = 4096;

std::optional<std::string> HostPath(const char *path) {
    if (path == nullptr) return std::nullopt;
    return DosPath::ToHost(AnsiString(path));
}

// The run-time's answer for a folder where a file is wanted is EACCES.
int Result(int hostResult) {
    if (hostResult != 0 && errno == EISDIR) errno = EACCES;
    return hostResult == 0 ? 0 : -1;
}

// Hands the write buffer to the host; false (with errno) when not all of it went.
bool FlushOut(FILE *f) {
    std::size_t done = 0;
    while (done < f->out.size()) {
        ssize_t n = ::write(f->fd, f->out.data() + done, f->out.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            f->error = true;
            f->out.clear();
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    f->out.clear();
    return true;
}

// Before writing on a stream that was read from: the host position goes back to where
// the reader stands, and what was read ahead is dropped.
void LeaveReading(FILE *f) {
    std::size_t ahead = f->in.size() - f->inPos;
    if (ahead > 0) ::lseek(f->fd, -static_cast<off_t>(ahead), SEEK_CUR);
    f->in.clear();
    f->inPos = 0;
}

// The next byte of the stream as read (text mode: CR dropped), or EOF.
int NextByte(FILE *f) {
    for (;;) {
        if (f->inPos == f->in.size()) {
            char block[BufferSize];
            ssize_t n = ::read(f->fd, block, sizeof block);
            if (n < 0) {
                if (errno == EINTR) continue;
                f->error = true;
                return EOF;
            }
            if (n == 0) {
                f->eof = true;
                return EOF;
            }
            f->in.assign(block, static_cast<std::size_t>(n));
            f->inPos = 0;
        }
        unsigned char c = static_cast<unsigned char>(f->in[f->inPos++]);
        if (f->text && c == '\r') continue;
        return c;
    }
}

}  // namespace

FILE *fopen(const char *path, const char *mode) {
    if (mode == nullptr || path == nullptr) {
        errno = EINVAL;
        return nullptr;
    }
    int flags = 0;
    bool canRead = false;
    bool canWrite = false;
    switch (mode[0]) {
        case 'r':
            canRead = true;
            break;
        case 'w':
            canWrite = true;
            flags = O_CREAT | O_TRUNC;
            break;
        case 'a':
            canWrite = true;
            flags = O_CREAT | O_APPEND;
            break;
        default:
            errno = EINVAL;
            return nullptr;
    }
    bool text = true;  // the run-time's default translation mode
    for (const char *m = mode + 1; *m != '\0'; ++m) {
        if (*m == '+') {
            canRead = canWrite = true;
        } else if (*m == 't') {
            text = true;
        } else if (*m == 'b') {
            text = false;
        } else {
            errno = EINVAL;
            return nullptr;
        }
    }
    flags |= canRead && canWrite ? O_RDWR : canWrite ? O_WRONLY : O_RDONLY;

    std::optional<std::string> host = HostPath(path);
    if (!host) {
        errno = ENOENT;
        return nullptr;
    }
    int fd = ::open(host->c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0) {
        Result(-1);
        return nullptr;
    }
    // A folder opens on the host for reading, but is no file to the run-time.
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        errno = EACCES;
        return nullptr;
    }
    FILE *f = new FILE;
    f->fd = fd;
    f->text = text;
    f->canRead = canRead;
    f->canWrite = canWrite;
    return f;
}

int fprintf(FILE *stream, const char *format, ...) {
    if (stream == nullptr || format == nullptr) {
        errno = EINVAL;
        return -1;
    }
    if (!stream->canWrite) {
        stream->error = true;
        errno = EBADF;
        return -1;
    }
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (length < 0) {
        va_end(again);
        stream->error = true;
        return -1;
    }
    std::string formatted(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(formatted.data(), formatted.size(), format, again);
    va_end(again);
    formatted.pop_back();

    LeaveReading(stream);
    for (char c : formatted) {
        if (stream->text && c == '\n') stream->out.push_back('\r');
        stream->out.push_back(c);
    }
    if (stream->out.size() >= BufferSize && !FlushOut(stream)) return -1;
    return length;
}

char *fgets(char *buffer, int size, FILE *stream) {
    if (buffer == nullptr || stream == nullptr || size <= 0) {
        errno = EINVAL;
        return nullptr;
    }
    if (!stream->canRead) {
        stream->error = true;
        errno = EBADF;
        return nullptr;
    }
    if (!stream->out.empty() && !FlushOut(stream)) return nullptr;
    int count = 0;
    while (count < size - 1) {
        int c = NextByte(stream);
        if (c == EOF) break;
        buffer[count++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    if (count == 0 && size > 1) return nullptr;
    if (stream->error) return nullptr;
    buffer[count] = '\0';
    return buffer;
}

int feof(FILE *stream) { return stream != nullptr && stream->eof ? 1 : 0; }

int ferror(FILE *stream) { return stream != nullptr && stream->error ? 1 : 0; }

int fflush(FILE *stream) {
    if (stream == nullptr) return 0;
    return FlushOut(stream) ? 0 : EOF;
}

int fclose(FILE *stream) {
    if (stream == nullptr) {
        errno = EINVAL;
        return EOF;
    }
    bool ok = FlushOut(stream);
    int savedErrno = errno;
    if (::close(stream->fd) != 0) {
        ok = false;
    } else if (!ok) {
        errno = savedErrno;
    }
    delete stream;
    return ok ? 0 : EOF;
}

int chdir(const char *path) {
    std::optional<std::string> host = HostPath(path);
    if (!host) {
        errno = ENOENT;
        return -1;
    }
    return Result(::chdir(host->c_str()));
}

int mkdir(const char *path) {
    std::optional<std::string> host = HostPath(path);
    if (!host) {
        errno = ENOENT;
        return -1;
    }
    return Result(::mkdir(host->c_str(), 0777));
}

int rename(const char *from, const char *to) {
    std::optional<std::string> hostFrom = HostPath(from);
    std::optional<std::string> hostTo = HostPath(to);
    if (!hostFrom || !hostTo) {
        errno = ENOENT;
        return -1;
    }
    return Result(std::rename(hostFrom->c_str(), hostTo->c_str()));
}

int remove(const char *path) {
    std::optional<std::string> host = HostPath(path);
    if (!host) {
        errno = ENOENT;
        return -1;
    }
    // The run-time removes files only; a folder is refused.
    return Result(::unlink(host->c_str()));
}

}  // namespace Crt
