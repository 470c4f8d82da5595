#pragma once
// Date-time arithmetic: the double count of days since 1899-12-30 00:00 whose
// fraction is the time of day, against calendar fields. Pure arithmetic, no
// time zone: a date-time is already local.
//
// Before 1899-12-30 the day part is negative while the fraction still counts
// forwards from midnight: -1.25 is 1899-12-29 06:00, not 1899-12-28 18:00.
#include <cstdint>
#include <ctime>

namespace quillory {

struct CivilDateTime {
    int year = 1899;
    int month = 12;  // 1..12
    int day = 30;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

inline constexpr std::int64_t kSecondsPerDay = 86400;

// Whole seconds since 1899-12-30 00:00, rounded to the nearest second (a
// date-time carries about a microsecond of error). Values outside the years
// 100..9999, and NaN, are clamped into that range (NaN to 0).
std::int64_t secondsFromDateTime(double dateTime);
double dateTimeFromSeconds(std::int64_t seconds);

// Days since 1899-12-30 of a proleptic Gregorian date (month 1..12).
std::int64_t daysFromCivil(int year, int month, int day);
// The calendar fields of a second count (as secondsFromDateTime gives).
CivilDateTime civilFromSeconds(std::int64_t seconds);
// Weekday of a day count, 0 Sunday .. 6 Saturday.
int weekdayOfDays(std::int64_t days);

// The whole-day part and the second of that day, second in [0, 86400).
struct DaySecond {
    std::int64_t day;
    std::int64_t second;
};
DaySecond splitSeconds(std::int64_t seconds);

int daysInMonth(int year, int month);

// The C library's broken-down form, weekday and day of the year filled in,
// daylight saving left for the library to decide (-1).
std::tm tmOf(const CivilDateTime& when);

}  // namespace quillory
