#include "net/drive_letters.h"

#include <algorithm>

namespace quillory {

namespace {

constexpr std::string_view kOfferedLetters = "CDEFGHIJKLMNOPQRSTUVWXYZ";

bool isSeparator(char c) { return c == '\\' || c == '/'; }

constexpr char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

void DriveLetters::insert(char letter) {
    const char upper = asciiUpper(letter);
    if (upper >= 'A' && upper <= 'Z') m_letters.set(static_cast<std::size_t>(upper - 'A'));
}

bool DriveLetters::contains(char letter) const {
    const char upper = asciiUpper(letter);
    return upper >= 'A' && upper <= 'Z' && m_letters.test(static_cast<std::size_t>(upper - 'A'));
}

std::string DriveLetters::text() const {
    std::string letters;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        if (contains(letter)) letters += letter;
    return letters;
}

std::vector<char> freeDriveLetters(const DriveLetters& used) {
    std::vector<char> free;
    for (const char letter : kOfferedLetters)
        if (!used.contains(letter)) free.push_back(letter);
    return free;
}

char mappableLetter(char c) {
    const char upper = asciiUpper(c);
    return kOfferedLetters.find(upper) != std::string_view::npos ? upper : 0;
}

std::optional<DrivePath> parseDrivePath(std::string_view folder) {
    const bool letter = !folder.empty() && ((folder[0] >= 'A' && folder[0] <= 'Z') || (folder[0] >= 'a' && folder[0] <= 'z'));
    if (!letter || folder.size() < 2 || folder[1] != ':' || (folder.size() > 2 && !isSeparator(folder[2])))
        return std::nullopt;
    DrivePath path{folder[0], {}};
    // Components only: doubled and trailing separators name no folder.
    std::size_t i = 2;
    while (i < folder.size()) {
        while (i < folder.size() && isSeparator(folder[i])) ++i;
        const std::size_t end = std::find_if(folder.begin() + i, folder.end(), isSeparator) - folder.begin();
        if (end > i) {
            if (!path.rest.empty()) path.rest += '/';
            path.rest.append(folder.substr(i, end - i));
        }
        i = end;
    }
    return path;
}

}  // namespace quillory
