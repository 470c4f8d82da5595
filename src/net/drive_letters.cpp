#include "net/drive_letters.h"

#include <algorithm>

namespace quillory {

namespace {

constexpr std::string_view kOfferedLetters = "CDEFGHIJKLMNOPQRSTUVWXYZ";

bool isSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::vector<char> usedDriveLetters(std::string_view driveStrings) {
    std::vector<char> letters;
    std::size_t start = 0;
    while (start < driveStrings.size()) {
        std::size_t end = driveStrings.find('\0', start);
        if (end == std::string_view::npos) end = driveStrings.size();
        if (end > start) letters.push_back(driveStrings[start]);
        start = end + 1;
    }
    return letters;
}

std::vector<char> freeDriveLetters(std::string_view driveStrings) {
    const std::vector<char> used = usedDriveLetters(driveStrings);
    std::vector<char> free;
    for (const char letter : kOfferedLetters)
        if (std::find(used.begin(), used.end(), letter) == used.end()) free.push_back(letter);
    return free;
}

std::string makeDriveStrings(const std::vector<char>& letters) {
    std::string out;
    for (const char letter : letters) {
        out += letter;
        out += ":\\";
        out += '\0';
    }
    out += '\0';
    return out;
}

char mappableLetter(char c) {
    const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
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
