#include "engine/document.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include "text/type_text.h"
#include "support/engine_fixture.h"
#include "support/golden.h"

namespace quillory::test {
namespace {

TEST(Document, ColorToHtml) {
    const struct { std::uint32_t colour; const char* html; } rows[] = {
        {255, "#FF0000"}, {16711680, "#0000FF"}, {0x0A0B0C, "#0C0B0A"}, {0xFF123456, "#563412"}};
    for (const auto& row : rows) EXPECT_EQ(colorToHTML(row.colour), row.html) << row.colour;
}

TEST(Document, StyleSheetFromSettings) {
    // expected: a piece the head must hold
    const struct { const char* name; const SettingKey& key; const char *value, *expected; } rows[] = {
        {"body takes the folder font", keys::FolFont, "Serif", "body{font-family:Serif; "},
        {"size rounds half to even", keys::FolFontSize, "8.5", "font-weight:bold; font-size:8pt;"},
        {"size 9.5", keys::FileFontSize, "9.5", ".fileodd{font-family:Tahoma; font-size:10pt;"},
        {"size not a number", keys::FolFontSize, "big", "font-weight:bold; font-size:0pt;"},
        {"colour not a number stays a placeholder", keys::FileBack, "grey", "background:##FILEBACK##;}.fileodd{"},
        {"colour with decimals stays a placeholder", keys::BodyBack, "1.5", "background:##BODY##;}"},
        {"file text colour", keys::FileFontColor, "16711680", ".file{font-family:Tahoma; font-size:10pt; color:#0000FF;"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EngineFixture f;
        f.set(row.key, row.value);
        const std::string head = documentStart(Format::Html, f.options(), "x");
        EXPECT_NE(head.find(row.expected), std::string::npos) << head;
    }
}

// The folder column stays when every switch is off.
TEST(Document, SpreadsheetHeaderKeepsTheFolderColumn) {
    EngineFixture f;
    f.columns("000000");
    EXPECT_EQ(documentStart(Format::Csv, f.options(), "ignored"), "Folder\r\n");
}

TEST(Document, BlankLinesAreRemovedAcrossAnySplit) {
    const struct { const char* name; std::string in, out; } rows[] = {
        {"one", "a\r\n\r\nb", "a\r\nb"},
        {"run of five", "a\r\n\r\n\r\n\r\n\r\nb\r\n", "a\r\nb\r\n"},
        {"at the start", "\r\n\r\na", "\r\na"},
        {"bare CR and LF stay", "a\r\r\n\n\r\n", "a\r\r\n\n\r\n"},
        {"CR before a pair", "a\r\r\n\r\n", "a\r\r\n"},
        {"CR at the very end", "a\r\n\r", "a\r\n\r"},
        {"empty", "", ""},
    };
    for (const auto& row : rows) {
        for (std::size_t piece = 1; piece <= 4; ++piece) {
            SCOPED_TRACE(std::string(row.name) + ", pieces of " + std::to_string(piece));
            StringSink sink;
            BlankLineFilter filter(sink);
            for (std::size_t at = 0; at < row.in.size(); at += piece)
                filter.append(std::string_view(row.in).substr(at, piece));
            filter.finish();
            EXPECT_EQ(sink.text, row.out);
        }
    }
    // A refused piece makes the whole append fail.
    struct Refusing final : BlockSink {
        bool append(std::string_view) override { return false; }
    } refusing;
    EXPECT_FALSE(BlankLineFilter(refusing).append("ab"));
}

// A fixed tree whose folder order does not depend on the file system: one
// sub-folder per folder, files in name order.
struct GoldenTree {
    EngineFixture f;
    bool hasXattrs = false;
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

    // The base path and the type texts, which come from the machine's MIME
    // database, become tokens, so the golden files hold only our own bytes.
    std::string anonymous(std::string text) const {
        text = replaced(text, f.tree.path(), "@BASE@");
        for (const char* name : {"a.txt", "b.doc", "big.iso", "README", "x.dat", ".hidden"}) {
            const std::string type = typeTextForName(name);
            const std::string token = std::string("@TYPE:") + name + "@";
            text = replaced(text, ">" + type + "<", ">" + token + "<");
            text = replaced(text, "\"" + type + "\"", "\"" + token + "\"");
        }
        return text;
    }

    std::string report() {
        const std::string scratch = f.home / "myTmpFile.htm";
        const RunResult result = buildReport(f.ctx, f.tree.path(), scratch);
        EXPECT_EQ(result.outcome, RunResult::Outcome::Completed);
        EXPECT_TRUE(result.unreadable.empty());
        return anonymous(readFile(scratch));
    }
};

TEST(Document, WholeHtmlDocumentMatchesGolden) {
    GoldenTree g;
    expectGolden("listing_default.html", g.report());
    EXPECT_EQ(g.f.totals.TotalFiles, 10);
    EXPECT_EQ(g.f.totals.TotalFolders, 3);
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
    expectGolden("listing_styled.html", g.report());
}

TEST(Document, WholeCsvMatchesGolden) {
    GoldenTree g;
    if (!g.hasXattrs) GTEST_SKIP() << "the temp folder's file system keeps no extended attributes";
    g.f.columns("111111");
    const std::string scratch = g.f.home / "myTmpFile.htm";
    EXPECT_EQ(buildSpreadsheet(g.f.ctx, g.f.tree.path(), scratch).outcome, RunResult::Outcome::Completed);
    expectGolden("listing_all_columns.csv", g.anonymous(readFile(scratch)));
}

// The head and header row are those of the golden documents; the rejected
// base gives no block, and the heading shows the share.
TEST(Document, EmptyWalkGivesHeadHeadingAndZeroTotals) {
    EngineFixture f;
    f.set(keys::FolInclude, "");
    f.ctx.NetworkPath = R"(\\server\share)";
    f.ctx.NetworkRoot = f.tree.path();
    const std::string scratch = f.home / "myTmpFile.htm";
    ASSERT_EQ(buildReport(f.ctx, f.tree.path(), scratch).outcome, RunResult::Outcome::Completed);
    const std::string document = readFile(scratch);
    const std::string golden = readFile(std::string(QUILLORY_SOURCE_DIR) + "/tests/golden/listing_default.html");
    const std::string head = replaced(golden.substr(0, golden.find("</table>") + 8), "@BASE@", "\\\\server\\share");
    EXPECT_EQ(document, head + "\r\n\r\n"
                        R"(<br><table border="0" cellspacing="1" cellpadding="3" width="100%"><tr class="dir"><td>)"
                        "Total Files: 0, Total Folders : 0, Total Size: 0 Bytes.</td></tr></table></body></html>");
}

}  // namespace
}  // namespace quillory::test
