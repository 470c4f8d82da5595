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
    const auto& e = folder.entries();
    return std::find_if(e.begin(), e.end(), [&](const FolderEntry& x) { return x.name == name; }) - e.begin();
}

TEST(LocalFolderSource, EntriesAreFilesAndFoldersWithoutDots) {
    TempDir tree;
    tree.file("a.txt", 3);
    tree.folder("sub");
    for (const auto& [target, link] : {std::pair{"sub", "to-sub"}, {"a.txt", "to-a"}, {"missing", "dangling"}})
        ASSERT_EQ(::symlink(target, (tree / link).c_str()), 0);
    const auto folder = makeLocalFolderSource()->open(tree.path());
    std::vector<std::pair<std::string, EntryKind>> seen;
    for (const auto& e : folder->entries()) seen.emplace_back(e.name, e.kind);
    std::sort(seen.begin(), seen.end());
    const EntryKind file = EntryKind::File, dir = EntryKind::Folder;
    EXPECT_EQ(seen, (decltype(seen){{"a.txt", file}, {"dangling", file}, {"sub", dir}, {"to-a", file}, {"to-sub", dir}}));
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
    ASSERT_EQ(kept->entries().size(), 1u);
    EXPECT_EQ(kept->entries()[0].name, "x");
    EXPECT_FALSE(replaced->readable());
    EXPECT_EQ(replaced->error(), ESTALE);
}

// Facts fetched ahead on two threads, in sub-folders read ahead in the walk's
// order or out of it, equal those of a folder opened cold and asked one by
// one, and the word read relative to the folder equals the one read by path.
TEST(LocalFolderSource, FactsFetchedAheadEqualColdOnes) {
    TempDir tree;
    for (int f = 0; f < 4; ++f)
        for (int i = 0; i < 90; ++i) {
            const std::string name = tree.file("s" + std::to_string(f) + (i % 7 ? "/f" : "/.f") + std::to_string(i),
                                               f * 1000 + i * 37, 1000000000LL + i * 3600);
            if (i % 5 == 0) ::chmod(name.c_str(), 0444);
            if (i % 11 == 0) ::setxattr(name.c_str(), "user.DOSATTRIB", "0x24", 4, 0);
        }
    ASSERT_EQ(::symlink("f1", (tree / "s0/link").c_str()), 0);
    ASSERT_EQ(::symlink("gone", (tree / "s0/broken").c_str()), 0);
    const auto warm = makeLocalFolderSource(), cold = makeLocalFolderSource();
    const auto root = warm->open(tree.path());
    root->prefetch(everyIndex(*root), false);
    int marked = 0;
    for (const char* name : {"s0", "s1", "s3", "s2"}) {
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
            EXPECT_EQ(sub->attributes(i), readAttributeWord(tree / name + "/" + entry)) << entry;
            marked += sub->attributes(i) != 0;
        }
    }
    EXPECT_GT(marked, 100);  // enough words for agreement to mean something
}

// The switch takes the path (as kernels without getxattrat() do): after the
// folder is renamed, only the relative read still finds Samba's word.
TEST(LocalFolderSource, AttributesThroughThePathWhenAsked) {
    // relative: read relative to the folder; byPath: what the path finds once the folder moved
    const struct { const char *name, *dosAttrib; mode_t mode; std::int64_t relative, byPath; } rows[] = {
        {"samba word", "0x24", 0644, 0x24, 0}, {"samba word, read-only", "0x21", 0444, 0x21, 0x01},
        {".hidden with a word", "0x20", 0644, 0x20, 0x02}, {"no other attribute", "0x80", 0644, 0, 0},
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
        const ScopedEnv force("QUILLORY_ATTRIBUTES_BY_PATH", byPath ? "1" : nullptr);
        const auto source = makeLocalFolderSource();
        const auto here = source->open(tree / "d"), moved = source->open(tree / "d");
        for (const auto& row : rows) EXPECT_EQ(here->attributes(entryNamed(*here, row.name)), row.relative) << row.name;
        ASSERT_EQ(moved->entries().size(), std::size(rows));
        ASSERT_EQ(::rename((tree / "d").c_str(), (tree / "e").c_str()), 0);
        for (const auto& row : rows)
            EXPECT_EQ(moved->attributes(entryNamed(*moved, row.name)), byPath ? row.byPath : row.relative) << row.name;
        ASSERT_EQ(::rename((tree / "e").c_str(), (tree / "d").c_str()), 0);
    }
}

// A chain of folders far deeper than PATH_MAX allows to spell: each level
// holds "file" (as many bytes as its depth), "side/mark" (a million bytes
// more) and the next "level". Made relative to descriptors, taken apart by
// moving the rest of the chain up a level at a time.
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
        for (const char* name : {"/file", "/side/mark"}) ::unlink((top + name).c_str());
        ::rmdir((top + "/side").c_str());
        ::rmdir(top.c_str());
        if (deeper) ::rename(rest.c_str(), top.c_str());
    }
}

// With 20 descriptors, fewer than the source's own budget: down the chain
// keeping every folder open, then back up opening each side folder. The exit
// status is the first check that failed.
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
        Folder& here = *stack.emplace_back(parent.openChild(next));
        const std::size_t file = entryNamed(here, "file"), count = depth < kChainDepth ? 3 : 2;
        if (here.entries().size() != count || file == count || here.facts(file).size != depth) return 3;
    }
    for (int level = kChainDepth - 1; level >= 1; --level) {
        stack.pop_back();
        Folder& here = *stack.back();
        const auto side = here.openChild(entryNamed(here, "side"));
        if (side->entries().size() != 1 || side->facts(0).size != 1000000 + level) return 4;
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

// A raised token stops the fetching ahead: a file removed after it shows as gone.
TEST(LocalFolderSource, StoppedPrefetchLeavesFactsToLaterAsks) {
    TempDir tree;
    for (int i = 0; i < 200; ++i) tree.file("f" + std::to_string(i), 10 + i);
    StopToken stop;
    const auto source = makeLocalFolderSource(&stop);
    const auto folder = source->open(tree.path());
    const std::vector<std::size_t> all = everyIndex(*folder);
    stop.request();
    folder->prefetch(all, false);
    ::unlink((tree / "f7").c_str());
    EXPECT_EQ(folder->facts(entryNamed(*folder, "f7")).size, 0);
    EXPECT_EQ(folder->facts(entryNamed(*folder, "f8")).size, 18);
}

}  // namespace
}  // namespace quillory::test
