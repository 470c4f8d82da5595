#include "text/regional.h"

#include <gtest/gtest.h>
#include <locale.h>
#include <sys/wait.h>

#include <limits>

#include "platform/ole_date.h"
#include "text/regional_formats.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

// 2007-12-03 14:30:05 and the same at 14:30.
constexpr double kAfternoon = 39419.0 + (14 * 3600 + 30 * 60 + 5) / 86400.0;
constexpr double kAfternoonMinute = 39419.0 + (14 * 3600 + 30 * 60) / 86400.0;

const RegionalFormats& cFormats() {
    static const RegionalFormats formats = regionalFormatsFor("C", "C");
    return formats;
}

struct TextRow { const char* name; double dateTime; const char* expected; };

TEST(DateText, WritesTheGeneralAndTheBoundForms) {
    const TextRow rows[] = {
        {"zero is midnight alone", 0.0, "00:00:00"}, {"the split form of the zero day", -0.5, "12:00:00"},
        {"midnight is the date alone", 39419.0, "2007-12-03"}, {"date and time", kAfternoon, "2007-12-03 14:30:05"},
        {"before zero", -1.25, "1899-12-29 06:00:00"}, {"no leap day in 1900", 60.0, "1900-02-28"},
        {"leap day", 36585.0 + 0.75, "2000-02-29 18:00:00"},
        {"rounds up into the next day", 39419.0 + 86399.6 / 86400.0, "2007-12-04"},
        {"rounds down to midnight", 39419.0 + 0.4 / 86400.0, "2007-12-03"},
        {"last second", 2958465.0 + 86399.0 / 86400.0, "9999-12-31 23:59:59"}, {"first day", -657434.0, "0100-01-01"},
        {"too late clamps", 1e300, "9999-12-31 23:59:59"},
        {"not a number is zero", std::numeric_limits<double>::quiet_NaN(), "00:00:00"},
        // Alternating between days, so that a stale remembered date would show.
        {"cache: day", 39419.5, "2007-12-03 12:00:00"}, {"cache: next day", 39420.5, "2007-12-04 12:00:00"},
        {"cache: zero day", 0.5, "12:00:00"}, {"cache: day again", 39419.5, "2007-12-03 12:00:00"},
    };
    for (const TextRow& row : rows) EXPECT_EQ(generalDateText(cFormats(), row.dateTime), row.expected) << row.name;
    // The stored bound's short-time-blank-date form keeps both halves.
    const TextRow bounds[] = {{"afternoon", kAfternoon, "14:30 2007-12-03"},
                              {"midnight keeps its time", 39419.0, "00:00 2007-12-03"}, {"zero keeps its date", 0.0, "00:00 1899-12-30"}};
    for (const TextRow& row : bounds) EXPECT_EQ(shortTimeDateText(cFormats(), row.dateTime), row.expected) << row.name;
}

TEST(ParseDateTime, ReadsTheRegionalForms) {
    const struct { const char *name, *text; std::optional<double> expected; } rows[] = {
        {"long time and date", "14:30:05 2007-12-03", kAfternoon}, {"date alone", "2007-12-03", 39419.0},
        {"time alone", "14:30:05", (14 * 3600 + 30 * 60 + 5) / 86400.0}, {"blanks around", "  2007-12-03  ", 39419.0},
        {"unpadded numbers, hour zero", "0:05 2007-1-9", 39091.0 + 5 * 60 / 86400.0}, {"empty", "", std::nullopt},
        {"month 13", "2007-13-01", std::nullopt}, {"leap day", "2008-02-29", 39507.0},
        {"no leap day", "2007-02-29", std::nullopt}, {"hour 24", "24:00", std::nullopt},
        {"text after", "2007-12-03 14:30:05 x", std::nullopt}, {"number alone", "39419", std::nullopt},
        {"year out of range", "0099-12-03", std::nullopt}, {"before the zero day", "06:00:00 1899-12-29", -1.25},
    };
    for (const auto& row : rows) {
        const auto got = parseDateTime(cFormats(), row.text);
        ASSERT_EQ(got.has_value(), row.expected.has_value()) << row.name;
        if (got) { EXPECT_DOUBLE_EQ(*got, *row.expected) << row.name; }
    }
}

// Two-digit years: 00-29 are this century, 30-99 the last.
TEST(ParseDateTime, TwoDigitYearsPivotAtThirty) {
    RegionalFormats f = regionalFormatsFor("C", "C");
    f.readForms.insert(f.readForms.begin(), DateFormat("%d/%m/%y", cLocaleWords()));
    EXPECT_EQ(parseDateTime(f, "01/01/29"), 47119.0);
    EXPECT_EQ(parseDateTime(f, "01/01/30"), 10959.0);
}

// A locale compiled from the system's sources into a temp folder when it is
// not installed; false when the tools are missing. localedef warns with exit
// status 1 but still writes the locale.
bool haveLocale(const std::string& name, const std::string& source, test::TempDir& dir,
                std::optional<test::ScopedEnv>& path) {
    const auto probe = [&name] {
        locale_t loc = newlocale(LC_ALL_MASK, name.c_str(), static_cast<locale_t>(0));
        if (loc != static_cast<locale_t>(0)) freelocale(loc);
        return loc != static_cast<locale_t>(0);
    };
    if (probe()) return true;
    const int status = std::system(("localedef -i " + source + " -f UTF-8 " + dir / name + " >/dev/null 2>&1").c_str());
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) > 1) return false;
    path.emplace("LOCPATH", dir.path().c_str());
    return probe();
}

TEST(RegionalLocale, WritesAndReadsTheLocalesForms) {
    // source nullptr: no such locale, the plain forms stand
    const struct { const char *locale, *source; char decimal; const char *general, *bound, *dateOnly; } rows[] = {
        {"xx_NOWHERE.UTF-8", nullptr, '.', "2007-12-03 14:30:05", "14:30 2007-12-03", "2007-12-03"},
        {"de_DE.UTF-8", "de_DE", ',', "03.12.2007 14:30:05", "14:30 03.12.2007", "03.12.2007"},
        {"en_US.UTF-8", "en_US", '.', "12/03/2007 02:30:05 PM", "02:30 PM 12/03/2007", "12/03/2007"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.locale);
        test::TempDir dir;
        std::optional<test::ScopedEnv> path;
        if (row.source && !haveLocale(row.locale, row.source, dir, path)) GTEST_SKIP() << row.locale << " cannot be built";
        const RegionalFormats f = regionalFormatsFor(row.locale, row.locale);
        EXPECT_EQ(f.decimalSeparator, row.decimal);
        EXPECT_EQ(generalDateText(f, kAfternoon), row.general);
        EXPECT_EQ(generalDateText(f, 39419.0), row.dateOnly);
        EXPECT_EQ(shortTimeDateText(f, kAfternoon), row.bound);
        EXPECT_EQ(parseDateTime(f, row.general), kAfternoon);
        EXPECT_EQ(parseDateTime(f, row.bound), kAfternoonMinute);
        EXPECT_EQ(parseDateTime(f, row.dateOnly), 39419.0);
        // Plain texts stay readable in any locale.
        EXPECT_EQ(parseDateTime(f, "14:30 2007-12-03"), kAfternoonMinute);
        EXPECT_EQ(parseDateTime(f, "2007-12-03 14:30:05"), kAfternoon);
        EXPECT_FALSE(parseDateTime(f, "2007-12-03 14:30:05 x"));
    }
}

}  // namespace
}  // namespace quillory
