// Date-time values, the clock, packed file dates and the locale's date and time texts.
#include <time.h>

#include <cmath>
#include <cstdint>

#include "platform/DateTimeInternal.hpp"
#include "platform/SysUtils.hpp"
#include "platform/Testing.hpp"

namespace {

constexpr std::int64_t kMSecsPerDay = 86400000;

// Days from 1 January 1970 to a date of the (proleptic) Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t &y, int &m, int &d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

// 30 December 1899, day 0 of the date-time value, counted from 1 January 1970.
const std::int64_t kEpoch = DaysFromCivil(1899, 12, 30);

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

// Splits a value into its day and its milliseconds of the day, rounded to the nearest
// millisecond (a value a hair below midnight is midnight of the next day). For a value
// before day 0 the whole part is the day and the fraction, taken positive, the time.
void Split(TDateTime value, std::int64_t &day, std::int64_t &msec) {
    if (value >= 0) {
        std::int64_t total = std::llround(value * static_cast<double>(kMSecsPerDay));
        day = total / kMSecsPerDay;
        msec = total % kMSecsPerDay;
        return;
    }
    double whole = std::trunc(value);
    day = static_cast<std::int64_t>(whole);
    msec = std::llround((whole - value) * static_cast<double>(kMSecsPerDay));
    if (msec >= kMSecsPerDay) {
        msec -= kMSecsPerDay;
        day += 1;
    }
}

std::function<PlatformTesting::ClockReading()> &ClockHook() {
    static std::function<PlatformTesting::ClockReading()> hook;
    return hook;
}

PlatformTesting::ClockReading ReadClock() {
    if (ClockHook()) return ClockHook()();
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    ::localtime_r(&now.tv_sec, &local);
    PlatformTesting::ClockReading r;
    r.Year = local.tm_year + 1900;
    r.Month = local.tm_mon + 1;
    r.Day = local.tm_mday;
    r.Hour = local.tm_hour;
    r.Minute = local.tm_min;
    r.Second = local.tm_sec;
    r.Millisecond = static_cast<int>(now.tv_nsec / 1000000);
    return r;
}

// ---- The locale ---------------------------------------------------------------------

PlatformTesting::LocaleValues &InstalledLocale() {
    static PlatformTesting::LocaleValues values = PlatformTesting::JapaneseLocale();
    return values;
}

// The forms the texts are written in, built from the locale's values.
struct Forms {
    struct Field {
        char kind;   // 'y', 'm' or 'd'
        int digits;  // the length of its run in the short date form
    };
    std::vector<Field> dateFields;
    AnsiString dateSeparator;
    AnsiString timeSeparator;
    bool twelveHour = true;
    bool hourLeadingZero = false;
    bool markerFirst = false;
    AnsiString morning;
    AnsiString afternoon;
};

AnsiString ValueOr(const std::optional<AnsiString> &v, const char *fallback) {
    return v && !v->IsEmpty() ? *v : AnsiString(fallback);
}

// The order of year, month and day and each one's digits, from a short date form. Text
// in quotes and every other character are left out: the date separator stands between
// the fields.
std::vector<Forms::Field> ParseShortDate(const AnsiString &form) {
    std::vector<Forms::Field> fields;
    const std::string &b = form.Bytes();
    bool quoted = false;
    for (std::size_t i = 0; i < b.size();) {
        unsigned char c = static_cast<unsigned char>(b[i]);
        if (IsCp932LeadByte(c) && i + 1 < b.size()) {
            i += 2;
            continue;
        }
        if (c == '\'') quoted = !quoted;
        char kind = static_cast<char>(c | 0x20);
        if (quoted || (kind != 'y' && kind != 'm' && kind != 'd')) {
            ++i;
            continue;
        }
        std::size_t run = i;
        while (run < b.size() && (b[run] | 0x20) == kind) ++run;
        bool seen = false;
        for (const Forms::Field &f : fields) seen = seen || f.kind == kind;
        if (!seen) fields.push_back({kind, static_cast<int>(run - i)});
        i = run;
    }
    return fields;
}

Forms BuildForms(const PlatformTesting::LocaleValues &v) {
    Forms f;
    f.dateFields = ParseShortDate(ValueOr(v.ShortDate, "m/d/yy"));
    if (f.dateFields.empty()) f.dateFields = ParseShortDate("m/d/yy");
    f.dateSeparator = ValueOr(v.DateSeparator, "/");
    f.timeSeparator = ValueOr(v.TimeSeparator, ":");
    f.twelveHour = ValueOr(v.Clock, "0") != AnsiString("1");
    f.hourLeadingZero = ValueOr(v.HourLeadingZero, "0") == AnsiString("1");
    f.markerFirst = ValueOr(v.MarkerPosition, "0") == AnsiString("1");
    f.morning = ValueOr(v.MorningMarker, "am");
    f.afternoon = ValueOr(v.AfternoonMarker, "pm");
    return f;
}

Forms &CurrentForms() {
    // Read when first needed, which stands for the start of the process.
    static Forms forms = BuildForms(InstalledLocale());
    return forms;
}

std::string Digits(std::int64_t n, int width) {
    std::string s = std::to_string(n < 0 ? -n : n);
    while (static_cast<int>(s.size()) < width) s.insert(0, 1, '0');
    return n < 0 ? "-" + s : s;
}

}  // namespace

namespace PlatformTesting {

void SetClock(std::function<ClockReading()> clock) { ClockHook() = std::move(clock); }

LocaleValues JapaneseLocale() {
    LocaleValues v;
    v.ShortDate = AnsiString("yy/MM/dd");
    v.DateSeparator = AnsiString("/");
    v.TimeSeparator = AnsiString(":");
    v.Clock = AnsiString("1");
    v.HourLeadingZero = AnsiString("0");
    v.MorningMarker = AnsiString(u8"午前");
    v.AfternoonMarker = AnsiString(u8"午後");
    v.MarkerPosition = AnsiString("1");
    return v;
}

void InstallLocale(const LocaleValues &values) { InstalledLocale() = values; }

void AnnounceSettingsChange() { CurrentForms() = BuildForms(InstalledLocale()); }

}  // namespace PlatformTesting

namespace DateTimeInternal {

TDateTime FromLocalFields(std::int64_t year, int month, int day, int hour, int minute, int second) {
    std::int64_t days = DaysFromCivil(year, month, day) - kEpoch;
    double time = static_cast<double>(hour * 3600000 + minute * 60000 + second * 1000) /
                  static_cast<double>(kMSecsPerDay);
    return static_cast<double>(days) + (days >= 0 ? time : -time);
}

}  // namespace DateTimeInternal

TDateTime EncodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month)) {
        throw EConvertError(Consts::SInvalidDate);
    }
    return static_cast<double>(DaysFromCivil(year, month, day) - kEpoch);
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 ||
        msec > 999) {
        throw EConvertError(Consts::SInvalidTime);
    }
    return static_cast<double>(hour * 3600000 + min * 60000 + sec * 1000 + msec) /
           static_cast<double>(kMSecsPerDay);
}

void DecodeDate(TDateTime value, int &year, int &month, int &day) {
    std::int64_t d = 0;
    std::int64_t ms = 0;
    Split(value, d, ms);
    std::int64_t y = 0;
    CivilFromDays(d + kEpoch, y, month, day);
    year = static_cast<int>(y);
}

void DecodeTime(TDateTime value, int &hour, int &min, int &sec, int &msec) {
    std::int64_t d = 0;
    std::int64_t ms = 0;
    Split(value, d, ms);
    hour = static_cast<int>(ms / 3600000);
    min = static_cast<int>(ms / 60000 % 60);
    sec = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

TDateTime FileDateToDateTime(int fileDate) {
    auto packed = static_cast<std::uint32_t>(fileDate);
    auto date = static_cast<int>(packed >> 16);
    auto time = static_cast<int>(packed & 0xFFFF);
    TDateTime d = EncodeDate(1980 + (date >> 9), (date >> 5) & 15, date & 31);
    TDateTime t = EncodeTime(time >> 11, (time >> 5) & 63, (time & 31) * 2, 0);
    return d + t;
}

TDateTime Date() {
    PlatformTesting::ClockReading r = ReadClock();
    return EncodeDate(r.Year, r.Month, r.Day);
}

TDateTime Time() {
    PlatformTesting::ClockReading r = ReadClock();
    return EncodeTime(r.Hour, r.Minute, r.Second, r.Millisecond);
}

AnsiString DateToStr(TDateTime value) {
    const Forms &f = CurrentForms();
    int year = 0;
    int month = 0;
    int day = 0;
    DecodeDate(value, year, month, day);
    AnsiString out;
    for (std::size_t i = 0; i < f.dateFields.size(); ++i) {
        if (i > 0) out += f.dateSeparator;
        const Forms::Field &field = f.dateFields[i];
        std::string text;
        if (field.kind == 'y') {
            if (field.digits <= 2) {
                text = Digits(year % 100, field.digits);
            } else {
                text = Digits(year, 4);
            }
        } else {
            text = Digits(field.kind == 'm' ? month : day, field.digits >= 2 ? 2 : 1);
        }
        out += AnsiString(text.c_str());
    }
    return out;
}

AnsiString TimeToStr(TDateTime value) {
    const Forms &f = CurrentForms();
    int hour = 0;
    int min = 0;
    int sec = 0;
    int msec = 0;
    DecodeTime(value, hour, min, sec, msec);
    int shown = hour;
    if (f.twelveHour) shown = hour % 12 == 0 ? 12 : hour % 12;
    std::string text = Digits(shown, f.hourLeadingZero ? 2 : 1);
    AnsiString out = AnsiString(text.c_str()) + f.timeSeparator +
                     AnsiString(Digits(min, 2).c_str()) + f.timeSeparator +
                     AnsiString(Digits(sec, 2).c_str());
    if (!f.twelveHour) return out;
    const AnsiString &marker = hour < 12 ? f.morning : f.afternoon;
    return f.markerFirst ? marker + " " + out : out + " " + marker;
}
