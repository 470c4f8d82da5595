#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "support/engine_fixture.h"
#include "support/golden.h"

namespace quillory::test {
namespace {

// One file of 10 bytes in each of five folders.
class WalkTree : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* p : {"a/f1", "a/a1/f2", "a/a1/a2/f3", "b/f4", "f0"}) f.tree.file(p, 10);
    }
    std::string base() const { return f.tree.path(); }
    // The folder headings of an HTML walk, in order.
    std::vector<std::string> walkHtml(const std::string& from) {
        const std::string text = f.walk(Format::Html, from), marker = R"(<td class="dir">)";
        std::vector<std::string> out;
        for (std::size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + 1))
            out.push_back(text.substr(at + marker.size(), text.find("</td>", at) - at - marker.size()));
        return out;
    }
    // Depth first, each folder before its sub-folders in readdir's order; to `limit` levels (-1: all).
    static std::vector<std::string> expectedOrder(const std::string& folder, int limit, int depth = 0) {
        if (limit >= 0 && depth > limit) return {};
        std::vector<std::string> out{folder};
        for (const auto& e : std::filesystem::directory_iterator(folder))
            if (e.is_directory()) {
                const auto below = expectedOrder(folder + "/" + e.path().filename().string(), limit, depth + 1);
                out.insert(out.end(), below.begin(), below.end());
            }
        return out;
    }
    EngineFixture f;
};

TEST_F(WalkTree, ListsFoldersDepthFirstToTheLevel) {
    // recurse, depth nullptr: nothing stored
    const struct { const char* name; const char *recurse, *depth; int level; } rows[] = {
        {"nothing stored", nullptr, nullptr, -1}, {"no", "No", "3", 0}, {"depth default", "Depth", nullptr, 6},
        {"depth rounds half to even", "Depth", "2.5", 2}, {"depth 3.5", "Depth", "3.5", 4},
        {"depth leading number", "Depth", "1 level", 1}, {"depth too large", "Depth", "99999", 32767},
        {"word case counts", "infinite", nullptr, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(f.store.remove(keys::Recurse) && f.store.remove(keys::RecurseDepth));
        if (row.recurse) f.set(keys::Recurse, row.recurse);
        if (row.depth) f.set(keys::RecurseDepth, row.depth);
        EXPECT_EQ(f.options().recursionLevel, row.level);
        std::vector<std::string> expected = expectedOrder(base(), row.level);
        EXPECT_EQ(walkHtml(base()), expected);
        EXPECT_EQ(f.totals.TotalFolders, static_cast<double>(expected.size()));
        // "base//" names the same folder: its sub-folders lie one level down too.
        for (std::string& path : expected) path.insert(base().size(), path == base() ? "//" : "/");
        EXPECT_EQ(walkHtml(base() + "//"), expected);
    }
}

TEST_F(WalkTree, ExcludedFolderKeepsItsSubFolders) {
    f.set(keys::FolExclude, "*/a1");
    RunProgress progress;
    f.ctx.progress = &progress;
    const auto listed = walkHtml(base());
    EXPECT_EQ(std::count(listed.begin(), listed.end(), base() + "/a/a1"), 0);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), base() + "/a/a1/a2"), 1);
    EXPECT_EQ(std::tuple(f.totals.TotalFiles, f.totals.TotalBytes, f.totals.TotalFolders, progress.files.load(),
                         progress.bytes.load()),
              std::tuple(4, 40, 4, 4, 40));
}

// Depth lines are written for HTML runs only; each file is logged with its filter's answer.
TEST_F(WalkTree, LogsDepthFilesAndFilterResults) {
    f.set(keys::Recurse, "Depth");
    f.set(keys::RecurseDepth, "1");
    f.set(keys::FileInclude, "*1");
    f.log = {true, f.home / "csv.txt"};
    f.walk(Format::Csv, base());
    EXPECT_EQ(readFile(f.log.path).find("Folder depth"), std::string::npos);
    f.log = {true, f.home / "html.txt"};
    walkHtml(base());
    const std::string written = readFile(f.log.path);
    EXPECT_EQ(written.find("Folder depth: 0. Recursion level: 1\r\nGen Folder HTML called for folder: " + base() +
                           "\r\nRetrieved file: f0\r\nFilter returns: False\r\n"), 0u) << written;
    EXPECT_NE(written.find("Retrieved file: f1\r\nFilter returns: True\r\n"), std::string::npos);
    EXPECT_NE(written.find("Folder depth: 2. Recursion level: 1\r\n"), std::string::npos);
}

// The broken link is listed as a file; /proc/self/root would lead back to /,
// so the kernel's file systems get no block.
TEST_F(WalkTree, LinksAreFollowedButNotBackToAnAncestorNorIntoTheKernel) {
    TempDir outside;
    outside.file("x/y", 1);
    for (const auto& [target, link] : {std::pair{std::string(".."), "a/a1/up"}, {base(), "b/top"},
                                       {"nowhere", "b/broken"}, {outside.path(), "b/out"}, {"/proc/self", "b/self"}})
        ASSERT_EQ(::symlink(target.c_str(), (f.tree / link).c_str()), 0);
    f.log = {true, f.home / "log.txt"};
    const auto listed = walkHtml(base());
    EXPECT_EQ(listed.size(), 7u);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), base() + "/b/out/x"), 1);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), base() + "/b/self"), 0);
    EXPECT_EQ(f.totals.TotalFiles, 7);
    EXPECT_NE(readFile(f.log.path).find("Folder skipped: " + base() + "/b/self is on the kernel file system proc\r\n"),
              std::string::npos);
}

// Headings show the share in place of the local folder it is listed through;
// a path that merely begins with the same characters is shown as it is.
TEST_F(WalkTree, HeadingsShowTheNetworkPathInPlaceOfItsRoot) {
    f.ctx.NetworkPath = "\\\\server\\share";
    f.ctx.NetworkRoot = base();
    std::vector<std::string> expected = expectedOrder(base(), -1);
    for (std::string& path : expected) path = "\\\\server\\share" + path.substr(base().size());
    EXPECT_EQ(walkHtml(base()), expected);
    EXPECT_EQ(shownPath(f.ctx, base() + "x/a"), base() + "x/a");
}

}  // namespace
}  // namespace quillory::test
