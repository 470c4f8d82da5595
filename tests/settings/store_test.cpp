// Reading and writing one store: names without case, bytes kept exactly,
// defaults only for what is absent.
#include <gtest/gtest.h>

#include <string>

#include "support/temp_store.h"

namespace quillory {
namespace {

struct CaseRow {
    const char* name;
    const char* writeSection;
    const char* writeKey;
    const char* readApp;
    const char* readSection;
    const char* readKey;
    bool found;
};

const CaseRow kCaseRows[] = {
    {"same spelling", "Filter", "FileTimeTo", "Tallyfold", "Filter", "FileTimeTo", true},
    {"key differs in case", "Filter", "FileTimeTo", "Tallyfold", "Filter", "FileTimeto", true},
    {"all upper", "Filter", "FileTimeTo", "TALLYFOLD", "FILTER", "FILETIMETO", true},
    {"all lower", "Filter", "FileTimeTo", "tallyfold", "filter", "filetimeto", true},
    {"other section", "Filter", "FileTimeTo", "Tallyfold", "Output", "FileTimeTo", false},
    {"other app", "Filter", "FileTimeTo", "Tallyfolder", "Filter", "FileTimeTo", false},
    {"key is a prefix", "Filter", "FileTimeTo", "Tallyfold", "Filter", "FileTime", false},
    {"names shifted across the parts", "Filter", "FileTimeTo", "Tallyfold", "FilterFile", "TimeTo",
     false},
    {"high bytes do not fold", "Filt\xc3\xa9r", "K\xc3\x89y", "Tallyfold", "Filt\xc3\x89r",
     "K\xc3\x89y", false},
    {"high bytes match themselves", "Filt\xc3\xa9r", "K\xc3\x89y", "tallyfold", "FILT\xc3\xa9R",
     "k\xc3\x89Y", true},
};

TEST(SettingsStore, NamesMatchWithoutCase) {
    for (const CaseRow& row : kCaseRows) {
        test::TempStore t;
        ASSERT_TRUE(t.store.WriteSetting("Tallyfold", row.writeSection, row.writeKey, "stored"))
            << row.name;
        EXPECT_EQ(t.store.ReadSetting(row.readApp, row.readSection, row.readKey, "default"),
                  row.found ? "stored" : "default")
            << row.name;
    }
}

TEST(SettingsStore, WritingAnotherSpellingReplacesTheValue) {
    test::TempStore t;
    ASSERT_TRUE(t.store.WriteSetting("Tallyfold", "Filter", "FileTimeTo", "first"));
    ASSERT_TRUE(t.store.WriteSetting("tallyFOLD", "filter", "FILETIMETO", "second"));
    EXPECT_EQ(t.store.ReadSetting("Tallyfold", "Filter", "FileTimeto"), "second");
}

struct ValueRow {
    const char* name;
    std::string value;
};

const ValueRow kValueRows[] = {
    {"empty text", ""},
    {"plain text", "*.txt;*.doc"},
    {"blanks kept", "  padded  "},
    {"not UTF-8", std::string("\xff\xfe caf\xe9 \x80", 10)},
    {"embedded NUL", std::string("a\0b", 3)},
    {"line ends", "one\r\ntwo\n"},
    {"long", std::string(100000, 'x')},
};

TEST(SettingsStore, ValuesRoundTripAsBytes) {
    for (const ValueRow& row : kValueRows) {
        test::TempDir dir;
        {
            SettingsStore store(dir / "settings.sqlite");
            ASSERT_TRUE(store.WriteSetting("Tallyfold", "Filter", "FileInclude", row.value)) << row.name;
            EXPECT_EQ(store.ReadSetting("Tallyfold", "Filter", "FileInclude", "*"), row.value) << row.name;
        }
        // And from the file, not just from the copy in memory.
        SettingsStore reopened(dir / "settings.sqlite");
        EXPECT_EQ(reopened.ReadSetting("Tallyfold", "Filter", "FileInclude", "*"), row.value) << row.name;
    }
}

TEST(SettingsStore, NamesThatAreNotUtf8WorkAsAddresses) {
    test::TempStore t;
    const std::string section("\xff\x01Sec", 5);
    const std::string key("K\0ey\xfe", 5);
    ASSERT_TRUE(t.store.WriteSetting("Tallyfold", section, key, "v"));
    EXPECT_EQ(t.store.ReadSetting("Tallyfold", section, key, "d"), "v");
    EXPECT_EQ(t.store.ReadSetting("Tallyfold", section, std::string("K\0EY\xfe", 5), "d"), "v");
    EXPECT_EQ(t.store.ReadSetting("Tallyfold", section, "K", "d"), "d");
}

TEST(SettingsStore, EmptyStoredTextIsNotTheDefault) {
    test::TempStore t;
    EXPECT_EQ(t.store.read(keys::FileInclude), "*");
    ASSERT_TRUE(t.store.write(keys::FileInclude, ""));
    EXPECT_EQ(t.store.read(keys::FileInclude), "");
    EXPECT_EQ(t.store.ReadSetting("Tallyfold", "Filter", "FileInclude", "*"), "");
}

TEST(SettingsStore, ReadingCreatesNothing) {
    test::TempStore t;
    EXPECT_EQ(t.store.ReadSetting("Tallyfold", "Output", "Browser", "1"), "1");
    EXPECT_EQ(t.store.ReadSetting("Tallyfold", "Output", "Browser"), "");
    EXPECT_EQ(t.store.ReadSetting("Tallyfold", "Output", "Browser", "0"), "0");
}

TEST(SettingsStore, TableShorthandsUseTheTableDefaults) {
    test::TempStore t;
    for (const SettingKey* key : kAllKeys) {
        if (key->defaultIsNow) continue;
        EXPECT_EQ(t.store.read(*key), key->def) << key->name;
        EXPECT_EQ(t.store.read(*key, "given"), "given") << key->name;
    }
    ASSERT_TRUE(t.store.write(keys::DisplayFileSize, "Kb"));
    EXPECT_EQ(t.store.ReadSetting("TALLYFOLD", "display", "displayfilesize", "Dynamic"), "Kb");
}

}  // namespace
}  // namespace quillory
