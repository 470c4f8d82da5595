#pragma once
// The folder context-menu verb "Print listing with Quillory": added, tested
// and removed for the current user in the file managers' own action files.
#include <cstdint>

class QWidget;

namespace quillory::shell {

// 1 adds the verb, 0 removes it, any other mode does nothing. A failure to
// write shows the error message over `parent`.
void setShellExtension(std::int16_t mode, QWidget* parent = nullptr);
// True when the verb is present with this program's command.
bool isShellExtensionSet();

}  // namespace quillory::shell
