#include "ui/settings/stored_colour.h"

#include "settings/values.h"

namespace quillory::ui {

ColourNumber colourFromStored(std::string_view text, ColourNumber fallback) {
    const auto number = wholeNumber(text);
    if (!number || *number < 0) return fallback;
    return static_cast<ColourNumber>(*number) & 0xFFFFFFu;
}

std::string storedColour(ColourNumber colour) { return std::to_string(colour); }

QColor qColorOf(ColourNumber colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

ColourNumber colourNumberOf(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<ColourNumber>(rgb.red()) | static_cast<ColourNumber>(rgb.green()) << 8 |
           static_cast<ColourNumber>(rgb.blue()) << 16;
}

}  // namespace quillory::ui
