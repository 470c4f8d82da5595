#include "platform/file_times.h"

#include <sys/stat.h>

#include "platform/ole_date.h"

namespace quillory {

namespace {

// 1970-01-01 in days since 1899-12-30.
constexpr std::int64_t kUnixEpochDay = 25569;

std::int64_t localSecondsOf(const std::tm& tm) {
    const std::int64_t days = daysFromCivil(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    return days * kSecondsPerDay + tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec;
}

// True when the local fields of `t` are `t` shifted by the offset it reports;
// gives that offset.
bool plainOffset(std::time_t t, std::int32_t& offset) {
    std::tm tm{};
    if (!localtime_r(&t, &tm) || tm.tm_sec > 59) return false;
    offset = static_cast<std::int32_t>(tm.tm_gmtoff);
    return localSecondsOf(tm) == (static_cast<std::int64_t>(t) + offset) + kUnixEpochDay * kSecondsPerDay;
}

}  // namespace

double dateTimeFromTime(std::time_t t) {
    std::tm tm{};
    if (!localtime_r(&t, &tm)) return 0.0;
    const std::int64_t days = daysFromCivil(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    const int second = tm.tm_sec > 59 ? 59 : tm.tm_sec;  // a leap second stays in its minute
    return dateTimeFromSeconds(days * kSecondsPerDay + tm.tm_hour * 3600 + tm.tm_min * 60 + second);
}

std::time_t timeFromDateTime(double dateTime) {
    std::tm tm = tmOf(civilFromSeconds(secondsFromDateTime(dateTime)));
    return std::mktime(&tm);
}

double nowDateTime() { return dateTimeFromTime(std::time(nullptr)); }

double LocalTimeCache::dateTime(std::time_t t) {
    const auto seconds = static_cast<std::int64_t>(t);
    std::int64_t day = seconds / kSecondsPerDay;
    if (seconds % kSecondsPerDay < 0) --day;
    Day& slot = m_days[static_cast<std::size_t>(day) % kDays];
    if (slot.day != day) {
        slot.day = day;
        std::int32_t first = 0;
        std::int32_t last = 0;
        const auto start = static_cast<std::time_t>(day * kSecondsPerDay);
        slot.uniform = plainOffset(start, first) && plainOffset(start + kSecondsPerDay - 1, last) && first == last;
        slot.offset = first;
    }
    if (!slot.uniform) return dateTimeFromTime(t);
    return dateTimeFromSeconds(seconds + slot.offset + kUnixEpochDay * kSecondsPerDay);
}

}  // namespace quillory
