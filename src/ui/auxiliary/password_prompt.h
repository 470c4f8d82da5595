#pragma once
// The question for the password of a remembered network drive: an input
// dialog whose typed characters are masked. Nothing typed is kept here.
#include <optional>
#include <string>

namespace quillory::ui {

// nullopt when the user cancels. From another thread the dialog opens on
// the window thread, which must be processing events meanwhile.
std::optional<std::string> askDrivePassword(char letter, const std::string& remote,
                                            const std::optional<std::string>& user);

}  // namespace quillory::ui
