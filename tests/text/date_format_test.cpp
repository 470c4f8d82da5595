#include "text/date_format.h"

#include <gtest/gtest.h>

#include <tuple>

namespace quillory {
namespace {

// 2007-12-03 (a Monday) 14:30:05
const CivilDateTime kAfternoon{2007, 12, 3, 14, 30, 5};
const CivilDateTime kEarly{2007, 1, 9, 0, 5, 9};

TEST(DateFormat, WritesStrftimePatterns) {
    const struct { const char* name; const char* pattern; CivilDateTime when; const char* expected; } rows[] = {
        {"two-digit year", "%d/%m/%y", kEarly, "09/01/07"}, {"no padding flags", "%-d/%-m/%y", kEarly, "9/1/07"},
        {"space-padded day", "%e.%m.", kEarly, " 9.01."}, {"composite D", "%D", kAfternoon, "12/03/07"},
        {"composite r", "%r", kAfternoon, "02:30:05 PM"}, {"twelve-hour midnight", "%I:%M %p", kEarly, "12:05 AM"},
        {"lower-case marker", "%l:%M %P", kAfternoon, " 2:30 pm"},
        {"zone at the start dropped", "%Z %I:%M:%S %p", kAfternoon, "02:30:05 PM"},
        {"numeric zone dropped", "kl. %H.%M %z", kAfternoon, "kl. 14.30"},
        {"month and weekday names", "%A %d %b %Y", kAfternoon, "Monday 03 Dec 2007"},
        {"alternative digits written plain", "%OH:%OM:%OS", kAfternoon, "14:30:05"},
        {"percent and literals", "%%%H h", kAfternoon, "%14 h"},
        {"year below 1000 padded", "%Y", CivilDateTime{100, 1, 1, 0, 0, 0}, "0100"},
        {"no field of its own: through the C library", "%U", kAfternoon, "48"},
    };
    for (const auto& row : rows) EXPECT_EQ(DateFormat(row.pattern, cLocaleWords()).text(row.when), row.expected) << row.name;
}

TEST(DateFormat, DropsTheSecondsForTheShortTime) {
    const struct { const char *name, *pattern, *expected; } rows[] = {
        {"colon separated", "%H:%M:%S", "14:30"}, {"twelve-hour with marker", "%I:%M:%S %p", "02:30 PM"},
        {"dot separated", "%H.%M.%S", "14.30"},
        {"unit signs after the numbers", "%H\xE6\x99\x82%M\xE5\x88\x86%S\xE7\xA7\x92", "14\xE6\x99\x82" "30\xE5\x88\x86"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(DateFormat(row.pattern, cLocaleWords()).withoutSeconds().text(kAfternoon), row.expected) << row.name;
}

auto fields(const ReadFields& f) {
    return std::tuple(f.year, f.month, f.day, f.hour, f.minute, f.second, f.pm, f.twelveHour, f.twoDigitYear);
}

TEST(DateFormat, ReadsTextsThatFollowThePattern) {
    const struct { const char *name, *pattern, *text; bool ok; ReadFields expected; } rows[] = {
        {"two-digit year", "%d/%m/%y", "03/12/07", true, {.year = 7, .month = 12, .day = 3, .twoDigitYear = true}},
        {"year written short", "%d/%m/%Y", "03/12/07", true, {.year = 7, .month = 12, .day = 3, .twoDigitYear = true}},
        {"month name without case", "%d %b, %Y", "03 dec, 2007", true, {.year = 2007, .month = 12, .day = 3}},
        {"full month name for an abbreviation", "%d %b %Y", "03 December 2007", true, {.year = 2007, .month = 12, .day = 3}},
        {"weekday skipped", "%a %d %b %Y", "Mon 03 Dec 2007", true, {.year = 2007, .month = 12, .day = 3}},
        {"space-padded day", "%e.%m.%Y", " 3.12.2007", true, {.year = 2007, .month = 12, .day = 3}},
        {"twelve-hour pm", "%I:%M:%S %p", "02:30:05 PM", true, {.hour = 2, .minute = 30, .second = 5, .pm = 1, .twelveHour = true}},
        {"marker without case", "%I:%M %p", "2:30 am", true, {.hour = 2, .minute = 30, .pm = 0, .twelveHour = true}},
        {"marker left out", "%I:%M %p", "2:30", true, {.hour = 2, .minute = 30, .twelveHour = true}},
        {"blank runs", "%H:%M %Y-%m-%d", "14:30   2007-12-03", true, {.year = 2007, .month = 12, .day = 3, .hour = 14, .minute = 30}},
        {"wrong separator", "%Y-%m-%d", "2007/12/03", false, {}}, {"text after", "%Y-%m-%d", "2007-12-03x", false, {}},
        {"unknown month", "%d %b %Y", "03 Foo 2007", false, {}}, {"unreadable conversion", "%U", "48", false, {}},
    };
    for (const auto& row : rows) {
        ReadFields got;
        const bool ok = DateFormat(row.pattern, cLocaleWords()).read(row.text, got);
        EXPECT_EQ(ok, row.ok) << row.name;
        if (ok && row.ok) { EXPECT_EQ(fields(got), fields(row.expected)) << row.name; }
    }
}

}  // namespace
}  // namespace quillory
