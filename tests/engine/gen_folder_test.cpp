// One folder's block, HTML and CSV.
#include <gtest/gtest.h>

#include "support/engine_fixture.h"
#include "support/golden.h"
#include "support/scoped_env.h"

namespace quillory::test {
namespace {

// One file in a folder; "@" in the expected line stands for the folder path.
TEST(GenFolderCsv, LineOfOneFile) {
    // flags nullptr: the default columns
    const struct { const char *name, *flags, *folder; std::string file, line; } rows[] = {
        {"default columns", nullptr, "d", "a.txt", "\"a.txt\",\"@/\",\"plain text document\",\"10 Bytes\",\"2007-12-03 14:30:05\"\r\n"},
        {"values are quoted, not escaped", "110001", "d", " lead \"q\", x;\r\ny.t,xt", "\" lead \"q\", x;\r\ny.t,xt\",\"@/\",\"t,xt\",\"\"\r\n"},
        // The folder goes in before the size, so its placeholder is filled (quoted) too.
        {"folder path holding a placeholder", "100100", "d##SIZE##", "a", "\"a\",\"@/\",\"10 Bytes\"\r\n"},
    };
    for (const auto& row : rows) {
        EngineFixture f;
        if (row.flags) f.columns(row.flags);
        f.tree.file(std::string(row.folder) + "/" + row.file, 10, 1196692205);  // 2007-12-03 14:30:05 UTC
        const std::string folder = f.tree / row.folder, shown = replaced(folder, "##SIZE##", "\"10 Bytes\"");
        EXPECT_EQ(f.listFolder(Format::Csv, folder).Text, replaced(row.line, "@", shown)) << row.name;
    }
}

// Local times under a zone with summer time, written as a rule so no time
// zone database is needed. The files of one folder share the source's
// local-time cache: days before, across and after each switch.
TEST(GenFolderCsv, DatesFollowTheZonesSummerTime) {
    const ScopedTimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
    EngineFixture f;
    f.columns("100010");
    f.nameOrder();
    const struct { const char* name; long long time; const char* shown; } rows[] = {
        {"a winter day before", 1174737600, "2007-03-24 13:00:00"}, {"b last second of winter time", 1174784399, "2007-03-25 01:59:59"},
        {"c first second of summer time", 1174784400, "2007-03-25 03:00:00"}, {"d later that day", 1174824000, "2007-03-25 14:00:00"},
        {"e the day after", 1174910400, "2007-03-26 14:00:00"}, {"f summer", 1183451405, "2007-07-03 10:30:05"},
        {"g summer, next local midnight", 1183500000, "2007-07-04"}, {"h hour before the switch back", 1193531400, "2007-10-28 02:30:00"},
        {"i the same hour again", 1193535000, "2007-10-28 02:30:00"}, {"j winter", 1196692205, "2007-12-03 15:30:05"},
    };
    std::string expected;
    for (const auto& row : rows) {
        f.tree.file(row.name, 1, row.time);
        expected += "\"" + std::string(row.name) + "\",\"" + f.tree.path() + "/\",\"" + row.shown + "\"\r\n";
    }
    EXPECT_EQ(f.listFolder(Format::Csv, f.tree.path()).Text, expected);
}

// Without the name column the line has no "EMPTY," mark; an ignored empty folder gives none.
TEST(GenFolderCsv, EmptyFolderLine) {
    EngineFixture f;
    f.columns("001110");
    const std::string empty = f.tree.folder("Empty");
    EXPECT_EQ(f.listFolder(Format::Csv, empty).Text, empty + "/,,,");
    f.set(keys::IgnoreNoFiles, "1");
    EXPECT_EQ(f.listFolder(Format::Csv, empty).Text, "");
}

// The run's own temporary file is left out; a file of its name elsewhere is not it.
TEST(GenFolder, LeavesOutTheRunsOwnFile) {
    EngineFixture f;
    f.columns("100000");
    f.nameOrder();
    const std::string own = f.tree.file("own.tmp"), folder = "\",\"" + f.tree.path() + "/\"\r\n";
    f.tree.file("other");
    f.ctx.ownFile = f.home.file("own.tmp");
    EXPECT_EQ(f.listFolder(Format::Csv, f.tree.path()).Text, "\"other" + folder + "\"own.tmp" + folder);
    f.ctx.ownFile = own;
    EXPECT_EQ(f.listFolder(Format::Csv, f.tree.path()).Text, "\"other" + folder);
}

TEST(GenFolderHtml, HeaderRowFollowsSwitchesAndCaptions) {
    // nameCaption nullptr: the default
    const struct { const char *name, *flags, *nameCaption, *cells; } rows[] = {
        {"all off", "000000", nullptr, ""},
        {"flag text not a number", "x1y0z1", nullptr, R"(<td width="6%"><b>Ext</b></td><td width="6%"><b>Attrs</b></td>)"},
        {"caption holding a later placeholder", "111000", "File ##TYPE##", R"(<td width="35%"><b>File Kind</b></td><td width="6%"><b>Ext</b></td><td width="20%"><b>Kind</b></td>)"},
    };
    for (const auto& row : rows) {
        EngineFixture f;
        f.columns(row.flags);
        if (row.nameCaption) f.set(keys::NameStr, row.nameCaption);
        f.set(keys::TypeStr, "Kind");
        const std::string table = R"(<table border="0" cellspacing="1" cellpadding="3" width="100%"><tr>)";
        EXPECT_EQ(genHeaderRow(f.options()), table + row.cells + "</tr></table>") << row.name;
    }
}

TEST(GenFolderHtml, PlaceholdersInNamesAreReplacedInOrder) {
    const struct { const char *name, *flags, *fileName, *cells; } rows[] = {
        {"type column off still fills the name", "100000", "x##TYPE##.txt", R"(<td width="35%">xplain text document.txt</td>)"},
        {"attributes column off still fills the name", "100000", ".n##ATTRIB##", R"(<td width="35%">.nh</td>)"},
        {"name placeholder is not searched again", "100000", "##NAME##", R"(<td width="35%">##NAME##</td>)"},
        {"earlier placeholder is not filled after", "000100", "a", R"(<td width="10%">5 Bytes</td>)"},
        {"extension brings a later placeholder", "010001", ".f.##ATTRIB##", R"(<td width="6%">h</td><td width="6%">h</td>)"},
    };
    for (const auto& row : rows) {
        EngineFixture f;
        f.columns(row.flags);
        f.tree.file(row.fileName, 5);
        const std::string text = f.listFolder(Format::Html, f.tree.path()).Text;
        EXPECT_NE(text.find(std::string(R"(<tr class="fileOdd">)") + row.cells + "</tr>\r\n"), std::string::npos) << row.name << text;
    }
}

}  // namespace
}  // namespace quillory::test
