#include "platform/ole_date.h"

#include <cmath>

namespace quillory {

namespace {

// 0100-01-01 and 9999-12-31 23:59:59, the range a date-time can hold.
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958465.0;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// Days since 1970-01-01 (H. Hinnant's civil-date algorithms).
std::int64_t unixDaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = floorDiv(y, 400);
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// 1899-12-30 in days since 1970-01-01.
constexpr std::int64_t kEpochOffset = -25569;

}  // namespace

std::int64_t secondsFromDateTime(double dateTime) {
    if (std::isnan(dateTime)) return 0;
    if (dateTime < kFirstDay - 1.0) dateTime = kFirstDay - 1.0;
    if (dateTime > kLastDay + 1.0) dateTime = kLastDay + 1.0;
    // Turn the split convention into a straight count of days first.
    const double whole = std::trunc(dateTime);
    const double linear = whole + std::fabs(dateTime - whole);
    std::int64_t seconds = std::llround(linear * static_cast<double>(kSecondsPerDay));
    const auto first = static_cast<std::int64_t>(kFirstDay) * kSecondsPerDay;
    const auto last = (static_cast<std::int64_t>(kLastDay) + 1) * kSecondsPerDay - 1;
    if (seconds < first) seconds = first;
    if (seconds > last) seconds = last;
    return seconds;
}

double dateTimeFromSeconds(std::int64_t seconds) {
    const DaySecond ds = splitSeconds(seconds);
    const double fraction = static_cast<double>(ds.second) / static_cast<double>(kSecondsPerDay);
    const double day = static_cast<double>(ds.day);
    return ds.day >= 0 ? day + fraction : day - fraction;
}

DaySecond splitSeconds(std::int64_t seconds) {
    const std::int64_t day = floorDiv(seconds, kSecondsPerDay);
    return {day, seconds - day * kSecondsPerDay};
}

std::int64_t daysFromCivil(int year, int month, int day) {
    return unixDaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
           kEpochOffset;
}

CivilDateTime civilFromSeconds(std::int64_t seconds) {
    const DaySecond ds = splitSeconds(seconds);
    const std::int64_t z = ds.day + kEpochOffset + 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    CivilDateTime c;
    c.year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
    c.month = static_cast<int>(m);
    c.day = static_cast<int>(d);
    c.hour = static_cast<int>(ds.second / 3600);
    c.minute = static_cast<int>(ds.second / 60 % 60);
    c.second = static_cast<int>(ds.second % 60);
    return c;
}

int weekdayOfDays(std::int64_t days) {
    // 1899-12-30 was a Saturday.
    const std::int64_t r = (days + 6) % 7;
    return static_cast<int>(r < 0 ? r + 7 : r);
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::tm tmOf(const CivilDateTime& when) {
    const std::int64_t days = daysFromCivil(when.year, when.month, when.day);
    std::tm tm{};
    tm.tm_year = when.year - 1900;
    tm.tm_mon = when.month - 1;
    tm.tm_mday = when.day;
    tm.tm_hour = when.hour;
    tm.tm_min = when.minute;
    tm.tm_sec = when.second;
    tm.tm_wday = weekdayOfDays(days);
    tm.tm_yday = static_cast<int>(days - daysFromCivil(when.year, 1, 1));
    tm.tm_isdst = -1;
    return tm;
}

}  // namespace quillory
