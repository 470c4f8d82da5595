#pragma once
// quillory-list FOLDER: one listing run into a file or standard output, with
// progress on a terminal and a signal to stop it.
//
// Files: main.cpp reads arguments.cpp's command line and calls
// listing_command.cpp (with progress.cpp, warnings.cpp and, for a share,
// terminal_prompt.cpp through net/share_login.h) or settings_commands.cpp and
// settings_listing.cpp; standard_output.cpp writes what they print;
// help_text.cpp and exit_status.h are the texts and codes.
#include "cli/arguments.h"
#include "settings/store.h"

namespace quillory::cli {

// The exit status: 2 also when some folder could not be read (the listing
// is then still written whole).
int listFolder(SettingsStore& store, const Arguments& args);

}  // namespace quillory::cli
