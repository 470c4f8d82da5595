#pragma once
// The regional formats of one locale, compiled once. regional.h answers for the
// user's locale; this lets a caller (or a test) use a named one.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/date_format.h"

namespace quillory {

struct RegionalFormats {
    std::uint64_t id = 0;  // tells cached texts of different formats apart
    char decimalSeparator = '.';
    DateFormat shortDate;
    DateFormat longTime;
    DateFormat shortTime;
    bool timeHasDate = false;  // the time patterns write something of the date
    std::vector<DateFormat> readForms;  // what parsing tries, in order
};

// The formats of the named LC_TIME and LC_NUMERIC locales. The C, POSIX and C.*
// locales, and a locale that is not installed, give yyyy-MM-dd, HH:mm:ss, HH:mm
// and '.'.
RegionalFormats regionalFormatsFor(const std::string& timeLocale,
                                   const std::string& numericLocale);

// The user's: LC_ALL, else LC_TIME / LC_NUMERIC, else LANG. Read once.
const RegionalFormats& userRegionalFormats();

std::string generalDateText(const RegionalFormats& formats, double dateTime);
void appendGeneralDateText(const RegionalFormats& formats, double dateTime, std::string& out);
std::string shortTimeDateText(const RegionalFormats& formats, double dateTime);
std::optional<double> parseDateTime(const RegionalFormats& formats, std::string_view text);

}  // namespace quillory
