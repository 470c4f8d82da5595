#include "engine/escape.h"

namespace quillory {

void appendEscaped(std::string& out, std::string_view value, TextEscape escape) {
    if (escape == TextEscape::None) {
        out += value;
        return;
    }
    for (const char c : value) {
        if (escape == TextEscape::Csv) {
            if (c == '"') out += '"';
            out += c;
            continue;
        }
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
}

std::string escaped(std::string_view value, TextEscape escape) {
    std::string out;
    out.reserve(value.size());
    appendEscaped(out, value, escape);
    return out;
}

}  // namespace quillory
