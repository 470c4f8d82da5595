#pragma once
// quillory-list FOLDER: one listing run into a file or standard output, with
// progress on a terminal and a signal to stop it.
#include "cli/arguments.h"
#include "settings/store.h"

namespace quillory::cli {

// The exit status: 2 also when some folder could not be read (the listing
// is then still written whole).
int listFolder(SettingsStore& store, const Arguments& args);

}  // namespace quillory::cli
