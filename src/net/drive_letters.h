#pragma once
// Drive letters as a set, and folders spelled with a drive letter ("Z:\sub").
#include <bitset>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillory {

// A set of the letters A to Z, kept in upper case.
class DriveLetters {
public:
    // Either case; anything but a letter is passed over.
    void insert(char letter);
    bool contains(char letter) const;
    // The letters in order, upper case ("CFZ").
    std::string text() const;
    bool operator==(const DriveLetters&) const = default;

private:
    std::bitset<26> m_letters;
};

// The letters C to Z, in order, that `used` lacks. A and B are never offered.
std::vector<char> freeDriveLetters(const DriveLetters& used);

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
