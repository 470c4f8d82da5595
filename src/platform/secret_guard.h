#pragma once
// Keeps secrets (a share password) out of core files and away from other
// processes of the same user: while any SecretGuard lives, the process is not
// dumpable (no core file, no ptrace attach, no /proc/PID/mem). Guards may
// nest and live on several threads; the last one to go restores the setting
// the process had before the first. Anything that holds a password (the
// command's share login, a share reader handed credentials over a pipe)
// holds a guard for as long as the password or a copy of it may be in memory.
#include <string>

namespace quillory {

class SecretGuard {
public:
    SecretGuard();
    ~SecretGuard();
    SecretGuard(const SecretGuard&) = delete;
    SecretGuard& operator=(const SecretGuard&) = delete;
};

// Overwrites the secret's bytes in a way the compiler may not leave out, then
// empties it.
void wipeSecret(std::string& secret);

}  // namespace quillory
