#pragma once
// Drive-letter arithmetic on drive strings ("C:\" NUL "F:\" NUL NUL, one root
// per drive in use) and folders spelled with a drive letter ("Z:\sub").
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillory {

// The letters a drive string names, in its order: the first character of
// each root.
std::vector<char> usedDriveLetters(std::string_view driveStrings);
// The letters C to Z, in order, that no root names. A and B are never
// offered; unreadable roots (an empty text) leave every letter free.
std::vector<char> freeDriveLetters(std::string_view driveStrings);
// One root per letter, each followed by NUL, with one more NUL at the end.
std::string makeDriveStrings(const std::vector<char>& letters);

// Upper case of a letter C to Z given in either case; 0 for anything else.
char mappableLetter(char c);

// A folder on a drive letter: "z:\", "Z:/a\b\" -> the letter as typed and
// the rest below the root as '/'-separated components (empty for the root).
struct DrivePath {
    char letter = 0;
    std::string rest;
};
// nullopt unless `folder` is a letter, a colon, and nothing or a separator.
std::optional<DrivePath> parseDrivePath(std::string_view folder);

}  // namespace quillory
