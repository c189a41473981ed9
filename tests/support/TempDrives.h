// Temporary Wine drives for tests, so that no test depends on the machine's ~/.wine,
// its time zone or its clock.
//
//   support::TempDrives drives;                 // new prefix, TZ fixed to JST-9
//   std::string c = drives.AddDrive('C');       // C:\ is the host folder c
//   drives.MakeFile(c + "/Windows/System/Kernel32.dll", "MZ");
//   drives.SetMTime(c + "/Windows/System/Kernel32.dll", "1997-05-03 09:02:44");
//   drives.ChangeDir(c + "/Windows");           // the current directory, until the end
//
// Host paths here are UTF-8 ("表示.dll" is written as such); the platform shows them to
// the system in code page 932.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Testing.hpp"

namespace support {

// Fixes the time zone (TZ, applied with tzset) for its lifetime, then restores the one
// before. "JST-9" is Japan's time, nine hours ahead of UTC, without summer time.
class FixedTimeZone {
public:
    explicit FixedTimeZone(const char *tz = "JST-9");
    ~FixedTimeZone();
    FixedTimeZone(const FixedTimeZone &) = delete;
    FixedTimeZone &operator=(const FixedTimeZone &) = delete;

private:
    bool hadOld_;
    std::string old_;
};

// Fixes the platform's clock for its lifetime, then gives the host's clock back. Each
// read of the clock (Date() and Time() read it once each) takes the next of `readings`,
// local times written "YYYY-MM-DD hh:mm:ss.mmm" (the fraction optional); the last one
// repeats. Two readings show a scan that begins a moment before midnight.
class FixedClock {
public:
    explicit FixedClock(std::vector<std::string> readings);
    explicit FixedClock(const char *when) : FixedClock(std::vector<std::string>{when}) {}
    ~FixedClock();
    FixedClock(const FixedClock &) = delete;
    FixedClock &operator=(const FixedClock &) = delete;
    // How many times the clock was read.
    int Reads() const { return *reads_; }

private:
    std::shared_ptr<int> reads_;
};

// Installs `values` as the system's default locale and announces the change, so the
// texts follow it; at the end the Japanese locale comes back (announced as well).
class FixedLocale {
public:
    explicit FixedLocale(const PlatformTesting::LocaleValues &values);
    ~FixedLocale();
    FixedLocale(const FixedLocale &) = delete;
    FixedLocale &operator=(const FixedLocale &) = delete;
};

// A temporary folder holding a Wine prefix with no drives yet (so Z: is "/"). WINEPREFIX
// points at it and TZ is "JST-9" while it lives; on destruction the current directory,
// WINEPREFIX and TZ are restored and the whole folder is removed.
class TempDrives {
public:
    TempDrives();
    ~TempDrives();
    TempDrives(const TempDrives &) = delete;
    TempDrives &operator=(const TempDrives &) = delete;

    // Adds drive `letter` (either case): a new empty folder, linked as "<l>:" in
    // dosdevices. Returns the folder's host path.
    std::string AddDrive(char letter);
    // Links drive `letter` to an existing host folder (for instance "/" for Z:).
    void LinkDrive(char letter, const std::string &hostFolder);

    // The temporary folder (a canonical path), for host files outside every drive.
    const std::string &Temp() const { return temp_; }
    // The prefix folder, the value of WINEPREFIX.
    const std::string &Prefix() const { return prefix_; }

    // Makes `hostPath` the process's current directory (restored at the end).
    void ChangeDir(const std::string &hostPath);

    // Makes the folder and any missing parents; returns `hostPath`.
    static std::string MakeFolder(const std::string &hostPath);
    // Writes the file with exactly `bytes`, making missing parents; returns `hostPath`.
    static std::string MakeFile(const std::string &hostPath, const std::string &bytes = "");
    // Sets the modification (and access) time to the local time `when` in the current
    // TZ, written "YYYY-MM-DD hh:mm:ss" with an optional fraction (".5", ".999").
    // Applies to the entry itself, not to the target of a link.
    static void SetMTime(const std::string &hostPath, const char *when);
    // A file's whole content, byte for byte (fails the test when it cannot be read).
    static std::string ReadBytes(const std::string &hostPath);
    // Same as MakeFile.
    static void WriteBytes(const std::string &hostPath, const std::string &bytes);

private:
    FixedTimeZone tz_;
    std::string temp_;
    std::string prefix_;
    bool hadPrefix_ = false;
    std::string oldPrefix_;
    std::string oldDir_;
};

}  // namespace support
