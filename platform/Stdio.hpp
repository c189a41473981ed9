// The platform's C run-time streams and directory calls, on Windows paths (through the
// drive mapping). Each returns its result as the run-time does: fopen none on failure,
// fprintf the bytes written or a negative value, fgets none at the end or on error,
// fclose/chdir/mkdir/rename/remove 0 on success and -1 on failure.
#pragma once

namespace Crt {

struct FILE;  // a buffered stream

// Modes as the run-time takes them ("w+t", "r+t", ...). In text mode each LF written
// becomes CR LF and each CR read is dropped.
FILE *fopen(const char *path, const char *mode);
int fprintf(FILE *stream, const char *format, ...) __attribute__((format(printf, 2, 3)));
char *fgets(char *buffer, int size, FILE *stream);
int feof(FILE *stream);
int ferror(FILE *stream);
int fflush(FILE *stream);
int fclose(FILE *stream);

int chdir(const char *path);
int mkdir(const char *path);
// Moves `from` over `to`, replacing a file that is there.
int rename(const char *from, const char *to);
int remove(const char *path);

}  // namespace Crt
