#pragma once
// Settings that make a listing surprising (a filter that lists nothing, or
// one that is on but does nothing). The listing is made as the settings say;
// these lines only tell the user why it looks as it does.
#include <string>
#include <vector>

#include "settings/snapshot.h"

namespace quillory::cli {

// One line each, without the program's prefix and line end.
std::vector<std::string> listingWarnings(const SettingsSnapshot& values);

}  // namespace quillory::cli
