#include "text/date_format.h"

#include "text/date_chars.h"

#include <langinfo.h>

#include <ctime>
#include <optional>

namespace quillory {

namespace {

using date_chars::isBlank;
using date_chars::isDigit;

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
