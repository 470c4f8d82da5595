#include "engine/document.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <random>

#include "support/engine_fixture.h"
#include "support/golden.h"

namespace quillory::test {
namespace {

TEST(Document, ColorToHtml) {
    struct Row {
        std::uint32_t colour;
        const char* html;
    } rows[] = {{12566463, "#BFBFBF"}, {255, "#FF0000"}, {16711680, "#0000FF"}, {0, "#000000"},
                {16777215, "#FFFFFF"}, {0x0A0B0C, "#0C0B0A"}, {0xFF123456, "#563412"}};
    for (const Row& row : rows) EXPECT_EQ(colorToHTML(row.colour), row.html) << row.colour;
}

const std::string kDefaultHead =
    "<html><head><style>\r\n"
    ".dir{font-family:Tahoma; font-weight:bold; font-size:10pt; color:#FFFFFF; background:#000000;}"
    ".file{font-family:Tahoma; font-size:10pt; color:#000000; background:#BFBFBF;}"
    ".fileodd{font-family:Tahoma; font-size:10pt; color:#000000; background:#FFFFFF;}"
    ".summary{font-family:Tahoma; font-size:10pt; color:#000000; background:#BFBFBF;}"
    "body{font-family:Tahoma; background:#FFFFFF;}"
    "</style></head><body>";
const std::string kDefaultHeaderRow =
    R"(<table border="0" cellspacing="1" cellpadding="3" width="100%"><tr><td width="35%"><b>Name</b></td><td width="20%"><b>Type</b></td><td width="10%"><b>Size</b></td><td width="12%"><b>Date</b></td></tr></table>)";

TEST(Document, EmptyWalkGivesHeadHeadingAndZeroTotals) {
    EngineFixture f;
    f.set(keys::FolInclude, "");
    const std::string scratch = f.home / "myTmpFile.htm";
    const auto document = buildReport(f.ctx, f.tree.path(), scratch);
    ASSERT_TRUE(document);
    EXPECT_EQ(*document, kDefaultHead + "\r\n<h2>Listing of " + f.tree.path() + "</h2>\r\n" + kDefaultHeaderRow +
                             "\r\n\r\n"
                             R"(<br><table border="0" cellspacing="1" cellpadding="3" width="100%"><tr class="dir"><td>)"
                             "Total Files: 0, Total Folders : 0, Total Size: 0 Bytes.</td></tr></table></body></html>");
    EXPECT_EQ(readFile(scratch), *document);
}

TEST(Document, StyleSheetFromSettings) {
    struct Row {
        const char* name;
        const SettingKey& key;
        const char* value;
        const char* expected;  // a piece the head must hold
    } rows[] = {
        {"folder font", keys::FolFont, "Arial Black", ".dir{font-family:Arial Black; "},
        {"body takes the folder font", keys::FolFont, "Serif", "body{font-family:Serif; "},
        {"file font", keys::FileFont, "Courier", ".summary{font-family:Courier; "},
        {"size rounds half to even", keys::FolFontSize, "8.5", "font-weight:bold; font-size:8pt;"},
        {"size 8.25", keys::FileFontSize, "8.25", ".file{font-family:Tahoma; font-size:8pt;"},
        {"size 9.5", keys::FileFontSize, "9.5", ".fileodd{font-family:Tahoma; font-size:10pt;"},
        {"size not a number", keys::FolFontSize, "big", "font-weight:bold; font-size:0pt;"},
        {"colour", keys::FolBack, "255", "background:#FF0000;}.file{"},
        {"colour not a number stays a placeholder", keys::FileBack, "grey", "background:##FILEBACK##;}.fileodd{"},
        {"colour with decimals stays a placeholder", keys::BodyBack, "1.5", "background:##BODY##;}"},
        {"odd rows", keys::FileBackOdd, "65280", "background:#00FF00;}.summary"},
        {"file text colour", keys::FileFontColor, "16711680", ".file{font-family:Tahoma; font-size:10pt; color:#0000FF;"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EngineFixture f;
        f.set(row.key, row.value);
        const std::string head = documentStart(f.store, "x");
        EXPECT_NE(head.find(row.expected), std::string::npos) << head;
    }
}

TEST(Document, NetworkPathIsTheTitle) {
    EngineFixture f;
    EXPECT_EQ(documentTitle(f.ctx, "/mnt/z"), "/mnt/z");
    f.ctx.NetworkPath = R"(\\server\share)";
    EXPECT_EQ(documentTitle(f.ctx, "/mnt/z"), R"(\\server\share)");
}

TEST(Document, SpreadsheetHeader) {
    struct Row {
        const char* name;
        const char* flags;
        const char* header;
    } rows[] = {
        {"defaults", nullptr, "Name,Folder,Type,Size,Date Modified\r\n"},
        {"all off", "000000", "Folder\r\n"},
        {"all on", "111111", "Name,Folder,Extension,Type,Size,Date Modified,Attributes\r\n"},
        {"attributes last", "000001", "Folder,Attributes\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EngineFixture f;
        if (row.flags) f.columns(row.flags);
        EXPECT_EQ(spreadsheetHeader(f.store), row.header);
    }
}

TEST(Document, BlankLinesAreRemoved) {
    struct Row {
        const char* name;
        std::string in, out;
    } rows[] = {
        {"none", "a\r\nb\r\n", "a\r\nb\r\n"},
        {"one", "a\r\n\r\nb", "a\r\nb"},
        {"run of five", "a\r\n\r\n\r\n\r\n\r\nb\r\n", "a\r\nb\r\n"},
        {"at the start", "\r\n\r\na", "\r\na"},
        {"bare CR and LF stay", "a\r\r\n\n\r\n", "a\r\r\n\n\r\n"},
        {"CR before a pair", "a\r\r\n\r\n", "a\r\r\n"},
        {"empty", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(removeBlankLines(row.in), row.out);
    }
}

TEST(Document, StreamedBlankLineRemovalMatchesWholeText) {
    std::mt19937 random(7);
    const char alphabet[] = {'\r', '\n', 'a', '\r', '\n'};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i) text += alphabet[random() % 5];
        StringSink sink;
        BlankLineFilter filter(sink);
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t piece = 1 + random() % 4;
            filter.append(std::string_view(text).substr(at, piece));
            at += piece;
        }
        filter.finish();
        ASSERT_EQ(sink.text, removeBlankLines(text)) << "round " << round;
    }
}

TEST(Document, StopLeavesTheBlocksAndBuildsNothing) {
    EngineFixture f;
    f.tree.file("a/x");
    f.tree.file("b/y");
    struct StopAtSecondFolder final : WalkObserver {
        RunTotals& totals;
        int folders = 0;
        explicit StopAtSecondFolder(RunTotals& t) : totals(t) {}
        void status(const std::string&) override {
            if (++folders == 2) totals.StopRequested = true;
        }
    } stop(f.totals);
    f.ctx.observer = &stop;
    const std::string scratch = f.home / "myTmpFile.htm";
    EXPECT_FALSE(buildReport(f.ctx, f.tree.path(), scratch));
    const std::string blocks = readFile(scratch);
    // The base folder's block and the one being built when Stop came.
    EXPECT_EQ(blocks.rfind("<table border=\"0\" cellspacing=\"0\"", 0), 0u);
    EXPECT_EQ(blocks.find("<html>"), std::string::npos);
    EXPECT_EQ(f.totals.TotalFolders, 2);
}

// A fixed tree whose folder order does not depend on the file system: one
// sub-folder per folder, files in name order.
struct GoldenTree {
    EngineFixture f;
    GoldenTree() {
        const long long t = 1196692205;  // 2007-12-03 14:30:05 UTC
        f.tree.file("b.doc", 2048, t);
        f.tree.file("a.txt", 10, t + 60);
        f.tree.file("odd & <name>.TXT", 1536, t - 86400);
        f.tree.file("n##SIZE##.txt", 5, 0);
        f.tree.file("sub/big.iso", 5368709120LL, t);
        f.tree.file("sub/\xff\xfe raw.dat", 1048577, t);
        f.tree.file("sub/README", 1023, t);
        f.tree.folder("sub/deeper");
        // Attribute letters: hidden by the dot, read-only by the mode, and
        // archive plus read-only from Samba's word.
        f.tree.file("sub/.hidden", 1, t);
        ::chmod(f.tree.file("sub/locked.txt", 2, t).c_str(), 0444);
        const std::string samba = f.tree.file("sub/samba.doc", 3, t);
        hasXattrs = ::setxattr(samba.c_str(), "user.DOSATTRIB", "0x21", 4, 0) == 0;
        f.nameOrder();
    }
    std::string anonymous(const std::string& text) const { return replaced(text, f.tree.path(), "@BASE@"); }
    bool hasXattrs = false;
};

TEST(Document, WholeHtmlDocumentMatchesGolden) {
    GoldenTree g;
    const std::string scratch = g.f.home / "myTmpFile.htm";
    const auto document = buildReport(g.f.ctx, g.f.tree.path(), scratch);
    ASSERT_TRUE(document);
    expectGolden("listing_default.html", g.anonymous(*document));
    EXPECT_EQ(g.f.totals.TotalFiles, 10);
    EXPECT_EQ(g.f.totals.TotalFolders, 3);
}

TEST(Document, WholeCsvMatchesGolden) {
    GoldenTree g;
    if (!g.hasXattrs) GTEST_SKIP() << "the temp folder's file system keeps no extended attributes";
    g.f.columns("111111");
    const std::string scratch = g.f.home / "myTmpFile.htm";
    const auto text = buildSpreadsheet(g.f.ctx, g.f.tree.path(), scratch);
    ASSERT_TRUE(text);
    expectGolden("listing_all_columns.csv", g.anonymous(*text));
    EXPECT_EQ(readFile(scratch), *text);
}

TEST(Document, StyledDocumentMatchesGolden) {
    GoldenTree g;
    g.f.columns("011011");
    g.f.set(keys::DisplayFileSize, "Kb");
    g.f.set(keys::FolFont, "Georgia");
    g.f.set(keys::FolFontSize, "12.75");
    g.f.set(keys::FolBack, "8388608");
    g.f.set(keys::IgnoreNoFiles, "1");
    g.f.set(keys::NoOrder, "0");
    g.f.set(keys::NameOrder, "0");
    g.f.set(keys::SizeOrder, "1");
    const auto document = buildReport(g.f.ctx, g.f.tree.path(), g.f.home / "myTmpFile.htm");
    ASSERT_TRUE(document);
    expectGolden("listing_styled.html", g.anonymous(*document));
}

}  // namespace
}  // namespace quillory::test
