#pragma once
// The question for the password of a remembered network drive: an input
// dialog whose typed characters are masked. Nothing typed is kept here.
#include <optional>
#include <string>

#include "net/share_login.h"

namespace quillory::ui {

// nullopt when the user cancels. From another thread the dialog opens on
// the window thread, which must be processing events meanwhile.
std::optional<std::string> askDrivePassword(char letter, const std::string& remote,
                                            const std::optional<std::string>& user);

// The window's face of the share login's prompt.
class DrivePasswordPrompt : public PasswordPrompt {
public:
    std::optional<std::string> askPassword(const PasswordRequest& request) override {
        return askDrivePassword(request.letter, request.remote, request.user);
    }
};

}  // namespace quillory::ui
