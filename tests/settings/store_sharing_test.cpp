// Two store objects on one file stand in for two processes: what one writes,
// the other sees on its next read, or at the latest when the next folder
// scope opens.
#include <gtest/gtest.h>

#include <optional>

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

struct VisibilityRow {
    const char* name;
    bool scopeOpenDuringWrite;
    bool closeItBeforeRead;
    bool scopeOpenedAfterWrite;
    bool ownWrite;
    const char* expected;
};

// "before" is read first, then one of the two objects writes "after".
const VisibilityRow kVisibilityRows[] = {
    {"no scope: the next read", false, false, false, false, "after"},
    // The documented boundary: within one folder a value stays as the folder
    // found it.
    {"inside a scope opened before the write", true, false, false, false, "before"},
    {"after that scope closed", true, true, false, false, "after"},
    {"in the next folder's scope", true, true, true, false, "after"},
    {"in a nested scope opened after the write", true, false, true, false, "after"},
    {"own write inside a scope", true, false, false, true, "after"},
};

TEST(SettingsStoreSharing, WhenAWriteBecomesVisible) {
    for (const VisibilityRow& row : kVisibilityRows) {
        TwoStores s;
        ASSERT_TRUE(s.writer.WriteSetting("Tallyfold", "Filter", "FileInclude", "before"));
        EXPECT_EQ(include(s.reader), "before") << row.name;
        std::optional<SettingsStore::FolderScope> during;
        if (row.scopeOpenDuringWrite) during.emplace(s.reader);
        SettingsStore& writer = row.ownWrite ? s.reader : s.writer;
        ASSERT_TRUE(writer.WriteSetting("TALLYFOLD", "FILTER", "FILEINCLUDE", "after")) << row.name;
        if (row.closeItBeforeRead) during.reset();
        std::optional<SettingsStore::FolderScope> after;
        if (row.scopeOpenedAfterWrite) after.emplace(s.reader);
        EXPECT_EQ(include(s.reader), row.expected) << row.name;
    }
}

TEST(SettingsStoreSharing, EmptyTextFromAnotherWriterIsSeen) {
    TwoStores s;
    EXPECT_EQ(include(s.reader), "*");
    ASSERT_TRUE(s.writer.WriteSetting("Tallyfold", "Filter", "FileInclude", ""));
    EXPECT_EQ(include(s.reader), "");
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
