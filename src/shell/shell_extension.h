#pragma once
// The folder context-menu verb "Print listing with Quillory": added, tested
// and removed for the current user in the file managers' own action files
// (verb_files.h lists them). Adding writes each file whole through a
// temporary file beside it, so none is ever left half written; removing
// deletes the verb's own files and cuts its entry out of Thunar's shared
// file, leaving the user's other actions as they were.
#include <QString>
#include <cstdint>

class QWidget;

namespace quillory::ui {
class Prompts;
}

namespace quillory::shell {

// 1 adds the verb, 0 removes it, any other mode does nothing. A failure to
// write shows the error message over `parent`.
void setShellExtension(std::int16_t mode, QWidget* parent = nullptr);
// True when the verb is present with this program's command (compared
// without case) in every file manager's file, the executable ones still
// executable. A verb that starts another copy of the program is not present.
bool isShellExtensionSet();

// The same for a given program file, with the message shown through `prompts`.
void setShellExtension(std::int16_t mode, QWidget* parent, ui::Prompts& prompts, const QString& program);
bool isShellExtensionSet(const QString& program);

}  // namespace quillory::shell
