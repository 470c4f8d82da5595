#include "platform/app_paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace quillory {
namespace {

namespace fs = std::filesystem;

TEST(AppPaths, AppPathIsTheFolderOfThisProgram) {
    const std::string folder = getAppPath();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(fs::is_regular_file(folder + "quillory_tests")) << folder;
}

TEST(AppPaths, WritableProgramFolderHoldsTheFiles) {
    test::TempDir dir;
    EXPECT_EQ(programFilesFolderFor(dir.path()), dir.path() + "/");
    EXPECT_EQ(programFilesFolderFor(dir.path() + "/"), dir.path() + "/");
}

// Folders nobody can create files in; /proc/self refuses root as well.
TEST(AppPaths, UnwritableProgramFolderFallsBackToStateFolder) {
    // programFolder: relative to the temp folder unless absolute
    const struct { const char *name, *programFolder; } rows[] = {{"missing folder", "does-not-exist/"}, {"process folder", "/proc/self/"}, {"empty name", ""}};
    for (const auto& row : rows) {
        test::TempDir dir;
        test::ScopedEnv state("XDG_STATE_HOME", (dir / "state").c_str());
        const bool asGiven = row.programFolder[0] == '/' || row.programFolder[0] == '\0';
        EXPECT_EQ(programFilesFolderFor(asGiven ? row.programFolder : dir / row.programFolder), dir / "state/Tallyfold/") << row.name;
        EXPECT_TRUE(fs::is_directory(dir / "state/Tallyfold")) << row.name;
    }
    test::runUnprivileged([] {
        test::TempDir dir;
        const std::string program = dir.folder("program");
        ::chmod(program.c_str(), 0555);
        test::ScopedEnv state("XDG_STATE_HOME", (dir / "state").c_str());
        EXPECT_EQ(programFilesFolderFor(program), dir / "state/Tallyfold/") << "read-only folder";
    });
}

TEST(AppPaths, StateFolderDefaultsUnderHome) {
    test::TempDir dir;
    test::ScopedEnv home("HOME", dir.path().c_str());
    for (const char* state : {static_cast<const char*>(nullptr), "relative/state"}) {
        test::ScopedEnv unset("XDG_STATE_HOME", state);
        EXPECT_EQ(programFilesFolderFor(dir / "missing"), dir / ".local/state/Tallyfold/")
            << (state ? state : "unset");
    }
}

}  // namespace
}  // namespace quillory
