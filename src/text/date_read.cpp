// Reading a date-time text back through a compiled pattern: the filter
// bounds the user typed, and the texts a listing wrote.
#include "text/date_format.h"

#include "text/ascii_case.h"
#include "text/date_chars.h"

namespace quillory {

namespace {

using date_chars::isBlank;
using date_chars::isDigit;

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (prefix.empty() || text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (asciiLower(text[i]) != asciiLower(prefix[i])) return false;
    return true;
}

int widthOf(DateField field) {
    switch (field) {
        case DateField::Year: return 4;
        case DateField::DayOfYear: return 3;
        default: return 2;
    }
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

}  // namespace quillory
