#pragma once
// The application's one name: the settings store's application key and the
// name of its per-user folders.
#include <string_view>

namespace quillory {

inline constexpr std::string_view kAppName = "Tallyfold";

}  // namespace quillory
