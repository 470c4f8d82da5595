#pragma once
#include <string>
#include <string_view>

namespace quillory {

// Replaces every occurrence of `placeholder` in `text`, left to right; the
// inserted value is not searched again.
void replaceAll(std::string& text, std::string_view placeholder, std::string_view value);

}  // namespace quillory
