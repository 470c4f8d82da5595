#pragma once
// Colours as the store keeps them: one whole number with red in the low byte,
// then green, then blue (0x00BBGGRR), written as decimal text.
#include <QColor>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillory::ui {

using ColourNumber = std::uint32_t;

inline constexpr ColourNumber kWhite = 16777215;
inline constexpr ColourNumber kBlack = 0;

// The colour a stored text names: a whole number from 0 up, cut to its low
// 24 bits; `fallback` for anything else (empty, letters, a negative number).
ColourNumber colourFromStored(std::string_view text, ColourNumber fallback);
std::string storedColour(ColourNumber colour);

QColor qColorOf(ColourNumber colour);
ColourNumber colourNumberOf(const QColor& colour);

}  // namespace quillory::ui
