#include <gtest/gtest.h>

#include "engine/listing.h"
#include "support/engine_fixture.h"
#include "support/golden.h"

namespace quillory::test {
namespace {

const std::string kHeading = R"(<table border="0" cellspacing="0" cellpadding="3" width="100%"><tr><td class="dir">)";
const std::string kTable = R"(<table border="0" cellspacing="1" cellpadding="3" width="100%">)";

std::string summary(const std::string& count, const std::string& size) {
    return "</table>\r\n" + kTable + R"(<tr class="summary"><td>Files: )" + count + ", Total Size: " + size +
           ".</td></tr></table><br><br>";
}

TEST(GenFolderHtml, HeaderRowFollowsSwitchesAndCaptions) {
    struct Row {
        const char* name;
        const char* flags;
        const char* nameCaption;  // nullptr: the default
        const char* cells;
    } rows[] = {
        {"all off", "000000", nullptr, ""},
        {"flag text not a number", "x1y0z1", nullptr, R"(<td width="6%"><b>Ext</b></td><td width="6%"><b>Attrs</b></td>)"},
        {"caption holding a later placeholder", "111000", "File ##TYPE##",
         R"(<td width="35%"><b>File Kind</b></td><td width="6%"><b>Ext</b></td><td width="20%"><b>Kind</b></td>)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EngineFixture f;
        f.columns(row.flags);
        if (row.nameCaption) f.set(keys::NameStr, row.nameCaption);
        f.set(keys::TypeStr, "Kind");
        EXPECT_EQ(genHeaderRow(f.options()), kTable + "<tr>" + row.cells + "</tr></table>");
    }
}

TEST(GenFolderHtml, RowsAlternateAndRestartInEachFolder) {
    EngineFixture f;
    f.columns("100000");
    f.nameOrder();
    for (const char* n : {"a", "b", "c"}) f.tree.file(std::string("one/") + n);
    f.tree.file("two/d");
    const std::string one = f.listFolder(Format::Html, f.tree / "one").Text;
    const std::string two = f.listFolder(Format::Html, f.tree / "two").Text;
    EXPECT_NE(one.find(R"(<tr class="fileOdd"><td width="35%">a</td></tr>)" "\r\n"
                       R"(<tr class="file"><td width="35%">b</td></tr>)" "\r\n"
                       R"(<tr class="fileOdd"><td width="35%">c</td></tr>)" "\r\n</table>"),
              std::string::npos);
    EXPECT_NE(two.find(R"(<tr class="fileOdd"><td width="35%">d</td></tr>)"), std::string::npos);
}

TEST(GenFolderHtml, PlaceholdersInNamesAreReplacedInOrder) {
    struct Row {
        const char* name;
        const char* flags;
        const char* fileName;
        const char* cells;
    } rows[] = {
        {"size inside the name", "100100", "n##SIZE##.txt",
         R"(<td width="35%">n5 Bytes.txt</td><td width="10%">5 Bytes</td>)"},
        {"type column off still fills the name", "100000", "x##TYPE##.txt", R"(<td width="35%">xplain text document.txt</td>)"},
        {"attributes column off still fills the name", "100000", ".n##ATTRIB##", R"(<td width="35%">.nh</td>)"},
        {"name placeholder is not searched again", "100000", "##NAME##", R"(<td width="35%">##NAME##</td>)"},
        {"earlier placeholder is not filled after", "000100", "a", R"(<td width="10%">5 Bytes</td>)"},
        {"extension brings a later placeholder", "010001", ".f.##ATTRIB##",
         R"(<td width="6%">h</td><td width="6%">h</td>)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EngineFixture f;
        f.columns(row.flags);
        f.tree.file(row.fileName, 5);
        const std::string text = f.listFolder(Format::Html, f.tree.path()).Text;
        EXPECT_NE(text.find(std::string(R"(<tr class="fileOdd">)") + row.cells + "</tr>\r\n"), std::string::npos) << text;
    }
}

TEST(GenFolderHtml, FilteredAndEmptyFolders) {
    EngineFixture f;
    f.tree.file("f.txt", 100);
    const std::string empty = f.tree.folder("e&<\"m>");  // headings are not escaped either

    f.set(keys::FolExclude, "*/e&<\"m>");
    FolderListing rejected = f.listFolder(Format::Html, empty);
    EXPECT_EQ(rejected.Text, "*");
    EXPECT_EQ(rejected.FileCount, 0);

    f.set(keys::FolExclude, "");
    EXPECT_EQ(f.listFolder(Format::Html, empty).Text, kHeading + empty + "</td></tr></table>\r\n" + kTable +
                                                    summary("0", "0 Bytes"));
    f.set(keys::IgnoreNoFiles, "1");
    const FolderListing dropped = f.listFolder(Format::Html, empty);
    EXPECT_EQ(dropped.Text, "");
    EXPECT_EQ(dropped.FileCount, 0);

    // A folder that cannot be read is a folder without files.
    f.set(keys::IgnoreNoFiles, "0");
    const FolderListing missing = f.listFolder(Format::Html, f.tree / "missing");
    EXPECT_EQ(missing.Text, kHeading + f.tree / "missing" + "</td></tr></table>\r\n" + kTable + summary("0", "0 Bytes"));
}

TEST(GenFolderHtml, LogsCallsFilesAndFilterResults) {
    EngineFixture f;
    f.log = {true, f.home / "log.txt"};
    f.set(keys::FileInclude, "*.txt");
    f.tree.file("a.txt");
    f.tree.file("b.doc");
    f.listFolder(Format::Html, f.tree.path());
    std::string expected = "Gen Folder HTML called for folder: " + f.tree.path() + "\r\n";
    for (const auto& name : f.enumerationOrder(f.tree.path()))
        expected += "Retrieved file: " + name + "\r\nFilter returns: " + (name == "a.txt" ? "True" : "False") + "\r\n";
    const std::string written = readFile(f.home / "log.txt");
    EXPECT_EQ(written, expected);
}

}  // namespace
}  // namespace quillory::test
