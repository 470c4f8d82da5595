#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <thread>

#include "platform/folder_source.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace quillory::test {
namespace {

std::size_t entryNamed(Folder& folder, const std::string& name) {
    const auto& e = folder.entries();
    return std::find_if(e.begin(), e.end(), [&](const FolderEntry& x) { return x.name == name; }) - e.begin();
}

// Past the descriptor budget a folder gives its descriptor up and reopens by
// path when asked; one replaced meanwhile is another folder and not listed.
TEST(LocalFolderSource, ReopenedFolderMustBeTheSameFolder) {
    TempDir tree;
    tree.file("kept/x");
    tree.file("replaced/y");
    const auto source = makeLocalFolderSource();
    const auto kept = source->open(tree / "kept");
    const auto replaced = source->open(tree / "replaced");
    std::vector<std::unique_ptr<Folder>> others;
    for (int i = 0; i < 40; ++i) others.push_back(source->open(tree.path()));
    ASSERT_EQ(::rename((tree / "replaced").c_str(), (tree / "old").c_str()), 0);
    tree.file("replaced/z");
    ASSERT_EQ(kept->entries().size(), 1u);
    EXPECT_EQ(kept->entries()[0].name, "x");
    EXPECT_FALSE(replaced->readable());
    EXPECT_EQ(replaced->error(), ESTALE);
}

// getxattrat() (464 on x86-64 and arm64 alike) answers ENOSYS on this thread
// from now on, as on a kernel before it or under a seccomp policy.
bool refuseGetxattrat() {
    sock_filter code[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, 464, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program{static_cast<unsigned short>(std::size(code)), code};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, 0, &program) == 0;
}

// The word is Samba's when it has one, else read-only from the owner's write
// bit and hidden from a leading dot. The switch takes the path, as a kernel
// that refuses getxattrat() makes it do: after the folder is renamed, only
// the relative read still finds Samba's word.
TEST(LocalFolderSource, AttributesThroughThePathWhenAsked) {
    // relative: read relative to the folder; byPath: what the path finds once the folder moved
    const struct { const char *name, *dosAttrib; mode_t mode; std::int64_t relative, byPath; } rows[] = {
        {"samba word", "0x24", 0644, 0x24, 0}, {"samba word, read-only", "0x21", 0444, 0x21, 0x01},
        {".hidden with a word", "0x20", 0644, 0x20, 0x02}, {"no other attribute", "0x80", 0644, 0, 0},
        {"no word", nullptr, 0444, 0x01, 0x01}, {"others may write", nullptr, 0466, 0x01, 0x01},
        {".unreadable word", "junk", 0644, 0x02, 0x02},
    };
    TempDir tree;
    for (const auto& row : rows) {
        const std::string path = tree.file(std::string("d/") + row.name);
        if (row.dosAttrib && ::setxattr(path.c_str(), "user.DOSATTRIB", row.dosAttrib, std::strlen(row.dosAttrib), 0) != 0)
            GTEST_SKIP() << "file system refuses user extended attributes";
        ASSERT_EQ(::chmod(path.c_str(), row.mode), 0);
    }
    enum class Way { Relative, Asked, Refused };  // the last for the rest of the process
    for (const Way way : {Way::Relative, Way::Asked, Way::Refused}) std::thread([&] {
        const bool byPath = way != Way::Relative;
        const ScopedEnv force("QUILLORY_ATTRIBUTES_BY_PATH", way == Way::Asked ? "1" : nullptr);
        ASSERT_TRUE(way != Way::Refused || refuseGetxattrat());
        const auto source = makeLocalFolderSource();
        const auto here = source->open(tree / "d"), moved = source->open(tree / "d");
        for (const auto& row : rows) EXPECT_EQ(here->attributes(entryNamed(*here, row.name)), row.relative) << row.name;
        ASSERT_EQ(moved->entries().size(), std::size(rows));
        ASSERT_EQ(::rename((tree / "d").c_str(), (tree / "e").c_str()), 0);
        for (const auto& row : rows)
            EXPECT_EQ(moved->attributes(entryNamed(*moved, row.name)), byPath ? row.byPath : row.relative) << row.name;
        ASSERT_EQ(::rename((tree / "e").c_str(), (tree / "d").c_str()), 0);
    }).join();
}

}  // namespace
}  // namespace quillory::test
