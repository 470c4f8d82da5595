#include "settings/typed_value.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "text/ascii_case.h"
#include "text/regional.h"

namespace quillory {

namespace {

constexpr std::uint64_t kMaxColour = 0xFFFFFF;
constexpr double kMaxFontSize = 1638;  // the largest point size a font dialog offers
// 2007-12-03 14:30, an example in the user's own form.
constexpr double kExampleDateTime = 39419.0 + 14.5 / 24.0;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// All of `text` as an unsigned number in `base`; none when anything else is there.
std::optional<std::uint64_t> unsignedNumber(std::string_view text, int base = 10) {
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<std::uint64_t> colourNumber(std::string_view text) {
    if (text.size() == 7 && text[0] == '#') {
        const auto rgb = unsignedNumber(text.substr(1), 16);
        if (!rgb) return std::nullopt;
        // #RRGGBB names red first; the colour number keeps red in the low byte.
        return ((*rgb >> 16) & 0xFF) | (*rgb & 0xFF00) | ((*rgb & 0xFF) << 16);
    }
    std::optional<std::uint64_t> value;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        value = unsignedNumber(text.substr(2), 16);
    else
        value = unsignedNumber(text);
    if (!value || *value > kMaxColour) return std::nullopt;
    return value;
}

std::optional<std::string> fontSizeText(std::string_view text) {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(value) || value <= 0 || value > kMaxFontSize) return std::nullopt;
    // Point sizes are single precision: 8.25 stays 8.25, 10.0 becomes 10.
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value));
    return std::string(buffer, written.ptr);
}

std::optional<std::uint64_t> byteCount(std::string_view text) {
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
    const auto number = unsignedNumber(text.substr(0, digits));
    if (!number) return std::nullopt;
    const std::string unit = asciiLower(trimmed(text.substr(digits)));
    struct Unit {
        std::string_view names[3];
        int shift;
    };
    static constexpr Unit kUnits[] = {
        {{"", "b", "bytes"}, 0}, {{"k", "kb", "kib"}, 10}, {{"m", "mb", "mib"}, 20},
        {{"g", "gb", "gib"}, 30}, {{"t", "tb", "tib"}, 40},
    };
    for (const Unit& u : kUnits) {
        for (const std::string_view name : u.names) {
            if (unit != name) continue;
            const std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) >> u.shift;
            if (*number > limit) return std::nullopt;
            return *number << u.shift;
        }
    }
    return std::nullopt;
}

std::string wordList(const SettingKey& key) {
    std::string list;
    for (const std::string_view word : key.words) {
        if (!list.empty()) list += ", ";
        list += word;
    }
    return list;
}

CheckedValue accepted(std::string text) { return {true, std::move(text), {}}; }

CheckedValue refused(const SettingKey& key, std::string_view what) {
    return {false, {}, std::string(key.section) + "/" + std::string(key.name) + " takes " + std::string(what)};
}

}  // namespace

CheckedValue checkTypedValue(const SettingKey& key, std::string_view typed) {
    const std::string_view text = trimmed(typed);
    switch (key.rule) {
        case ValueRule::Flag:
            if (text == "0" || text == "1") return accepted(std::string(text));
            return refused(key, "0 or 1");
        case ValueRule::WholeNumber:
            if (const auto n = unsignedNumber(text.starts_with('+') ? text.substr(1) : text);
                n && *n <= std::numeric_limits<std::int32_t>::max())
                return accepted(std::to_string(*n));
            return refused(key, "a whole number, 0 or more");
        case ValueRule::Word:
            for (const std::string_view word : key.words)
                if (equalWithoutCase(word, text)) return accepted(std::string(word));
            return refused(key, "one of: " + wordList(key));
        case ValueRule::Colour:
            if (const auto colour = colourNumber(text)) return accepted(std::to_string(*colour));
            return refused(key, "a colour: a number from 0 to 16777215, #RRGGBB or 0xBBGGRR");
        case ValueRule::FontSize:
            if (auto size = fontSizeText(text)) return accepted(std::move(*size));
            return refused(key, "a point size above 0 and up to 1638, such as 10 or 8.25");
        case ValueRule::DateTime:
            if (const auto when = parseDateTime(text)) return accepted(shortTimeDateText(*when));
            return refused(key, "a date and time such as " + shortTimeDateText(kExampleDateTime));
        case ValueRule::ByteSize:
            if (text.empty()) return accepted({});
            if (const auto bytes = byteCount(text)) return accepted(std::to_string(*bytes));
            return refused(key, "a size in bytes, or with a unit such as 512K, 1MB or 2G (1024-based); "
                                "empty for no bound");
        case ValueRule::Text: break;
    }
    return accepted(std::string(typed));
}

}  // namespace quillory
