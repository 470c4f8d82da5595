#include <gtest/gtest.h>

#include "engine/listing.h"
#include "support/engine_fixture.h"
#include "support/golden.h"

namespace quillory::test {
namespace {

// One file in a folder; "@" in the expected line stands for the folder path.
TEST(GenFolderCsv, LineOfOneFile) {
    const struct {
        const char* name;
        const char* flags;  // nullptr: the default columns
        const char* folder;
        std::string file;
        std::string line;
    } rows[] = {
        {"default columns", nullptr, "d", "a.txt",
         "\"a.txt\",\"@/\",\"plain text document\",\"10 Bytes\",\"2007-12-03 14:30:05\"\r\n"},
        {"values are quoted, not escaped", "110001", "d", " lead \"q\", x;\r\ny.t,xt",
         "\" lead \"q\", x;\r\ny.t,xt\",\"@/\",\"t,xt\",\"\"\r\n"},
        // The folder goes in before the size, so its placeholder is filled (quoted) too.
        {"folder path holding a placeholder", "100100", "d##SIZE##", "a", "\"a\",\"@/\",\"10 Bytes\"\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EngineFixture f;
        if (row.flags) f.columns(row.flags);
        f.tree.file(std::string(row.folder) + "/" + row.file, 10, 1196692205);  // 2007-12-03 14:30:05 UTC
        const std::string folder = f.tree / row.folder;
        const std::string shown = replaced(folder, "##SIZE##", "\"10 Bytes\"");
        EXPECT_EQ(f.listFolder(Format::Csv, folder).Text, replaced(row.line, "@", shown));
    }
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
        EXPECT_EQ(f.listFolder(Format::Csv, empty).Text, row.before + empty + "/" + row.after);
        f.set(keys::IgnoreNoFiles, "1");
        EXPECT_EQ(f.listFolder(Format::Csv, empty).Text, "");
    }
}

TEST(GenFolderCsv, RejectedFolderGivesStar) {
    EngineFixture f;
    f.tree.file("a", 5);
    f.set(keys::FolInclude, "");
    const FolderListing listing = f.listFolder(Format::Csv, f.tree.path());
    EXPECT_EQ(listing.Text, "*");
    EXPECT_EQ(listing.FileCount, 0);
    EXPECT_EQ(listing.TotalBytes, 0);
}

}  // namespace
}  // namespace quillory::test
