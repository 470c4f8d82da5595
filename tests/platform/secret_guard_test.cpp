#include "platform/secret_guard.h"

#include <gtest/gtest.h>
#include <sys/prctl.h>

#include <optional>

namespace quillory::test {
namespace {

int dumpable() { return ::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0); }

TEST(SecretGuard, NotDumpableWhileAnyGuardLivesThenAsBefore) {
    const int before = dumpable();
    {
        const SecretGuard outer;
        std::optional<SecretGuard>(std::in_place).reset();  // an inner guard comes and goes
        EXPECT_EQ(dumpable(), 0) << "the outer guard still holds";
    }
    EXPECT_EQ(dumpable(), before);
    std::string password = "hunter2";
    const char* bytes = password.data();
    wipeSecret(password);
    EXPECT_EQ(password + std::string(bytes, 7), std::string(7, '\0'));
}

}  // namespace
}  // namespace quillory::test
