#include "platform/app_paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/unprivileged.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

namespace fs = std::filesystem;

TEST(AppPaths, AppPathIsTheFolderOfThisProgram) {
    const std::string folder = getAppPath();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(folder.front(), '/');
    EXPECT_TRUE(fs::is_regular_file(folder + "quillory_tests")) << folder;
}

TEST(AppPaths, WritableProgramFolderHoldsTheFiles) {
    test::TempDir dir;
    EXPECT_EQ(programFilesFolderFor(dir.path()), dir.path() + "/");
    EXPECT_EQ(programFilesFolderFor(dir.path() + "/"), dir.path() + "/");
}

struct FallbackRow {
    const char* name;
    const char* programFolder;  // relative to the temp folder unless absolute
};

// Folders nobody can create files in; /proc/self refuses root as well.
const FallbackRow kFallbackRows[] = {
    {"missing folder", "does-not-exist/"},
    {"process folder", "/proc/self/"},
    {"empty name", ""},
};

TEST(AppPaths, UnwritableProgramFolderFallsBackToStateFolder) {
    for (const FallbackRow& row : kFallbackRows) {
        test::TempDir dir;
        test::ScopedEnv state("XDG_STATE_HOME", (dir / "state").c_str());
        const std::string candidate =
            row.programFolder[0] == '/' || row.programFolder[0] == '\0' ? row.programFolder
                                                                         : dir / row.programFolder;
        EXPECT_EQ(programFilesFolderFor(candidate), dir / "state/Tallyfold/") << row.name;
        EXPECT_TRUE(fs::is_directory(dir / "state/Tallyfold")) << row.name;
    }
}

TEST(AppPaths, ReadOnlyProgramFolderFallsBack) {
    test::runUnprivileged([] {
        test::TempDir dir;
        const std::string program = dir.folder("program");
        ::chmod(program.c_str(), 0555);
        test::ScopedEnv state("XDG_STATE_HOME", (dir / "state").c_str());
        EXPECT_EQ(programFilesFolderFor(program), dir / "state/Tallyfold/");
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

TEST(AppPaths, ScratchAndLogFilesShareTheFolder) {
    const std::string folder = programFilesFolder();
    EXPECT_EQ(scratchFilePath(), folder + "myTmpFile.htm");
    EXPECT_EQ(logFilePath(), folder + "log.txt");
}

}  // namespace
}  // namespace quillory
