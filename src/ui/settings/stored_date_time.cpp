#include "ui/settings/stored_date_time.h"

#include <QLocale>

#include "platform/ole_date.h"
#include "text/regional.h"
#include "text/regional_formats.h"

namespace quillory::ui {

namespace {

PickerValues valuesOf(double dateTime) {
    const CivilDateTime c = civilFromSeconds(secondsFromDateTime(dateTime));
    return {QDate(c.year, c.month, c.day), QTime(c.hour, c.minute, c.second)};
}

double dateTimeOf(const PickerValues& values) {
    const QDate date = values.date.isValid() ? values.date : QDate(1899, 12, 30);
    const QTime time = values.time.isValid() ? values.time : QTime(0, 0);
    const std::int64_t days = daysFromCivil(date.year(), date.month(), date.day());
    return dateTimeFromSeconds(days * kSecondsPerDay + time.msecsSinceStartOfDay() / 1000);
}

QString quoted(const std::string& literal) {
    QString text = QString::fromStdString(literal);
    text.replace(u'\'', QLatin1String("''"));
    return u'\'' + text + u'\'';
}

QString padded(const DatePart& part, const char* zero, const char* plain) {
    return QString::fromLatin1(part.padding == Padding::Zero ? zero : plain);
}

}  // namespace

std::optional<PickerValues> pickerValues(const RegionalFormats& formats, std::string_view stored) {
    const auto dateTime = parseDateTime(formats, stored);
    if (!dateTime) return std::nullopt;
    return valuesOf(*dateTime);
}

std::optional<PickerValues> pickerValues(std::string_view stored) {
    return pickerValues(userRegionalFormats(), stored);
}

std::string storedDateTime(const RegionalFormats& formats, const PickerValues& values) {
    return shortTimeDateText(formats, dateTimeOf(values));
}

std::string storedDateTime(const PickerValues& values) {
    return storedDateTime(userRegionalFormats(), values);
}

PickerValues currentPickerValues() { return valuesOf(nowDateTime()); }

QString qtDisplayFormat(const DateFormat& format) {
    QString out;
    for (const DatePart& part : format.parts()) {
        switch (part.field) {
        case DateField::Literal: out += quoted(part.text); break;
        case DateField::Year: out += QLatin1String("yyyy"); break;
        case DateField::Year2: out += QLatin1String("yy"); break;
        case DateField::Month: out += padded(part, "MM", "M"); break;
        case DateField::Day: out += padded(part, "dd", "d"); break;
        case DateField::Hour24: out += padded(part, "HH", "H"); break;
        case DateField::Hour12: out += padded(part, "hh", "h"); break;
        case DateField::Minute: out += padded(part, "mm", "m"); break;
        case DateField::Second: out += padded(part, "ss", "s"); break;
        case DateField::AmPm: out += QLatin1String("AP"); break;
        case DateField::AmPmLower: out += QLatin1String("ap"); break;
        case DateField::MonthAbbrev: out += QLatin1String("MMM"); break;
        case DateField::MonthName: out += QLatin1String("MMMM"); break;
        case DateField::WeekdayAbbrev: out += QLatin1String("ddd"); break;
        case DateField::WeekdayName: out += QLatin1String("dddd"); break;
        case DateField::Century:
        case DateField::DayOfYear:
        case DateField::Other: return {};
        }
    }
    return out;
}

QString dateDisplayFormat() {
    const QString format = qtDisplayFormat(userRegionalFormats().shortDate);
    return format.isEmpty() ? QLocale().dateFormat(QLocale::ShortFormat) : format;
}

QString timeDisplayFormat() {
    const QString format = qtDisplayFormat(userRegionalFormats().shortTime);
    return format.isEmpty() ? QLocale().timeFormat(QLocale::ShortFormat) : format;
}

}  // namespace quillory::ui
