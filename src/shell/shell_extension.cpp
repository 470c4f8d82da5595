// Placeholder until the verb lands: never present, adding does nothing.
#include "shell/shell_extension.h"

namespace quillory::shell {

void setShellExtension(std::int16_t, QWidget*) {}
bool isShellExtensionSet() { return false; }

}  // namespace quillory::shell
