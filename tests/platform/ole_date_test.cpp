#include "platform/ole_date.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quillory {
namespace {

struct CivilRow {
    const char* name;
    int year, month, day;
    std::int64_t days;
    int weekday;  // 0 Sunday
};

const CivilRow kCivilRows[] = {
    {"the zero day", 1899, 12, 30, 0, 6},
    {"the day after", 1899, 12, 31, 1, 0},
    {"first of 1900", 1900, 1, 1, 2, 1},
    {"1900 has no leap day", 1900, 2, 28, 60, 3},
    {"march 1900", 1900, 3, 1, 61, 4},
    {"day before zero", 1899, 12, 29, -1, 5},
    {"leap day 2000", 2000, 2, 29, 36585, 2},
    {"unix epoch", 1970, 1, 1, 25569, 4},
    {"2007-12-03", 2007, 12, 3, 39419, 1},
    {"first supported day", 100, 1, 1, -657434, 5},
    {"last supported day", 9999, 12, 31, 2958465, 5},
};

TEST(OleDate, CountsDaysFrom1899December30) {
    for (const CivilRow& row : kCivilRows) {
        EXPECT_EQ(daysFromCivil(row.year, row.month, row.day), row.days) << row.name;
        const CivilDateTime c = civilFromSeconds(row.days * kSecondsPerDay);
        EXPECT_EQ(c.year, row.year) << row.name;
        EXPECT_EQ(c.month, row.month) << row.name;
        EXPECT_EQ(c.day, row.day) << row.name;
        EXPECT_EQ(weekdayOfDays(row.days), row.weekday) << row.name;
    }
}

struct SecondsRow {
    const char* name;
    double dateTime;
    std::int64_t seconds;
};

const SecondsRow kSecondsRows[] = {
    {"zero", 0.0, 0},
    {"noon", 0.5, 43200},
    {"a day and a quarter", 1.25, 86400 + 21600},
    {"before zero counts the fraction forwards", -1.25, -86400 + 21600},
    {"minus a half is noon of the zero day", -0.5, 43200},
    {"two days back at 18:00", -2.75, -2 * 86400 + 64800},
    {"just under a second rounds up", 0.99999 / 86400, 1},
    {"just under a half second rounds down", 0.4999 / 86400, 0},
    {"microsecond error of a stored date", 39419.604224537, 39419LL * 86400 + 52205},
    {"not a number", std::numeric_limits<double>::quiet_NaN(), 0},
    {"too late is the last second", 1e300, 2958466LL * 86400 - 1},
    {"too early is the first day", -1e300, -657434LL * 86400},
};

TEST(OleDate, RoundsToTheNearestSecond) {
    for (const SecondsRow& row : kSecondsRows)
        EXPECT_EQ(secondsFromDateTime(row.dateTime), row.seconds) << row.name;
}

TEST(OleDate, BuildsTheSplitFormBack) {
    EXPECT_EQ(dateTimeFromSeconds(-86400 + 21600), -1.25);
    EXPECT_EQ(dateTimeFromSeconds(86400 + 21600), 1.25);
    EXPECT_EQ(dateTimeFromSeconds(-86400), -1.0);
    EXPECT_EQ(dateTimeFromSeconds(0), 0.0);
    for (std::int64_t s = -3 * 86400; s <= 3 * 86400; s += 3571)
        EXPECT_EQ(secondsFromDateTime(dateTimeFromSeconds(s)), s) << s;
}

TEST(OleDate, KnowsMonthLengths) {
    EXPECT_EQ(daysInMonth(1900, 2), 28);
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(daysInMonth(2007, 2), 28);
    EXPECT_EQ(daysInMonth(2008, 2), 29);
    EXPECT_EQ(daysInMonth(2007, 4), 30);
    EXPECT_EQ(daysInMonth(2007, 12), 31);
    EXPECT_EQ(daysInMonth(2007, 13), 0);
    EXPECT_EQ(daysInMonth(2007, 0), 0);
}

}  // namespace
}  // namespace quillory
