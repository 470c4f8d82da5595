#include "platform/secret_guard.h"

#include <string.h>
#include <sys/prctl.h>

#include <mutex>

namespace quillory {
namespace {

struct Dumpable {
    std::mutex mutex;
    int guards = 0;
    int before = 1;  // PR_GET_DUMPABLE when the first guard came
};

Dumpable& dumpable() {
    static Dumpable state;
    return state;
}

}  // namespace

SecretGuard::SecretGuard() {
    Dumpable& d = dumpable();
    std::lock_guard lock(d.mutex);
    if (d.guards++ == 0) {
        const int now = ::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0);
        d.before = now < 0 ? 1 : now;
        ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
    }
}

SecretGuard::~SecretGuard() {
    Dumpable& d = dumpable();
    std::lock_guard lock(d.mutex);
    if (--d.guards == 0) ::prctl(PR_SET_DUMPABLE, d.before, 0, 0, 0);
}

void wipeSecret(std::string& secret) {
    ::explicit_bzero(secret.data(), secret.size());
    secret.clear();
}

}  // namespace quillory
