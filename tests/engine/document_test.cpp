#include "engine/document.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include "text/type_text.h"
#include "support/engine_fixture.h"
#include "support/golden.h"

namespace quillory::test {
namespace {

TEST(Document, StyleSheetFromSettings) {
    // expected: a piece the head must hold
    const struct { const char* name; const SettingKey& key; const char *value, *expected; } rows[] = {
        {"size rounds half to even", keys::FolFontSize, "8.5", "font-weight:bold; font-size:8pt;"},
        {"size 9.5", keys::FileFontSize, "9.5", ".fileodd{font-family:Tahoma; font-size:10pt;"},
        {"size not a number", keys::FolFontSize, "big", "font-weight:bold; font-size:0pt;"},
        {"colour not a number stays a placeholder", keys::FileBack, "grey", "background:##FILEBACK##;}.fileodd{"},
        {"colour with decimals stays a placeholder", keys::BodyBack, "1.5", "background:##BODY##;}"},
        {"file text colour", keys::FileFontColor, "16711680", ".file{font-family:Tahoma; font-size:10pt; color:#0000FF;"},
    };
    for (const auto& row : rows) {
        EngineFixture f;
        f.set(row.key, row.value);
        const std::string head = documentStart(Format::Html, f.options(), "x");
        EXPECT_NE(head.find(row.expected), std::string::npos) << row.name << head;
    }
}

TEST(Document, SpreadsheetHeaderKeepsTheFolderColumn) {
    EngineFixture f;
    f.columns("000000");
    EXPECT_EQ(documentStart(Format::Csv, f.options(), "ignored"), "Folder\r\n");
}

TEST(Document, BlankLinesAreRemovedAcrossAnySplit) {
    const struct { const char* name; std::string in, out; } rows[] = {
        {"one", "a\r\n\r\nb", "a\r\nb"}, {"run of five", "a\r\n\r\n\r\n\r\n\r\nb\r\n", "a\r\nb\r\n"},
        {"at the start", "\r\n\r\na", "\r\na"}, {"bare CR and LF stay", "a\r\r\n\n\r\n", "a\r\r\n\n\r\n"},
        {"CR before a pair", "a\r\r\n\r\n", "a\r\r\n"}, {"CR at the very end", "a\r\n\r", "a\r\n\r"}, {"empty", "", ""},
    };
    for (const auto& row : rows)
        for (std::size_t piece = 1; piece <= 4; ++piece) {
            StringSink sink;
            BlankLineFilter filter(sink);
            for (std::size_t at = 0; at < row.in.size(); at += piece) filter.append(std::string_view(row.in).substr(at, piece));
            filter.finish();
            EXPECT_EQ(sink.text, row.out) << row.name << ", pieces of " << piece;
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
        const struct { const char* name; long long size, time; } files[] = {
            {"b.doc", 2048, t}, {"a.txt", 10, t + 60}, {"odd & <name>.TXT", 1536, t - 86400}, {"n##SIZE##.txt", 5, 0},
            {"sub/big.iso", 5368709120LL, t}, {"sub/\xff\xfe raw.dat", 1048577, t}, {"sub/README", 1023, t},
            {"sub/.hidden", 1, t}};  // hidden by the dot
        for (const auto& file : files) f.tree.file(file.name, file.size, file.time);
        f.tree.folder("sub/deeper");
        // Read-only by the mode; archive plus read-only from Samba's word.
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
        EXPECT_EQ(buildReport(f.ctx, f.tree.path(), scratch).outcome, RunResult::Outcome::Completed);
        return anonymous(readFile(scratch));
    }
};

TEST(Document, WholeHtmlDocumentMatchesGolden) {
    GoldenTree g;
    expectGolden("listing_default.html", g.report());
}

TEST(Document, StyledDocumentMatchesGolden) {
    GoldenTree g;
    g.f.columns("011011");
    const std::pair<const SettingKey&, const char*> settings[] = {
        {keys::DisplayFileSize, "Kb"}, {keys::FolFont, "Georgia"}, {keys::FolFontSize, "12.75"}, {keys::FolBack, "8388608"},
        {keys::IgnoreNoFiles, "1"}, {keys::NoOrder, "0"}, {keys::NameOrder, "0"}, {keys::SizeOrder, "1"}};
    for (const auto& [key, value] : settings) g.f.set(key, value);
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

}  // namespace
}  // namespace quillory::test
