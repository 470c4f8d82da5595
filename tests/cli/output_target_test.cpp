// Where quillory-list may be told to write, through the real binary.
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "cli/cli_runner.h"
#include "support/unprivileged.h"

namespace quillory::test {
namespace {

constexpr uid_t kNobody = 65534;

// A tree of `files` files and its CSV listing on standard output.
struct ListRun : Cli {
    std::string listing;
    explicit ListRun(int files) {
        for (int i = 0; i < files; ++i) tree.file("file-with-a-longish-name-" + std::to_string(i) + ".txt", i);
        listing = (*this)({"--csv", tree.path()}).out;
    }
};

struct stat statOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}

// A replaced file keeps its mode, owner and, only when it must (other links), its inode; links lead on.
TEST(OutputTarget, EachKindOfTargetGetsTheWholeListing) {
    const ListRun s(50);
    ASSERT_GT(s.listing.size(), 1000u);
    const std::string old = "head -c 5000 /dev/zero >out.csv && chmod ";
    const struct {
        const char* name;
        std::string prepare;  // shell commands run in a fresh folder
        const char* target;   // the -o argument, there
        std::vector<const char*> holding;  // files that then hold the listing
        const char* after = "true";        // a shell test of what the folder must then hold
        const char* reader = nullptr;      // started there before the run
        bool sameInode = false;            // written into, not renamed over
    } rows[] = {
        {"absent file", "true", "new.html", {"new.html"}},
        {"longer regular file, mode and owner kept",
         "head -c 100000 /dev/zero >old.html && chmod 600 old.html && "
         "{ [ $(id -u) != 0 ] || chown 65534:65534 old.html; }",
         "old.html", {"old.html"}},
        {"set-ID bits and sticky", old + "7755 out.csv", "out.csv", {"out.csv"}},
        {"hard-linked", old + "640 out.csv && ln out.csv other.csv", "out.csv", {"out.csv", "other.csv"}, "true",
         nullptr, true},
        {"chain of absolute links", "echo old >real.html && ln -s $PWD/real.html link1 && ln -s $PWD/link1 link2",
         "link2", {"real.html"}, "[ -L link1 ] && [ -L link2 ]"},
        {"relative link from a sub-folder", "echo old >real.html && mkdir sub && ln -s ../real.html sub/link",
         "sub/link", {"real.html"}, "[ -L sub/link ]"},
        {"dangling link creates its target", "ln -s made.html link", "link", {"made.html"}, "[ -L link ]"},
        {"FIFO with a reader", "mkfifo fifo", "fifo", {"got"}, "[ -p fifo ]", "cat fifo >got"},
        // Not every container may make devices; the row is then skipped.
        {"character device (null)", "mknod null c 1 3 || exit 99", "null", {}, "[ -c null ]"},
        {"dash", "true", "-", {}}, {"/dev/stdout", "true", "/dev/stdout", {}},
    };
    const mode_t savedMask = ::umask(022);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const TempDir home;
        const auto inHome = [&](const std::string& line) {
            return std::vector<std::string>{"/bin/sh", "-c", "cd \"$0\" && " + line, home.path()};
        };
        const int prepared = runProcess(inHome(row.prepare)).status;
        if (prepared == 99) continue;
        ASSERT_EQ(prepared, 0);
        const bool toStdout = row.target[0] == '/' || row.target[0] == '-';
        const std::string target = toStdout ? row.target : home / row.target;
        const struct stat before = statOf(target);
        const int reader = row.reader ? startProcess(inHome(row.reader)) : -1;

        const ProcessResult r = s({"--csv", "-o", target, s.tree.path()});
        EXPECT_EQ(reader > 0 ? waitProcess(reader) : 0, 0);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, toStdout ? s.listing : "");
        EXPECT_EQ(runProcess(inHome(row.after)).status, 0) << row.after;
        for (const char* file : row.holding) EXPECT_EQ(readFile(home / file), s.listing) << file;
        const struct stat after = statOf(target);
        if (S_ISREG(after.st_mode)) {
            const bool existed = before.st_mode != 0;
            EXPECT_EQ(after.st_mode & 07777, existed ? before.st_mode & 07777 : 0644);
            EXPECT_EQ(after.st_nlink, existed ? before.st_nlink : 1);
            EXPECT_TRUE(!existed || (after.st_uid == before.st_uid && after.st_gid == before.st_gid));
        }
        EXPECT_TRUE(!row.sameInode || after.st_ino == before.st_ino);
        EXPECT_EQ(namesWith(home.path(), ".html.") + namesWith(home.path(), ".csv."), 0);
    }
    ::umask(savedMask);
}

// The settings store and the event log, under any name, are refused before anything is written.
TEST(OutputTarget, TheStoreAndTheLogAreNeverOverwritten) {
    ListRun s(5);
    const std::string& store = s.storePath;
    ASSERT_EQ(s({"--set", "Output/NameOrder=1"}).status, 0);
    s.env.push_back("XDG_STATE_HOME=" + s.home.path());
    const std::string log = s.home.file("Tallyfold/log.txt");
    writeFile(log, "the log");
    ::link(store.c_str(), (s.home / "store-link").c_str());
    ::symlink(log.c_str(), (s.home / "log-link").c_str());
    const std::pair<std::string, std::string> rows[] = {
        {store, "it is the settings store " + store}, {s.home / "store-link", "it is the settings store " + store},
        {s.home / "log-link", "it is the event log " + log},
    };
    const std::string storeBytes = readFile(store);
    for (const auto& [target, says] : rows) {
        const ProcessResult r = s({"-o", target, s.tree.path()});
        EXPECT_EQ(r.status, 2) << target;
        EXPECT_EQ(r.err,
                  "quillory-list: cannot write '" + target + "': " + says + ", which a listing never replaces\n");
    }
    EXPECT_EQ(readFile(log), "the log");
    EXPECT_EQ(readFile(store), storeBytes);
}

// Refused what a shell redirection would refuse, even where a rename would succeed; the old file stays.
TEST(OutputTarget, AFileOrFolderTheUserMayNotWriteIsRefused) {
    const ListRun s(5);
    const TempDir place;
    ::chmod(place.path().c_str(), 01777);
    ::chmod(s.tree.path().c_str(), 0755);
    // `nobodysFolder` needs root to make a file another user may not write.
    struct Row { const char* folder; mode_t fileMode, folderMode; bool nobodysFolder; } rows[] = {
        {"private", 0600, 0755, true}, {"read-only", 0444, 0755, true}, {"locked folder", 0644, 0555, false}};
    for (const Row& row : rows) {
        if (row.nobodysFolder && ::geteuid() != 0) continue;
        const std::string folder = place.folder(row.folder);
        writeFile(folder + "/out.html", "old");
        ::chmod((folder + "/out.html").c_str(), row.fileMode);
        if (row.nobodysFolder) ::chown(folder.c_str(), kNobody, kNobody);
        ::chmod(folder.c_str(), row.folderMode);
    }
    const std::string& exe = listExecutableForAnyone();
    runUnprivileged([&] {
        for (const Row& row : rows) {
            if (row.nobodysFolder && ::geteuid() != kNobody) continue;
            const std::string target = place / row.folder + "/out.html";
            const ProcessResult r = runProcess({exe, "-o", target, s.tree.path()},
                                               {"QUILLORY_SETTINGS=" + (place / row.folder + "/settings.sqlite")});
            EXPECT_EQ(r.status, 2) << row.folder;
            EXPECT_EQ(r.err, "quillory-list: cannot write '" + target + "': Permission denied\n");
        }
    });
    for (const Row& row : rows) {
        if (row.nobodysFolder && ::geteuid() != 0) continue;
        EXPECT_EQ(readFile(place / row.folder + "/out.html"), "old") << row.folder;
        EXPECT_EQ(namesWith(place / row.folder, ".html."), 0) << row.folder;
    }
}

TEST(OutputTarget, FileSizeLimitFailsWithoutAPartialFile) {
    const ListRun s(800);
    ASSERT_GT(s.listing.size(), 64u * 512);
    const std::string target = s.home / "out.html";
    for (const int blocks : {0, 8}) {  // of 512 bytes, as ulimit counts: at the first write, or later
        writeFile(target, "the old listing");
        // Through a shell's ulimit, as a user would, with SIGXFSZ left as it is.
        const ProcessResult r = s({"--csv", "-o", target, s.tree.path()}, "ulimit -f " + std::to_string(blocks) + ";");
        EXPECT_EQ(r.status, 2) << blocks;
        EXPECT_NE(r.err.find("cannot write '" + target + "': File too large"), std::string::npos) << r.err;
        EXPECT_EQ(readFile(target), "the old listing") << blocks;
        EXPECT_EQ(namesWith(s.home.path(), ".html."), 0) << blocks;
    }
}

// SIGTERM reaches a writer blocked on a full pipe: it ends with 130 (the wait is a hang guard).
TEST(OutputTarget, TerminateEndsAWriteToAStalledPipe) {
    const ListRun s(300);
    const std::string fifo = s.home / "stdout";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Held open but never read: the pipe fills and the writer blocks.
    const int pipe = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(pipe, 0);
    ::fcntl(pipe, F_SETPIPE_SZ, 4096);
    ASSERT_GT(s.listing.size(), 4096u);
    const int pid = s.start({"--csv", s.tree.path()}, "", "> " + fifo);
    int queued = 0;
    for (int i = 0; i < 30000 && queued < 4096; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ::ioctl(pipe, FIONREAD, &queued);
    }
    ASSERT_GE(queued, 4096);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // well inside the blocked write
    ::kill(pid, SIGTERM);
    const int status = waitEnded(pid, 30000);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 130) << status;
    ::close(pipe);
}

}  // namespace
}  // namespace quillory::test
