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

}  // namespace DosPath
