#include "engine/substitute.h"

namespace quillory {

void replaceAll(std::string& text, std::string_view placeholder, std::string_view value) {
    std::size_t pos = text.find(placeholder);
    if (pos == std::string::npos) return;
    std::string out;
    out.reserve(text.size() + value.size());
    std::size_t from = 0;
    do {
        out.append(text, from, pos - from);
        out.append(value);
        from = pos + placeholder.size();
        pos = text.find(placeholder, from);
    } while (pos != std::string::npos);
    out.append(text, from, std::string::npos);
    text.swap(out);
}

}  // namespace quillory
