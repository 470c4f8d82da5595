#pragma once
// The two character classes a date pattern and a date text share.
namespace quillory::date_chars {

constexpr bool isBlank(char c) { return c == ' ' || c == '\t'; }
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace quillory::date_chars
