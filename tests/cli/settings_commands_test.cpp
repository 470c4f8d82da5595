// The settings commands of quillory-list: checked values, resets and the listing of every key.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cli/cli_runner.h"

namespace quillory::test {
namespace {

// Resets and listings create no store; one key resets alone; without a terminal to ask on, only --yes resets
// everything. The list shows each key's value, default and meaning; --defaults the defaults alone.
TEST(SettingsCommands, ResetsReturnToTheDefaultsAndTheListShowsValueDefaultAndMeaning) {
    const Cli cli;
    EXPECT_EQ(cli({"--reset", "Output/Recurse"}).status, 0);
    EXPECT_EQ(cli({"--list-settings"}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(cli.storePath));
    ASSERT_EQ(cli({"--set", "Output/Recurse=No"}).status, 0);
    ASSERT_EQ(cli({"--set", "Display/Attrib=1"}).status, 0);
    // Stored in the checked form, with --force as typed; an order switched on switches the others off.
    for (const char* set : {"HTML/FolBack=#003366", "Output/SizeOrder=1"}) ASSERT_EQ(cli({"--set", set}).status, 0);
    ASSERT_EQ(cli({"--force", "--set", "HTML/FileBack=navy"}).status, 0);
    EXPECT_EQ(cli({"--get", "HTML/FolBack"}).out + cli({"--get", "HTML/FileBack"}).out +
                  cli({"--get", "Output/NoOrder"}).out,
              "6697728\nnavy\n0\n");
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
