#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <filesystem>
#include <thread>

#include "cli/cli_runner.h"
#include "support/unprivileged.h"

namespace quillory::test {
namespace {

// Usage errors and refused values: exit 1, one line on standard error, and no store is made.
TEST(QuilloryList, RefusalsExitOneWithOneLine) {
    const Cli cli;
    const std::string folder = cli.tree.path();
    // `says`: how the line goes on after "quillory-list: ".
    const struct { const char* name; std::vector<std::string> args; const char* says; } rows[] = {
        {"nothing", {}, ""}, {"unknown option", {"--bogus"}, ""},
        {"output without a name", {"-o"}, ""}, {"two folders", {"a", "b"}, ""},
        {"empty folder", {""}, ""}, {"csv without a folder", {"--csv"}, ""},
        {"unknown key", {"--get", "Output/NoSuchKey"}, ""}, {"no key", {"--get", "NoSection"}, ""},
        {"set without a value", {"--set", "Display/Name"}, ""},
        {"set of an unknown section", {"--set", "Nowhere/Name=1"}, ""},
        {"one-run value without =", {"-D", "Display/Name", "folder"}, ""},
        {"one-run value missing", {"folder", "-D"}, ""},
        {"one-run unknown key", {"-D", "Display/Nope=1", "folder"}, ""},
        {"one-run value with --set", {"-D", "Display/Name=1", "--set", "Display/Ext=1"}, ""},
        {"escape without a folder", {"--escape", "--get", "Display/Name"}, ""},
        {"force without a value", {"--force", "folder"}, ""}, {"reset without a key", {"--reset"}, ""},
        {"defaults without the list", {"--defaults", "folder"}, ""},
        {"yes without --reset-all", {"--reset", "Output/Recurse", "--yes"}, ""},
        {"two commands", {"--get", "Display/Name", "folder"}, ""},
        {"colour name", {"--set", "HTML/FolBack=navy"}, "HTML/FolBack takes a colour: "},
        {"colour empty", {"--set", "HTML/FolBack="}, "HTML/FolBack takes a colour: "},
        {"word", {"--set", "Output/Recurse=deep"}, "Output/Recurse takes one of: Infinite, No, Depth"},
        {"size unit", {"--set", "Filter/FileSizeFrom=1XB"}, "Filter/FileSizeFrom takes a size in bytes"},
        {"flag", {"--set", "Display/Attrib=yes"}, "Display/Attrib takes 0 or 1"},
        {"date form", {"--set", "Filter/FileTimeFrom=Dec 3rd"},
         "Filter/FileTimeFrom takes a date and time such as 14:30 2007-12-03\n"},
        {"number", {"--set", "Output/RecurseDepth=two"}, "Output/RecurseDepth takes a whole number"},
        {"one-run flag", {"-D", "Display/Attrib=yes", folder}, "Display/Attrib takes 0 or 1"},
        {"one-run word, joined", {"-DOutput/Recurse=x", "--get", "Output/Recurse"}, "Output/Recurse takes one of"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const ProcessResult r = cli(row.args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind(std::string("quillory-list: ") + row.says, 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_FALSE(std::filesystem::exists(cli.storePath));
    }
}

// A read command whose output is lost fails.
TEST(QuilloryList, ReadCommandsWriteOrFailWhenTheirOutputIsLost) {
    const Cli cli;
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"--help"}, "Usage: quillory-list"}, {{"--version"}, std::string("quillory-list ") + QUILLORY_VERSION + "\n"},
        {{"--get", "Output/Recurse"}, "Infinite\n"}, {{"--list-settings"}, "Output/"},
    };
    for (const auto& [args, out] : rows) {
        SCOPED_TRACE(args.front());
        const ProcessResult r = cli(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(out.back() == '\n' ? r.out : r.out.substr(0, out.size()), out);
        const ProcessResult lost = cli(args, "", ">/dev/full");
        EXPECT_EQ(lost.status, 2);
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
        SCOPED_TRACE(row.name);
        std::vector<std::string> args{"--csv", cli.tree.path()};
        for (const std::string& value : row.oneRun) args.insert(args.begin(), {"-D", value});
        const ProcessResult r = cli(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out.rfind("Name,Folder,", 0), 0u);
        EXPECT_TRUE(*row.says ? r.err.starts_with("quillory-list: ") && std::count(r.err.begin(), r.err.end(), '\n') == 1 &&
                                    r.err.find(row.says) != std::string::npos
                              : r.err.empty()) << r.err;
    }
}

// A missing folder still gets its listing.
TEST(QuilloryList, UnreadableOrMissingFolderIsNamedAndTheRestListed) {
    const Cli cli;
    cli.tree.file("a.txt");
    cli.tree.file("locked/secret.txt");
    cli.tree.file("zopen/b.txt");
    const std::string locked = cli.tree / "locked";
    // Mode 700 keeps out all but the owner; an ordinary user is the owner, so the folder is closed to it too.
    ::chmod(locked.c_str(), ::geteuid() == 0 ? 0700 : 0);
    ::chmod(cli.tree.path().c_str(), 0755);
    ::chmod(cli.home.path().c_str(), 01777);
    const std::string& exe = listExecutableForAnyone();
    runUnprivileged([&] {
        const ProcessResult r = runProcess({exe, "--csv", cli.tree.path()}, cli.env);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "quillory-list: cannot read folder '" + locked + "': Permission denied\n");
        EXPECT_NE(r.out.find("\"a.txt\""), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("\"b.txt\""), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("secret"), std::string::npos) << r.out;
    });
    const std::string missing = cli.tree / "nope";
    const ProcessResult r = cli({"--csv", missing});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "Name,Folder,Type,Size,Date Modified\r\nEMPTY," + missing + "/,,,\r\n");
    EXPECT_NE(r.err.find("cannot read folder '" + missing + "'"), std::string::npos);
}

// Attribute words read relative to each folder (two threads, read ahead) list
// the same bytes as words read by path, as on kernels without getxattrat().
TEST(QuilloryList, AttributesThroughThePathListTheSame) {
    Cli cli;
    for (int f = 0; f < 3; ++f)
        for (int i = 0; i < 80; ++i) {
            const std::string path = cli.tree.file("d" + std::to_string(f) + "/f" + std::to_string(i), i, 1196692205);
            if (i % 3 == 0 && ::setxattr(path.c_str(), "user.DOSATTRIB", "0x24", 4, 0) != 0)
                GTEST_SKIP() << "file system refuses user extended attributes";
        }
    // How a file with Samba's word shows in each format.
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"-D", "Display/Attrib=1", cli.tree.path()}, ">as</td>"},
        {{"--csv", "-D", "Display/Attrib=1", cli.tree.path()}, ",\"as\""},
    };
    for (const auto& [args, marked] : rows) {
        SCOPED_TRACE(marked);
        const ProcessResult relative = cli(args);
        cli.env.push_back("QUILLORY_ATTRIBUTES_BY_PATH=1");
        const ProcessResult byPath = cli(args);
        cli.env.pop_back();
        ASSERT_EQ(relative.status, 0) << relative.err;
        EXPECT_EQ(relative.out, byPath.out);
        std::size_t count = 0;
        for (std::size_t at = 0; (at = relative.out.find(marked, at)) != std::string::npos; ++at) ++count;
        EXPECT_EQ(count, 81u);
    }
}

// Twelve levels of ten links each to the next: 10^12 folders ahead of the
// walk. An interrupt leaves the old file as it was.
TEST(QuilloryList, InterruptLeavesTheOldFileUntouched) {
    const Cli cli;
    for (int level = 0; level < 12; ++level) {
        const std::string here = cli.tree.folder("l" + std::to_string(level));
        cli.tree.file("l" + std::to_string(level) + "/file");
        for (int link = 0; link < 10; ++link)
            ::symlink(("../l" + std::to_string(level + 1)).c_str(), (here + "/" + std::to_string(link)).c_str());
    }
    cli.tree.folder("l12");
    const std::string target = cli.home / "listing.html";
    writeFile(target, "the old listing");
    const int pid = cli.start({"-o", target, cli.tree / "l0"});
    ASSERT_GT(pid, 0);
    for (int i = 0; i < 5000 && namesWith(cli.home.path(), "listing.html.") == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ::kill(pid, SIGINT);
    EXPECT_EQ(waitProcess(pid), 130);
    EXPECT_EQ(readFile(target), "the old listing");
    EXPECT_EQ(namesWith(cli.home.path(), "listing.html."), 0);
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
    const int terminal = ::open(pty.terminal.c_str(), O_RDWR | O_NOCTTY);
    const int pid = cli.start(std::move(args), {}, {}, terminal);
    ::close(terminal);
    std::string shown = pty.readUntil(until);
    if (interrupt) ::kill(pid, SIGINT);
    return {std::move(shown), waitProcess(pid)};
}

// Files count up as they are read, not when their folder is done; not a
// terminal: nothing on standard error.
TEST(QuilloryList, ProgressShowsOnATerminalOnly) {
    const Cli cli;
    const TempDir big = TempDir::inMemory();
    big.manyFiles("one", 200000);
    const std::string shown = onTerminal(cli, {"-o", cli.home / "out.html", big / "one"}, " files/s", true).first;
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

// /proc/self leads back to / through its root link: neither it nor /sys is entered.
TEST(QuilloryList, KernelFileSystemsAreNotEntered) {
    const Cli cli;
    cli.tree.file("a.txt");
    cli.tree.file("sub/b.txt");
    ::symlink("/proc/self", (cli.tree / "self").c_str());
    ::symlink("/sys", (cli.tree / "sub/sys").c_str());
    const ProcessResult r = runProcess({"/usr/bin/timeout", "60", QUILLORY_LIST_EXE, "--csv", cli.tree.path()},
                                       cli.env);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("\"b.txt\""), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find(cli.tree / "self"), std::string::npos) << r.out.substr(0, 2000);
    EXPECT_EQ(r.out.find(cli.tree / "sub/sys"), std::string::npos) << r.out.substr(0, 2000);
}

}  // namespace
}  // namespace quillory::test
