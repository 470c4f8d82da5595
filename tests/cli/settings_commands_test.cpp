// The settings commands of quillory-list: checked values, one-run values,
// resets and the listing of every key.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "cli/cli_runner.h"

namespace quillory::test {
namespace {

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(SettingsCommands, TypedValuesAreStoredInTheStoredForm) {
    const struct { const char* name; std::vector<std::string> set; const char* key; const char* stored; } rows[] = {
        {"#RRGGBB", {"--set", "HTML/FolBack=#003366"}, "HTML/FolBack", "6697728"},
        {"names without case", {"--set", "filter/FILETIMETO=14:30 2007-12-03"}, "Filter/FileTimeto",
         "14:30 2007-12-03"},
        {"empty text stays empty", {"--set", "Filter/FileInclude="}, "Filter/FileInclude", ""},
        {"forced text unchanged", {"--force", "--set", "HTML/FolBack=navy"}, "HTML/FolBack", "navy"},
        {"an order switches the group", {"--set", "Output/SizeOrder=1"}, "Output/NoOrder", "0"},
        {"an order switched off alone", {"--set", "Output/SizeOrder=0"}, "Output/NoOrder", "1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Cli cli;
        const ProcessResult set = cli(row.set);
        EXPECT_EQ(set.status, 0) << set.err;
        EXPECT_EQ(cli({"--get", row.key}).out, std::string(row.stored) + "\n");
    }
}

TEST(SettingsCommands, OneRunValuesAreSeenAndNeverStored) {
    const Cli cli;
    cli.tree.file("a.txt");
    cli.tree.file("b.png");
    const std::vector<std::string> oneRun{"-D", "Filter/FileInclude=*.PNG", "-D", "Output/SizeOrder=1"};
    auto withOneRun = [&](std::vector<std::string> args) {
        args.insert(args.begin(), oneRun.begin(), oneRun.end());
        return cli(args);
    };
    // No store yet: none is made.
    const ProcessResult listing = withOneRun({"--csv", cli.tree.path()});
    EXPECT_EQ(listing.status, 0) << listing.err;
    EXPECT_EQ(listing.out.find("a.txt"), std::string::npos);
    EXPECT_NE(listing.out.find("b.png"), std::string::npos);
    EXPECT_EQ(withOneRun({"--get", "Output/NoOrder"}).out, "0\n");
    EXPECT_FALSE(std::filesystem::exists(cli.storePath));
    // A store: its bytes stay as they are.
    ASSERT_EQ(cli({"--set", "Filter/FileInclude=*.txt"}).status, 0);
    const std::string before = readFile(cli.storePath);
    EXPECT_NE(withOneRun({"--csv", cli.tree.path()}).out.find("b.png"), std::string::npos);
    EXPECT_NE(withOneRun({"--list-settings"}).out.find("Filter/FileInclude=*.PNG  [set; "), std::string::npos);
    EXPECT_EQ(readFile(cli.storePath), before);
    EXPECT_EQ(cli({"--get", "Filter/FileInclude"}).out, "*.txt\n");
}

TEST(SettingsCommands, ResetsReturnToTheDefaultsAndTheListShowsValueDefaultAndMeaning) {
    const Cli cli;
    EXPECT_EQ(cli({"--reset", "Output/Recurse"}).status, 0);
    EXPECT_EQ(cli({"--list-settings"}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(cli.storePath)) << "nothing to reset and a listing create nothing";
    ASSERT_EQ(cli({"--set", "Output/Recurse=No"}).status, 0);
    ASSERT_EQ(cli({"--set", "Display/Attrib=1"}).status, 0);
    EXPECT_EQ(cli({"--reset", "output/recurse"}).status, 0);
    EXPECT_EQ(cli({"--get", "Output/Recurse"}).out, "Infinite\n");
    EXPECT_EQ(cli({"--get", "Display/Attrib"}).out, "1\n");
    // Without a terminal to ask on, only --yes resets everything.
    const ProcessResult refused = cli({"--reset-all"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "quillory-list: --reset-all removes every stored setting; add --yes to do it\n");
    EXPECT_EQ(cli({"--get", "Display/Attrib"}).out, "1\n");
    EXPECT_EQ(cli({"--reset-all", "--yes"}).status, 0);
    EXPECT_EQ(cli({"--get", "Display/Attrib"}).out, "0\n");
    ASSERT_EQ(cli({"--set", "Display/NameStr=two\nlines\\"}).status, 0);
    const std::string all = cli({"--list-settings"}).out;
    EXPECT_EQ(lineCount(all), 50u);
    EXPECT_NE(all.find("\nDisplay/NameStr=two\\nlines\\\\  [set; default: Name]  caption of the name column\n"),
              std::string::npos) << all;
    EXPECT_NE(all.find("\nOutput/Recurse=Infinite  [default]  how far into sub-folders"), std::string::npos);
    const std::string defaults = cli({"--list-settings", "--defaults"}).out;
    EXPECT_EQ(lineCount(defaults), 50u);
    EXPECT_NE(defaults.find("\nDisplay/NameStr=Name\n"), std::string::npos) << defaults;
    EXPECT_NE(defaults.find("\nHTML/FileBack=12566463\n"), std::string::npos);
    EXPECT_NE(all.find("\nOutput/Escape=0  [default]  escape names for HTML and CSV readers"), std::string::npos);
}

TEST(SettingsCommands, ResetAllAsksOnATerminal) {
    const struct { const char* name; const char* answer; int status; const char* attrib; } rows[] = {
        {"yes", "y\n", 0, "0\n"}, {"no", "n\n", 1, "1\n"}, {"just enter", "\n", 1, "1\n"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Cli cli;
        ASSERT_EQ(cli({"--set", "Display/Attrib=1"}).status, 0);
        const Pty pty;
        ASSERT_FALSE(pty.terminal.empty());
        const int pid = pty.start(cli, {"--reset-all"});
        EXPECT_NE(pty.readUntil("[y/N] ").find("Return every setting to its default? [y/N] "), std::string::npos);
        ASSERT_TRUE(pty.type(row.answer));
        EXPECT_EQ(waitProcess(pid), row.status);
        EXPECT_EQ(cli({"--get", "Display/Attrib"}).out, row.attrib);
    }
}

}  // namespace
}  // namespace quillory::test
