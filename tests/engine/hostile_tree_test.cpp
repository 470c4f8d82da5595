// Trees that try to break the walk: unreadable folders, files vanishing
// mid-walk, a missing base.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "support/engine_fixture.h"
#include "support/golden.h"
#include "support/unprivileged.h"

namespace quillory::test {
namespace {

TEST(HostileTree, UnreadableOrMissingFolderIsListedEmptyAndNamed) {
    TempDir tree;
    for (const char* name : {"locked/secret.txt", "locked/inner/deeper.txt", "open/seen.txt"}) tree.file(name);
    ::chmod(tree.path().c_str(), 0755);
    ASSERT_EQ(::chmod((tree / "locked").c_str(), 0), 0);
    // Its own store inside: an SQLite connection must not cross a fork.
    runUnprivileged([&] {
        const auto unread = [](const RunResult& r) {
            std::string named;
            for (const auto& u : r.unreadable) named += u.path + ": " + std::strerror(u.error) + "\n";
            return named;
        };
        EngineFixture f;
        f.columns("100000");
        RunResult result;
        const std::string text = f.walk(Format::Csv, tree.path(), &result);
        EXPECT_NE(text.find("EMPTY," + tree.path() + "/locked/\r\n"), std::string::npos) << text;
        EXPECT_EQ(unread(result), tree / "locked: Permission denied\n");
        EXPECT_EQ(text.find("secret.txt"), std::string::npos);
        EXPECT_EQ(text.find("deeper.txt"), std::string::npos);
        EXPECT_NE(text.find("\"seen.txt\""), std::string::npos);

        const std::string missing = tree / "gone";
        EXPECT_EQ(f.walk(Format::Csv, missing, &result), "EMPTY," + missing + "/\r\n");
        EXPECT_EQ(result.outcome, RunResult::Outcome::Completed);
        EXPECT_EQ(unread(result), missing + ": No such file or directory\n");
        EXPECT_EQ(f.totals.TotalFolders, 1);

        f.log = {true, f.home / "log.txt"};
        StringSink html;
        walkFolder(f.ctx, tree.path(), Format::Html, html);
        EXPECT_NE(readFile(f.log.path).find("Folder could not be read: " + (tree / "locked") + ": Permission denied\r\n"),
                  std::string::npos);
    });
}

// The real folder source; the file goes once the names are read.
struct ReadThenRemove final : FolderSource {
    std::unique_ptr<FolderSource> real = makeLocalFolderSource();
    std::string victim;
    std::unique_ptr<Folder> open(const std::string& path) override {
        auto folder = real->open(path);
        folder->entries();
        ::unlink(victim.c_str());
        return folder;
    }
};

TEST(HostileTree, FileDeletedDuringTheWalkKeepsItsRowWithFallbacks) {
    EngineFixture f;
    f.columns("100110");
    f.nameOrder();
    f.tree.file("stays.txt", 7, 1196692205);
    ReadThenRemove source;
    source.victim = f.tree.file("goes.txt", 9, 1196692205);
    f.ctx.source = &source;
    const std::string folder = "\",\"" + f.tree.path() + "/\",\"";
    EXPECT_EQ(f.walk(Format::Csv, f.tree.path()), "\"goes.txt" + folder + "0 Bytes\",\"00:00:00\"\r\n\"stays.txt" +
                                                      folder + "7 Bytes\",\"2007-12-03 14:30:05\"\r\n\r\n");
}

}  // namespace
}  // namespace quillory::test
