// Reads by table key come from the store's per-key copy; they must always
// agree with reads by names, however the value arrived.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <string>

#include "support/temp_dir.h"

#include "settings/store.h"

namespace quillory {
namespace {

std::string valueFor(const SettingKey& key) { return "v-" + std::string(key.name); }

// Lower-case spelling of a name: another way of writing the same key.
std::string lowerCase(std::string_view name) {
    std::string out(name);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

struct ArrivalRow {
    const char* name;
    // Writes valueFor(key) for every table key into the store at `path`,
    // `reader` being the object that is read afterwards.
    std::function<void(SettingsStore& reader, const std::string& path)> writeAll;
};

const ArrivalRow kArrivalRows[] = {
    {"own write by table key",
     [](SettingsStore& reader, const std::string&) {
         for (const SettingKey* key : kAllKeys) ASSERT_TRUE(reader.write(*key, valueFor(*key)));
     }},
    {"own write by names in another spelling",
     [](SettingsStore& reader, const std::string&) {
         for (const SettingKey* key : kAllKeys)
             ASSERT_TRUE(reader.WriteSetting("TALLYFOLD", lowerCase(key->section), lowerCase(key->name),
                                             valueFor(*key)));
     }},
    {"another object's write",
     [](SettingsStore&, const std::string& path) {
         SettingsStore other(path);
         for (const SettingKey* key : kAllKeys) ASSERT_TRUE(other.write(*key, valueFor(*key)));
     }},
    {"another object's write in one spelling, then own in another",
     [](SettingsStore& reader, const std::string& path) {
         SettingsStore other(path);
         for (const SettingKey* key : kAllKeys)
             ASSERT_TRUE(other.WriteSetting("tallyfold", lowerCase(key->section), key->name, "stale"));
         for (const SettingKey* key : kAllKeys)
             ASSERT_TRUE(reader.WriteSetting(kAppKey, key->section, lowerCase(key->name), valueFor(*key)));
     }},
};

TEST(SettingsStoreTableRead, AgreesWithReadsByNames) {
    for (const ArrivalRow& row : kArrivalRows) {
        test::TempDir dir;
        const std::string path = dir / "settings.sqlite";
        SettingsStore reader(path);
        // Read once first, so that a copy made before the write would show.
        for (const SettingKey* key : kAllKeys) reader.read(*key, "default");
        row.writeAll(reader, path);
        for (const SettingKey* key : kAllKeys) {
            EXPECT_EQ(reader.read(*key), valueFor(*key)) << row.name << ": " << key->name;
            EXPECT_EQ(reader.read(*key, "default"), valueFor(*key)) << row.name << ": " << key->name;
            EXPECT_EQ(reader.ReadSetting(kAppKey, key->section, key->name, "default"), valueFor(*key))
                << row.name << ": " << key->name;
        }
        SettingsStore reopened(path);
        for (const SettingKey* key : kAllKeys)
            EXPECT_EQ(reopened.read(*key), valueFor(*key)) << row.name << ": reopened, " << key->name;
    }
}

TEST(SettingsStoreTableRead, OneKeysWriteChangesNoOtherKey) {
    test::TempDir dir;
    SettingsStore store(dir / "settings.sqlite");
    SettingsStore other(dir / "settings.sqlite");
    for (const SettingKey* written : kAllKeys) {
        ASSERT_TRUE(other.write(*written, "changed"));
        for (const SettingKey* key : kAllKeys) {
            const bool changed = key->index <= written->index;
            EXPECT_EQ(store.read(*key, "unset"), changed ? "changed" : "unset")
                << "after " << written->name << ": " << key->name;
        }
    }
}

struct KeyRow {
    const char* name;
    SettingKey key;
    const char* expected;
};

// "Filter"/"FileInclude" holds "table", "Custom"/"Thing" holds "custom".
const KeyRow kKeyRows[] = {
    {"a copy of the table entry", keys::FileInclude, "table"},
    {"a key made elsewhere", {999, "Custom", "Thing", StoredForm::Text, "d"}, "custom"},
    {"a key made elsewhere, other case", {999, "CUSTOM", "thing", StoredForm::Text, "d"}, "custom"},
    {"a table index with other names", {keys::FileInclude.index, "Custom", "Thing", StoredForm::Text, "d"},
     "custom"},
    {"a table index, names in other case",
     {keys::FileInclude.index, "filter", "FILEINCLUDE", StoredForm::Text, "d"}, "table"},
    {"a table index, a name not stored", {keys::FileInclude.index, "Custom", "None", StoredForm::Text, "d"},
     "d"},
};

TEST(SettingsStoreTableRead, KeysNotFromTheTableAreReadByTheirNames) {
    for (const KeyRow& row : kKeyRows) {
        test::TempDir dir;
        SettingsStore store(dir / "settings.sqlite");
        ASSERT_TRUE(store.write(keys::FileInclude, "table"));
        ASSERT_TRUE(store.WriteSetting(kAppKey, "Custom", "Thing", "custom"));
        EXPECT_EQ(store.read(row.key), row.expected) << row.name;
        EXPECT_EQ(store.read(row.key, "d"), row.expected) << row.name;
    }
}

TEST(SettingsStoreTableRead, DateTimeKeysGiveTheStoredTextOrNow) {
    test::TempDir dir;
    SettingsStore store(dir / "settings.sqlite");
    SettingsStore other(dir / "settings.sqlite");
    const std::string now = store.read(keys::FileTimeFrom);
    EXPECT_NE(now, "");
    ASSERT_TRUE(other.write(keys::FileTimeFrom, "14:30 2007-12-03"));
    EXPECT_EQ(store.read(keys::FileTimeFrom), "14:30 2007-12-03");
    ASSERT_TRUE(other.write(keys::FileTimeFrom, ""));
    EXPECT_EQ(store.read(keys::FileTimeFrom), "") << "stored empty text is not the default";
}

}  // namespace
}  // namespace quillory
