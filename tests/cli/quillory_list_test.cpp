#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cli/cli_runner.h"

namespace quillory::test {
namespace {

// Usage errors and refused values: exit 1, one line on standard error, and no store is made.
TEST(QuilloryList, RefusalsExitOneWithOneLine) {
    const Cli cli;
    const std::string folder = cli.tree.path();
    // `says`: how the line goes on after "quillory-list: ".
    const struct { const char* name; std::vector<std::string> args; const char* says; } rows[] = {
        {"nothing", {}, ""}, {"unknown option", {"--bogus"}, ""}, {"output without a name", {"-o"}, ""},
        {"two folders", {"a", "b"}, ""}, {"empty folder", {""}, ""}, {"csv without a folder", {"--csv"}, ""},
        {"unknown key", {"--get", "Output/NoSuchKey"}, ""}, {"no key", {"--get", "NoSection"}, ""},
        {"set without a value", {"--set", "Display/Name"}, ""}, {"unknown section", {"--set", "Nowhere/Name=1"}, ""},
        {"one-run value without =", {"-D", "Display/Name", "folder"}, ""}, {"one-run, no value", {"folder", "-D"}, ""},
        {"one-run unknown key", {"-D", "Display/Nope=1", "folder"}, ""},
        {"one-run value with --set", {"-D", "Display/Name=1", "--set", "Display/Ext=1"}, ""},
        {"escape without a folder", {"--escape", "--get", "Display/Name"}, ""},
        {"force without a value", {"--force", "folder"}, ""}, {"reset without a key", {"--reset"}, ""},
        {"defaults without the list", {"--defaults", "folder"}, ""},
        {"yes without --reset-all", {"--reset", "Output/Recurse", "--yes"}, ""},
        {"two commands", {"--get", "Display/Name", "folder"}, ""},
        {"word", {"--set", "Output/Recurse=deep"}, "Output/Recurse takes one of: Infinite, No, Depth"},
        {"date form", {"--set", "Filter/FileTimeFrom=Dec 3rd"},
         "Filter/FileTimeFrom takes a date and time such as 14:30 2007-12-03\n"},
        {"one-run flag", {"-D", "Display/Attrib=yes", folder}, "Display/Attrib takes 0 or 1"},
        {"one-run word, joined", {"-DOutput/Recurse=x", "--get", "Output/Recurse"}, "Output/Recurse takes one of"},
    };
    for (const auto& row : rows) {
        const ProcessResult r = cli(row.args);
        EXPECT_EQ(r.status, 1) << row.name;
        EXPECT_EQ(r.out, "") << row.name;
        EXPECT_TRUE(r.err.starts_with("quillory-list: " + std::string(row.says)) && std::ranges::count(r.err, '\n') == 1)
            << row.name << ": " << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(cli.storePath));
}

TEST(QuilloryList, ReadCommandsWriteOrFailWhenTheirOutputIsLost) {
    const Cli cli;
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"--help"}, "Usage: quillory-list"}, {{"--version"}, std::string("quillory-list ") + QUILLORY_VERSION + "\n"},
        {{"--get", "Output/Recurse"}, "Infinite\n"}, {{"--list-settings"}, "Output/"},
    };
    for (const auto& [args, out] : rows) {
        const ProcessResult r = cli(args);
        EXPECT_EQ(r.status, 0) << args.front();
        EXPECT_EQ(out.back() == '\n' ? r.out : r.out.substr(0, out.size()), out);
        const ProcessResult lost = cli(args, "", ">/dev/full");
        EXPECT_EQ(lost.status, 2) << args.front();
        EXPECT_EQ(lost.err, "quillory-list: cannot write 'standard output': No space left on device\n");
    }
}

TEST(QuilloryList, SurprisingSettingsAreNamedOnStandardError) {
    const Cli cli;
    cli.tree.file("a.txt", 10);
    const struct { const char* name; std::vector<std::string> oneRun; const char* says; /* "": none */ } rows[] = {
        {"defaults", {}, ""},
        {"time filter without bounds", {"Filter/FileTime=1"}, "neither FileTimeFrom nor FileTimeTo set"},
        {"time filter from now", {"Filter/FileTime=1", "Filter/FileTimeTo=00:00 2000-01-01"}, "FileTimeFrom not set"},
        {"time filter with a start", {"Filter/FileTime=1", "Filter/FileTimeFrom=00:00 2000-01-01"}, ""},
        {"time bounds with the filter off", {"Filter/FileTimeTo=00:00 2000-01-01"}, ""},
        {"size filter without an upper bound", {"Filter/FileSize=1", "Filter/FileSizeFrom=1K"},
         "FileSizeFrom or FileSizeTo empty"},
        {"size filter up to 0", {"Filter/FileSize=1", "Filter/FileSizeFrom=0", "Filter/FileSizeTo=0"},
         "FileSizeTo 0: only empty files"},
        {"size filter bounded", {"Filter/FileSize=1", "Filter/FileSizeFrom=0", "Filter/FileSizeTo=1G"}, ""},
        {"no file patterns", {"Filter/FileInclude="}, "Filter/FileInclude is empty"},
        {"no folder patterns", {"Filter/FolInclude="}, "Filter/FolInclude is empty"},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args{"--csv", cli.tree.path()};
        for (const std::string& value : row.oneRun) args.insert(args.begin(), {"-D", value});
        const ProcessResult r = cli(args);
        EXPECT_TRUE(r.status == 0 && r.out.starts_with("Name,Folder,")) << row.name;
        EXPECT_TRUE(*row.says ? r.err.starts_with("quillory-list: ") && std::ranges::count(r.err, '\n') == 1 &&
                                    r.err.find(row.says) != std::string::npos
                              : r.err.empty()) << row.name << ": " << r.err;
    }
}

// --escape reaches both generators, each escaping its own way; without it the name stays as it is.
TEST(QuilloryList, EscapeReachesBothFormats) {
    const Cli cli;
    cli.tree.file("new\nline & \"q\" <b>.txt");
    const struct { std::vector<std::string> args; const char* cell; } rows[] = {
        {{"--escape"}, "<meta charset=\"utf-8\">"},
        {{"--escape"}, ">new\nline &amp; &quot;q&quot; &lt;b&gt;.txt</td>"},
        {{}, ">new\nline & \"q\" <b>.txt</td>"},
        {{"--escape", "--csv"}, "\r\n\"new\nline & \"\"q\"\" <b>.txt\","},
        {{"--csv"}, "\r\n\"new\nline & \"q\" <b>.txt\","},
    };
    for (auto row : rows) {
        row.args.push_back(cli.tree.path());
        EXPECT_NE(cli(row.args).out.find(row.cell), std::string::npos) << row.cell;
    }
}

// 3000 nested folders "d", past PATH_MAX, and one file: few descriptors and a small stack list it whole.
TEST(QuilloryList, AnyDepthListsWholeUnderTightLimits) {
    const Cli cli;
    const TempDir deep = TempDir::inMemory();
    constexpr int kLevels = 3000;  // step by step: no path names the bottom
    const char* make = "import os, sys\nos.chdir(sys.argv[1])\nfor _ in range(3000): os.mkdir('d'); os.chdir('d')\n"
                       "open('bottom.txt', 'w')";
    ASSERT_EQ(runProcess({"/usr/bin/env", "python3", "-c", make, deep.path()}).status, 0);
    const std::string target = cli.home / "deep.csv";
    const ProcessResult r = cli({"--csv", "-o", target, deep.path()}, "ulimit -n 20 && ulimit -s 1024 &&");
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string out = readFile(target);
    std::string bottom = deep.path();
    for (int level = 0; level < kLevels; ++level) bottom += "/d";
    EXPECT_NE(out.find("\"bottom.txt\",\"" + bottom + "/\""), std::string::npos);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1 + kLevels + 1);  // header, empty folders, the file
}

// What the command showed on a terminal as its standard error up to `until`, and its exit status.
std::pair<std::string, int> onTerminal(const Cli& cli, std::vector<std::string> args, const std::string& until,
                                       bool interrupt) {
    const Pty pty;
    EXPECT_FALSE(pty.terminal.empty());
    const int pid = pty.start(cli, std::move(args));
    std::string shown = pty.readUntil(until);
    if (interrupt) ::kill(pid, SIGINT);
    return {std::move(shown), waitProcess(pid)};
}

// Files count up as they are read, not when their folder is done; an interrupt then leaves the old file as it
// was. Not a terminal: nothing on standard error.
TEST(QuilloryList, ProgressShowsOnATerminalOnly) {
    const Cli cli;
    const TempDir big = TempDir::inMemory();
    big.manyFiles("one", 200000);
    const std::string target = cli.home / "listing.html";
    writeFile(target, "the old listing");
    const auto [shown, status] = onTerminal(cli, {"-o", target, big / "one"}, " files/s", true);
    EXPECT_EQ(status, 130);
    EXPECT_EQ(readFile(target), "the old listing");
    EXPECT_EQ(namesWith(cli.home.path(), "listing.html."), 0);
    long long folders = -1, files = -1;
    ASSERT_EQ(std::sscanf(shown.c_str(), "\r%lld folders, %lld files", &folders, &files), 2) << shown;
    EXPECT_EQ(folders, 0) << "drawn while the folder was still being listed: " << shown;
    EXPECT_GT(files, 0) << shown;
    cli.tree.file("a");
    EXPECT_EQ(cli({"--csv", cli.tree.path()}).err, "");
}

// A name that would retitle and clear the terminal reaches it escaped; elsewhere its bytes stay.
TEST(QuilloryList, ControlBytesOfNamesReachATerminalEscaped) {
    const Cli cli;
    cli.tree.file("a.txt");
    const std::string target = cli.home / "\033]0;TITLE\a\033[2J/out.html";
    const std::string shown = cli.home / "\\033]0;TITLE\\a\\033[2J/out.html";
    const auto [text, status] = onTerminal(cli, {"-o", target, cli.tree.path()}, "\n", false);
    EXPECT_EQ(text, "quillory-list: cannot write '" + shown + "': No such file or directory\r\n");
    EXPECT_EQ(status, 2);
    EXPECT_EQ(cli({"-o", target, cli.tree.path()}).err,
              "quillory-list: cannot write '" + target + "': No such file or directory\n");
}

}  // namespace
}  // namespace quillory::test
