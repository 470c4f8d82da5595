#pragma once
// The optional escaped form of a listing. By default names go in as they are;
// escaped, an HTML parser or a CSV reader sees each name as one value whatever
// bytes it holds.
#include <string>
#include <string_view>

namespace quillory {

enum class TextEscape {
    None,
    Html,  // & < > " as entities
    Csv,   // a quote inside a quoted value doubled
};

void appendEscaped(std::string& out, std::string_view value, TextEscape escape);
std::string escaped(std::string_view value, TextEscape escape);

}  // namespace quillory
