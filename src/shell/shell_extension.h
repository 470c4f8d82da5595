#pragma once
// The folder context-menu verb "Print listing with Quillory": added, tested
// and removed for the current user in the file managers' own action files
// (verb_files.h lists them). Adding writes each file whole through a
// temporary file beside it, so none is ever left half written; removing
// deletes the verb's own files and cuts its entry out of Thunar's shared
// file, leaving the user's other actions as they were.
//
// Files: shell_extension.cpp adds, tests and removes; verb_files.cpp says
// where each file manager looks and what its file holds (with
// command_quoting.cpp for each format's quoting and thunar_actions.cpp for
// Thunar's shared file); user_folders.cpp finds the XDG folders. A Windows
// build would implement these same functions with the registry.
#include <QString>

#include "platform/status.h"

namespace quillory::shell {

// The window's title and text when the verb could not be added.
inline constexpr char kVerbErrorTitle[] = "Error writing to registry";
inline constexpr char kVerbErrorText[] = "An unknown error has occured.\nApplication could not write to registry.";

// Adds (`add`) or removes the verb for this program. Adding fails when a
// file could not be written: the code is that file's errno value (EINVAL
// for a Thunar file that is not a well-formed action list), the message
// kVerbErrorText. Every file is tried either way. Removing passes over what
// cannot be removed and always succeeds.
Status setShellExtension(bool add);
// True when the verb is present with this program's command (compared
// without case) in every file manager's file, the executable ones still
// executable. A verb that starts another copy of the program is not present.
bool isShellExtensionSet();

// The same for a given program file.
Status setShellExtension(bool add, const QString& program);
bool isShellExtensionSet(const QString& program);

}  // namespace quillory::shell
