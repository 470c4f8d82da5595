#pragma once
// How readers turn stored text into numbers. Every value is text in the store;
// these are the few conversions the readers agree on.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillory {

// The leading number of a text: optional blanks, sign, digits, a decimal point
// and an exponent; 0 when the text does not start with a number ("12abc" is 12).
double leadingNumber(std::string_view text);

// A flag is on when its leading number equals 1.
bool flagOn(std::string_view text);
// A button's or tick's state as the store keeps it.
inline const char* boolToFlag(bool on) { return on ? "1" : "0"; }

// Nearest whole number, halves to the even neighbour, clamped to 16 bits.
std::int16_t roundToInt16(double value);

// A whole number written as such (blanks around allowed), within 32 bits; none otherwise.
std::optional<std::int64_t> wholeNumber(std::string_view text);

// Shortest decimal form of a number: 3 for 3.0, 8.25 for 8.25.
std::string numberText(double value);

}  // namespace quillory
