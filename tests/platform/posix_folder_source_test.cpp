#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>

#include "platform/file_attributes.h"
#include "platform/folder_source.h"
#include "platform/regional.h"
#include "support/temp_dir.h"

namespace quillory::test {
namespace {

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
    for (std::size_t i = 0; i < folder->entries().size(); ++i) {
        if (folder->entries()[i].name == "to-a") {
            EXPECT_EQ(folder->facts(i).size, 3);
        }
    }
}

TEST(LocalFolderSource, UnreadableAndMissingFolders) {
    TempDir tree;
    const auto source = makeLocalFolderSource();
    const auto missing = source->open(tree / "missing");
    EXPECT_FALSE(missing->readable());
    EXPECT_TRUE(missing->entries().empty());
    EXPECT_FALSE(missing->id().known);
    tree.file("plain");
    EXPECT_FALSE(source->open(tree / "plain")->readable());
}

// Facts fetched ahead, on two threads, must equal those fetched one by one.
TEST(LocalFolderSource, PrefetchedFactsEqualDirectOnes) {
    TempDir tree;
    for (int i = 0; i < 300; ++i) {
        const std::string name = (i % 7 == 0 ? "." : "") + std::string("f") + std::to_string(i);
        tree.file(name, i * 37, 1000000000LL + i * 3600);
        if (i % 5 == 0) ::chmod((tree / name).c_str(), 0444);
        // Samba's word on some: archive and system.
        if (i % 11 == 0) ::setxattr((tree / name).c_str(), "user.DOSATTRIB", "0x24", 4, 0);
    }
    ASSERT_EQ(::symlink("f1", (tree / "link").c_str()), 0);
    ASSERT_EQ(::symlink("gone", (tree / "broken").c_str()), 0);
    const auto source = makeLocalFolderSource();
    const auto ahead = source->open(tree.path());
    const auto direct = source->open(tree.path());
    std::vector<std::size_t> all(ahead->entries().size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
    ahead->prefetch(all, true);
    ASSERT_EQ(ahead->entries().size(), direct->entries().size());
    int readOnly = 0, hidden = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(direct->entries()[i].name);
        EXPECT_EQ(ahead->facts(i).size, direct->facts(i).size);
        EXPECT_EQ(ahead->facts(i).modified, direct->facts(i).modified);
        EXPECT_EQ(ahead->attributes(i), direct->attributes(i));
        // Read relative to the folder, the same as through the whole path.
        EXPECT_EQ(direct->attributes(i), readAttributeWord(tree / direct->entries()[i].name));
        readOnly += (direct->attributes(i) & 1) != 0;
        hidden += (direct->attributes(i) & 2) != 0;
    }
    int samba = 0;
    for (std::size_t i = 0; i < all.size(); ++i) samba += direct->attributes(i) == 0x24;
    if (::setxattr((tree / "f1").c_str(), "user.probe", "1", 1, 0) == 0) {
        // A Samba word replaces what the name and mode say.
        EXPECT_EQ(samba, 28);
        EXPECT_EQ(readOnly, 60 - 6);
        EXPECT_EQ(hidden, 43 - 4);
    } else {
        EXPECT_EQ(readOnly, 60);
        EXPECT_EQ(hidden, 43);
    }
}

}  // namespace
}  // namespace quillory::test
