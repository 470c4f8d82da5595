#include "cli/terminal_prompt.h"

#include <string.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>

namespace quillory::cli {

// One line, echo off; nullopt when the line could not be read (end of input,
// or a signal such as Ctrl-C).
std::optional<std::string> TerminalPasswordPrompt::askPassword(const PasswordRequest& request) {
    const std::string prompt = "Password for " + request.user.value_or("") + "@" + request.host + ": ";
    termios saved{};
    if (::tcgetattr(STDIN_FILENO, &saved) != 0) return std::nullopt;
    // Echo goes off before the prompt shows: what is typed once it shows is kept.
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ECHONL;
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    std::fputs(prompt.c_str(), stderr);
    std::fflush(stderr);
    std::string line;
    bool complete = false;
    for (char c; ;) {
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n != 1) break;  // end of input, or a signal ended the read
        if (c == '\n') {
            complete = true;
            break;
        }
        line.push_back(c);
    }
    ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    if (!complete) {
        std::fputc('\n', stderr);
        ::explicit_bzero(line.data(), line.size());
        return std::nullopt;
    }
    return line;
}

}  // namespace quillory::cli
