#include "platform/app_paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

namespace fs = std::filesystem;

// A folder nobody can create files in (/proc/self refuses root as well) sends
// them to the state folder: $XDG_STATE_HOME when absolute, else under $HOME.
TEST(AppPaths, ProgramFilesGoToAWritableProgramFolderElseTheStateFolder) {
    test::TempDir dir;
    EXPECT_EQ(programFilesFolderFor(dir.path()), dir.path() + "/");
    EXPECT_EQ(programFilesFolderFor(dir.path() + "/"), dir.path() + "/");
    const test::ScopedEnv home("HOME", dir.path().c_str());
    const std::string state = dir / "state", missing = dir / "missing";
    // state nullptr: unset
    const struct { std::string program; const char *state, *expected; } rows[] = {
        {missing, state.c_str(), "state/Tallyfold"}, {"/proc/self/", state.c_str(), "state/Tallyfold"},
        {"", nullptr, ".local/state/Tallyfold"}, {missing, "relative/state", ".local/state/Tallyfold"},
    };
    for (const auto& row : rows) {
        const test::ScopedEnv env("XDG_STATE_HOME", row.state);
        EXPECT_EQ(programFilesFolderFor(row.program), dir / row.expected + "/") << row.program;
        EXPECT_TRUE(fs::is_directory(dir / row.expected)) << row.program;
    }
}

}  // namespace
}  // namespace quillory
