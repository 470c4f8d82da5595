#include <gtest/gtest.h>

#include "engine/listing.h"
#include "support/engine_fixture.h"

namespace quillory::test {
namespace {

TEST(GenFolderCsv, TwoFilesByNameGiveExactLines) {
    EngineFixture f;
    f.columns("100100");
    f.nameOrder();
    f.tree.file("b.doc", 2048);
    f.tree.file("a.txt", 10);
    const FolderListing listing = genFolder(f.ctx, Format::Csv, f.tree.path());
    const std::string folder = "\"" + f.tree.path() + "/\"";
    EXPECT_EQ(listing.Text, "\"a.txt\"," + folder + ",\"10 Bytes\"\r\n\"b.doc\"," + folder + ",\"2.0 KB\"\r\n");
    EXPECT_EQ(listing.FileCount, 2);
    EXPECT_EQ(listing.TotalBytes, 2058);
}

TEST(GenFolderCsv, DefaultColumnsLine) {
    EngineFixture f;
    f.tree.file("a.txt", 10, 1196692205);  // 2007-12-03 14:30:05 UTC
    EXPECT_EQ(genFolder(f.ctx, Format::Csv, f.tree.path()).Text,
              "\"a.txt\",\"" + f.tree.path() + "/\",\"plain text document\",\"10 Bytes\",\"2007-12-03 14:30:05\"\r\n");
}

TEST(GenFolderCsv, EmptyFolderLine) {
    struct Row {
        const char* name;
        const char* flags;
        const char* before;  // the line is before + folder + after
        const char* after;
    } rows[] = {
        {"defaults", "101110", "EMPTY,", ",,,"},
        {"name only", "100000", "EMPTY,", ""},
        {"name off", "001110", "", ",,,"},
        {"everything", "111111", "EMPTY,", ",,,,,"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EngineFixture f;
        f.columns(row.flags);
        const std::string empty = f.tree.folder("Empty");
        EXPECT_EQ(genFolder(f.ctx, Format::Csv, empty).Text, row.before + empty + "/" + row.after);
        f.set(keys::IgnoreNoFiles, "1");
        EXPECT_EQ(genFolder(f.ctx, Format::Csv, empty).Text, "");
    }
}

TEST(GenFolderCsv, ValuesAreQuotedNotEscaped) {
    EngineFixture f;
    f.columns("110001");
    const std::string odd = " lead \"q\", x;\r\ny.t,xt";
    f.tree.file(odd);
    EXPECT_EQ(genFolder(f.ctx, Format::Csv, f.tree.path()).Text,
              "\"" + odd + "\",\"" + f.tree.path() + "/\",\"t,xt\",\"\"\r\n");
}

TEST(GenFolderCsv, FolderPathHoldingPlaceholdersIsFilledInOrder) {
    EngineFixture f;
    f.columns("100100");
    const std::string folder = f.tree.folder("d##SIZE##");
    f.tree.file("d##SIZE##/a", 3);
    // The folder goes in before the size, so its placeholder is filled (quoted) too.
    EXPECT_EQ(genFolder(f.ctx, Format::Csv, folder).Text,
              "\"a\",\"" + f.tree.path() + "/d\"3 Bytes\"/\",\"3 Bytes\"\r\n");
}

TEST(GenFolderCsv, RejectedFolderGivesStar) {
    EngineFixture f;
    f.tree.file("a");
    f.set(keys::FolInclude, "");
    const FolderListing listing = genFolder(f.ctx, Format::Csv, f.tree.path());
    EXPECT_EQ(listing.Text, "*");
    EXPECT_EQ(listing.FileCount, 0);
    EXPECT_EQ(listing.TotalBytes, 0);
}

}  // namespace
}  // namespace quillory::test
