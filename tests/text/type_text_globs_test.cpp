#include "text/type_text_globs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

namespace fs = std::filesystem;

using Patterns = std::vector<std::string>;

// A mime folder as update-mime-database leaves it, with `globs2` as the
// globs2 text; the cache and the package only need to be there.
std::string mimeFolder(const test::TempDir& dir, const std::string& name, const std::string& globs2,
                       bool withCache = true, bool withPackage = true) {
    const std::string folder = dir.folder(name);
    std::ofstream(folder + "/globs2", std::ios::binary) << globs2;
    if (withCache) dir.file(name + "/mime.cache");
    if (withPackage) dir.file(name + "/packages/freedesktop.org.xml");
    return folder;
}

// All rows but the last make Qt read something globs2 does not show; so do no
// folders at all and a globs2 that is no file. Comments, blank lines, lines
// of too few fields and the drop mark give no pattern; a field after the
// pattern and a carriage return are not part of it.
TEST(GlobsFromMimeFolders, ReadsPatternsUnlessQtReadsOtherwise) {
    const struct { const char* name; bool withGlobs2, withCache, withPackage; const char* noMimeCache; bool accepted; } rows[] = {
        {"second folder without globs2", false, true, true, nullptr, false},
        {"second folder without cache", true, false, true, nullptr, false},
        {"no folder with the freedesktop.org package", true, true, false, nullptr, false},
        {"cache switched off", true, true, true, "1", false},
        {"empty cache switch is no switch", true, true, true, "", true},
    };
    for (const auto& row : rows) {
        test::TempDir dir;
        test::ScopedEnv noCache("QT_NO_MIME_CACHE", row.noMimeCache);
        const std::string first =
            mimeFolder(dir, "first", "# generated\n\n50\n50:a/b\n:\n50:a/b:\n0:a/c:__NOGLOBS__\n50:a/b:*.one:cs\r\n", true, false);
        const std::string second = mimeFolder(dir, "second", "50:a/b:*.two\n", row.withCache, row.withPackage);
        if (!row.withGlobs2) fs::remove(second + "/globs2");
        const auto globs = globsFromMimeFolders({first, second});
        EXPECT_EQ(globs, row.accepted ? std::optional(Patterns{"*.one", "*.two"}) : std::nullopt) << row.name;
    }
    EXPECT_EQ(globsFromMimeFolders({}), std::nullopt);
    test::TempDir dir;
    const std::string folder = mimeFolder(dir, "mime", "");
    fs::remove(folder + "/globs2");
    dir.folder("mime/globs2");  // there, but no file to read
    EXPECT_EQ(globsFromMimeFolders({folder}), std::nullopt);
}

// The installed database read both ways must give the memo the same keys.
TEST(StemGlobs, Globs2FilesAgreeWithQt) {
    const std::vector<std::string> folders = mimeFolders();
    bool anyGlobs2 = false;
    for (const std::string& folder : folders) anyGlobs2 = anyGlobs2 || fs::exists(folder + "/globs2");
    if (!anyGlobs2) GTEST_SKIP() << "no shared-mime-info database installed";
    const auto fromFiles = globsFromMimeFolders(folders);
    ASSERT_TRUE(fromFiles.has_value());
    const StemGlobs files = stemGlobs(*fromFiles);
    const StemGlobs qt = stemGlobs(globsFromQt());
    EXPECT_EQ(files, qt);
    // Literal names and a trailing "~" are in every database worth the name.
    EXPECT_GT(files.heads.size(), 5u);
    EXPECT_FALSE(files.tails.empty());
    EXPECT_EQ(databaseStemGlobs(), files);
}

}  // namespace
}  // namespace quillory
