// Two store objects on one file stand in for two processes: what one writes,
// the other sees on its next read, or at the latest when the next folder
// scope opens.
#include <gtest/gtest.h>

#include "support/temp_dir.h"

#include "settings/store.h"

namespace quillory {
namespace {

struct TwoStores {
    test::TempDir dir;
    SettingsStore reader{dir / "settings.sqlite"};
    SettingsStore writer{dir / "settings.sqlite"};
};

std::string include(SettingsStore& store) {
    return store.ReadSetting("Tallyfold", "Filter", "FileInclude", "*");
}

TEST(SettingsStoreSharing, NextReadSeesAnotherWriter) {
    TwoStores s;
    EXPECT_EQ(include(s.reader), "*");
    ASSERT_TRUE(s.writer.WriteSetting("Tallyfold", "Filter", "FileInclude", "*.txt"));
    EXPECT_EQ(include(s.reader), "*.txt");
    ASSERT_TRUE(s.writer.WriteSetting("TALLYFOLD", "FILTER", "FILEINCLUDE", ""));
    EXPECT_EQ(include(s.reader), "");
}

TEST(SettingsStoreSharing, ScopeTakesOtherWritesOnlyWhenItOpens) {
    TwoStores s;
    ASSERT_TRUE(s.writer.WriteSetting("Tallyfold", "Filter", "FileInclude", "before"));
    {
        SettingsStore::FolderScope folder(s.reader);
        EXPECT_EQ(include(s.reader), "before");
        ASSERT_TRUE(s.writer.WriteSetting("Tallyfold", "Filter", "FileInclude", "during"));
        // The documented boundary: within one folder the value stays as the
        // folder found it.
        EXPECT_EQ(include(s.reader), "before");
    }
    {
        SettingsStore::FolderScope nextFolder(s.reader);
        EXPECT_EQ(include(s.reader), "during");
    }
}

TEST(SettingsStoreSharing, ReadAfterScopeClosesSeesOtherWrites) {
    TwoStores s;
    {
        SettingsStore::FolderScope folder(s.reader);
        ASSERT_TRUE(s.writer.WriteSetting("Tallyfold", "Filter", "FileInclude", "during"));
    }
    EXPECT_EQ(include(s.reader), "during");
}

TEST(SettingsStoreSharing, NestedScopeChecksAgain) {
    TwoStores s;
    SettingsStore::FolderScope parent(s.reader);
    ASSERT_TRUE(s.writer.WriteSetting("Tallyfold", "Filter", "FileInclude", "sub"));
    SettingsStore::FolderScope child(s.reader);
    EXPECT_EQ(include(s.reader), "sub");
}

TEST(SettingsStoreSharing, OwnWritesShowInsideScope) {
    TwoStores s;
    SettingsStore::FolderScope folder(s.reader);
    ASSERT_TRUE(s.reader.WriteSetting("Tallyfold", "Filter", "FileInclude", "mine"));
    EXPECT_EQ(include(s.reader), "mine");
}

TEST(SettingsStoreSharing, GenerationMovesOnEveryChange) {
    TwoStores s;
    const auto start = s.reader.generation();
    include(s.reader);
    EXPECT_EQ(s.reader.generation(), start) << "a read with nothing new";

    ASSERT_TRUE(s.reader.WriteSetting("Tallyfold", "Filter", "FileInclude", "a"));
    const auto afterOwn = s.reader.generation();
    EXPECT_NE(afterOwn, start) << "own write";

    ASSERT_TRUE(s.writer.WriteSetting("Tallyfold", "Filter", "FileInclude", "b"));
    include(s.reader);
    const auto afterOther = s.reader.generation();
    EXPECT_NE(afterOther, afterOwn) << "another writer, seen by a read";

    ASSERT_TRUE(s.writer.WriteSetting("Tallyfold", "Filter", "FileExclude", "c"));
    { SettingsStore::FolderScope folder(s.reader); }
    EXPECT_NE(s.reader.generation(), afterOther) << "another writer, seen by a scope";
}

TEST(SettingsStoreSharing, ValuesSurviveReopening) {
    test::TempDir dir;
    {
        SettingsStore first(dir / "settings.sqlite");
        ASSERT_TRUE(first.WriteSetting("Tallyfold", "HTML", "FolFont", "Verdana"));
    }
    SettingsStore second(dir / "settings.sqlite");
    EXPECT_EQ(second.ReadSetting("Tallyfold", "html", "folfont", "Tahoma"), "Verdana");
}

}  // namespace
}  // namespace quillory
