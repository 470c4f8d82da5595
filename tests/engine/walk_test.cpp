#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>

#include "engine/listing.h"
#include "support/engine_fixture.h"
#include "support/golden.h"

namespace quillory::test {
namespace {

// The folder headings of an HTML walk, in order.
std::vector<std::string> headings(const std::string& text) {
    const std::string marker = R"(<td class="dir">)";
    std::vector<std::string> out;
    for (std::size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + 1)) {
        const std::size_t start = at + marker.size();
        out.push_back(text.substr(start, text.find("</td>", start) - start));
    }
    return out;
}

std::vector<std::string> walkHtml(EngineFixture& f, const std::string& base) {
    StringSink sink;
    resetTotals(f.totals);
    f.totals.BasePath = base;
    walkFolderHTML(f.ctx, base, getRecursionLevel(f.store), sink);
    return headings(sink.text);
}

TEST(Walk, RecursionLevelFromSettings) {
    struct Row {
        const char* name;
        const char* recurse;
        const char* depth;
        int level;
    } rows[] = {
        {"nothing stored", nullptr, nullptr, -1}, {"infinite", "Infinite", "3", -1},
        {"no", "No", "3", 0},                     {"depth", "Depth", "3", 3},
        {"depth default", "Depth", nullptr, 6},   {"depth rounds half to even", "Depth", "2.5", 2},
        {"depth 3.5", "Depth", "3.5", 4},         {"depth not a number", "Depth", "deep", 0},
        {"depth leading number", "Depth", "4 levels", 4}, {"depth negative", "Depth", "-1", -1},
        {"depth too large", "Depth", "99999", 32767}, {"word case counts", "infinite", nullptr, 0},
        {"unknown word", "Always", nullptr, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EngineFixture f;
        if (row.recurse) f.set(keys::Recurse, row.recurse);
        if (row.depth) f.set(keys::RecurseDepth, row.depth);
        EXPECT_EQ(getRecursionLevel(f.store), row.level);
    }
}

TEST(Walk, FolderDepth) {
    struct Row {
        const char* name;
        const char* base;
        const char* folder;
        int depth;
    } rows[] = {
        {"base itself", "/data", "/data", 0},
        {"child", "/data", "/data/a", 1},
        {"grandchild", "/data", "/data/a/b", 2},
        {"base with separator", "/data/", "/data/a/b", 2},
        {"base with separator, itself", "/data/", "/data/", 0},
        {"root", "/", "/a", 1},
        {"root itself", "/", "/", 0},
        {"case ignored", "/Data", "/data/A", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(getFolderDepth(row.base, row.folder), row.depth);
    }
}

class WalkTree : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* p : {"a/f1", "a/a1/f2", "a/a1/a2/f3", "b/f4", "f0"}) f.tree.file(p, 10);
    }
    std::string base() const { return f.tree.path(); }
    // Depth-first order as the system enumerates, each folder before its sub-folders.
    void expectedOrder(const std::string& folder, int depth, int limit, std::vector<std::string>& out) const {
        if (limit >= 0 && depth > limit) return;
        out.push_back(folder);
        for (const auto& name : f.enumerationOrder(folder)) {
            const std::string child = folder + "/" + name;
            if (f.source->open(child)->readable()) expectedOrder(child, depth + 1, limit, out);
        }
    }
    EngineFixture f;
};

TEST_F(WalkTree, ListsFoldersDepthFirstToTheLevel) {
    struct Row {
        const char* name;
        const char* recurse;
        const char* depth;
        int limit;
    } rows[] = {{"infinite", "Infinite", nullptr, -1}, {"no", "No", nullptr, 0}, {"depth 0", "Depth", "0", 0},
                {"depth 1", "Depth", "1", 1},         {"depth 2", "Depth", "2", 2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        f.set(keys::Recurse, row.recurse);
        if (row.depth) f.set(keys::RecurseDepth, row.depth);
        std::vector<std::string> expected;
        expectedOrder(base(), 0, row.limit, expected);
        EXPECT_EQ(walkHtml(f, base()), expected);
        EXPECT_EQ(f.totals.TotalFolders, static_cast<double>(expected.size()));
        // The same folders with a separator at the end of the base.
        EXPECT_EQ(walkHtml(f, base() + "/").size(), expected.size());
    }
}

TEST_F(WalkTree, TotalsAddUpListedFolders) {
    StringSink sink;
    f.totals.BasePath = base();
    walkFolderCSV(f.ctx, base(), -1, sink);
    EXPECT_EQ(f.totals.TotalFiles, 5);
    EXPECT_EQ(f.totals.TotalBytes, 50);
    EXPECT_EQ(f.totals.TotalFolders, 5);
}

TEST_F(WalkTree, ExcludedFolderKeepsItsSubFolders) {
    f.set(keys::FolExclude, "*/a1");
    const auto listed = walkHtml(f, base());
    EXPECT_EQ(std::count(listed.begin(), listed.end(), base() + "/a/a1"), 0);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), base() + "/a/a1/a2"), 1);
    EXPECT_EQ(f.totals.TotalFiles, 4);
    EXPECT_EQ(f.totals.TotalFolders, 4);
}

TEST_F(WalkTree, IgnoredEmptyFolderWritesALineEndAndCounts) {
    f.tree.folder("empty");
    f.set(keys::IgnoreNoFiles, "1");
    f.set(keys::Recurse, "No");
    StringSink sink;
    f.totals.BasePath = f.tree / "empty";
    walkFolderHTML(f.ctx, f.tree / "empty", 0, sink);
    EXPECT_EQ(sink.text, "\r\n");
    EXPECT_EQ(f.totals.TotalFolders, 1);
}

struct StopAfter final : WalkObserver {
    RunTotals& totals;
    int calls;
    StopAfter(RunTotals& t, int n) : totals(t), calls(n) {}
    void yield() override {
        if (--calls == 0) totals.StopRequested = true;
    }
};

TEST_F(WalkTree, StopKeepsTheFoldersFinishedSoFar) {
    std::vector<std::string> all;
    expectedOrder(base(), 0, -1, all);
    int cutShort = 0;
    for (int n = 1; n < 40; ++n) {
        SCOPED_TRACE(n);
        StopAfter stop(f.totals, n);
        f.ctx.observer = &stop;
        f.totals.StopRequested = false;
        const auto listed = walkHtml(f, base());
        if (!f.totals.StopRequested) {
            EXPECT_EQ(listed, all);
            break;
        }
        // Stop may come after the last folder; what is listed is always a prefix.
        ASSERT_LE(listed.size(), all.size());
        EXPECT_TRUE(std::equal(listed.begin(), listed.end(), all.begin()));
        cutShort += listed.size() < all.size();
    }
    EXPECT_GE(cutShort, 4);
    f.ctx.observer = nullptr;
}

TEST_F(WalkTree, StatusShowsEachFolder) {
    struct Status final : WalkObserver {
        std::vector<std::string> texts;
        void status(const std::string& t) override { texts.push_back(t); }
    } status;
    f.ctx.observer = &status;
    const auto listed = walkHtml(f, base());
    ASSERT_EQ(status.texts.size(), listed.size());
    for (std::size_t i = 0; i < listed.size(); ++i) EXPECT_EQ(status.texts[i], "Scanning folder: " + listed[i]);
    f.ctx.observer = nullptr;
}

TEST_F(WalkTree, LogsDepthAgainstLevel) {
    f.log = {true, f.home / "log.txt"};
    f.set(keys::Recurse, "Depth");
    f.set(keys::RecurseDepth, "1");
    f.set(keys::FolInclude, "");  // keeps the generator's own lines out
    walkHtml(f, base());
    const std::string written = readFile(f.log.path);
    EXPECT_EQ(written.find("Folder depth: 0. Recursion level: 1\r\n"), 0u);
    EXPECT_NE(written.find("Folder depth: 2. Recursion level: 1\r\n"), std::string::npos);
}

TEST_F(WalkTree, LinkBackToAnAncestorIsNotEnteredAgain) {
    ASSERT_EQ(::symlink("..", (f.tree / "a/a1/up").c_str()), 0);
    ASSERT_EQ(::symlink(base().c_str(), (f.tree / "b/top").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", (f.tree / "b/broken").c_str()), 0);
    const auto listed = walkHtml(f, base());
    EXPECT_EQ(listed.size(), 5u);
    // The broken link is listed as a file.
    EXPECT_EQ(f.totals.TotalFiles, 6);
}

TEST_F(WalkTree, LinkToAnotherFolderIsWalked) {
    TempDir outside;
    outside.file("x/y", 1);
    ASSERT_EQ(::symlink(outside.path().c_str(), (f.tree / "b/out").c_str()), 0);
    const auto listed = walkHtml(f, base());
    EXPECT_EQ(std::count(listed.begin(), listed.end(), base() + "/b/out/x"), 1);
}

}  // namespace
}  // namespace quillory::test
