#include "text/control_escape.h"

#include <cstdio>

namespace quillory {
namespace {

void octal(std::string& out, unsigned char byte) {
    char code[5];
    std::snprintf(code, sizeof code, "\\%03o", byte);
    out += code;
}

// The length of the valid UTF-8 sequence at `text`, or 0.
std::size_t sequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    unsigned min = 0;
    unsigned code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, min = 0x80, code = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, min = 0x800, code = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, min = 0x10000, code = lead & 0x07;
    else return 0;
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    const bool c1 = code >= 0x80 && code <= 0x9F;  // CSI and its kin
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < min || code > 0x10FFFF || surrogate || c1) return 0;
    return length;
}

}  // namespace

std::string escapeControlBytes(std::string_view text) {
    static constexpr char kLetters[] = "abtnvfr";  // for \a (7) to \r (13)
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text[0]);
        std::size_t used = 1;
        if (byte >= 7 && byte <= 13) {
            out += '\\';
            out += kLetters[byte - 7];
        } else if (byte < 0x20 || byte == 0x7F) {
            octal(out, byte);
        } else if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else if ((used = sequenceLength(text)) != 0) {
            out += text.substr(0, used);
        } else {
            used = 1;
            octal(out, byte);
        }
        text.remove_prefix(used);
    }
    return out;
}

}  // namespace quillory
