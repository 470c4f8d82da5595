#pragma once
// The stored form of the file-time bounds against the date and time pickers:
// the time picker's short time, one blank, the date picker's short date, both
// in the user's regional formats ("14:30 2007-12-03" in the C locale).
#include <QDate>
#include <QString>
#include <QTime>
#include <optional>
#include <string>
#include <string_view>

namespace quillory {
struct RegionalFormats;
class DateFormat;
}  // namespace quillory

namespace quillory::ui {

// A date picker's and a time picker's values.
struct PickerValues {
    QDate date;
    QTime time;
};

// What a stored text shows in its two pickers: any form the regional reader
// takes (the stored one, the general date text of the default, a date or a
// time alone). None when the text is no date-time.
std::optional<PickerValues> pickerValues(const RegionalFormats& formats, std::string_view stored);
std::optional<PickerValues> pickerValues(std::string_view stored);

// The stored text of the two pickers; seconds are dropped by the short time.
std::string storedDateTime(const RegionalFormats& formats, const PickerValues& values);
std::string storedDateTime(const PickerValues& values);

// The pickers' values for the current date and time.
PickerValues currentPickerValues();

// A regional pattern as a Qt display format, so the pickers show what is
// stored; empty when the pattern has a field Qt cannot show.
QString qtDisplayFormat(const DateFormat& format);

// The display formats of the user's short date and short time.
QString dateDisplayFormat();
QString timeDisplayFormat();

}  // namespace quillory::ui
