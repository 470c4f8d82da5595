#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <numeric>

#include "platform/file_attributes.h"
#include "platform/folder_source.h"
#include "platform/stop_token.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace quillory::test {
namespace {

std::vector<std::size_t> everyIndex(Folder& folder) {
    std::vector<std::size_t> every(folder.entries().size());
    std::iota(every.begin(), every.end(), std::size_t{0});
    return every;
}

std::size_t entryNamed(Folder& folder, const std::string& name) {
    const auto& entries = folder.entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].name == name) return i;
    return entries.size();
}

TEST(LocalFolderSource, EntriesAreFilesAndFoldersWithoutDots) {
    TempDir tree;
    tree.file("a.txt", 3);
    tree.folder("sub");
    ASSERT_EQ(::symlink("sub", (tree / "to-sub").c_str()), 0);
    ASSERT_EQ(::symlink("a.txt", (tree / "to-a").c_str()), 0);
    ASSERT_EQ(::symlink("missing", (tree / "dangling").c_str()), 0);
    const auto folder = makeLocalFolderSource()->open(tree.path());
    ASSERT_TRUE(folder->readable());
    std::vector<std::pair<std::string, EntryKind>> seen;
    for (const auto& e : folder->entries()) seen.emplace_back(e.name, e.kind);
    std::sort(seen.begin(), seen.end());
    const std::vector<std::pair<std::string, EntryKind>> expected{
        {"a.txt", EntryKind::File}, {"dangling", EntryKind::File}, {"sub", EntryKind::Folder},
        {"to-a", EntryKind::File},  {"to-sub", EntryKind::Folder}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(folder->facts(entryNamed(*folder, "to-a")).size, 3);
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
    EXPECT_TRUE(kept->readable());
    ASSERT_EQ(kept->entries().size(), 1u);
    EXPECT_EQ(kept->entries()[0].name, "x");
    EXPECT_FALSE(replaced->readable());
    EXPECT_EQ(replaced->error(), ESTALE);
}

// A chain of folders far deeper than PATH_MAX allows to spell: each level
// holds "file" (as many bytes as its depth), a sibling folder "side" holding
// "mark" (a million bytes more) and the next level "level". Made relative to
// descriptors; taken apart by moving the rest of the chain up one level at a
// time, since no path reaches the bottom.
constexpr int kChainDepth = 3000;

void makeChain(const std::string& root) {
    int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY);
    const auto sized = [](int dir, const char* name, off_t size) {
        const int file = ::openat(dir, name, O_CREAT | O_WRONLY, 0644);
        ASSERT_EQ(::ftruncate(file, size), 0);
        ::close(file);
    };
    for (int depth = 1; depth <= kChainDepth && fd >= 0; ++depth) {
        ASSERT_EQ(::mkdirat(fd, "level", 0755), 0);
        const int next = ::openat(fd, "level", O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
        sized(fd, "file", depth);
        ASSERT_EQ(::mkdirat(fd, "side", 0755), 0);
        sized(fd, "side/mark", 1000000 + depth);
    }
    ASSERT_GE(fd, 0);
    ::close(fd);
}

void removeChain(const std::string& root) {
    const std::string top = root + "/level", rest = root + "/rest";
    while (::access(top.c_str(), F_OK) == 0) {
        const bool deeper = ::rename((top + "/level").c_str(), rest.c_str()) == 0;
        ::unlink((top + "/file").c_str());
        ::unlink((top + "/side/mark").c_str());
        ::rmdir((top + "/side").c_str());
        ::rmdir(top.c_str());
        if (deeper) ::rename(rest.c_str(), top.c_str());
    }
}

// Facts fetched ahead on two threads, in sub-folders read ahead in the walk's
// order or out of it, equal those of a folder opened cold and asked one by one.
TEST(LocalFolderSource, FactsFetchedAheadEqualColdOnes) {
    TempDir tree;
    for (int f = 0; f < 4; ++f)
        for (int i = 0; i < 90; ++i) {
            const std::string name = "s" + std::to_string(f) + (i % 7 == 0 ? "/." : "/") + "f" + std::to_string(i);
            tree.file(name, f * 1000 + i * 37, 1000000000LL + i * 3600);
            if (i % 5 == 0) ::chmod((tree / name).c_str(), 0444);
            // Samba's word on some: archive and system.
            if (i % 11 == 0) ::setxattr((tree / name).c_str(), "user.DOSATTRIB", "0x24", 4, 0);
        }
    ASSERT_EQ(::symlink("f1", (tree / "s0/link").c_str()), 0);
    ASSERT_EQ(::symlink("gone", (tree / "s0/broken").c_str()), 0);
    const auto warm = makeLocalFolderSource();
    const auto cold = makeLocalFolderSource();
    const auto root = warm->open(tree.path());
    root->prefetch(everyIndex(*root), false);
    int marked = 0;
    for (const char* name : {"s0", "s1", "s3", "s2"}) {
        SCOPED_TRACE(name);
        const auto sub = root->openChild(entryNamed(*root, name));
        sub->prefetch(everyIndex(*sub), true);
        const auto fresh = cold->open(tree / name);
        ASSERT_EQ(sub->entries().size(), fresh->entries().size());
        for (std::size_t i = 0; i < sub->entries().size(); ++i) {
            const std::string& entry = sub->entries()[i].name;
            const std::size_t j = entryNamed(*fresh, entry);
            EXPECT_EQ(sub->facts(i).size, fresh->facts(j).size) << entry;
            EXPECT_EQ(sub->facts(i).modified, fresh->facts(j).modified) << entry;
            EXPECT_EQ(sub->attributes(i), fresh->attributes(j)) << entry;
            // Read relative to the folder, the same as through the whole path.
            EXPECT_EQ(sub->attributes(i), readAttributeWord(tree / name + "/" + entry)) << entry;
            marked += sub->attributes(i) != 0;
        }
    }
    // Enough files carry a word for agreement to mean something.
    EXPECT_GT(marked, 100);
}

// The word read relative to the folder equals the one read through the path
// (the way kernels without getxattrat() go, forced by the switch). The switch
// really takes that way: after the folder is renamed, only the relative read
// still finds Samba's word.
TEST(LocalFolderSource, AttributesThroughThePathWhenAsked) {
    // relative: the word read relative to the folder; byPath: once the folder
    // has moved, what the path finds (dosAttrib null: no word).
    const struct { const char *name, *dosAttrib; mode_t mode; std::int64_t relative, byPath; } rows[] = {
        {"samba word", "0x24", 0644, 0x24, 0},
        {"samba word, read-only", "0x21", 0444, 0x21, 0x01},
        {".hidden with a word", "0x20", 0644, 0x20, 0x02},
        {"no other attribute", "0x80", 0644, 0, 0},
        {"no word", nullptr, 0444, 0x01, 0x01},
    };
    TempDir tree;
    for (const auto& row : rows) {
        const std::string path = tree.file(std::string("d/") + row.name);
        if (row.dosAttrib && ::setxattr(path.c_str(), "user.DOSATTRIB", row.dosAttrib, std::strlen(row.dosAttrib), 0) != 0)
            GTEST_SKIP() << "file system refuses user extended attributes";
        ASSERT_EQ(::chmod(path.c_str(), row.mode), 0);
    }
    for (const bool byPath : {false, true}) {
        SCOPED_TRACE(byPath ? "by path" : "relative");
        const ScopedEnv force("QUILLORY_ATTRIBUTES_BY_PATH", byPath ? "1" : nullptr);
        const auto source = makeLocalFolderSource();
        const auto here = source->open(tree / "d");
        for (const auto& row : rows)
            EXPECT_EQ(here->attributes(entryNamed(*here, row.name)), row.relative) << row.name;
        const auto moved = source->open(tree / "d");
        ASSERT_EQ(moved->entries().size(), std::size(rows));
        ASSERT_EQ(::rename((tree / "d").c_str(), (tree / "e").c_str()), 0);
        for (const auto& row : rows)
            EXPECT_EQ(moved->attributes(entryNamed(*moved, row.name)), byPath ? row.byPath : row.relative) << row.name;
        ASSERT_EQ(::rename((tree / "e").c_str(), (tree / "d").c_str()), 0);
    }
}

// In a child with 20 descriptors, fewer than the budget the source keeps for
// itself: opens the chain level by level keeping every folder, then on the way
// back up opens each level's side folder. The exit status is the first level
// that went wrong.
int walkChain(const std::string& root) {
    const rlimit few{20, 20};
    if (::setrlimit(RLIMIT_NOFILE, &few) != 0) return 1;
    const auto source = makeLocalFolderSource();
    std::vector<std::unique_ptr<Folder>> stack;
    stack.push_back(source->open(root));
    for (int depth = 1; depth <= kChainDepth; ++depth) {
        Folder& parent = *stack.back();
        const std::size_t next = entryNamed(parent, "level");
        if (next == parent.entries().size()) return 2;
        stack.push_back(parent.openChild(next));
        Folder& here = *stack.back();
        const std::size_t file = entryNamed(here, "file"), count = depth < kChainDepth ? 3 : 2;
        if (!here.readable() || here.entries().size() != count || file == count || here.facts(file).size != depth)
            return 3;
    }
    for (int level = kChainDepth - 1; level >= 1; --level) {
        stack.pop_back();
        Folder& here = *stack.back();
        const auto side = here.openChild(entryNamed(here, "side"));
        if (!side->readable() || side->entries().size() != 1 || side->facts(0).size != 1000000 + level) return 4;
        // The folder reopened on the way back still answers for its own file.
        if (here.facts(entryNamed(here, "file")).size != level) return 5;
    }
    while (!stack.empty()) stack.pop_back();  // children before their parents
    return 0;
}

TEST(LocalFolderSourceDeath, AnyDepthWithFewDescriptors) {
    const TempDir tree = TempDir::inMemory();
    makeChain(tree.path());
    EXPECT_EXIT(std::exit(walkChain(tree.path())), ::testing::ExitedWithCode(0), "");
    removeChain(tree.path());
}

// A raised token stops the fetching ahead; the answers come one by one after.
TEST(LocalFolderSource, StoppedPrefetchLeavesFactsToLaterAsks) {
    TempDir tree;
    for (int i = 0; i < 200; ++i) tree.file("f" + std::to_string(i), 10 + i);
    StopToken stop;
    const auto source = makeLocalFolderSource(&stop);
    const auto folder = source->open(tree.path());
    const std::vector<std::size_t> all = everyIndex(*folder);
    stop.request();
    folder->prefetch(all, false);
    // Files gone after the prefetch: anything it fetched would still show.
    ::unlink((tree / "f7").c_str());
    const std::size_t gone = entryNamed(*folder, "f7");
    const std::size_t kept = entryNamed(*folder, "f8");
    EXPECT_EQ(folder->facts(gone).size, 0);
    EXPECT_EQ(folder->facts(kept).size, 18);
}

}  // namespace
}  // namespace quillory::test
