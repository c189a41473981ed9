// The run-time's buffered streams on host files. Writes gather in a buffer and go out
// when it is full, at fflush and at fclose, so a disk that cannot take them shows as a
// failed fprintf, fflush or fclose, as with the run-time. Text mode turns each LF
// written into CR LF and drops each CR read.
#include "platform/Stdio.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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
    // Formatted once into a buffer on the stack; only a longer text is formatted again.
    char small[512];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int length = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (length < 0) {
        va_end(again);
        stream->error = true;
        return -1;
    }
    std::string large;
    const char *text = small;
    if (static_cast<std::size_t>(length) >= sizeof small) {
        large.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(large.data(), large.size(), format, again);
        text = large.data();
    }
    va_end(again);

    LeaveReading(stream);
    const char *end = text + length;
    if (!stream->text) {
        stream->out.append(text, end);
    } else {
        for (const char *p = text; p < end;) {
            const char *lf = static_cast<const char *>(std::memchr(p, '\n', end - p));
            if (lf == nullptr) {
                stream->out.append(p, end);
                break;
            }
            stream->out.append(p, lf);
            stream->out.append("\r\n", 2);
            p = lf + 1;
        }
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
    // The bytes are taken from the read buffer a run at a time, up to the LF.
    std::size_t count = 0;
    const std::size_t room = static_cast<std::size_t>(size) - 1;
    bool lineEnd = false;
    while (count < room && !lineEnd) {
        if (stream->inPos == stream->in.size()) {
            int c = NextByte(stream);  // refills the buffer, or tells of its end
            if (c == EOF) break;
            --stream->inPos;
        }
        const char *from = stream->in.data() + stream->inPos;
        std::size_t run = std::min(stream->in.size() - stream->inPos, room - count);
        if (const void *lf = std::memchr(from, '\n', run)) {
            run = static_cast<std::size_t>(static_cast<const char *>(lf) - from) + 1;
            lineEnd = true;
        }
        for (std::size_t i = 0; i < run; ++i) {
            // A CR is dropped and takes no room; the next run fills it.
            if (stream->text && from[i] == '\r') continue;
            buffer[count++] = from[i];
        }
        stream->inPos += run;
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
