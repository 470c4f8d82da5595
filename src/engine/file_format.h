#pragma once
// The field formatting of a listed file: size text, 64-bit size, extension,
// type text, attribute letters, modification time and its text, path helpers.
#include <cstdint>
#include <string>
#include <string_view>

namespace quillory {

struct ListingOptions;

// The size text by the options' DisplayFileSize ("Bytes", "Kb", "Mb", else dynamic).
std::string sizeText(const ListingOptions& options, std::int64_t bytes);
// The same for a given display word and decimal separator (no store read).
std::string sizeTextFor(std::string_view displayFileSize, std::int64_t bytes, char decimalSep);

std::string getExtension(std::string_view fileName);
// Letters a, h, r, s for the archive, hidden, read-only and system bits of an
// attribute word; "" for a word of -1 (unreadable).
std::string attribLetters(std::int64_t attributeWord);
std::string getAttribText(const std::string& fullPath);
std::string dateTimeText(double dateTime);
// The path with the separator at its end; "" becomes the separator alone.
std::string addSeparator(std::string_view path);

inline constexpr char kSeparator = '/';

}  // namespace quillory
