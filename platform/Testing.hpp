// Hooks through which tests fix what the platform otherwise takes from its host: the
// clock and the system's default locale. Only tests include this header.
#pragma once

#include <functional>
#include <optional>

#include "platform/System.hpp"

namespace PlatformTesting {

// One reading of the local clock.
struct ClockReading {
    int Year = 2000;
    int Month = 1;
    int Day = 1;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

// Every read of the clock calls `clock` (Date() and Time() read it once each, one after
// the other); an empty function gives the host's clock back.
void SetClock(std::function<ClockReading()> clock);

// The values the system's default locale supplies, as its locale data holds them. A
// value left out, or empty, is one the locale does not supply: the fall-back applies.
struct LocaleValues {
    std::optional<AnsiString> ShortDate;        // the short date form, such as "yy/MM/dd"
    std::optional<AnsiString> DateSeparator;    // such as "/"
    std::optional<AnsiString> TimeSeparator;    // such as ":"
    std::optional<AnsiString> Clock;            // "0" a 12-hour clock, "1" a 24-hour one
    std::optional<AnsiString> HourLeadingZero;  // "0" no leading zero on the hour, "1" one
    std::optional<AnsiString> MorningMarker;    // such as "午前"
    std::optional<AnsiString> AfternoonMarker;  // such as "午後"
    std::optional<AnsiString> MarkerPosition;   // "0" after the time, "1" before the hour
};

// The locale the platform starts with: Japanese, "yy/MM/dd", "/", ":", a 24-hour clock
// without a leading zero on the hour, markers "午前" and "午後" (before the hour).
LocaleValues JapaneseLocale();

// Makes `values` the system's default locale. The date and time texts follow it only
// after the next AnnounceSettingsChange, as they would on Windows.
void InstallLocale(const LocaleValues &values);

// The system announces a change of its settings: the forms are read from the locale again.
void AnnounceSettingsChange();

}  // namespace PlatformTesting
