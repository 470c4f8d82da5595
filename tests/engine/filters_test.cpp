#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/filters.h"
#include "platform/regional.h"
#include "settings/key_table.h"
#include "support/temp_store.h"

namespace quillory {
namespace {

struct Setting {
    const SettingKey* key;
    std::string value;
};

void store(SettingsStore& s, const std::vector<Setting>& settings) {
    for (const Setting& setting : settings) ASSERT_TRUE(s.write(*setting.key, setting.value));
}

// A local date-time by the calendar, independent of the time zone.
double localDateTime(int y, unsigned m, unsigned d, int hh = 0, int mm = 0, double ss = 0) {
    using namespace std::chrono;
    const sys_days day{year{y} / month{m} / d};
    const sys_days epoch{year{1899} / December / 30};
    return static_cast<double>((day - epoch).count()) + (hh * 3600 + mm * 60 + ss) / 86400.0;
}

double nowLocal() { return dateTimeFromTime(std::time(nullptr)); }

struct FileRow {
    const char* row;
    std::vector<Setting> settings;
    std::string name;
    FileFacts facts;
    bool passes;
    bool factsAsked;
};

// Each row gets a store of its own, as a new run would see it.
void expectFileRows(const std::vector<FileRow>& rows) {
    for (const FileRow& r : rows) {
        test::TempStore t;
        store(t.store, r.settings);
        int asked = 0;
        const bool passes = filePasses(t.store, r.name, "/data", [&] {
            ++asked;
            return r.facts;
        });
        EXPECT_EQ(passes, r.passes) << "row " << r.row;
        EXPECT_EQ(asked > 0, r.factsAsked) << "row " << r.row;
        EXPECT_LE(asked, 1) << "row " << r.row;
    }
}

const SettingKey* const kInclude = &keys::FileInclude;
const SettingKey* const kExclude = &keys::FileExclude;

TEST(FilePasses, PatternStage) {
    expectFileRows({
        {"nothing stored lists everything", {}, "anything.bin", {}, true, false},
        {"two patterns, upper-case name", {{kInclude, "*.txt;*.doc"}}, "a.TXT", {}, true, false},
        {"two patterns, second", {{kInclude, "*.txt;*.doc"}}, "b.doc", {}, true, false},
        {"two patterns, neither", {{kInclude, "*.txt;*.doc"}}, "c.log", {}, false, false},
        {"two patterns, extension not last", {{kInclude, "*.txt;*.doc"}}, "a.txt.bak", {}, false, false},
        {"blank after semicolon, first", {{kInclude, "*.txt; *.doc"}}, "a.txt", {}, true, false},
        {"blank after semicolon, second", {{kInclude, "*.txt; *.doc"}}, "b.doc", {}, false, false},
        {"blank after semicolon, blank name", {{kInclude, "*.txt; *.doc"}}, " b.doc", {}, true, false},
        {"trailing semicolon, txt", {{kInclude, "*.txt;"}}, "a.txt", {}, true, false},
        {"trailing semicolon, doc", {{kInclude, "*.txt;"}}, "a.doc", {}, false, false},
        {"trailing semicolon, empty name", {{kInclude, "*.txt;"}}, "", {}, true, false},
        {"empty include lists nothing", {{kInclude, ""}}, "a.txt", {}, false, false},
        {"empty include, empty name", {{kInclude, ""}}, "", {}, false, false},
        {"tilde excluded", {{kInclude, "*.txt"}, {kExclude, "~*"}}, "~a.txt", {}, false, false},
        {"tilde excluded whatever the include", {{kExclude, "~*"}}, "~$report.doc", {}, false, false},
        {"tilde not first", {{kExclude, "~*"}}, "a~.txt", {}, true, false},
        {"exclude only, include fails", {{kInclude, "*.doc"}, {kExclude, "~*"}}, "a.txt", {}, false, false},
        {"empty exclude rejects nothing", {{kExclude, ""}}, "a.txt", {}, true, false},
        {"exclude of empty patterns", {{kExclude, ";"}}, "a.txt", {}, true, false},
        {"exclude without case", {{kExclude, "THUMBS.DB"}}, "Thumbs.db", {}, false, false},
        {"digit pattern, digit", {{kInclude, "file#.txt"}}, "file1.txt", {}, true, false},
        {"digit pattern, letter", {{kInclude, "file#.txt"}}, "filea.txt", {}, false, false},
        {"name bytes not UTF-8", {{kInclude, "*.txt"}}, "\xFF\xFE.txt", {}, true, false},
        {"include pattern with newline", {{kInclude, "a\nb"}}, "a\nb", {}, true, false},
    });
}

const SettingKey* const kSize = &keys::FileSize;
const SettingKey* const kFrom = &keys::FileSizeFrom;
const SettingKey* const kTo = &keys::FileSizeTo;

std::vector<Setting> sizeRange(std::string from, std::string to, std::string on = "1") {
    return {{kSize, std::move(on)}, {kFrom, std::move(from)}, {kTo, std::move(to)}};
}

TEST(FilePasses, SizeStage) {
    constexpr std::int64_t k3GB = 3'000'000'000;
    expectFileRows({
        {"100..100, 99 bytes", sizeRange("100", "100"), "a", {99, 0}, false, true},
        {"100..100, 100 bytes", sizeRange("100", "100"), "a", {100, 0}, true, true},
        {"100..100, 101 bytes", sizeRange("100", "100"), "a", {101, 0}, false, true},
        {"upper bound empty: no stage", sizeRange("100", ""), "a", {5, 0}, true, false},
        {"lower bound empty: no stage", sizeRange("", "100"), "a", {500, 0}, true, false},
        {"bounds without switch", sizeRange("100", "100", "0"), "a", {5, 0}, true, false},
        {"switch absent", {{kFrom, "100"}, {kTo, "100"}}, "a", {5, 0}, true, false},
        {"switch 2 is off", sizeRange("100", "100", "2"), "a", {5, 0}, true, false},
        {"switch read by leading number", sizeRange("100", "100", "1.0"), "a", {5, 0}, false, true},
        {"switch with trailing text", sizeRange("100", "100", "1 yes"), "a", {5, 0}, false, true},
        {"0-byte file at lower bound 0", sizeRange("0", "10"), "a", {0, 0}, true, true},
        {"3 GB within a 64-bit range", sizeRange("0", "4000000000"), "a", {k3GB, 0}, true, true},
        {"3 GB above 32-bit bound", sizeRange("0", "2147483647"), "a", {k3GB, 0}, false, true},
        {"bound with trailing text", sizeRange("100 bytes", "200 bytes"), "a", {150, 0}, true, true},
        {"bound with blanks", sizeRange(" 100", " 200"), "a", {99, 0}, false, true},
        {"exponent bound", sizeRange("1e3", "1e3"), "a", {1000, 0}, true, true},
        {"fractional bound", sizeRange("99.5", "100.5"), "a", {100, 0}, true, true},
        {"text bound counts as 0", sizeRange("abc", "abc"), "a", {0, 0}, true, true},
        {"text upper bound counts as 0", sizeRange("0", "lots"), "a", {1, 0}, false, true},
        {"reversed bounds list nothing", sizeRange("200", "100"), "a", {150, 0}, false, true},
        {"name rejected before size", {{kInclude, "*.txt"}, {kSize, "1"}, {kFrom, "0"}, {kTo, "100"}},
         "a.log", {50, 0}, false, false},
        {"name passes, size checked", {{kInclude, "*.txt"}, {kSize, "1"}, {kFrom, "0"}, {kTo, "100"}},
         "a.txt", {50, 0}, true, true},
    });
}

const SettingKey* const kTime = &keys::FileTime;
const SettingKey* const kTimeFrom = &keys::FileTimeFrom;
const SettingKey* const kTimeTo = &keys::FileTimeTo;

std::vector<Setting> timeRange(std::string from, std::string to, std::string on = "1") {
    return {{kTime, std::move(on)}, {kTimeFrom, std::move(from)}, {kTimeTo, std::move(to)}};
}

// The stored bounds have the short-time-blank-short-date form ("14:30 2007-12-03" here).
TEST(FilePasses, TimeStage) {
    const auto at = [](int hh, int mm, double ss) { return localDateTime(2007, 12, 3, hh, mm, ss); };
    const auto dayTo1430 = timeRange("00:00 2007-12-03", "14:30 2007-12-03");
    const auto from1430 = timeRange("14:30 2007-12-03", "23:59 2007-12-31");
    expectFileRows({
        {"written 14:30:30, upper bound 14:30", dayTo1430, "a", {0, at(14, 30, 30)}, false, true},
        {"written 14:30:00, upper bound inclusive", dayTo1430, "a", {0, at(14, 30, 0)}, true, true},
        {"written 14:29:59", dayTo1430, "a", {0, at(14, 29, 59)}, true, true},
        {"fraction of a second stays in its second", dayTo1430, "a", {0, at(14, 30, 0.9)}, true, true},
        {"written 14:31:00", dayTo1430, "a", {0, at(14, 31, 0)}, false, true},
        {"lower bound inclusive", from1430, "a", {0, at(14, 30, 0)}, true, true},
        {"second before lower bound", from1430, "a", {0, at(14, 29, 59)}, false, true},
        {"day before", dayTo1430, "a", {0, localDateTime(2007, 12, 2, 12)}, false, true},
        {"unreadable file time is the zero date", dayTo1430, "a", {0, 0.0}, false, true},
        {"switch 0", timeRange("00:00 2007-12-03", "14:30 2007-12-03", "0"), "a", {0, at(20, 0, 0)},
         true, false},
        {"switch must be exactly 1, not 1.0", timeRange("00:00 2007-12-03", "14:30 2007-12-03", "1.0"),
         "a", {0, at(20, 0, 0)}, true, false},
        {"switch must be exactly 1, not blank 1", timeRange("00:00 2007-12-03", "14:30 2007-12-03", " 1"),
         "a", {0, at(20, 0, 0)}, true, false},
        {"switch absent", {{kTimeFrom, "00:00 2007-12-03"}, {kTimeTo, "14:30 2007-12-03"}}, "a",
         {0, at(20, 0, 0)}, true, false},
        {"unreadable lower bound is open", timeRange("someday", "14:30 2007-12-03"), "a",
         {0, localDateTime(1990, 1, 1)}, true, true},
        {"unreadable lower bound keeps upper", timeRange("someday", "14:30 2007-12-03"), "a",
         {0, at(15, 0, 0)}, false, true},
        {"unreadable upper bound is open", timeRange("14:30 2007-12-03", "31/31/31"), "a",
         {0, localDateTime(2030, 1, 1)}, true, true},
        {"unreadable upper bound keeps lower", timeRange("14:30 2007-12-03", "31/31/31"), "a",
         {0, at(14, 0, 0)}, false, true},
        {"empty bounds are open", timeRange("", ""), "a", {0, 0.0}, true, true},
        {"reversed bounds list nothing", timeRange("14:30 2007-12-03", "00:00 2007-12-03"), "a",
         {0, at(10, 0, 0)}, false, true},
        {"name rejected before time", {{kInclude, "*.txt"}, {kTime, "1"}}, "a.log", {0, 0.0}, false,
         false},
    });
}

// With nothing stored, each bound is the moment of the read.
TEST(FilePasses, TimeBoundsDefaultToNow) {
    const double hour = 1.0 / 24;
    const double now = nowLocal();
    const std::string dayAgo = "00:00 " + generalDateText(std::floor(now) - 1).substr(0, 10);
    expectFileRows({
        {"no bounds, an hour ago", {{kTime, "1"}}, "a", {0, now - hour}, false, true},
        {"no bounds, an hour ahead", {{kTime, "1"}}, "a", {0, now + hour}, false, true},
        {"lower bound stored, a minute ago", {{kTime, "1"}, {kTimeFrom, dayAgo}}, "a",
         {0, now - hour / 60}, true, true},
        {"lower bound stored, an hour ahead", {{kTime, "1"}, {kTimeFrom, dayAgo}}, "a",
         {0, now + hour}, false, true},
        {"upper bound stored, an hour ago", {{kTime, "1"}, {kTimeTo, "00:00 2100-01-01"}}, "a",
         {0, now - hour}, false, true},
        {"upper bound stored, an hour ahead", {{kTime, "1"}, {kTimeTo, "00:00 2100-01-01"}}, "a",
         {0, now + hour}, true, true},
    });
}

TEST(FilePasses, AllStagesTogether) {
    auto settings = sizeRange("10", "20");
    for (const Setting& s : timeRange("00:00 2007-12-03", "14:30 2007-12-03")) settings.push_back(s);
    settings.push_back({kInclude, "*.txt"});
    const double inRange = localDateTime(2007, 12, 3, 12);
    expectFileRows({
        {"all met", settings, "a.txt", {15, inRange}, true, true},
        {"size fails", settings, "a.txt", {25, inRange}, false, true},
        {"time fails", settings, "a.txt", {15, inRange + 1}, false, true},
        {"name fails", settings, "a.doc", {15, inRange}, false, false},
    });
}

TEST(FilePasses, MissingFactsGiveTheFallbacks) {
    test::TempStore t;
    store(t.store, sizeRange("0", "0"));
    EXPECT_TRUE(filePasses(t.store, "a", "/data", {}));  // size 0 is within 0..0
    store(t.store, sizeRange("1", "10"));
    EXPECT_FALSE(filePasses(t.store, "a", "/data", {}));
}

TEST(FilePasses, FolderDoesNotMatter) {
    test::TempStore t;
    store(t.store, {{&keys::FolExclude, "*/temp"}, {kInclude, "*.txt"}});
    EXPECT_TRUE(filePasses(t.store, "a.txt", "/data/temp", {}));
    EXPECT_FALSE(filePasses(t.store, "temp", "/data/temp", {}));
}

struct FolderRow {
    const char* row;
    std::vector<Setting> settings;
    std::string path;
    bool passes;
};

TEST(FolderPasses, Patterns) {
    const SettingKey* const inc = &keys::FolInclude;
    const SettingKey* const exc = &keys::FolExclude;
    const FolderRow rows[] = {
        {"nothing stored", {}, "/data", true},
        {"root", {}, "/", true},
        {"empty include lists no folder", {{inc, ""}}, "/data", false},
        {"exclude by name", {{exc, "*/temp"}}, "/data/temp", false},
        {"exclude by name, upper case", {{exc, "*/temp"}}, "/data/TEMP", false},
        {"sub-folder of excluded is listed", {{exc, "*/temp"}}, "/data/temp/sub", true},
        {"longer name is listed", {{exc, "*/temp"}}, "/data/temporary", true},
        {"plain name matches no path", {{inc, "temp"}}, "/data/temp", false},
        {"include by prefix", {{inc, "/data*"}}, "/data/x", true},
        {"include by prefix, other tree", {{inc, "/data*"}}, "/other/data", false},
        {"exclude list", {{exc, "*/a;*/b"}}, "/x/b", false},
        {"exclude list, other", {{exc, "*/a;*/b"}}, "/x/c", true},
        {"include and exclude", {{inc, "/data/*"}, {exc, "*/.git"}}, "/data/.git", false},
        {"network spelling kept", {{inc, "\\\\server\\share*"}}, "\\\\SERVER\\share\\sub", true},
    };
    for (const FolderRow& r : rows) {
        test::TempStore t;
        store(t.store, r.settings);
        EXPECT_EQ(folderPasses(t.store, r.path), r.passes) << "row " << r.row;
    }
}

TEST(IgnoreEmptyFolders, ReadAsNumber) {
    struct Row {
        const char* row;
        const char* stored;  // nullptr: nothing stored
        bool on;
    };
    const Row rows[] = {
        {"nothing stored", nullptr, false},
        {"1", "1", true},
        {"0", "0", false},
        {"empty", "", false},
        {"2", "2", false},
        {"1.0", "1.0", true},
        {"leading blank", " 1", true},
        {"leading zero", "01", true},
        {"word", "yes", false},
        {"-1", "-1", false},
    };
    for (const Row& r : rows) {
        test::TempStore t;
        if (r.stored) {
            ASSERT_TRUE(t.store.write(keys::IgnoreNoFiles, r.stored));
        }
        EXPECT_EQ(ignoreEmptyFolders(t.store), r.on) << "row " << r.row;
    }
}

// Every call judges by the values stored at that moment, however the filters
// keep their compiled lists.
TEST(FilterSettings, ChangeIsSeenAtTheNextCall) {
    test::TempStore t;
    EXPECT_TRUE(filePasses(t.store, "a.doc", "/d", {}));
    store(t.store, {{kInclude, "*.txt"}});
    EXPECT_FALSE(filePasses(t.store, "a.doc", "/d", {}));
    store(t.store, {{kInclude, "*.doc"}});
    EXPECT_TRUE(filePasses(t.store, "a.doc", "/d", {}));
    store(t.store, sizeRange("10", "20"));
    EXPECT_FALSE(filePasses(t.store, "a.doc", "/d", [] { return FileFacts{5, 0}; }));
    store(t.store, {{&keys::FolInclude, ""}});
    EXPECT_FALSE(folderPasses(t.store, "/d"));
    store(t.store, {{&keys::FolInclude, "*"}});
    EXPECT_TRUE(folderPasses(t.store, "/d"));
}

TEST(FilterSettings, TwoStoresAreKeptApart) {
    test::TempStore a;
    test::TempStore b;
    store(a.store, {{kInclude, "*.txt"}});
    store(b.store, {{kInclude, "*.doc"}});
    for (int round = 0; round < 3; ++round) {
        EXPECT_TRUE(filePasses(a.store, "x.txt", "/d", {})) << "round " << round;
        EXPECT_FALSE(filePasses(b.store, "x.txt", "/d", {})) << "round " << round;
    }
}

// A new store that reuses a freed one's memory must not inherit its lists.
TEST(FilterSettings, ReplacedStoreIsReadAfresh) {
    for (const char* include : {"*.txt", "*.doc", "*.txt"}) {
        auto t = std::make_unique<test::TempStore>();
        store(t->store, {{kInclude, include}});
        EXPECT_EQ(filePasses(t->store, "x.txt", "/d", {}), std::string(include) == "*.txt")
            << "include " << include;
    }
}

// Outside a walk every call looks for other writers.
TEST(FilterSettings, OtherWriterSeenAtTheNextCall) {
    test::TempStore t;
    EXPECT_TRUE(folderPasses(t.store, "/d/temp"));
    SettingsStore other(t.store.path());
    ASSERT_TRUE(other.write(keys::FolExclude, "*/temp"));
    EXPECT_FALSE(folderPasses(t.store, "/d/temp"));
}

// Each thread keeps its own compiled lists; a write on one thread must reach
// a walk that already runs on another.
TEST(FilterSettings, WorkerThreadSeesWindowThreadWrites) {
    test::TempStore t;
    std::promise<void> firstCallDone;
    std::promise<void> written;
    std::future<void> firstCall = firstCallDone.get_future();
    std::future<void> writeDone = written.get_future();
    bool before = false;
    bool after = true;
    std::thread worker([&] {
        before = filePasses(t.store, "a.doc", "/d", {});
        firstCallDone.set_value();
        writeDone.wait();
        after = filePasses(t.store, "a.doc", "/d", {});
    });
    firstCall.wait();
    store(t.store, {{kInclude, "*.txt"}});
    written.set_value();
    worker.join();
    EXPECT_TRUE(before);
    EXPECT_FALSE(after);
}

}  // namespace
}  // namespace quillory
