#pragma once
// System time as date-times: days since 1899-12-30 00:00, local time, with the
// time of day as the fraction; the C library's local time, so TZ is honoured.
#include <array>
#include <cstdint>
#include <ctime>
#include <string>

namespace quillory {

// Date-time of a system time, and back.
double dateTimeFromTime(std::time_t t);
std::time_t timeFromDateTime(double dateTime);
double nowDateTime();

// dateTimeFromTime() with the zone's offset remembered per UTC day: a listing
// converts a million times that fall on a few thousand days, and localtime_r
// costs far more than the addition. A day in which the offset changes (or
// whose local fields are not the offset's, as in zones that count leap
// seconds) goes to the C library every time. The zone is the one in force at
// the first conversion of a day, so a cache serves one run on one thread.
class LocalTimeCache {
public:
    double dateTime(std::time_t t);

private:
    struct Day {
        std::int64_t day = INT64_MIN;
        std::int32_t offset = 0;
        bool uniform = false;
    };
    static constexpr std::size_t kDays = 4096;
    std::array<Day, kDays> m_days{};
};

}  // namespace quillory
