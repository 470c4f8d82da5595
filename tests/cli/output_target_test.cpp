// Where quillory-list may be told to write, through the real binary.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

#include "support/golden.h"
#include "support/run_process.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace quillory::test {
namespace {

constexpr uid_t kNobody = 65534;

struct ListRun {
    TempDir home;
    TempDir tree;
    std::vector<std::string> env{"QUILLORY_SETTINGS=" + (home / "settings.sqlite")};
    std::string listing;  // what the run writes to standard output without -o

    explicit ListRun(int files) {
        for (int i = 0; i < files; ++i) tree.file("file-with-a-longish-name-" + std::to_string(i) + ".txt", i);
        listing = run({"--csv", tree.path()}).out;
    }
    ProcessResult run(std::vector<std::string> args) const {
        args.insert(args.begin(), QUILLORY_LIST_EXE);
        return runProcess(args, env);
    }
    int leftovers(const std::string& folder) const {
        int count = 0;
        if (DIR* dir = ::opendir(folder.c_str())) {
            while (const dirent* e = ::readdir(dir)) count += std::string_view(e->d_name).find(".html.") != std::string_view::npos;
            ::closedir(dir);
        }
        return count;
    }
};

mode_t typeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

TEST(OutputTarget, EachKindOfTargetGetsTheWholeListing) {
    const ListRun s(50);
    ASSERT_GT(s.listing.size(), 1000u);
    struct Row {
        const char* name;
        // Prepares the target in `home`; the -o argument. May start a reader.
        std::function<std::string(const TempDir& home, int& readerPid)> prepare;
        // The file in home that holds the listing; "" standard output, null nowhere.
        const char* listedIn;
        std::vector<std::pair<const char*, mode_t>> kinds;  // files in home and what they must still be
    } rows[] = {
        {"absent file", [](const TempDir& h, int&) { return h / "new.html"; }, "new.html", {{"new.html", S_IFREG}}},
        {"longer regular file, mode and owner kept",
         [](const TempDir& h, int&) {
             writeFile(h / "old.html", std::string(100000, 'o'));
             ::chmod((h / "old.html").c_str(), 0600);
             if (::geteuid() == 0) ::chown((h / "old.html").c_str(), kNobody, kNobody);
             return h / "old.html";
         },
         "old.html", {{"old.html", S_IFREG}}},
        {"chain of absolute links",
         [](const TempDir& h, int&) {
             writeFile(h / "real.html", "old");
             ::symlink((h / "real.html").c_str(), (h / "link1").c_str());
             ::symlink((h / "link1").c_str(), (h / "link2").c_str());
             return h / "link2";
         },
         "real.html", {{"real.html", S_IFREG}, {"link1", S_IFLNK}, {"link2", S_IFLNK}}},
        {"relative link from a sub-folder",
         [](const TempDir& h, int&) {
             writeFile(h / "real.html", "old");
             h.folder("sub");
             ::symlink("../real.html", (h / "sub/link").c_str());
             return h / "sub/link";
         },
         "real.html", {{"real.html", S_IFREG}, {"sub/link", S_IFLNK}}},
        {"dangling link creates its target",
         [](const TempDir& h, int&) {
             ::symlink("made.html", (h / "link").c_str());
             return h / "link";
         },
         "made.html", {{"made.html", S_IFREG}, {"link", S_IFLNK}}},
        {"FIFO with a reader",
         [](const TempDir& h, int& reader) {
             ::mkfifo((h / "fifo").c_str(), 0644);
             reader = startProcess({"/bin/sh", "-c", "cat " + (h / "fifo") + " > " + (h / "got")});
             return h / "fifo";
         },
         "got", {{"fifo", S_IFIFO}}},
        {"character device (null)",
         [](const TempDir& h, int&) {
             // Not every container may make devices; the row is then skipped.
             return ::mknod((h / "null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0 ? h / "null" : "";
         },
         nullptr, {{"null", S_IFCHR}}},
        {"dash", [](const TempDir&, int&) { return std::string("-"); }, "", {}},
        {"/dev/stdout", [](const TempDir&, int&) { return std::string("/dev/stdout"); }, "", {}},
    };
    const mode_t savedMask = ::umask(022);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TempDir home;
        int reader = -1;
        const std::string target = row.prepare(home, reader);
        if (target.empty()) continue;
        struct stat before {};
        ::stat(target.c_str(), &before);

        const ProcessResult r = s.run({"--csv", "-o", target, s.tree.path()});
        if (reader > 0) {
            EXPECT_EQ(waitProcess(reader), 0);
        }
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        if (row.listedIn && *row.listedIn == '\0') {
            EXPECT_EQ(r.out, s.listing);
        } else {
            EXPECT_EQ(r.out, "");
            if (row.listedIn) {
                EXPECT_EQ(readFile(home / row.listedIn), s.listing);
            }
        }
        for (const auto& [file, kind] : row.kinds) EXPECT_EQ(typeOf(home / file), kind) << file;
        struct stat after {};
        if (::stat(target.c_str(), &after) == 0 && S_ISREG(after.st_mode)) {
            const bool existed = before.st_mode != 0;
            EXPECT_EQ(after.st_mode & 07777, existed ? before.st_mode & 07777 : 0644);
            if (existed) {
                EXPECT_EQ(after.st_uid, before.st_uid);
                EXPECT_EQ(after.st_gid, before.st_gid);
            }
        }
        EXPECT_EQ(s.leftovers(home.path()), 0);
    }
    ::umask(savedMask);
}

// A replaced file keeps its inode only when it must: other links, or bits
// that a new file could not be given.
TEST(OutputTarget, ModeBitsOwnerAndLinksOfTheTargetStay) {
    const ListRun s(20);
    struct Row {
        const char* name;
        mode_t mode;
        bool secondLink;
        bool sameInode;  // written into, not renamed over
    } rows[] = {
        {"set-user-ID", 04755, false, false},
        {"set-group-ID and sticky", 03644, false, false},
        {"hard-linked", 0640, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TempDir home;
        const std::string target = home / "out.csv";
        writeFile(target, std::string(5000, 'o'));
        ::chmod(target.c_str(), row.mode);
        if (row.secondLink) ::link(target.c_str(), (home / "other.csv").c_str());
        struct stat before {};
        ::stat(target.c_str(), &before);
        const ProcessResult r = s.run({"--csv", "-o", target, s.tree.path()});
        EXPECT_EQ(r.status, 0) << r.err;
        struct stat after {};
        ::stat(target.c_str(), &after);
        EXPECT_EQ(after.st_mode & 07777, row.mode);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_nlink, before.st_nlink);
        if (row.sameInode) {
            EXPECT_EQ(after.st_ino, before.st_ino);
        }
        EXPECT_EQ(readFile(target), s.listing);
        if (row.secondLink) {
            EXPECT_EQ(readFile(home / "other.csv"), s.listing);
        }
        EXPECT_EQ(s.leftovers(home.path()), 0);
    }
}

// The settings store and the event log, under any name, are refused before
// anything is written.
TEST(OutputTarget, TheStoreAndTheLogAreNeverOverwritten) {
    ListRun s(5);
    const std::string store = s.home / "settings.sqlite";
    ASSERT_EQ(s.run({"--set", "Output/NameOrder=1"}).status, 0);
    s.env.push_back("XDG_STATE_HOME=" + s.home.path());
    const std::string log = s.home.file("Tallyfold/log.txt");
    writeFile(log, "the log");
    ::link(store.c_str(), (s.home / "store-link").c_str());
    ::symlink(log.c_str(), (s.home / "log-link").c_str());
    struct Row {
        const char* name;
        std::string target;
        std::string says;
    } rows[] = {
        {"the store", store, "it is the settings store " + store},
        {"a hard link to the store", s.home / "store-link", "it is the settings store " + store},
        {"the log through a link", s.home / "log-link", "it is the event log " + log},
    };
    const std::string storeBytes = readFile(store);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ProcessResult r = s.run({"-o", row.target, s.tree.path()});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "quillory-list: cannot write '" + row.target + "': " + row.says +
                             ", which a listing never replaces\n");
        EXPECT_EQ(readFile(log), "the log");
        EXPECT_EQ(readFile(store), storeBytes);
    }
    EXPECT_EQ(s.run({"--get", "Output/NameOrder"}).out, "1\n");
}

// An ordinary user is refused what a shell redirection would refuse, even in
// a folder of its own where a rename would succeed.
TEST(OutputTarget, AFileTheUserMayNotWriteIsRefused) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to make files another user may not write";
    const ListRun s(5);
    const TempDir place;
    ::chmod(place.path().c_str(), 0755);
    ::chmod(s.tree.path().c_str(), 0755);
    const std::string folder = place.folder("nobodys");
    ::chown(folder.c_str(), kNobody, kNobody);
    const std::pair<const char*, mode_t> rows[] = {{"private.html", 0600}, {"read-only.html", 0444}};
    for (const auto& [name, mode] : rows) {
        writeFile(folder + "/" + name, "root's");
        ::chmod((folder + "/" + name).c_str(), mode);
    }
    const std::string& exe = listExecutableForAnyone();
    runUnprivileged([&] {
        for (const auto& [name, mode] : rows) {
            SCOPED_TRACE(name);
            const std::string target = folder + "/" + name;
            const ProcessResult r = runProcess({exe, "-o", target, s.tree.path()},
                                               {"QUILLORY_SETTINGS=" + (folder + "/settings.sqlite")});
            EXPECT_EQ(r.status, 2);
            EXPECT_EQ(r.err, "quillory-list: cannot write '" + target + "': Permission denied\n");
        }
    });
    for (const auto& [name, mode] : rows) {
        struct stat st {};
        ::stat((folder + "/" + name).c_str(), &st);
        EXPECT_EQ(st.st_uid, 0u) << name;
        EXPECT_EQ(st.st_mode & 07777, mode) << name;
        EXPECT_EQ(readFile(folder + "/" + name), "root's") << name;
    }
}

TEST(OutputTarget, ReadOnlyFolderFailsAndLeavesTheOldFile) {
    const ListRun s(5);
    const TempDir place;
    ::chmod(place.path().c_str(), 01777);
    ::chmod(s.tree.path().c_str(), 0755);
    const std::string folder = place.folder("locked");
    writeFile(folder + "/out.html", "old");
    ::chmod(folder.c_str(), 0555);
    const std::string& exe = listExecutableForAnyone();
    runUnprivileged([&] {
        const ProcessResult r = runProcess({exe, "-o", folder + "/out.html", s.tree.path()},
                                           {"QUILLORY_SETTINGS=" + (place / "settings.sqlite")});
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("cannot write '" + folder + "/out.html': Permission denied"), std::string::npos) << r.err;
    });
    EXPECT_EQ(readFile(folder + "/out.html"), "old");
    EXPECT_EQ(s.leftovers(folder), 0);
}

TEST(OutputTarget, FileSizeLimitFailsWithoutAPartialFile) {
    const ListRun s(800);
    ASSERT_GT(s.listing.size(), 64u * 512);
    const std::string target = s.home / "out.html";
    for (const int blocks : {0, 1, 8, 64}) {  // of 512 bytes, as ulimit counts
        SCOPED_TRACE(blocks);
        writeFile(target, "the old listing");
        // Through a shell's ulimit, as a user would, with SIGXFSZ left as it is.
        const ProcessResult r = runProcess({"/bin/sh", "-c", "ulimit -f " + std::to_string(blocks) + "; exec \"$@\"",
                                            "sh", QUILLORY_LIST_EXE, "--csv", "-o", target, s.tree.path()},
                                           s.env);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("cannot write '" + target + "': File too large"), std::string::npos) << r.err;
        EXPECT_EQ(readFile(target), "the old listing");
        EXPECT_EQ(s.leftovers(s.home.path()), 0);
    }
}

TEST(OutputTarget, TerminateEndsAWriteToAStalledPipe) {
    const ListRun s(300);
    const std::string fifo = s.home / "stdout";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Held open but never read: the pipe fills and the writer blocks.
    const int pipe = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(pipe, 0);
    ::fcntl(pipe, F_SETPIPE_SZ, 4096);
    ASSERT_GT(s.listing.size(), 4096u);
    const int pid = startProcess(
        {"/bin/sh", "-c", "exec \"$@\" > " + fifo, "sh", QUILLORY_LIST_EXE, "--csv", s.tree.path()}, s.env);
    int queued = 0;
    for (int i = 0; i < 5000 && queued < 4096; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ::ioctl(pipe, FIONREAD, &queued);
    }
    ASSERT_GE(queued, 4096);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // well inside the blocked write
    ::kill(pid, SIGTERM);
    int status = 0;
    bool ended = false;
    for (int waited = 0; waited < 1000 && !ended; ++waited) {
        ended = ::waitpid(pid, &status, WNOHANG) == pid;
        if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(ended) << "still running a second after SIGTERM";
    if (ended) {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 130) << status;
    } else {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    ::close(pipe);
}

}  // namespace
}  // namespace quillory::test
