#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "engine/filters.h"
#include "text/regional.h"
#include "support/engine_fixture.h"

namespace quillory {
namespace {

struct Setting { const SettingKey* key; std::string value; };

// The options a folder of a new run would see with these settings stored.
ListingOptions optionsWith(const std::vector<Setting>& settings) {
    test::TempStore t;
    for (const Setting& s : settings) t.set(*s.key, s.value);
    return readListingOptions(t.store);
}

// What the generator does: the name stages, then the facts only when a stage needs them.
bool filePasses(const FilterOptions& filters, std::string_view name, const FileFacts& facts) {
    return namePasses(filters, name) && factsPass(filters, needsFacts(filters) ? facts : FileFacts{});
}

struct FileRow { const char* row; std::vector<Setting> settings; std::string name; FileFacts facts; bool passes; };

void expectFileRows(const std::vector<FileRow>& rows) {
    for (const FileRow& r : rows)
        EXPECT_EQ(filePasses(optionsWith(r.settings).filters, r.name, r.facts), r.passes) << "row " << r.row;
}

const SettingKey* const kInclude = &keys::FileInclude;

TEST(FilePasses, PatternStage) {
    expectFileRows({
        {"nothing stored lists everything", {}, "anything.bin", {}, true},
        {"two patterns, extension not last", {{kInclude, "*.txt;*.doc"}}, "a.txt.bak", {}, false},
        {"blank after semicolon", {{kInclude, "*.txt; *.doc"}}, "b.doc", {}, false},
        {"trailing semicolon, empty name", {{kInclude, "*.txt;"}}, "", {}, true},
        {"empty include lists nothing", {{kInclude, ""}}, "a.txt", {}, false},
        {"tilde excluded whatever the include", {{&keys::FileExclude, "~*"}}, "~$report.doc", {}, false},
    });
}

std::vector<Setting> sizeRange(std::string from, std::string to, std::string on = "1") {
    return {{&keys::FileSize, std::move(on)}, {&keys::FileSizeFrom, std::move(from)}, {&keys::FileSizeTo, std::move(to)}};
}

TEST(FilePasses, SizeStage) {
    constexpr std::int64_t k3GB = 3'000'000'000;
    expectFileRows({
        {"100..100, 100 bytes", sizeRange("100", "100"), "a", {100, 0}, true},
        {"100..100, 101 bytes", sizeRange("100", "100"), "a", {101, 0}, false},
        {"switch off", sizeRange("100", "100", "0"), "a", {5, 0}, true},
        {"switch read by leading number", sizeRange("100", "100", "1.0"), "a", {5, 0}, false},
        {"3 GB above a 32-bit bound", sizeRange("0", "2147483647"), "a", {k3GB, 0}, false},
        {"bound with trailing text", sizeRange("100 bytes", "200 bytes"), "a", {150, 0}, true},
        {"text upper bound counts as 0", sizeRange("0", "lots"), "a", {1, 0}, false},
    });
}

std::vector<Setting> timeRange(std::string from, std::string to, std::string on = "1") {
    return {{&keys::FileTime, std::move(on)}, {&keys::FileTimeFrom, std::move(from)}, {&keys::FileTimeTo, std::move(to)}};
}

// The stored bounds have the short-time-blank-short-date form ("14:30 2007-12-03" here);
// with nothing stored, each bound is the moment of the test.
TEST(FilePasses, TimeStage) {
    const auto at = [](int hh, int mm, double ss) { return 39419 + (hh * 3600 + mm * 60 + ss) / 86400; };
    const double hour = 1.0 / 24, now = dateTimeFromTime(std::time(nullptr));
    const std::string dayAgo = "00:00 " + generalDateText(std::floor(now) - 1).substr(0, 10);
    const Setting on{&keys::FileTime, "1"};
    const std::string t0 = "00:00 2007-12-03", t1430 = "14:30 2007-12-03";
    const auto dayTo1430 = timeRange(t0, t1430), from1430 = timeRange(t1430, "23:59 2007-12-31");
    expectFileRows({
        {"written 14:30:30, upper bound 14:30", dayTo1430, "a", {0, at(14, 30, 30)}, false},
        {"fraction of a second stays in its second", dayTo1430, "a", {0, at(14, 30, 0.9)}, true},
        {"lower bound inclusive", from1430, "a", {0, at(14, 30, 0)}, true},
        {"switch must be exactly 1, not 1.0", timeRange(t0, t1430, "1.0"), "a", {0, at(20, 0, 0)}, true},
        {"unreadable lower bound is open", timeRange("someday", t1430), "a", {0, 32874.0 /* 1990-01-01 */}, true},
        {"unreadable upper bound keeps lower", timeRange(t1430, "31/31/31"), "a", {0, at(14, 0, 0)}, false},
        {"no bounds, an hour ago", {on}, "a", {0, now - hour}, false},
        {"no bounds, an hour ahead", {on}, "a", {0, now + hour}, false},
        {"lower bound stored, a minute ago", {on, {&keys::FileTimeFrom, dayAgo}}, "a", {0, now - hour / 60}, true},
    });
}

TEST(FolderPasses, MatchesTheWholePath) {
    const SettingKey* const inc = &keys::FolInclude;
    const SettingKey* const exc = &keys::FolExclude;
    const struct { const char* row; std::vector<Setting> settings; std::string path; bool passes; } rows[] = {
        {"empty include lists no folder", {{inc, ""}}, "/data", false},
        {"exclude by name, upper case", {{exc, "*/temp"}}, "/data/TEMP", false},
        {"plain name matches no path", {{inc, "temp"}}, "/data/temp", false},
    };
    for (const auto& r : rows)
        EXPECT_EQ(folderPasses(optionsWith(r.settings).filters, r.path), r.passes) << "row " << r.row;
}

// The include list changes when the walk first yields after the base's
// block, so sub/b.doc is judged by the new list.
TEST(FilterSettings, WriteDuringAWalkIsSeenFromTheNextFolder) {
    test::EngineFixture f;
    f.tree.file("a.doc", 1);
    f.tree.file("sub/b.doc", 1);
    f.columns("100000");
    test::StringSink sink;
    struct : WalkObserver {
        std::function<void()> call;
        void yield() override { call(); }
    } observer;
    observer.call = [&, done = false]() mutable {
        if (!done && !sink.text.empty()) f.set(keys::FileInclude, "*.txt"), done = true;
    };
    f.ctx.observer = &observer;
    f.totals.BasePath = f.tree.path();
    walkFolder(f.ctx, f.tree.path(), Format::Csv, sink);
    EXPECT_EQ(sink.text, "\"a.doc\",\"" + f.tree.path() + "/\"\r\n\r\nEMPTY," + f.tree.path() + "/sub/\r\n");
}

struct MatchRow { const char* name; std::string pattern; std::string text; bool expected; };

void expectRows(const std::vector<MatchRow>& rows) {
    for (const MatchRow& r : rows)
        EXPECT_EQ(wildcardMatch(r.text, r.pattern), r.expected)
            << r.name << ": pattern [" << r.pattern.substr(0, 40) << "] text [" << r.text.substr(0, 40) << "]";
}

TEST(WildcardMatch, WholeTextWithoutCase) {
    expectRows({
        {"empty pattern, empty text", "", "", true}, {"upper text, lower pattern", "*.txt", "A.TXT", true},
        {"list letters fold", "[A-C]x", "bX", true},
        // Folding happens before comparing by code, so a range spanning the
        // upper-case letters no longer holds them.
        {"range over upper-case codes", "[@-_]", "A", false},
        // Only ASCII letters fold; UTF-8 bytes of É (C3 89) and é (C3 A9) differ.
        {"non-ASCII not folded", "\xC3\x89", "\xC3\xA9", false}, {"? is one byte", "caf?", "caf\xC3\xA9", false},
        {"# letter", "file#.txt", "filea.txt", false}, {"# slash below zero", "#", "/", false},
        {"star alone, empty", "*", "", true}, {"suffix wrong", "*.txt", "a.txt.bak", false},
        {"head and tail overlap not allowed", "ab*ba", "aba", false},
        {"middle needs later place", "a*bc*d", "abxbcd", true}, {"middle piece never found", "a*b*c", "axxc", false},
        // lists
        {"range high end", "[a-f]", "f", true}, {"negated member", "[!abc]", "b", false}, {"hyphen last", "[a-]", "-", true},
        {"hyphen after a range stands for itself", "[a-c-e]", "-", true}, {"hyphen as range end", "[!--/]", ".", false},
        {"bracketed hash not digit", "[#]", "1", false}, {"bracketed star not run", "a[*]", "ab", false},
        {"reversed range holds nothing", "[z-a]", "m", false}, {"bytes above 127 by code", "[\x80-\xFF]", "\xC3", true},
        {"unclosed bracket is literal", "a[b", "a[b", true}, {"empty list matches nothing", "a[]b", "ab", false},
        {"empty negated list is any char", "a[!]b", "axb", true},
    });
}

}  // namespace
}  // namespace quillory
