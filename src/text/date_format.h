#pragma once
// A date or time pattern in the C library's strftime notation (what a locale's
// D_FMT and T_FMT hold), compiled once into fields so that writing or reading a
// date-time costs no locale call. Time-zone fields are dropped: a date-time is
// local time and the listing never names a zone.
#include <locale.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ole_date.h"

namespace quillory {

// The locale's words that some fields write, and the locale itself for the
// rare conversion written through strftime_l.
struct LocaleWords {
    std::array<std::string, 12> monthAbbrev;
    std::array<std::string, 12> monthName;
    std::array<std::string, 7> weekdayAbbrev;  // Sunday first
    std::array<std::string, 7> weekdayName;
    std::string am = "AM";
    std::string pm = "PM";
    std::string twelveHourPattern = "%I:%M:%S %p";  // what %r stands for
    std::string datePattern = "%m/%d/%y";           // what %x stands for
    std::string timePattern = "%H:%M:%S";           // what %X stands for
    std::shared_ptr<std::remove_pointer_t<locale_t>> locale;  // null: the C locale
};

// The words of a locale object (not owned; kept alive through `owner`).
std::shared_ptr<const LocaleWords> localeWordsOf(
    std::shared_ptr<std::remove_pointer_t<locale_t>> owner);
// The C locale's words.
std::shared_ptr<const LocaleWords> cLocaleWords();

enum class DateField : std::uint8_t {
    Literal,
    Year,
    Year2,
    Century,
    Month,
    Day,
    DayOfYear,
    Hour24,
    Hour12,
    Minute,
    Second,
    AmPm,
    AmPmLower,
    MonthAbbrev,
    MonthName,
    WeekdayAbbrev,
    WeekdayName,
    Other,  // written through strftime_l, never read
};

enum class Padding : std::uint8_t { Zero, Space, None };

struct DatePart {
    DateField field = DateField::Literal;
    Padding padding = Padding::Zero;
    std::string text;  // the literal, or the whole conversion of an Other field
};

// What reading a text found; -1 for a field the pattern does not have.
struct ReadFields {
    int year = -1;
    int month = -1;
    int day = -1;
    int hour = -1;
    int minute = -1;
    int second = -1;
    int pm = -1;  // 0 am, 1 pm, -1 no marker
    bool twelveHour = false;
    bool twoDigitYear = false;
};

class DateFormat {
public:
    DateFormat();
    DateFormat(std::string_view pattern, std::shared_ptr<const LocaleWords> words);

    void append(const CivilDateTime& when, std::string& out) const;
    std::string text(const CivilDateTime& when) const;

    // Reads the whole text; false when it does not follow the pattern. Blanks in
    // the pattern match any run of blanks; names match without case.
    bool read(std::string_view text, ReadFields& into) const;

    // The same pattern without its seconds (and the separator before them).
    DateFormat withoutSeconds() const;
    // This pattern, a literal, then another pattern.
    DateFormat joined(std::string_view literal, const DateFormat& next) const;

    bool hasDate() const;
    bool hasTime() const;
    const std::vector<DatePart>& parts() const { return m_parts; }

private:
    void compile(std::string_view pattern, int depth);
    void addLiteral(std::string_view text);
    bool readAt(std::string_view text, std::size_t& pos, ReadFields& into) const;

    std::vector<DatePart> m_parts;
    std::shared_ptr<const LocaleWords> m_words;
};

}  // namespace quillory
