#include "text/date_format.h"

#include "text/ascii_case.h"

#include <langinfo.h>

#include <ctime>
#include <optional>

namespace quillory {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (prefix.empty() || text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (asciiLower(text[i]) != asciiLower(prefix[i])) return false;
    return true;
}

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

int widthOf(DateField field) {
    switch (field) {
        case DateField::Year: return 4;
        case DateField::DayOfYear: return 3;
        default: return 2;
    }
}

bool isDateField(DateField f) {
    switch (f) {
        case DateField::Year:
        case DateField::Year2:
        case DateField::Century:
        case DateField::Month:
        case DateField::Day:
        case DateField::DayOfYear:
        case DateField::MonthAbbrev:
        case DateField::MonthName: return true;
        default: return false;
    }
}

bool isTimeField(DateField f) {
    return f == DateField::Hour24 || f == DateField::Hour12 || f == DateField::Minute ||
           f == DateField::Second;
}

bool isAsciiPunctuation(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!(c == ':' || c == '.' || c == '-' || c == '/' || c == ',')) return false;
    return true;
}

// The index of the longest full or short name that the text starts with
// (the full name on a tie); -1 when none.
template <std::size_t N>
int matchName(std::string_view text, const std::array<std::string, N>& full,
              const std::array<std::string, N>& abbreviated, std::size_t& length) {
    int best = -1;
    length = 0;
    for (const auto* names : {&full, &abbreviated})
        for (std::size_t i = 0; i < N; ++i)
            if ((*names)[i].size() > length && startsWithNoCase(text, (*names)[i])) {
                best = static_cast<int>(i);
                length = (*names)[i].size();
            }
    return best;
}

}  // namespace

std::shared_ptr<const LocaleWords> localeWordsOf(
    std::shared_ptr<std::remove_pointer_t<locale_t>> owner) {
    if (!owner) return cLocaleWords();
    auto words = std::make_shared<LocaleWords>();
    locale_t loc = owner.get();
    for (int i = 0; i < 12; ++i) {
        words->monthAbbrev[i] = nl_langinfo_l(static_cast<nl_item>(ABMON_1 + i), loc);
        words->monthName[i] = nl_langinfo_l(static_cast<nl_item>(MON_1 + i), loc);
    }
    for (int i = 0; i < 7; ++i) {
        words->weekdayAbbrev[i] = nl_langinfo_l(static_cast<nl_item>(ABDAY_1 + i), loc);
        words->weekdayName[i] = nl_langinfo_l(static_cast<nl_item>(DAY_1 + i), loc);
    }
    words->am = nl_langinfo_l(AM_STR, loc);
    words->pm = nl_langinfo_l(PM_STR, loc);
    const std::string ampm = nl_langinfo_l(T_FMT_AMPM, loc);
    if (!ampm.empty()) words->twelveHourPattern = ampm;
    words->datePattern = nl_langinfo_l(D_FMT, loc);
    words->timePattern = nl_langinfo_l(T_FMT, loc);
    words->locale = std::move(owner);
    return words;
}

std::shared_ptr<const LocaleWords> cLocaleWords() {
    static const std::shared_ptr<const LocaleWords> words = [] {
        auto w = std::make_shared<LocaleWords>();
        w->monthAbbrev = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        w->monthName = {"January", "February", "March",     "April",   "May",      "June",
                        "July",    "August",   "September", "October", "November", "December"};
        w->weekdayAbbrev = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
        w->weekdayName = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                          "Thursday", "Friday", "Saturday"};
        return w;
    }();
    return words;
}

DateFormat::DateFormat() : m_words(cLocaleWords()) {}

DateFormat::DateFormat(std::string_view pattern, std::shared_ptr<const LocaleWords> words)
    : m_words(words ? std::move(words) : cLocaleWords()) {
    compile(pattern, 0);
}

void DateFormat::addLiteral(std::string_view text) {
    if (text.empty()) return;
    if (!m_parts.empty() && m_parts.back().field == DateField::Literal)
        m_parts.back().text += text;
    else
        m_parts.push_back({DateField::Literal, Padding::Zero, std::string(text)});
}

void DateFormat::compile(std::string_view pattern, int depth) {
    bool skipBlanks = false;  // after a dropped zone at the start
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c != '%') {
            if (!(skipBlanks && isBlank(c))) addLiteral(std::string_view(&c, 1));
            if (!isBlank(c)) skipBlanks = false;
            ++i;
            continue;
        }
        const std::size_t start = i++;
        std::optional<Padding> padding;
        while (i < pattern.size() && (pattern[i] == '-' || pattern[i] == '_' || pattern[i] == '0' ||
                                      pattern[i] == '^' || pattern[i] == '#')) {
            if (pattern[i] == '-') padding = Padding::None;
            if (pattern[i] == '_') padding = Padding::Space;
            if (pattern[i] == '0') padding = Padding::Zero;
            ++i;
        }
        while (i < pattern.size() && isDigit(pattern[i])) ++i;
        bool era = false;
        if (i < pattern.size() && (pattern[i] == 'E' || pattern[i] == 'O')) {
            // Alternative digits are written as plain digits; eras cannot be.
            era = pattern[i] == 'E';
            ++i;
        }
        if (i >= pattern.size()) {
            addLiteral(pattern.substr(start));
            break;
        }
        const char conv = pattern[i++];
        const std::string_view whole = pattern.substr(start, i - start);
        skipBlanks = false;
        auto field = [&](DateField f, Padding def = Padding::Zero) {
            m_parts.push_back({f, padding.value_or(def), {}});
        };
        auto expand = [&](std::string_view sub) {
            if (depth < 4) compile(sub, depth + 1);
        };
        if (era && (conv == 'Y' || conv == 'y' || conv == 'C' || conv == 'c' || conv == 'x' ||
                    conv == 'X')) {
            m_parts.push_back({DateField::Other, Padding::Zero, std::string(whole)});
            continue;
        }
        switch (conv) {
            case 'Y': field(DateField::Year); break;
            case 'y': field(DateField::Year2); break;
            case 'C': field(DateField::Century); break;
            case 'm': field(DateField::Month); break;
            case 'd': field(DateField::Day); break;
            case 'e': field(DateField::Day, Padding::Space); break;
            case 'j': field(DateField::DayOfYear); break;
            case 'H': field(DateField::Hour24); break;
            case 'k': field(DateField::Hour24, Padding::Space); break;
            case 'I': field(DateField::Hour12); break;
            case 'l': field(DateField::Hour12, Padding::Space); break;
            case 'M': field(DateField::Minute); break;
            case 'S': field(DateField::Second); break;
            case 'p': field(DateField::AmPm); break;
            case 'P': field(DateField::AmPmLower); break;
            case 'b':
            case 'h': field(DateField::MonthAbbrev); break;
            case 'B': field(DateField::MonthName); break;
            case 'a': field(DateField::WeekdayAbbrev); break;
            case 'A': field(DateField::WeekdayName); break;
            case 'D': expand("%m/%d/%y"); break;
            case 'F': expand("%Y-%m-%d"); break;
            case 'T': expand("%H:%M:%S"); break;
            case 'R': expand("%H:%M"); break;
            case 'r': expand(m_words->twelveHourPattern); break;
            case 'x': expand(m_words->datePattern); break;
            case 'X': expand(m_words->timePattern); break;
            case 'n': addLiteral("\n"); break;
            case 't': addLiteral("\t"); break;
            case '%': addLiteral("%"); break;
            case 'Z':
            case 'z':
                // No zone in our texts: drop it with the blanks that set it apart.
                if (!m_parts.empty() && m_parts.back().field == DateField::Literal) {
                    std::string& lit = m_parts.back().text;
                    while (!lit.empty() && isBlank(lit.back())) lit.pop_back();
                    if (lit.empty()) m_parts.pop_back();
                }
                skipBlanks = true;
                break;
            default: m_parts.push_back({DateField::Other, Padding::Zero, std::string(whole)}); break;
        }
    }
}

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

bool DateFormat::read(std::string_view text, ReadFields& into) const {
    std::size_t pos = 0;
    if (!readAt(text, pos, into)) return false;
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    return pos == text.size();
}

bool DateFormat::readAt(std::string_view text, std::size_t& pos, ReadFields& into) const {
    for (const DatePart& part : m_parts) {
        const std::string_view rest = text.substr(pos);
        switch (part.field) {
            case DateField::Literal:
                for (char c : part.text) {
                    if (isBlank(c)) {
                        while (pos < text.size() && isBlank(text[pos])) ++pos;
                    } else if (pos < text.size() && text[pos] == c) {
                        ++pos;
                    } else {
                        return false;
                    }
                }
                break;
            case DateField::AmPm:
            case DateField::AmPmLower: {
                // The marker may be left out: a bare hour is read as written.
                if (startsWithNoCase(rest, m_words->am)) {
                    into.pm = 0;
                    pos += m_words->am.size();
                } else if (startsWithNoCase(rest, m_words->pm)) {
                    into.pm = 1;
                    pos += m_words->pm.size();
                }
                break;
            }
            case DateField::MonthAbbrev:
            case DateField::MonthName: {
                std::size_t length = 0;
                const int month = matchName(rest, m_words->monthName, m_words->monthAbbrev, length);
                if (month < 0) return false;
                into.month = month + 1;
                pos += length;
                break;
            }
            case DateField::WeekdayAbbrev:
            case DateField::WeekdayName: {
                std::size_t length = 0;
                if (matchName(rest, m_words->weekdayName, m_words->weekdayAbbrev, length) < 0)
                    return false;
                pos += length;
                break;
            }
            case DateField::Other: return false;
            default: {
                while (pos < text.size() && isBlank(text[pos]) && part.padding == Padding::Space) ++pos;
                const int width = widthOf(part.field);
                int value = 0;
                int digits = 0;
                while (digits < width && pos < text.size() && isDigit(text[pos])) {
                    value = value * 10 + (text[pos] - '0');
                    ++pos;
                    ++digits;
                }
                if (digits == 0) return false;
                switch (part.field) {
                    case DateField::Year:
                        into.year = value;
                        into.twoDigitYear = digits <= 2;
                        break;
                    case DateField::Year2:
                        into.year = value;
                        into.twoDigitYear = true;
                        break;
                    case DateField::Month: into.month = value; break;
                    case DateField::Day: into.day = value; break;
                    case DateField::Hour24: into.hour = value; break;
                    case DateField::Hour12:
                        into.hour = value;
                        into.twelveHour = true;
                        break;
                    case DateField::Minute: into.minute = value; break;
                    case DateField::Second: into.second = value; break;
                    default: return false;  // century, day of year: never read
                }
            }
        }
    }
    return true;
}

DateFormat DateFormat::withoutSeconds() const {
    DateFormat out;
    out.m_words = m_words;
    out.m_parts = m_parts;
    for (std::size_t i = 0; i < out.m_parts.size(); ++i) {
        if (out.m_parts[i].field != DateField::Second) continue;
        const bool before = i > 0 && out.m_parts[i - 1].field == DateField::Literal;
        const bool after = i + 1 < out.m_parts.size() && out.m_parts[i + 1].field == DateField::Literal;
        if (before && isAsciiPunctuation(out.m_parts[i - 1].text)) {
            out.m_parts.erase(out.m_parts.begin() + static_cast<long>(i) - 1,
                              out.m_parts.begin() + static_cast<long>(i) + 1);
        } else if (after && !isBlank(out.m_parts[i + 1].text.front())) {
            // A unit word after the number ("...%S<seconds sign> %p"): drop it with the seconds.
            std::string& lit = out.m_parts[i + 1].text;
            const std::size_t blank = lit.find_first_of(" \t");
            lit.erase(0, blank);
            const auto last = lit.empty() ? i + 2 : i + 1;
            out.m_parts.erase(out.m_parts.begin() + static_cast<long>(i),
                              out.m_parts.begin() + static_cast<long>(last));
        } else {
            out.m_parts.erase(out.m_parts.begin() + static_cast<long>(i));
        }
        break;
    }
    return out;
}

DateFormat DateFormat::joined(std::string_view literal, const DateFormat& next) const {
    DateFormat out;
    out.m_words = m_words;
    out.m_parts = m_parts;
    out.addLiteral(literal);
    for (const DatePart& part : next.m_parts) {
        if (part.field == DateField::Literal)
            out.addLiteral(part.text);
        else
            out.m_parts.push_back(part);
    }
    return out;
}

bool DateFormat::hasDate() const {
    for (const DatePart& p : m_parts)
        if (isDateField(p.field)) return true;
    return false;
}

bool DateFormat::hasTime() const {
    for (const DatePart& p : m_parts)
        if (isTimeField(p.field)) return true;
    return false;
}

}  // namespace quillory
