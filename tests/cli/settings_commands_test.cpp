// The settings commands of quillory-list: checked values, one-run values,
// resets and the listing of every key.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cli/cli_runner.h"

namespace quillory::test {
namespace {

// Each rule of a value is the store's; the command adds --force and the order group.
TEST(SettingsCommands, SetStoresTheStoredFormAndSwitchesTheOrderGroup) {
    const struct { const char* name; std::vector<std::string> set; const char* key; const char* stored; } rows[] = {
        {"checked", {"--set", "HTML/FolBack=#003366"}, "HTML/FolBack", "6697728"},
        {"forced text unchanged", {"--force", "--set", "HTML/FolBack=navy"}, "HTML/FolBack", "navy"},
        {"an order switches the group", {"--set", "Output/SizeOrder=1"}, "Output/NoOrder", "0"},
        {"an order switched off alone", {"--set", "Output/SizeOrder=0"}, "Output/NoOrder", "1"},
    };
    for (const auto& row : rows) {
        const Cli cli;
        EXPECT_EQ(cli(row.set).status, 0) << row.name;
        EXPECT_EQ(cli({"--get", row.key}).out, std::string(row.stored) + "\n") << row.name;
    }
}

// Seen by the listing and the settings list; no store is made, an existing one keeps its bytes.
TEST(SettingsCommands, OneRunValuesAreSeenAndNeverStored) {
    const Cli cli;
    cli.tree.file("a.txt");
    cli.tree.file("b.png");
    const std::vector<std::string> oneRun{"-D", "Filter/FileInclude=*.PNG", "--csv", cli.tree.path()};
    const ProcessResult listing = cli(oneRun);
    EXPECT_EQ(listing.status, 0) << listing.err;
    EXPECT_TRUE(listing.out.find("a.txt") == std::string::npos && listing.out.find("b.png") != std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(cli.storePath));
    ASSERT_EQ(cli({"--set", "Filter/FileInclude=*.txt"}).status, 0);
    const std::string before = readFile(cli.storePath);
    EXPECT_NE(cli(oneRun).out.find("b.png"), std::string::npos);
    EXPECT_NE(cli({"-D", "Filter/FileInclude=*.PNG", "--list-settings"}).out.find("Filter/FileInclude=*.PNG  [set; "),
              std::string::npos);
    EXPECT_EQ(readFile(cli.storePath), before);
}

// Resets and listings create no store; one key resets alone; without a terminal to ask on, only --yes resets
// everything. The list shows each key's value, default and meaning; --defaults the defaults alone.
TEST(SettingsCommands, ResetsReturnToTheDefaultsAndTheListShowsValueDefaultAndMeaning) {
    const Cli cli;
    EXPECT_EQ(cli({"--reset", "Output/Recurse"}).status, 0);
    EXPECT_EQ(cli({"--list-settings"}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(cli.storePath));
    ASSERT_EQ(cli({"--set", "Output/Recurse=No"}).status, 0);
    ASSERT_EQ(cli({"--set", "Display/Attrib=1"}).status, 0);
    EXPECT_EQ(cli({"--reset", "output/recurse"}).status, 0);
    EXPECT_EQ(cli({"--get", "Output/Recurse"}).out + cli({"--get", "Display/Attrib"}).out, "Infinite\n1\n");
    const ProcessResult refused = cli({"--reset-all"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "quillory-list: --reset-all removes every stored setting; add --yes to do it\n");
    EXPECT_EQ(cli({"--get", "Display/Attrib"}).out, "1\n");
    EXPECT_EQ(cli({"--reset-all", "--yes"}).status, 0);
    EXPECT_EQ(cli({"--get", "Display/Attrib"}).out, "0\n");
    ASSERT_EQ(cli({"--set", "Display/NameStr=two\nlines\\"}).status, 0);
    const std::string all = cli({"--list-settings"}).out, defaults = cli({"--list-settings", "--defaults"}).out;
    EXPECT_EQ(std::ranges::count(all, '\n'), 50);
    EXPECT_EQ(std::ranges::count(defaults, '\n'), 50);
    for (const char* line : {"\nDisplay/NameStr=two\\nlines\\\\  [set; default: Name]  caption of the name column\n",
                             "\nOutput/Recurse=Infinite  [default]  how far into sub-folders",
                             "\nOutput/Escape=0  [default]  escape names for HTML and CSV readers"})
        EXPECT_NE(all.find(line), std::string::npos) << line << all;
    EXPECT_NE(defaults.find("\nDisplay/NameStr=Name\n"), std::string::npos) << defaults;
    EXPECT_NE(defaults.find("\nHTML/FileBack=12566463\n"), std::string::npos);
}

TEST(SettingsCommands, ResetAllAsksOnATerminal) {
    const struct { const char* name; const char* answer; int status; const char* attrib; } rows[] = {
        {"yes", "y\n", 0, "0\n"}, {"just enter", "\n", 1, "1\n"}};
    for (const auto& row : rows) {
        const Cli cli;
        ASSERT_EQ(cli({"--set", "Display/Attrib=1"}).status, 0);
        const Pty pty;
        ASSERT_FALSE(pty.terminal.empty());
        const int pid = pty.start(cli, {"--reset-all"});
        EXPECT_NE(pty.readUntil("[y/N] ").find("Return every setting to its default? [y/N] "), std::string::npos);
        ASSERT_TRUE(pty.type(row.answer));
        EXPECT_EQ(waitProcess(pid), row.status) << row.name;
        EXPECT_EQ(cli({"--get", "Display/Attrib"}).out, row.attrib) << row.name;
    }
}

}  // namespace
}  // namespace quillory::test
