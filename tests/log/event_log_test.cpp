#include "log/event_log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "support/temp_store.h"

namespace quillory {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The file cut at CRLF; a final line without one would show as a last row.
std::vector<std::string> crlfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    if (start < bytes.size()) lines.push_back(bytes.substr(start) + "<no CRLF>");
    return lines;
}

// The general date form of the C locale; midnight shows the date alone.
bool isDateTime(const std::string& text) {
    static const std::regex kForm(R"(\d{4}-\d{2}-\d{2}( \d{2}:\d{2}:\d{2})?)");
    return std::regex_match(text, kForm);
}

constexpr const char* kNow = "<now>";

// The summary as it must read, with `now` standing for a current date-time.
std::vector<std::string> summary(const std::vector<std::string>& values) {
    const char* labels[] = {
        "File include: ", "File exclue: ", "Fol include: ", "Fol exclued: ", "File Time Filter: ",
        "File From: ", "File To: ", "File Size Filter: ", "File Size From: ", "File Size To: ",
        "Ignore no files: ", "No order: ", "Name order: ", "Ext Order: ", "Size order: ",
        "Type order: ", "Date order: ", "Recursion: ", "Recursion Depth: ", "File size output: "};
    std::vector<std::string> lines = {std::string(30, '*'), "SETTINGS", std::string(30, '*'), "FILTERS"};
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i == 10) lines.push_back("FOLDER PATTERNS");
        if (i == 11) lines.push_back("ORDERING");
        if (i == 17) lines.push_back("RECURSION");
        lines.push_back(labels[i] + values[i]);
    }
    lines.push_back(std::string(30, '*'));
    lines.push_back(std::string(30, '*'));
    return lines;
}

// Compares line by line; a line expected as "<label><now>" must hold a date-time there.
void expectLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::size_t mark = expected[i].find(kNow);
        if (mark == std::string::npos) {
            EXPECT_EQ(actual[i], expected[i]) << "line " << i;
        } else {
            EXPECT_EQ(actual[i].substr(0, mark), expected[i].substr(0, mark)) << "line " << i;
            EXPECT_TRUE(isDateTime(actual[i].substr(std::min(mark, actual[i].size()))))
                << "line " << i << ": " << actual[i];
        }
    }
}

struct LogFixture {
    test::TempStore t;
    EventLog log{true, t.dir / "log.txt"};
    std::vector<std::string> lines() const { return crlfLines(readBytes(log.path)); }
};

TEST(EventLog, EmptyStoreGivesTheDefaultSummary) {
    LogFixture f;
    startLog(f.log);
    logSettings(f.log, f.t.store);
    std::vector<std::string> expected = {kNow};
    const auto body = summary({"*", "", "*", "", "0", kNow, kNow, "0", "", "", "0", "1", "0", "0",
                               "0", "0", "0", "Infinite", "6", "Dynamic"});
    expected.insert(expected.end(), body.begin(), body.end());
    expectLines(f.lines(), expected);
}

TEST(EventLog, SummaryShowsStoredValues) {
    LogFixture f;
    const std::pair<const SettingKey*, const char*> stored[] = {
        {&keys::FileInclude, "*.txt;*.doc"},  {&keys::FileExclude, "~*"},
        {&keys::FolInclude, ""},              {&keys::FolExclude, "*/temp"},
        {&keys::FileTime, "1"},               {&keys::FileTimeFrom, "08:00 2007-01-02"},
        {&keys::FileTimeTo, "17:30 2007-12-03"}, {&keys::FileSize, "2.50 MB"},
        {&keys::FileSizeFrom, "10"},          {&keys::FileSizeTo, "abc"},
        {&keys::IgnoreNoFiles, "yes"},        {&keys::NoOrder, "0"},
        {&keys::NameOrder, "1"},              {&keys::ExtOrder, "-0"},
        {&keys::SizeOrder, " 3e2"},           {&keys::TypeOrder, "0x10"},
        {&keys::DateOrder, ""},               {&keys::Recurse, "Depth"},
        {&keys::RecurseDepth, " 7 levels"},   {&keys::DisplayFileSize, "Kb"},
    };
    for (const auto& [key, value] : stored) ASSERT_TRUE(f.t.store.write(*key, value)) << key->name;
    logSettings(f.log, f.t.store);
    expectLines(f.lines(),
                summary({"*.txt;*.doc", "~*", "", "*/temp", "1", "08:00 2007-01-02",
                         "17:30 2007-12-03", "2.5", "10", "abc", "0", "0", "1", "-0", "300", "0",
                         "0", "Depth", " 7 levels", "Kb"}));
}

TEST(EventLog, StartReplacesTheFileAndLinesAreBytesWithCrlf) {
    LogFixture f;
    writeLog(f.log, "from an earlier run");
    startLog(f.log);
    writeLog(f.log, "Retrieved file: caf\xe9\xff.txt");
    writeLog(f.log, "");
    writeLog(f.log, "Filter returns: True");
    const std::string bytes = readBytes(f.log.path);
    const std::size_t firstEnd = bytes.find("\r\n");
    EXPECT_TRUE(isDateTime(bytes.substr(0, firstEnd))) << bytes;
    EXPECT_EQ(bytes.substr(firstEnd), "\r\nRetrieved file: caf\xe9\xff.txt\r\n\r\nFilter returns: True\r\n");
}

TEST(EventLog, LoggingOffTouchesNothing) {
    LogFixture f;
    f.log.LoggingOn = false;
    startLog(f.log);
    writeLog(f.log, "line");
    logSettings(f.log, f.t.store);
    EXPECT_FALSE(fs::exists(f.log.path));

    std::ofstream(f.log.path, std::ios::binary) << "kept\r\n";
    const auto before = fs::last_write_time(f.log.path);
    startLog(f.log);
    writeLog(f.log, "line");
    logSettings(f.log, f.t.store);
    EXPECT_EQ(readBytes(f.log.path), "kept\r\n");
    EXPECT_EQ(fs::last_write_time(f.log.path), before);
}

// Paths no line can be written to, for root as for anyone.
TEST(EventLog, UnwritableLogIsIgnored) {
    test::TempDir dir;
    const std::string blocker = dir.file("not-a-folder");
    for (const std::string& path : {blocker + "/log.txt", std::string("/proc/self/log.txt"),
                                    dir.folder("a-folder")}) {
        test::TempStore t;
        const EventLog log{true, path};
        startLog(log);
        writeLog(log, "line");
        logSettings(log, t.store);
        EXPECT_FALSE(fs::is_regular_file(path)) << path;
    }
    EXPECT_EQ(readBytes(blocker), "");
    EXPECT_TRUE(fs::is_directory(dir / "a-folder"));
}

}  // namespace
}  // namespace quillory
