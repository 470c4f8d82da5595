#include <dlfcn.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "cli/cli_runner.h"
#include "net/smbd/share_walk.h"
#include "support/scoped_env.h"

namespace quillory::test {
namespace {

using QuilloryListShare = OnSuiteSmbd;

TEST_F(QuilloryListShare, LogsInWithAnAuthFileOrSaysWhyNot) {
    const ShareTree tree(server.secureDir, "cli");
    tree.file("inside.txt", 5, 1000000000);
    const std::string url = server.url("secure", tree.name());
    const std::string right = "username = " + server.user + "\npassword = " + server.password + "\n";
    const std::string wrong = "username = " + server.user + "\npassword = nope\n";
    // In `args`, "AUTH" stands for the auth file.
    const struct { const char* name; std::vector<std::string> args; const char* authText; int status;
                   std::string err; } rows[] = {
        {"right password", {"--csv", "--auth-file", "AUTH", url + "/"}, right.c_str(), 0, ""},
        {"wrong password", {"--csv", "--auth-file", "AUTH", url}, wrong.c_str(), 2,
         "quillory-list: cannot read folder '" + url + "': Permission denied\n"},
        {"no password and no terminal to ask on", {"--csv", url}, "", 2,
         "quillory-list: cannot read folder '" + url + "': Permission denied\n"},
        // Read twice before it is named: a listing the server cut short looks the same.
        {"missing folder", {"--csv", "--auth-file", "AUTH", url + "/nope"}, right.c_str(), 2,
         "quillory-list: cannot read folder '" + url + "/nope': No such file or directory\n"},
        {"auth file missing", {"--csv", "--auth-file", "/nonexistent/auth", url}, "", 1,
         "quillory-list: cannot read auth file '/nonexistent/auth': No such file or directory\n"},
        {"not a share path", {"--csv", "smb://host-without-share"}, "", 1,
         "quillory-list: 'smb://host-without-share' is not a share path "
         "(\\\\host\\share\\folder or smb://host/share/folder)\n"},
        {"auth file with a local folder", {"--csv", "--auth-file", "AUTH", "/tmp"}, right.c_str(), 1,
         "quillory-list: --auth-file goes with a share\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Cli cli;
        std::vector<std::string> args = row.args;
        for (std::string& a : args)
            if (a == "AUTH") a = cli.authFile(row.authText);
        const ProcessResult r = cli(args);
        EXPECT_EQ(r.status, row.status);
        EXPECT_EQ(r.err, row.err);
        if (row.status == 0) {
            EXPECT_NE(r.out.find("\"inside.txt\",\"" + url + "/\""), std::string::npos) << r.out;
        }
    }
    // A libsmbclient without its functions (another library under its name, found first): the share says why.
    const TempDir fake;
    Dl_info math{};
    ASSERT_NE(::dladdr(reinterpret_cast<void*>(static_cast<double (*)(double)>(&::cos)), &math), 0);
    std::filesystem::copy_file(math.dli_fname, fake / "libsmbclient.so.0");
    const ScopedEnv libraries("LD_LIBRARY_PATH", fake.path().c_str());
    const ProcessResult r = Cli()({"--csv", url});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "quillory-list: cannot read folder '" + url + "': Can not access a needed shared library\n");
}

TEST_F(QuilloryListShare, AsksForThePasswordOnATerminalWithoutEchoingIt) {
    const ShareTree tree(server.secureDir, "prompt");
    tree.file("inside.txt", 5, 1000000000);
    const Cli cli;
    const std::string auth = cli.authFile("username = " + server.user + "\n");
    const std::string out = cli.home / "out.csv";
    const Pty pty;
    ASSERT_FALSE(pty.terminal.empty());
    const int pid = pty.start(cli, {"--csv", "-o", out, "--auth-file", auth, server.url("secure", tree.name())});
    const std::string prompt = "Password for " + server.user + "@127.0.0.1: ";
    EXPECT_NE(pty.readUntil(prompt).find(prompt), std::string::npos);
    ASSERT_TRUE(pty.type(server.password + "\n"));
    // Bounded: a prompt that lost its answer must fail the test, not hang it.
    const int status = waitEnded(pid, 20000);
    const std::string shown = pty.readUntil(server.password);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << shown;
    EXPECT_EQ(shown.find(server.password), std::string::npos) << "echoed: " << shown;
    EXPECT_NE(readFile(out).find("\"inside.txt\""), std::string::npos) << readFile(out);
}

}  // namespace
}  // namespace quillory::test
