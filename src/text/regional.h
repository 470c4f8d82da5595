#pragma once
// The user's regional formats (LC_TIME, LC_NUMERIC, or LC_ALL/LANG): date-times
// and numbers as texts. (The conversion between system time and date-times is
// the platform's: platform/file_times.h.)
//
// Files (texts for people; only platform below): regional.cpp reads the
// locale's patterns (regional_formats.h) and writes and reads date-times and
// numbers through date_format.cpp (the compiled pattern), date_write.cpp and
// date_read.cpp; type_text.cpp names a file's type from type_text_globs.cpp;
// ascii_case.h folds letters without a locale.
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_times.h"

namespace quillory {

// The decimal separator of the user's numbers ('.' in the C locale).
char decimalSeparator();

// The general date form: short date, a blank, long time; the date alone when
// the time is midnight, the time alone when the date is 1899-12-30.
// C locale: "2007-12-03 14:30:05".
std::string generalDateText(double dateTime);
// The same text appended to `out`: what a row writer wants, with no string of its own.
void appendGeneralDateText(double dateTime, std::string& out);

// The stored form of a date-time bound: short time, a blank, short date.
// C locale: "14:30 2007-12-03".
std::string shortTimeDateText(double dateTime);

// Reads a date-time written in the regional short/general forms, the stored
// filter-bound form ("14:30 2007-12-03": short time, blank, short date)
// included. None when the text is not a date-time.
std::optional<double> parseDateTime(std::string_view text);

}  // namespace quillory
