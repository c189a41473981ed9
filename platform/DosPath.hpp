// Windows paths on the host's file system, the way Wine presents it: the drives are the
// links a: to z: in $WINEPREFIX/dosdevices (default ~/.wine), and Z: is "/" where the
// prefix has no z:. Only the platform uses this; the system sees Windows paths alone.
#pragma once

#include <optional>
#include <string>

#include "platform/System.hpp"

namespace DosPath {

// The host folder that is the root of drive `letter` ('A' to 'Z', either case), if any.
std::optional<std::string> DriveRoot(char letter);

// Maps a Windows path to a host path (UTF-8). An absolute path goes through its drive;
// a relative one starts at the current directory. Each component is looked up exactly
// first, then without regard to case; a component that does not exist maps as written,
// so that a file or folder can be created there. None when the drive does not exist.
std::optional<std::string> ToHost(const AnsiString &windowsPath);

// Maps a host path back to a Windows path through the drive whose root is its deepest
// ancestor (on a tie, the lowest letter). None when no drive holds it.
std::optional<AnsiString> FromHost(const std::string &hostPath);

// Host file-name text (UTF-8) to code page 932 and back.
AnsiString NameFromHost(const std::string &utf8Name);
std::string NameToHost(const AnsiString &name);

// The name the platform reports for the host entry `utf8Name`: its code page 932 text,
// or, for a name Windows could not hold (a control character, one of \ : * ? " < > |, a
// trailing blank), its mangled 8.3 short name, so that no reported name can break a
// line-based file. A lookup of a path component also finds an entry by this name.
AnsiString ListedName(const std::string &utf8Name);

// Compares two host names (UTF-8) without regard to case, as the file system does
// (letters folded to upper case): negative, 0 or positive.
int CompareNoCase(const std::string &a, const std::string &b);
// The name's characters folded as CompareNoCase folds them: comparing two folded names
// gives the order of CompareNoCase, so a listing can fold each name once before sorting.
std::u32string FoldedName(const std::string &utf8Name);

// True when `utf8Name` matches the search pattern `utf8Pattern` ("*" any run of
// characters, "?" any one character, without regard to case; "*.*" matches every name).
bool MatchesPattern(const std::string &utf8Name, const std::string &utf8Pattern);

// True when the host folder is the root of one of the drives (by file identity).
bool IsDriveRoot(const std::string &hostFolder);

}  // namespace DosPath
