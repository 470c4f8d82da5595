#include "log/event_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <cstdio>
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

// A start replaces an earlier file with a date line; lines go out as bytes
// with CRLF; the summary shows defaults, then the stored texts.
TEST(EventLog, StartGivesADateLineAndTheSummary) {
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
    const std::pair<const SettingKey*, const char*> stored[] = {
        {&keys::FileInclude, "*.txt;*.doc"}, {&keys::FileExclude, "~*"}, {&keys::FolInclude, ""},
        {&keys::FolExclude, "*/temp"}, {&keys::FileTime, "1"}, {&keys::FileTimeFrom, "08:00 2007-01-02"},
        {&keys::FileTimeTo, "17:30 2007-12-03"}, {&keys::FileSize, "2.50 MB"}, {&keys::FileSizeFrom, "10"},
        {&keys::FileSizeTo, "abc"}, {&keys::IgnoreNoFiles, "yes"}, {&keys::NoOrder, "0"}, {&keys::NameOrder, "1"},
        {&keys::ExtOrder, "-0"}, {&keys::SizeOrder, " 3e2"}, {&keys::TypeOrder, "0x10"}, {&keys::DateOrder, ""},
        {&keys::Recurse, "Depth"}, {&keys::RecurseDepth, " 7 levels"}, {&keys::DisplayFileSize, "Kb"}};
    for (const auto& [key, value] : stored) f.set(*key, value);
    ::remove(f.log.path.c_str());
    logSettings(f.log, f.store);
    EXPECT_EQ(f.written(), summary({"*.txt;*.doc", "~*", "", "*/temp", "1", "08:00 2007-01-02", "17:30 2007-12-03",
                                    "2.5", "10", "abc", "0", "0", "1", "-0", "300", "0", "0", "Depth", " 7 levels",
                                    "Kb"}));
}

// Logging off, or paths no line can be written to (for root as for anyone):
// no file appears and one there is left as it was.
TEST(EventLog, OffOrUnwritableLogTouchesNothing) {
    test::TempDir dir;
    const std::string blocker = dir.file("not-a-folder"), kept = dir.file("kept.txt");
    const struct { bool on; std::string path; } rows[] = {
        {false, dir / "off.txt"}, {false, kept}, {true, blocker + "/log.txt"}, {true, "/proc/self/log.txt"},
        {true, dir.folder("a-folder")}};
    for (const auto& row : rows) {
        test::TempStore t;
        const EventLog log{row.on, row.path};
        startLog(log);
        writeLog(log, "line");
        logSettings(log, t.store);
        EXPECT_EQ(fs::is_regular_file(row.path), row.path == kept) << row.path;
    }
    EXPECT_EQ(test::readFile(blocker) + test::readFile(kept), "");
    EXPECT_TRUE(fs::is_directory(dir / "a-folder"));
}

}  // namespace
}  // namespace quillory
