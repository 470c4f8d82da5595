// One store: where it is, names without case, bytes kept exactly, defaults, values checked by type.
#include <gtest/gtest.h>

#include <string>

#include "settings/typed_value.h"
#include "support/scoped_env.h"
#include "support/temp_store.h"

namespace quillory {
namespace {

// Written as Tallyfold/Filter/FileTimeTo, or, for the last two, Filt\xc3\xa9r/K\xc3\x89y.
const struct { const char* name, *readApp, *readSection, *readKey; bool found; } kCaseRows[] = {
    {"key differs in case", "Tallyfold", "Filter", "FileTimeto", true},
    {"other app", "Tallyfolder", "Filter", "FileTimeTo", false},
    {"key is a prefix", "Tallyfold", "Filter", "FileTime", false},
    {"names shifted across the parts", "Tallyfold", "FilterFile", "TimeTo", false},
    {"high bytes do not fold", "Tallyfold", "Filt\xc3\x89r", "K\xc3\x89y", false},
    {"high bytes match themselves", "tallyfold", "FILT\xc3\xa9R", "k\xc3\x89Y", true},
};

TEST(SettingsStore, NamesMatchWithoutCase) {
    test::TempStore t;
    ASSERT_TRUE(t.store.WriteSetting("Tallyfold", "Filter", "FileTimeTo", "stored"));
    ASSERT_TRUE(t.store.WriteSetting("Tallyfold", "Filt\xc3\xa9r", "K\xc3\x89y", "stored"));
    for (const auto& row : kCaseRows)
        EXPECT_EQ(test::storedText(t.store, row.readApp, row.readSection, row.readKey, "default"),
                  row.found ? "stored" : "default")
            << row.name;
    ASSERT_TRUE(t.store.WriteSetting("tallyFOLD", "filter", "FILETIMETO", "second"));
    EXPECT_EQ(t.store.read(keys::FileTimeTo), "second") << "another spelling replaces the value";
}

TEST(SettingsStore, ValuesRoundTripAsBytes) {
    const std::string values[] = {"", "  padded  ", std::string("\xff\xfe caf\xe9 \x80", 10),
                                  std::string("a\0b", 3), "one\r\ntwo\n", std::string(100000, 'x')};
    for (const std::string& value : values) {
        test::TempDir dir;
        ASSERT_TRUE(SettingsStore(dir / "settings.sqlite").write(keys::FileInclude, value));
        SettingsStore reopened(dir / "settings.sqlite");
        EXPECT_TRUE(reopened.read(keys::FileInclude) == value) << value.substr(0, 20);
    }
}

// A value stored empty is a value: only an absent or removed one gives the default.
TEST(SettingsStore, DefaultsOnlyForWhatIsNotStored) {
    test::TempStore t;
    EXPECT_FALSE(t.store.snapshot()->stored(keys::FileInclude));
    EXPECT_TRUE(t.store.remove(keys::Recurse)) << "nothing stored yet";
    EXPECT_EQ(t.store.status().state, StoreState::NotCreated) << "removing creates nothing";
    ASSERT_TRUE(t.store.write(keys::Recurse, "No"));
    ASSERT_TRUE(t.store.write(keys::FileInclude, "*.c"));
    ASSERT_TRUE(t.store.WriteSetting("Other", "Filter", "FileInclude", "kept"));
    ASSERT_TRUE(t.store.remove(keys::Recurse));
    EXPECT_EQ(t.store.read(keys::Recurse), "Infinite");
    EXPECT_EQ(t.store.read(keys::FileInclude), "*.c");
    ASSERT_TRUE(t.store.removeAll());
    EXPECT_EQ(t.store.read(keys::FileInclude), "*");
    EXPECT_EQ(test::storedText(t.store, "Other", "Filter", "FileInclude"), "kept") << "other applications' values";
    EXPECT_FALSE(t.store.snapshot()->stored(keys::FileInclude));
    ASSERT_TRUE(t.store.write(keys::FileInclude, ""));
    ASSERT_TRUE(t.store.write(keys::FileTimeFrom, ""));
    const auto after = t.store.snapshot();
    EXPECT_TRUE(after->stored(keys::FileInclude));
    EXPECT_EQ(after->value(keys::FileInclude), "");
    EXPECT_EQ(after->value(keys::FileTimeFrom), "");
    EXPECT_EQ(test::storedText(t.store, "Tallyfold", "Filter", "FileInclude", "*"), "");
}

TEST(SettingsStore, OverridesAreSeenButNeverStored) {
    test::TempStore t;
    t.store.setOverride(keys::Attrib, "1");
    EXPECT_EQ(t.store.read(keys::Attrib), "1");
    EXPECT_TRUE(t.store.snapshot()->stored(keys::Attrib));
    EXPECT_EQ(t.store.status().state, StoreState::NotCreated) << "an override creates no file";
    ASSERT_TRUE(t.store.write(keys::Attrib, "0"));
    ASSERT_TRUE(t.store.write(keys::Name, "0"));
    EXPECT_EQ(t.store.snapshot()->value(keys::Attrib), "1") << "the override stays on top of a write";
    EXPECT_EQ(t.store.read(keys::Name), "0");
    SettingsStore other(t.store.path());
    EXPECT_EQ(other.read(keys::Attrib), "0");
}

// QUILLORY_SETTINGS, XDG_CONFIG_HOME and HOME, and the file they choose (the XDG rules are the user folders' tests).
const struct { const char* name, *override, *config, *home, *expected; } kPathRows[] = {
    {"override wins", "/tmp/q/store.db", "/cfg", "/home/u", "/tmp/q/store.db"},
    {"override may be relative", "store.db", "/cfg", "/home/u", "store.db"},
    {"empty override is unset", "", "/cfg", "/home/u", "/cfg/Tallyfold/settings.sqlite"},
    {"no config folder", nullptr, nullptr, "/home/u", "/home/u/.config/Tallyfold/settings.sqlite"},
};

TEST(SettingsStorePath, EnvironmentChoosesTheFile) {
    for (const auto& row : kPathRows) {
        test::ScopedEnv override("QUILLORY_SETTINGS", row.override);
        test::ScopedEnv config("XDG_CONFIG_HOME", row.config);
        test::ScopedEnv home("HOME", row.home);
        EXPECT_EQ(settingsStorePath(), row.expected) << row.name;
    }
}

// `stored` null: refused.
const struct { const char* name; const SettingKey& key; const char* typed; const char* stored; } kTypedRows[] = {
    {"flag off, blanks", keys::Name, " 0 ", "0"}, {"flag 2", keys::Name, "2", nullptr},
    {"whole number with plus", keys::RecurseDepth, "+7", "7"}, {"negative number", keys::RecurseDepth, "-1", nullptr},
    {"number too large", keys::NameWidth, "99999999999", nullptr},
    {"word in other case", keys::Recurse, "depth", "Depth"},
    {"word of another key", keys::DisplayFileSize, "Infinite", nullptr},
    {"colour #RRGGBB, red first", keys::BodyBack, "#FF8000", "33023"},
    {"colour 0xBBGGRR, red last", keys::BodyBack, "0x0080ff", "33023"},
    {"colour too large", keys::BodyBack, "16777216", nullptr}, {"colour short hex", keys::BodyBack, "#FFF", nullptr},
    {"font size whole", keys::FileFontSize, "10.0", "10"}, {"font size zero", keys::FileFontSize, "0", nullptr},
    {"font size not a number", keys::FileFontSize, "big", nullptr},
    {"bytes in K", keys::FileSizeFrom, "512K", "524288"},
    {"bytes in G with a blank", keys::FileSizeTo, "2 g", "2147483648"}, {"bytes cleared", keys::FileSizeTo, "", ""},
    {"bytes unknown unit", keys::FileSizeTo, "3X", nullptr},
    {"bytes overflow", keys::FileSizeTo, "99999999999T", nullptr},
    {"date-time general form", keys::FileTimeTo, "2007-12-03 14:30:05", "14:30 2007-12-03"},
    {"date-time nonsense", keys::FileTimeTo, "yesterday", nullptr},
    {"text unchanged", keys::FileInclude, " *.c;*.h ", " *.c;*.h "},
};

// Runs under LC_ALL=C, where the date-time forms are ISO dates.
TEST(CheckTypedValue, AcceptsWhatTheRuleAllowsInItsStoredForm) {
    for (const auto& row : kTypedRows) {
        const CheckedValue checked = checkTypedValue(row.key, row.typed);
        EXPECT_EQ(checked.ok, row.stored != nullptr) << row.name << ": " << checked.problem;
        if (row.stored) {
            EXPECT_EQ(checked.text, row.stored) << row.name;
        } else {
            EXPECT_TRUE(checked.problem.starts_with(std::string(row.key.section) + "/" +
                                                    std::string(row.key.name) + " takes "))
                << row.name << ": " << checked.problem;
        }
    }
}

}  // namespace
}  // namespace quillory
