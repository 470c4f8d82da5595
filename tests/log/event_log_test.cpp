#include "log/event_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "support/golden.h"
#include "support/temp_store.h"

namespace quillory {
namespace {

namespace fs = std::filesystem;

// Every current date-time in the C locale's general form becomes "<now>".
std::string nowMarked(const std::string& text) {
    static const std::regex kNow(R"(\d{4}-\d{2}-\d{2}( \d{2}:\d{2}:\d{2})?)");
    return std::regex_replace(text, kNow, "<now>");
}

// The summary as it must read, labels and their spelling included.
std::string summary(const std::vector<std::string>& values) {
    const char* labels[] = {"File include: ", "File exclue: ", "Fol include: ", "Fol exclued: ", "File Time Filter: ",
                            "File From: ", "File To: ", "File Size Filter: ", "File Size From: ", "File Size To: ",
                            "Ignore no files: ", "No order: ", "Name order: ", "Ext Order: ", "Size order: ",
                            "Type order: ", "Date order: ", "Recursion: ", "Recursion Depth: ", "File size output: "};
    const std::string stars(30, '*');
    std::string text = stars + "\r\nSETTINGS\r\n" + stars + "\r\nFILTERS\r\n";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i == 10) text += "FOLDER PATTERNS\r\n";
        if (i == 11) text += "ORDERING\r\n";
        if (i == 17) text += "RECURSION\r\n";
        text += labels[i] + values[i] + "\r\n";
    }
    return text + stars + "\r\n" + stars + "\r\n";
}

struct LogFixture : test::TempStore {
    EventLog log{true, dir / "log.txt"};
    std::string written() const { return test::readFile(log.path); }
};

// A start replaces an earlier file with a date line; lines go out as bytes with CRLF.
TEST(EventLog, StartGivesADateLineAndTheDefaultSummary) {
    LogFixture f;
    writeLog(f.log, "from an earlier run");
    startLog(f.log);
    logSettings(f.log, f.store);
    writeLog(f.log, "Retrieved file: caf\xe9\xff.txt");
    writeLog(f.log, "");
    EXPECT_EQ(nowMarked(f.written()),
              "<now>\r\n" +
                  summary({"*", "", "*", "", "0", "<now>", "<now>", "0", "", "", "0", "1", "0", "0", "0", "0", "0",
                           "Infinite", "6", "Dynamic"}) + "Retrieved file: caf\xe9\xff.txt\r\n\r\n");
}

TEST(EventLog, SummaryShowsStoredValues) {
    LogFixture f;
    const std::pair<const SettingKey*, const char*> stored[] = {
        {&keys::FileInclude, "*.txt;*.doc"}, {&keys::FileExclude, "~*"}, {&keys::FolInclude, ""},
        {&keys::FolExclude, "*/temp"}, {&keys::FileTime, "1"}, {&keys::FileTimeFrom, "08:00 2007-01-02"},
        {&keys::FileTimeTo, "17:30 2007-12-03"}, {&keys::FileSize, "2.50 MB"}, {&keys::FileSizeFrom, "10"},
        {&keys::FileSizeTo, "abc"}, {&keys::IgnoreNoFiles, "yes"}, {&keys::NoOrder, "0"}, {&keys::NameOrder, "1"},
        {&keys::ExtOrder, "-0"}, {&keys::SizeOrder, " 3e2"}, {&keys::TypeOrder, "0x10"}, {&keys::DateOrder, ""},
        {&keys::Recurse, "Depth"}, {&keys::RecurseDepth, " 7 levels"}, {&keys::DisplayFileSize, "Kb"}};
    for (const auto& [key, value] : stored) f.set(*key, value);
    logSettings(f.log, f.store);
    EXPECT_EQ(f.written(), summary({"*.txt;*.doc", "~*", "", "*/temp", "1", "08:00 2007-01-02", "17:30 2007-12-03",
                                    "2.5", "10", "abc", "0", "0", "1", "-0", "300", "0", "0", "Depth", " 7 levels",
                                    "Kb"}));
}

TEST(EventLog, LoggingOffTouchesNothing) {
    LogFixture f;
    f.log.LoggingOn = false;
    for (const bool existing : {false, true}) {
        if (existing) test::writeFile(f.log.path, "kept\r\n");
        startLog(f.log);
        writeLog(f.log, "line");
        logSettings(f.log, f.store);
        EXPECT_EQ(fs::exists(f.log.path) ? f.written() : "none", existing ? "kept\r\n" : "none");
    }
}

// Paths no line can be written to, for root as for anyone.
TEST(EventLog, UnwritableLogIsIgnored) {
    test::TempDir dir;
    const std::string blocker = dir.file("not-a-folder");
    for (const std::string& path : {blocker + "/log.txt", std::string("/proc/self/log.txt"), dir.folder("a-folder")}) {
        test::TempStore t;
        const EventLog log{true, path};
        startLog(log);
        writeLog(log, "line");
        logSettings(log, t.store);
        EXPECT_FALSE(fs::is_regular_file(path)) << path;
    }
    EXPECT_EQ(test::readFile(blocker), "");
    EXPECT_TRUE(fs::is_directory(dir / "a-folder"));
}

}  // namespace
}  // namespace quillory
