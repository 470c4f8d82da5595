#include "text/date_format.h"

#include <gtest/gtest.h>

#include <tuple>

namespace quillory {
namespace {

// 2007-12-03 (a Monday) 14:30:05
const CivilDateTime kAfternoon{2007, 12, 3, 14, 30, 5};
const CivilDateTime kEarly{2007, 1, 9, 0, 5, 9};

struct WriteRow { const char* name; const char* pattern; CivilDateTime when; const char* expected; };

const WriteRow kWriteRows[] = {
    {"two-digit year", "%d/%m/%y", kEarly, "09/01/07"},
    {"no padding flags", "%-d/%-m/%y", kEarly, "9/1/07"},
    {"space-padded day", "%e.%m.", kEarly, " 9.01."},
    {"composite D", "%D", kAfternoon, "12/03/07"},
    {"composite r", "%r", kAfternoon, "02:30:05 PM"},
    {"twelve-hour midnight", "%I:%M %p", kEarly, "12:05 AM"},
    {"lower-case marker", "%l:%M %P", kAfternoon, " 2:30 pm"},
    {"zone at the start dropped", "%Z %I:%M:%S %p", kAfternoon, "02:30:05 PM"},
    {"numeric zone dropped", "kl. %H.%M %z", kAfternoon, "kl. 14.30"},
    {"month and weekday names", "%A %d %b %Y", kAfternoon, "Monday 03 Dec 2007"},
    {"alternative digits written plain", "%OH:%OM:%OS", kAfternoon, "14:30:05"},
    {"percent and literals", "%%%H h", kAfternoon, "%14 h"},
    {"year below 1000 padded", "%Y", CivilDateTime{100, 1, 1, 0, 0, 0}, "0100"},
    // %U (week of the year) has no field of its own.
    {"unknown conversion through the C library", "%U", kAfternoon, "48"},
};

TEST(DateFormat, WritesStrftimePatterns) {
    for (const WriteRow& row : kWriteRows)
        EXPECT_EQ(DateFormat(row.pattern, cLocaleWords()).text(row.when), row.expected) << row.name;
}

struct ShortRow { const char* name; const char* pattern; const char* expected; };

const ShortRow kShortRows[] = {
    {"colon separated", "%H:%M:%S", "14:30"},
    {"twelve-hour with marker", "%I:%M:%S %p", "02:30 PM"},
    {"dot separated", "%H.%M.%S", "14.30"},
    {"unit signs after the numbers", "%H\xE6\x99\x82%M\xE5\x88\x86%S\xE7\xA7\x92", "14\xE6\x99\x82" "30\xE5\x88\x86"},
};

TEST(DateFormat, DropsTheSecondsForTheShortTime) {
    for (const ShortRow& row : kShortRows)
        EXPECT_EQ(DateFormat(row.pattern, cLocaleWords()).withoutSeconds().text(kAfternoon),
                  row.expected)
            << row.name;
}

struct ReadRow { const char* name; const char* pattern; const char* text; bool ok; ReadFields expected; };

ReadFields date(int y, int m, int d, bool twoDigit = false) {
    ReadFields f;
    f.year = y;
    f.month = m;
    f.day = d;
    f.twoDigitYear = twoDigit;
    return f;
}

ReadFields time(int h, int m, int s, int pm = -1, bool twelve = false) {
    ReadFields f;
    f.hour = h;
    f.minute = m;
    f.second = s;
    f.pm = pm;
    f.twelveHour = twelve;
    return f;
}

const ReadRow kReadRows[] = {
    {"two-digit year", "%d/%m/%y", "03/12/07", true, date(7, 12, 3, true)},
    {"year written short", "%d/%m/%Y", "03/12/07", true, date(7, 12, 3, true)},
    {"month name without case", "%d %b, %Y", "03 dec, 2007", true, date(2007, 12, 3)},
    {"full month name for an abbreviation", "%d %b %Y", "03 December 2007", true, date(2007, 12, 3)},
    {"weekday skipped", "%a %d %b %Y", "Mon 03 Dec 2007", true, date(2007, 12, 3)},
    {"space-padded day", "%e.%m.%Y", " 3.12.2007", true, date(2007, 12, 3)},
    {"twelve-hour pm", "%I:%M:%S %p", "02:30:05 PM", true, time(2, 30, 5, 1, true)},
    {"marker without case", "%I:%M %p", "2:30 am", true, time(2, 30, -1, 0, true)},
    {"marker left out", "%I:%M %p", "2:30", true, time(2, 30, -1, -1, true)},
    {"blank runs", "%H:%M %Y-%m-%d", "14:30   2007-12-03", true,
     [] { auto f = time(14, 30, -1); f.year = 2007; f.month = 12; f.day = 3; return f; }()},
    {"wrong separator", "%Y-%m-%d", "2007/12/03", false, {}},
    {"text after", "%Y-%m-%d", "2007-12-03x", false, {}},
    {"unknown month", "%d %b %Y", "03 Foo 2007", false, {}},
    {"unreadable conversion", "%U", "48", false, {}},
};

auto fields(const ReadFields& f) {
    return std::tuple(f.year, f.month, f.day, f.hour, f.minute, f.second, f.pm, f.twelveHour, f.twoDigitYear);
}

TEST(DateFormat, ReadsTextsThatFollowThePattern) {
    for (const ReadRow& row : kReadRows) {
        ReadFields got;
        const bool ok = DateFormat(row.pattern, cLocaleWords()).read(row.text, got);
        EXPECT_EQ(ok, row.ok) << row.name;
        if (ok && row.ok) {
            EXPECT_EQ(fields(got), fields(row.expected)) << row.name;
        }
    }
}

}  // namespace
}  // namespace quillory
