#include "support/unprivileged.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace quillory::test {

void runUnprivileged(const std::function<void()>& body) {
    if (::geteuid() != 0) {
        body();
        return;
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        body();
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the unprivileged part failed: status " << status;
}

const std::string& listExecutableForAnyone() {
    static const TempDir folder;
    static const std::string copy = [] {
        const std::string path = folder / "quillory-list";
        std::filesystem::copy_file(QUILLORY_LIST_EXE, path, std::filesystem::copy_options::overwrite_existing);
        ::chmod(folder.path().c_str(), 0755);
        ::chmod(path.c_str(), 0755);
        return path;
    }();
    return copy;
}

}  // namespace quillory::test
