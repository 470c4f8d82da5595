#pragma once
// Letter case without a locale. Names are bytes in whatever encoding the file
// system holds, so only the ASCII letters A-Z are folded; every other byte
// (a UTF-8 sequence, a Latin-1 letter) keeps its code. Folding those through
// the C locale would either do nothing or, under a single-byte locale, break
// multi-byte sequences apart.
#include <string>
#include <string_view>

namespace quillory {

constexpr char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string asciiLower(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) c = asciiLower(c);
    return lowered;
}

inline bool equalWithoutCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

}  // namespace quillory
