#include <gtest/gtest.h>

#include "platform/SysUtils.hpp"
#include "platform/Testing.hpp"
#include "support/TempDrives.h"

namespace {

using PlatformTesting::LocaleValues;

const std::string kInvalidDate =
    "\x93\xFA\x95\x74\x82\xC9\x95\xCF\x8A\xB7\x82\xC5\x82\xAB\x82\xC8\x82\xA2\x92\x6C\x82\xAA"
    "\x93\x6E\x82\xB3\x82\xEA\x82\xDC\x82\xB5\x82\xBD";  // 日付に変換できない値が渡されました
const std::string kInvalidTime =
    "\x8E\x9E\x8D\x8F\x82\xC9\x95\xCF\x8A\xB7\x82\xC5\x82\xAB\x82\xC8\x82\xA2\x92\x6C\x82\xAA"
    "\x93\x6E\x82\xB3\x82\xEA\x82\xDC\x82\xB5\x82\xBD";  // 時刻に変換できない値が渡されました

TEST(DateTimeValues, DatesCountDaysFromTheLastDaysOf1899) {
    struct Case {
        int y, m, d;
        double value;
    } cases[] = {
        {1899, 12, 30, 0},     {1899, 12, 29, -1},  {1900, 3, 1, 61},
        {1980, 1, 1, 29221},   {1997, 5, 3, 35553}, {2000, 2, 29, 36585},
        {2107, 12, 31, 75971}, {1, 1, 1, -693593},  {9999, 12, 31, 2958465},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.value) << c.y << "-" << c.m << "-" << c.d;
        int y = 0, m = 0, d = 0;
        DecodeDate(c.value, y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d) << c.value;
    }
    EXPECT_EQ(EncodeTime(9, 2, 44, 500), (9 * 3600000 + 2 * 60000 + 44000 + 500) / 86400000.0);
}

TEST(DateTimeValues, InvalidPartsAreRefusedWithTheirMessages) {
    struct Case {
        int a, b, c, d;
        bool date;
    } cases[] = {
        {1997, 2, 29, 0, true}, {2000, 2, 30, 0, true}, {1997, 13, 1, 0, true},
        {1997, 0, 1, 0, true},  {1997, 4, 31, 0, true}, {0, 1, 1, 0, true},
        {24, 0, 0, 0, false},   {23, 60, 0, 0, false},  {23, 59, 60, 0, false},
        {0, 0, 0, 1000, false}, {-1, 0, 0, 0, false},
    };
    for (const Case &c : cases) {
        try {
            if (c.date) {
                EncodeDate(c.a, c.b, c.c);
            } else {
                EncodeTime(c.a, c.b, c.c, c.d);
            }
            ADD_FAILURE() << "accepted " << c.a << " " << c.b << " " << c.c << " " << c.d;
        } catch (const EConvertError &e) {
            EXPECT_EQ(e.Message.Bytes(), c.date ? kInvalidDate : kInvalidTime);
        }
    }
}

TEST(DateTimeValues, DecodingRoundsToWholeMilliseconds) {
    struct Case {
        double value;
        int y, mo, d, h, mi, s, ms;
    } cases[] = {
        {35553 + 32564.0004 / 86400.0, 1997, 5, 3, 9, 2, 44, 0},
        {35553 + 32564.0006 / 86400.0, 1997, 5, 3, 9, 2, 44, 1},
        // A hair below midnight is midnight of the next day, in the date as well.
        {35553 + 86399.9996 / 86400.0, 1997, 5, 4, 0, 0, 0, 0},
        {35553 + 86399.999 / 86400.0, 1997, 5, 3, 23, 59, 59, 999},
        {-1.25, 1899, 12, 29, 6, 0, 0, 0},  // before day 0 the fraction counts forward
    };
    for (const Case &c : cases) {
        int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
        DecodeDate(c.value, y, mo, d);
        DecodeTime(c.value, h, mi, s, ms);
        EXPECT_EQ((std::vector<int>{y, mo, d, h, mi, s, ms}),
                  (std::vector<int>{c.y, c.mo, c.d, c.h, c.mi, c.s, c.ms}))
            << c.value;
    }
}

TEST(DateTimeValues, PackedFileDatesAndTheirRefusals) {
    EXPECT_EQ(FileDateToDateTime(0x22A34856), 35553 + 32564 / 86400.0);  // 1997-05-03 9:02:44
    EXPECT_EQ(FileDateToDateTime(0x00210000), 29221.0);                  // 1980-01-01 0:00:00
    EXPECT_EQ(FileDateToDateTime(static_cast<int>(0xFF9FBF7Du)), 75971 + 86398 / 86400.0);

    struct Case {
        unsigned packed;
        const std::string *message;
    } cases[] = {
        {0x00000000u, &kInvalidDate},  // month 0
        {0x01A10000u, &kInvalidDate},  // month 13
        {0x225E0000u, &kInvalidDate},  // 1997-02-30
        {0x22A3C000u, &kInvalidTime},  // hour 24
        {0x22A30780u, &kInvalidTime},  // minute 60
        {0x22A3001Eu, &kInvalidTime},  // 60 seconds
    };
    for (const Case &c : cases) {
        try {
            FileDateToDateTime(static_cast<int>(c.packed));
            ADD_FAILURE() << std::hex << c.packed;
        } catch (const EConvertError &e) {
            EXPECT_EQ(e.Message.Bytes(), *c.message) << std::hex << c.packed;
        }
    }
}

TEST(DateTimeClock, DateAndTimeEachReadTheClockOnce) {
    support::FixedClock clock({"1998-06-01 23:59:59.999", "1998-06-02 00:00:00.000"});
    EXPECT_EQ(Date(), 35947.0);
    EXPECT_EQ(Time(), 0.0);  // the second reading, past midnight
    EXPECT_EQ(clock.Reads(), 2);
    support::FixedClock later("1998-06-01 21:04:37.250");
    EXPECT_EQ(Time(), (21 * 3600000 + 4 * 60000 + 37250) / 86400000.0);
    EXPECT_EQ(Date(), 35947.0);
}

LocaleValues TwelveHour(const char *leadingZero, const char *position) {
    LocaleValues v = PlatformTesting::JapaneseLocale();
    v.Clock = AnsiString("0");
    v.HourLeadingZero = AnsiString(leadingZero);
    v.MarkerPosition = AnsiString(position);
    return v;
}

TEST(DateTimeLocale, TextsFollowTheLocalesForms) {
    LocaleValues english = TwelveHour("1", "0");
    english.MorningMarker = AnsiString("AM");
    english.AfternoonMarker = AnsiString("PM");
    english.ShortDate = AnsiString("M/d/yyyy");
    LocaleValues german = PlatformTesting::JapaneseLocale();
    german.ShortDate = AnsiString("dd.MM.yyyy");
    german.DateSeparator = AnsiString(".");
    german.HourLeadingZero = AnsiString("1");
    LocaleValues japanese = PlatformTesting::JapaneseLocale();
    LocaleValues japanese12 = TwelveHour("0", "1");
    LocaleValues none;  // supplies nothing: the fall-back forms
    LocaleValues empty;
    empty.ShortDate = empty.DateSeparator = empty.TimeSeparator = empty.MorningMarker =
        AnsiString("");

    const double may3 = 35553;
    const double t0 = 0;                 // 0:00:00
    const double t9 = 32564 / 86400.0;   // 9:02:44
    const double t12 = 43201 / 86400.0;  // 12:00:01
    const double t21 = 75877 / 86400.0;  // 21:04:37
    struct Case {
        const char *locale;
        const LocaleValues *values;
        std::string date, at0, at9, at12, at21;
    } cases[] = {
        {"Japanese", &japanese, "97/05/03", "0:00:00", "9:02:44", "12:00:01", "21:04:37"},
        {"Japanese 12-hour", &japanese12, "97/05/03", "\x8C\xDF\x91\x4F 12:00:00",
         "\x8C\xDF\x91\x4F 9:02:44", "\x8C\xDF\x8C\xE3 12:00:01", "\x8C\xDF\x8C\xE3 9:04:37"},
        {"English", &english, "5/3/1997", "12:00:00 AM", "09:02:44 AM", "12:00:01 PM",
         "09:04:37 PM"},
        {"German", &german, "03.05.1997", "00:00:00", "09:02:44", "12:00:01", "21:04:37"},
        {"none", &none, "5/3/97", "12:00:00 am", "9:02:44 am", "12:00:01 pm", "9:04:37 pm"},
        {"empty", &empty, "5/3/97", "12:00:00 am", "9:02:44 am", "12:00:01 pm", "9:04:37 pm"},
    };
    for (const Case &c : cases) {
        support::FixedLocale locale(*c.values);
        EXPECT_EQ(DateToStr(may3 + t9).Bytes(), c.date) << c.locale;
        EXPECT_EQ(TimeToStr(t0).Bytes(), c.at0) << c.locale;
        EXPECT_EQ(TimeToStr(may3 + t9).Bytes(), c.at9) << c.locale;
        EXPECT_EQ(TimeToStr(t12).Bytes(), c.at12) << c.locale;
        EXPECT_EQ(TimeToStr(t21).Bytes(), c.at21) << c.locale;
    }
}

TEST(DateTimeLocale, FormsChangeOnlyWhenTheChangeIsAnnounced) {
    support::FixedLocale japanese(PlatformTesting::JapaneseLocale());
    LocaleValues other = PlatformTesting::JapaneseLocale();
    other.ShortDate = AnsiString("yyyy/M/d");
    other.TimeSeparator = AnsiString(".");
    PlatformTesting::InstallLocale(other);
    EXPECT_EQ(DateToStr(35553).Bytes(), "97/05/03");
    EXPECT_EQ(TimeToStr(0.5).Bytes(), "12:00:00");
    PlatformTesting::AnnounceSettingsChange();
    EXPECT_EQ(DateToStr(35553).Bytes(), "1997/5/3");
    EXPECT_EQ(TimeToStr(0.5).Bytes(), "12.00.00");
}

}  // namespace
