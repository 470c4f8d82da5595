#include "text/regional.h"

#include <langinfo.h>
#include <locale.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <memory>

#include "text/regional_formats.h"

namespace quillory {

namespace {

using LocaleHandle = std::shared_ptr<std::remove_pointer_t<locale_t>>;

bool isCLocale(std::string_view name) {
    return name.empty() || name == "C" || name == "POSIX" || name.substr(0, 2) == "C.";
}

// What setlocale(category, "") would pick, by the same rules.
std::string environmentLocale(const char* categoryVariable) {
    for (const char* variable : {"LC_ALL", categoryVariable, "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return "C";
}

LocaleHandle openLocale(int mask, const std::string& name) {
    if (isCLocale(name)) return nullptr;
    locale_t loc = newlocale(mask, name.c_str(), static_cast<locale_t>(0));
    if (loc == static_cast<locale_t>(0)) return nullptr;
    return LocaleHandle(loc, [](locale_t l) { freelocale(l); });
}

char radixOf(const LocaleHandle& numeric) {
    if (!numeric) return '.';
    // A separator of more than one byte (some scripts have their own sign)
    // cannot be written as one character; such locales keep the point.
    const char* radix = nl_langinfo_l(RADIXCHAR, numeric.get());
    return (radix && radix[0] != '\0' && radix[1] == '\0') ? radix[0] : '.';
}

void addReadForms(RegionalFormats& f, const DateFormat& date, const DateFormat& longTime,
                  const DateFormat& shortTime) {
    f.readForms.push_back(shortTime.joined(" ", date));
    f.readForms.push_back(longTime.joined(" ", date));
    f.readForms.push_back(date.joined(" ", longTime));
    f.readForms.push_back(date.joined(" ", shortTime));
    f.readForms.push_back(date);
    f.readForms.push_back(longTime);
    f.readForms.push_back(shortTime);
}

// A time pattern that writes a weekday, or anything through the C library,
// needs the whole calendar date even without a date field.
bool needsCalendar(const DateFormat& format) {
    for (const DatePart& part : format.parts())
        if (part.field == DateField::WeekdayAbbrev || part.field == DateField::WeekdayName ||
            part.field == DateField::Other || part.field == DateField::DayOfYear)
            return true;
    return false;
}

constexpr std::string_view kIsoDate = "%Y-%m-%d";
constexpr std::string_view kIsoLongTime = "%H:%M:%S";
constexpr std::string_view kIsoShortTime = "%H:%M";

// Two-digit years: 00-29 this century, 30-99 the last.
int fullYear(const ReadFields& r) {
    if (!r.twoDigitYear) return r.year;
    return r.year < 30 ? 2000 + r.year : 1900 + r.year;
}

std::optional<double> dateTimeOf(const ReadFields& r) {
    std::int64_t days = 0;
    if (r.year >= 0 || r.month >= 0 || r.day >= 0) {
        if (r.year < 0 || r.month < 0 || r.day < 0) return std::nullopt;
        const int year = fullYear(r);
        if (year < 100 || year > 9999 || r.month < 1 || r.month > 12 || r.day < 1 ||
            r.day > daysInMonth(year, r.month))
            return std::nullopt;
        days = daysFromCivil(year, r.month, r.day);
    }
    std::int64_t second = 0;
    if (r.hour >= 0) {
        int hour = r.hour;
        if (r.twelveHour) {
            if (hour < 1 || hour > 12) return std::nullopt;
            if (r.pm >= 0) hour = hour % 12 + (r.pm == 1 ? 12 : 0);
        }
        const int minute = r.minute < 0 ? 0 : r.minute;
        const int sec = r.second < 0 ? 0 : r.second;
        if (hour > 23 || minute > 59 || sec > 59) return std::nullopt;
        second = hour * 3600 + minute * 60 + sec;
    }
    return dateTimeFromSeconds(days * kSecondsPerDay + second);
}

// Date texts by day, per thread: a listing's files fall on a few thousand
// days, and the date is the dearer half of the text.
struct DateSlot {
    std::uint64_t formatsId = 0;
    std::int64_t day = 0;
    std::string text;
};

constexpr std::size_t kDateSlots = 4096;  // eleven years of days

// The calendar fields of a second count; the date ones only when `withDate`.
CivilDateTime fieldsOf(const DaySecond& ds, std::int64_t seconds, bool withDate) {
    if (withDate) return civilFromSeconds(seconds);
    CivilDateTime c;
    c.hour = static_cast<int>(ds.second / 3600);
    c.minute = static_cast<int>(ds.second / 60 % 60);
    c.second = static_cast<int>(ds.second % 60);
    return c;
}

void appendDate(const RegionalFormats& formats, std::int64_t day, std::int64_t seconds, std::string& out) {
    thread_local std::array<DateSlot, kDateSlots> slots;
    DateSlot& slot = slots[static_cast<std::size_t>(day) % kDateSlots];
    if (slot.formatsId != formats.id || slot.day != day || slot.formatsId == 0) {
        slot.text.clear();
        formats.shortDate.append(civilFromSeconds(seconds), slot.text);
        slot.formatsId = formats.id;
        slot.day = day;
    }
    out += slot.text;
}

}  // namespace

RegionalFormats regionalFormatsFor(const std::string& timeLocale,
                                   const std::string& numericLocale) {
    static std::atomic<std::uint64_t> nextId{1};
    RegionalFormats f;
    f.id = nextId++;
    f.decimalSeparator = radixOf(openLocale(LC_NUMERIC_MASK, numericLocale));

    const auto iso = cLocaleWords();
    const DateFormat isoDate(kIsoDate, iso);
    const DateFormat isoLong(kIsoLongTime, iso);
    const DateFormat isoShort(kIsoShortTime, iso);

    const LocaleHandle time = openLocale(LC_TIME_MASK, timeLocale);
    if (!time) {
        f.shortDate = isoDate;
        f.longTime = isoLong;
        f.shortTime = isoShort;
        addReadForms(f, isoDate, isoLong, isoShort);
        return f;
    }
    const auto words = localeWordsOf(time);
    f.shortDate = DateFormat(words->datePattern, words);
    f.longTime = DateFormat(words->timePattern, words);
    if (!f.shortDate.hasDate()) f.shortDate = isoDate;
    if (!f.longTime.hasTime()) f.longTime = isoLong;
    f.shortTime = f.longTime.withoutSeconds();
    f.timeHasDate = f.longTime.hasDate() || f.shortTime.hasDate() || needsCalendar(f.longTime);
    addReadForms(f, f.shortDate, f.longTime, f.shortTime);
    // Texts written on a machine with plain settings stay readable.
    addReadForms(f, isoDate, isoLong, isoShort);
    return f;
}

const RegionalFormats& userRegionalFormats() {
    static const RegionalFormats formats =
        regionalFormatsFor(environmentLocale("LC_TIME"), environmentLocale("LC_NUMERIC"));
    return formats;
}

void appendGeneralDateText(const RegionalFormats& formats, double dateTime, std::string& out) {
    const std::int64_t seconds = secondsFromDateTime(dateTime);
    const DaySecond ds = splitSeconds(seconds);
    const std::size_t start = out.size();
    if (ds.day != 0) appendDate(formats, ds.day, seconds, out);
    if (ds.second != 0 || ds.day == 0) {
        if (out.size() != start) out.push_back(' ');
        formats.longTime.append(fieldsOf(ds, seconds, formats.timeHasDate), out);
    }
}

std::string generalDateText(const RegionalFormats& formats, double dateTime) {
    std::string out;
    appendGeneralDateText(formats, dateTime, out);
    return out;
}

std::string shortTimeDateText(const RegionalFormats& formats, double dateTime) {
    const std::int64_t seconds = secondsFromDateTime(dateTime);
    const DaySecond ds = splitSeconds(seconds);
    std::string out;
    formats.shortTime.append(fieldsOf(ds, seconds, formats.timeHasDate), out);
    out.push_back(' ');
    appendDate(formats, ds.day, seconds, out);
    return out;
}

std::optional<double> parseDateTime(const RegionalFormats& formats, std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    for (const DateFormat& form : formats.readForms) {
        ReadFields fields;
        if (!form.read(text, fields)) continue;
        if (auto value = dateTimeOf(fields)) return value;
    }
    return std::nullopt;
}

char decimalSeparator() { return userRegionalFormats().decimalSeparator; }

std::string generalDateText(double dateTime) {
    return generalDateText(userRegionalFormats(), dateTime);
}

void appendGeneralDateText(double dateTime, std::string& out) {
    appendGeneralDateText(userRegionalFormats(), dateTime, out);
}

std::string shortTimeDateText(double dateTime) {
    return shortTimeDateText(userRegionalFormats(), dateTime);
}

std::optional<double> parseDateTime(std::string_view text) {
    return parseDateTime(userRegionalFormats(), text);
}

}  // namespace quillory
