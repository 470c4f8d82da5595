// Writing a date-time through a compiled pattern: once per listed file, so
// digits go into a small buffer and the string grows once per text.
#include "text/date_format.h"

#include <ctime>

#include "text/ascii_case.h"

namespace quillory {

namespace {

// Collects a text in a small buffer and appends it to the string once: a
// date-time is written for every listed file, and piecewise appends of one
// or two characters cost more than the digits.
class TextSink {
public:
    explicit TextSink(std::string& out) : m_out(out) {}
    ~TextSink() { flush(); }
    TextSink(const TextSink&) = delete;
    TextSink& operator=(const TextSink&) = delete;

    void put(char c) {
        if (m_used == sizeof m_buffer) flush();
        m_buffer[m_used++] = c;
    }
    void put(std::string_view text) {
        if (text.size() > sizeof m_buffer - m_used) {
            flush();
            if (text.size() > sizeof m_buffer) {
                m_out.append(text);
                return;
            }
        }
        for (char c : text) m_buffer[m_used++] = c;
    }

private:
    void flush() {
        m_out.append(m_buffer, m_used);
        m_used = 0;
    }
    std::string& m_out;
    char m_buffer[64];
    std::size_t m_used = 0;
};

void appendNumber(TextSink& out, int value, int width, Padding padding) {
    // Two digits, the usual case by far.
    if (value >= 0 && value < 100 && width == 2 && padding == Padding::Zero) {
        out.put(static_cast<char>('0' + value / 10));
        out.put(static_cast<char>('0' + value % 10));
        return;
    }
    char buffer[24];
    char* end = buffer + sizeof buffer;
    char* p = end;
    unsigned v = value < 0 ? 0u : static_cast<unsigned>(value);
    do {
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0 && p > buffer + 12);
    if (padding != Padding::None)
        while (end - p < width && p > buffer) *--p = padding == Padding::Zero ? '0' : ' ';
    out.put(std::string_view(p, static_cast<std::size_t>(end - p)));
}

}  // namespace

void DateFormat::append(const CivilDateTime& when, std::string& text) const {
    TextSink out(text);
    for (const DatePart& part : m_parts) {
        switch (part.field) {
            case DateField::Literal: out.put(part.text); break;
            case DateField::Year: appendNumber(out, when.year, 4, part.padding); break;
            case DateField::Year2: appendNumber(out, when.year % 100, 2, part.padding); break;
            case DateField::Century: appendNumber(out, when.year / 100, 2, part.padding); break;
            case DateField::Month: appendNumber(out, when.month, 2, part.padding); break;
            case DateField::Day: appendNumber(out, when.day, 2, part.padding); break;
            case DateField::DayOfYear: {
                const auto doy = daysFromCivil(when.year, when.month, when.day) -
                                 daysFromCivil(when.year, 1, 1) + 1;
                appendNumber(out, static_cast<int>(doy), 3, part.padding);
                break;
            }
            case DateField::Hour24: appendNumber(out, when.hour, 2, part.padding); break;
            case DateField::Hour12: {
                const int h = when.hour % 12;
                appendNumber(out, h == 0 ? 12 : h, 2, part.padding);
                break;
            }
            case DateField::Minute: appendNumber(out, when.minute, 2, part.padding); break;
            case DateField::Second: appendNumber(out, when.second, 2, part.padding); break;
            case DateField::AmPm: out.put(when.hour < 12 ? m_words->am : m_words->pm); break;
            case DateField::AmPmLower:
                for (char c : when.hour < 12 ? m_words->am : m_words->pm) out.put(asciiLower(c));
                break;
            case DateField::MonthAbbrev: out.put(m_words->monthAbbrev[(when.month + 11) % 12]); break;
            case DateField::MonthName: out.put(m_words->monthName[(when.month + 11) % 12]); break;
            case DateField::WeekdayAbbrev:
            case DateField::WeekdayName: {
                const int wd = weekdayOfDays(daysFromCivil(when.year, when.month, when.day));
                out.put(part.field == DateField::WeekdayAbbrev ? m_words->weekdayAbbrev[wd]
                                                               : m_words->weekdayName[wd]);
                break;
            }
            case DateField::Other: {
                const std::tm tm = tmOf(when);
                char buffer[128];
                const std::size_t n =
                    m_words->locale
                        ? strftime_l(buffer, sizeof buffer, part.text.c_str(), &tm, m_words->locale.get())
                        : std::strftime(buffer, sizeof buffer, part.text.c_str(), &tm);
                out.put(std::string_view(buffer, n));
                break;
            }
        }
    }
}

std::string DateFormat::text(const CivilDateTime& when) const {
    std::string out;
    append(when, out);
    return out;
}

}  // namespace quillory
