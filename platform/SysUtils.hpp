// The platform's run-time services the system uses: its error classes, text trimming,
// the file search, the clock, date and time conversion with the locale's forms, and the
// current directory.
#pragma once

#include <memory>

#include "platform/Consts.hpp"
#include "platform/System.hpp"

// ---- Errors -------------------------------------------------------------------------

class EStreamError : public Exception {
public:
    using Exception::Exception;
};
// A file cannot be created: the message is SFCreateError with the file's path.
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// A file cannot be opened: the message is SFOpenError with the file's path.
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// Not everything could be written to a stream: the message is SWriteError.
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// A stream's content cannot be read as it must be.
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// A value cannot be converted (an invalid date or time).
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// ---- Texts --------------------------------------------------------------------------

// Removes every leading and trailing byte from 0x00 to 0x20.
AnsiString Trim(const AnsiString &s);

// ---- File search --------------------------------------------------------------------

constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

struct TSearchListing;  // the platform's state of one open search

// The file-search record: the entry that the open search found last.
struct TSearchRec {
    int Time = 0;             // last-write time in local time, packed (MS-DOS form)
    TDateTime TimeStamp = 0;  // the same moment as a date-time value, for any year
    int Size = 0;
    int Attr = 0;
    AnsiString Name;  // the entry's name, without its folder
    int ExcludeAttr = 0;
    std::shared_ptr<TSearchListing> FindHandle;  // none while no search is open
};

// Starts a search for `path` (a folder followed by "*.*", or one file's name) admitting
// the attribute bits `attr`. 0 when an entry was found (the search is then open),
// otherwise a non-zero code and no search open.
int SearchFirst(const AnsiString &path, int attr, TSearchRec &rec);
// 0 when the open search found one more entry, non-zero when there is none.
int SearchNext(TSearchRec &rec);
// Ends the open search; does nothing when none is open.
void SearchClose(TSearchRec &rec);

// ---- Date and time ------------------------------------------------------------------

// The local date (a whole number) and the local time of day (below 1.0, with its
// milliseconds), read from the clock.
TDateTime Date();
TDateTime Time();

TDateTime EncodeDate(int year, int month, int day);  // EConvertError when invalid
TDateTime EncodeTime(int hour, int min, int sec, int msec);
void DecodeDate(TDateTime value, int &year, int &month, int &day);
void DecodeTime(TDateTime value, int &hour, int &min, int &sec, int &msec);

// The value of a packed (MS-DOS) date-time; EConvertError with SInvalidDate or
// SInvalidTime when it holds no valid date or time.
TDateTime FileDateToDateTime(int fileDate);

// The texts in the forms of the system's default locale.
AnsiString DateToStr(TDateTime value);
AnsiString TimeToStr(TDateTime value);

// ---- Current directory --------------------------------------------------------------

// The process's current directory as a Windows path, such as "C:\Tools".
AnsiString GetCurrentDir();
