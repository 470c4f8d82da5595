// Trees that try to break the walk: odd names, long paths, unreadable folders,
// files vanishing mid-walk, huge folders, a missing base.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/document.h"
#include "engine/listing.h"
#include "support/engine_fixture.h"
#include "support/unprivileged.h"

namespace quillory::test {
namespace {

std::string csvWalk(EngineFixture& f, const std::string& base) {
    StringSink sink;
    resetTotals(f.totals);
    f.totals.BasePath = base;
    walkFolderCSV(f.ctx, base, -1, sink);
    return sink.text;
}

TEST(HostileTree, OddNamesAreKeptByteForByte) {
    struct Row {
        const char* name;
        std::string fileName;
    } rows[] = {
        {"markup", "a&b<c>\"d\".txt"},
        {"separators", "x,y;z.csv"},
        {"newline", "two\nlines"},
        {"leading blanks", "  lead"},
        {"not UTF-8", "bad\xff\xfe\x80name"},
        {"255 bytes", std::string(251, 'n') + ".txt"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EngineFixture f;
        f.columns("100000");
        f.tree.file(row.fileName, 1);
        EXPECT_EQ(csvWalk(f, f.tree.path()), "\"" + row.fileName + "\",\"" + f.tree.path() + "/\"\r\n\r\n");
    }
}

TEST(HostileTree, NameHoldingTheFolderPlaceholderTakesTheFolder) {
    EngineFixture f;
    f.columns("100000");
    f.tree.file("##FOL####NAME##", 1);
    const std::string folder = "\"" + f.tree.path() + "/\"";
    EXPECT_EQ(csvWalk(f, f.tree.path()), "\"" + folder + "##NAME##\"," + folder + "\r\n\r\n");
}

TEST(HostileTree, PathsLongerThanTheSystemLimitAreWalked) {
    EngineFixture f;
    f.columns("100000");
    // 20 levels of 250-byte names: about 5,000 bytes, past PATH_MAX.
    const std::string part(250, 'd');
    std::string relative;
    int dir = ::open(f.tree.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(dir, 0);
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(::mkdirat(dir, part.c_str(), 0755), 0);
        const int next = ::openat(dir, part.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(dir);
        dir = next;
        relative += "/" + part;
    }
    const int fd = ::openat(dir, "deep.txt", O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "12345", 5), 5);
    ::close(fd);
    ::close(dir);
    const std::string text = csvWalk(f, f.tree.path());
    EXPECT_NE(text.find("\"deep.txt\",\"" + f.tree.path() + relative + "/\"\r\n"), std::string::npos);
    EXPECT_EQ(f.totals.TotalFolders, 21);
    EXPECT_EQ(f.totals.TotalBytes, 5);
}

TEST(HostileTree, MissingBaseFolderIsListedWithoutFiles) {
    EngineFixture f;
    const std::string missing = f.tree / "gone";
    EXPECT_EQ(csvWalk(f, missing), "EMPTY," + missing + "/,,,\r\n");
    EXPECT_EQ(f.totals.TotalFolders, 1);
    EXPECT_EQ(f.totals.TotalFiles, 0);
}

TEST(HostileTree, UnreadableFolderIsListedEmptyAndTheWalkGoesOn) {
    TempDir tree;
    tree.file("locked/secret.txt");
    tree.file("locked/inner/deeper.txt");
    tree.file("open/seen.txt");
    ::chmod(tree.path().c_str(), 0755);
    ASSERT_EQ(::chmod((tree / "locked").c_str(), 0), 0);
    // Its own store inside: an SQLite connection must not cross a fork.
    runUnprivileged([&] {
        EngineFixture f;
        f.columns("100000");
        const std::string text = csvWalk(f, tree.path());
        EXPECT_NE(text.find("EMPTY," + tree.path() + "/locked/\r\n"), std::string::npos) << text;
        EXPECT_EQ(text.find("secret.txt"), std::string::npos);
        EXPECT_EQ(text.find("deeper.txt"), std::string::npos);
        EXPECT_NE(text.find("\"seen.txt\""), std::string::npos);
    });
}

// The real folder source, with a file removed between enumeration and stat.
class VanishingSource final : public FolderSource {
public:
    explicit VanishingSource(std::string victim) : m_victim(std::move(victim)) {}
    std::unique_ptr<Folder> open(const std::string& path) override {
        return std::make_unique<VanishingFolder>(m_real->open(path), m_victim);
    }

private:
    class VanishingFolder final : public Folder {
    public:
        VanishingFolder(std::unique_ptr<Folder> real, const std::string& victim) : m_real(std::move(real)), m_victim(victim) {}
        bool readable() const override { return m_real->readable(); }
        int error() const override { return m_real->error(); }
        const std::vector<FolderEntry>& entries() const override {
            const auto& entries = m_real->entries();
            ::unlink(m_victim.c_str());
            return entries;
        }
        FolderId id() const override { return m_real->id(); }
        FileFacts facts(std::size_t i) override { return m_real->facts(i); }
        std::int64_t attributes(std::size_t i) override { return m_real->attributes(i); }
        std::unique_ptr<Folder> openChild(std::size_t i) override { return m_real->openChild(i); }

    private:
        std::unique_ptr<Folder> m_real;
        const std::string& m_victim;
    };
    std::unique_ptr<FolderSource> m_real = makeLocalFolderSource();
    std::string m_victim;
};

TEST(HostileTree, FileDeletedDuringTheWalkKeepsItsRowWithFallbacks) {
    EngineFixture f;
    f.columns("100110");
    f.tree.file("stays.txt", 7, 1196692205);
    f.tree.file("goes.txt", 9, 1196692205);
    VanishingSource source(f.tree / "goes.txt");
    ListingContext ctx{f.store, f.totals, f.log, source, {}, nullptr};
    f.nameOrder();
    EXPECT_EQ(genFolderCSV(ctx, f.tree.path()).Text,
              "\"goes.txt\",\"" + f.tree.path() + "/\",\"0 Bytes\",\"00:00:00\"\r\n\"stays.txt\",\"" + f.tree.path() +
                  "/\",\"7 Bytes\",\"2007-12-03 14:30:05\"\r\n");
}

TEST(HostileTree, FolderOfOneHundredThousandFiles) {
    EngineFixture f;
    f.columns("000000");
    const TempDir big = TempDir::inMemory();
    const int dir = ::open(big.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(dir, 0);
    for (int i = 0; i < 100000; ++i) {
        const int fd = ::openat(dir, ("f" + std::to_string(i)).c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    ::close(dir);
    const FolderListing listing = genFolderHTML(f.ctx, big.path());
    EXPECT_EQ(listing.FileCount, 100000);
    EXPECT_NE(listing.Text.find("Files: 100000, Total Size: 0 Bytes."), std::string::npos);
    std::size_t rows = 0;
    for (std::size_t at = listing.Text.find("<tr class=\"file"); at != std::string::npos;
         at = listing.Text.find("<tr class=\"file", at + 1))
        ++rows;
    EXPECT_EQ(rows, 100000u);
}

TEST(HostileTree, SettingsThatAreNotNumbersWordsOrColours) {
    EngineFixture f;
    f.tree.file("a.txt", 2000);
    f.tree.file("sub/b.txt", 3);
    f.set(keys::Recurse, "sometimes");       // not a known word: base only
    f.set(keys::DisplayFileSize, "kb");      // not a known word: dynamic
    f.set(keys::Name, "yes");                // not a number: off
    f.set(keys::Type, "");                   // empty: off
    f.set(keys::DateTime, "1.0");            // the number one: on
    f.set(keys::FileSize, "1");
    f.set(keys::FileSizeFrom, "lots");       // no number: 0
    f.set(keys::FileSizeTo, "1e4");
    f.set(keys::BodyBack, "#FFFFFF");
    f.set(keys::FileFontSize, "");
    const auto document = buildReport(f.ctx, f.tree.path(), f.home / "myTmpFile.htm");
    ASSERT_TRUE(document);
    EXPECT_NE(document->find("background:##BODY##;"), std::string::npos);
    EXPECT_NE(document->find(".file{font-family:Tahoma; font-size:0pt;"), std::string::npos);
    EXPECT_NE(document->find(R"(<tr class="fileOdd"><td width="10%">2.0 KB</td><td width="12%">)"), std::string::npos);
    EXPECT_EQ(document->find("b.txt"), std::string::npos);
    EXPECT_EQ(f.totals.TotalFolders, 1);
}

}  // namespace
}  // namespace quillory::test
