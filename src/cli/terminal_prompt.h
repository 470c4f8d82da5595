#pragma once
// The command's password prompt: asked on the terminal, never echoed, when a
// share refuses the user's own credentials (see net/share_login.h). A
// password is never taken from the command line.
#include "net/share_login.h"

namespace quillory::cli {

class TerminalPasswordPrompt : public PasswordPrompt {
public:
    // Reads one line from standard input, which must be a terminal.
    std::optional<std::string> askPassword(const PasswordRequest& request) override;
};

}  // namespace quillory::cli
