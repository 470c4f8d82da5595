#include "ui/settings/font_size.h"

#include <charconv>

#include "settings/values.h"

namespace quillory::ui {

int sampleFontSize(std::string_view stored, int fallback) {
    const int size = roundToInt16(leadingNumber(stored));
    return size >= 1 ? size : fallback;
}

std::string storedFontSize(double pointSize) {
    // Shortest form of the float, so 10.1 is not written as 10.100000381469727.
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, static_cast<float>(pointSize));
    if (ec != std::errc()) return "0";
    return std::string(buf, end);
}

}  // namespace quillory::ui
