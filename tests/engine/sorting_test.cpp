#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "engine/sorting.h"
#include "platform/regional.h"
#include "settings/key_table.h"
#include "support/temp_store.h"

namespace quillory {
namespace {

clsFile entry(std::string name, std::string ext = "", std::string type = "", std::int64_t size = 0,
              double date = 0.0) {
    clsFile f;
    f.FullyQualifiedName = "/d/" + name;
    f.Name = std::move(name);
    f.FileExt = std::move(ext);
    f.FileType = std::move(type);
    f.FileSize = size;
    f.DateTime = date;
    return f;
}

std::vector<std::string> names(const std::vector<clsFile>& list) {
    std::vector<std::string> out;
    for (const clsFile& f : list) out.push_back(f.Name);
    return out;
}

// Stores exactly one order flag on (nullptr: every flag off).
void chooseOrder(SettingsStore& store, const SettingKey* chosen) {
    for (const SettingKey* flag : {&keys::NoOrder, &keys::NameOrder, &keys::TypeOrder,
                                   &keys::SizeOrder, &keys::DateOrder, &keys::ExtOrder})
        ASSERT_TRUE(store.write(*flag, flag == chosen ? "1" : "0"));
}

// What a folder generator does with its list.
void sortAsListed(SettingsStore& store, std::vector<clsFile>& list) {
    const std::string key = getSortKey(store);
    if (isTextSort(store)) sortByText(store, list, key);
    else sortByValue(store, list, key);
}

struct Setting {
    const SettingKey* key;
    std::string value;
};

TEST(GetSortKey, FirstChosenFlagDecides) {
    struct Row {
        const char* row;
        std::vector<Setting> flags;
        std::string key;
        bool text;
    };
    const SettingKey* const no = &keys::NoOrder;
    const Row rows[] = {
        {"nothing stored", {}, "NoOrder", true},
        {"no order off, nothing else", {{no, "0"}}, "", false},
        {"name", {{no, "0"}, {&keys::NameOrder, "1"}}, "Name", true},
        {"type", {{no, "0"}, {&keys::TypeOrder, "1"}}, "FileType", true},
        {"size", {{no, "0"}, {&keys::SizeOrder, "1"}}, "FileSize", false},
        {"date", {{no, "0"}, {&keys::DateOrder, "1"}}, "DateTime", false},
        {"extension", {{no, "0"}, {&keys::ExtOrder, "1"}}, "FileExt", true},
        {"no order beats name", {{no, "1"}, {&keys::NameOrder, "1"}}, "NoOrder", true},
        {"name beats extension", {{no, "0"}, {&keys::NameOrder, "1"}, {&keys::ExtOrder, "1"}}, "Name", true},
        {"type beats size", {{no, "0"}, {&keys::SizeOrder, "1"}, {&keys::TypeOrder, "1"}}, "FileType", true},
        {"size beats date", {{no, "0"}, {&keys::DateOrder, "1"}, {&keys::SizeOrder, "1"}}, "FileSize", false},
        {"date beats extension", {{no, "0"}, {&keys::ExtOrder, "1"}, {&keys::DateOrder, "1"}}, "DateTime", false},
        {"all on", {{no, "1"}, {&keys::NameOrder, "1"}, {&keys::TypeOrder, "1"}, {&keys::SizeOrder, "1"},
                    {&keys::DateOrder, "1"}, {&keys::ExtOrder, "1"}}, "NoOrder", true},
        {"flag by leading number", {{no, "1.0"}}, "NoOrder", true},
        {"flag with trailing text", {{no, "0"}, {&keys::SizeOrder, "1 on"}}, "FileSize", false},
        {"flag with leading blank", {{no, ""}, {&keys::NameOrder, " 1"}}, "Name", true},
        {"2 is not chosen", {{no, "2"}, {&keys::NameOrder, "1"}}, "Name", true},
        {"word is not chosen", {{no, "yes"}}, "", false},
        {"all off", {{no, "0"}, {&keys::NameOrder, "0"}, {&keys::TypeOrder, "0"}, {&keys::SizeOrder, "0"},
                     {&keys::DateOrder, "0"}, {&keys::ExtOrder, "0"}}, "", false},
    };
    for (const Row& r : rows) {
        test::TempStore t;
        for (const Setting& s : r.flags) ASSERT_TRUE(t.store.write(*s.key, s.value));
        EXPECT_EQ(getSortKey(t.store), r.key) << "row " << r.row;
        EXPECT_EQ(isTextSort(t.store), r.text) << "row " << r.row;
    }
}

struct SortRow {
    const char* row;
    const SettingKey* order;  // nullptr: every flag off
    std::vector<clsFile> list;
    std::vector<std::string> expected;  // names, in order
};

void expectSortRows(const std::vector<SortRow>& rows) {
    for (const SortRow& r : rows) {
        test::TempStore t;
        chooseOrder(t.store, r.order);
        std::vector<clsFile> list = r.list;
        sortAsListed(t.store, list);
        EXPECT_EQ(names(list), r.expected) << "row " << r.row;
    }
}

constexpr double kDay = 39419.0;  // 2007-12-03

TEST(SortEntries, ByText) {
    const SettingKey* const name = &keys::NameOrder;
    const SettingKey* const type = &keys::TypeOrder;
    const SettingKey* const ext = &keys::ExtOrder;
    expectSortRows({
        {"letter case does not count", name,
         {entry("banana.txt"), entry("Cherry.txt"), entry("apple.txt")},
         {"apple.txt", "banana.txt", "Cherry.txt"}},
        {"characters, not numbers", name, {entry("file2.txt"), entry("file10.txt")},
         {"file10.txt", "file2.txt"}},
        {"underscore before letters", name, {entry("ab.txt"), entry("_x.txt")}, {"_x.txt", "ab.txt"}},
        {"blank and digit before letters", name, {entry("b"), entry("5"), entry(" z")}, {" z", "5", "b"}},
        // After lowering, "[" (91) sorts before letters but "{" (123) after them.
        {"punctuation by code", name, {entry("{a"), entry("b"), entry("[a")}, {"[a", "b", "{a"}},
        {"prefix first", name, {entry("abc"), entry("ab"), entry("a")}, {"a", "ab", "abc"}},
        {"empty name first", name, {entry("a"), entry("")}, {"", "a"}},
        {"non-ASCII after ASCII", name, {entry("\xC3\xA9t\xC3\xA9"), entry("zebra"), entry("Apple")},
         {"Apple", "zebra", "\xC3\xA9t\xC3\xA9"}},
        {"equal ignoring case keep order", name, {entry("B"), entry("a"), entry("b"), entry("A")},
         {"a", "A", "B", "b"}},
        {"type order keeps equal types in order", type,
         {entry("1", "", "Text document"), entry("2", "", "PNG image"), entry("3", "", "text document"),
          entry("4", "", "png image"), entry("5", "", "Text Document")},
         {"2", "4", "1", "3", "5"}},
        {"files without extension first", ext,
         {entry("a.txt", "txt"), entry("Makefile", ""), entry("b.DOC", "DOC"), entry("c.doc", "doc"),
          entry("README", "")},
         {"Makefile", "README", "b.DOC", "c.doc", "a.txt"}},
        {"no order keeps enumeration order", &keys::NoOrder,
         {entry("c"), entry("a"), entry("b")}, {"c", "a", "b"}},
        {"every flag off keeps enumeration order", nullptr,
         {entry("c"), entry("a"), entry("b")}, {"c", "a", "b"}},
        {"empty list", name, {}, {}},
        {"one entry", name, {entry("x")}, {"x"}},
    });
}

TEST(SortEntries, ByValue) {
    const SettingKey* const size = &keys::SizeOrder;
    const SettingKey* const date = &keys::DateOrder;
    constexpr std::int64_t k3GB = 3'000'000'000;
    expectSortRows({
        {"0 bytes first, 3 GB last", size,
         {entry("mid", "", "", 500), entry("big", "", "", k3GB), entry("empty", "", "", 0)},
         {"empty", "mid", "big"}},
        {"above 32 bits compares as a number", size,
         {entry("5G", "", "", 5'000'000'000), entry("4G", "", "", 4'294'967'296),
          entry("2G", "", "", 2'147'483'648)},
         {"2G", "4G", "5G"}},
        {"equal sizes keep order", size,
         {entry("a", "", "", 7), entry("b", "", "", 3), entry("c", "", "", 7), entry("d", "", "", 3)},
         {"b", "d", "a", "c"}},
        {"oldest first", date,
         {entry("new", "", "", 0, kDay + 0.5), entry("old", "", "", 0, kDay - 300),
          entry("mid", "", "", 0, kDay)},
         {"old", "mid", "new"}},
        {"same time keeps order", date,
         {entry("b", "", "", 0, kDay), entry("a", "", "", 0, kDay), entry("c", "", "", 0, kDay - 1)},
         {"c", "b", "a"}},
        {"one second apart", date,
         {entry("later", "", "", 0, kDay + 1.0 / 86400), entry("earlier", "", "", 0, kDay)},
         {"earlier", "later"}},
        {"unreadable time (zero) first", date,
         {entry("dated", "", "", 0, kDay), entry("unknown", "", "", 0, 0.0)}, {"unknown", "dated"}},
        {"before 1899 sorts before zero", date,
         {entry("zero", "", "", 0, 0.0), entry("1890", "", "", 0, -3000.0)}, {"1890", "zero"}},
    });
}

// The list is left alone whenever the store says "no order" at the moment of
// the sort, or the key names no property.
TEST(SortEntries, KeysThatLeaveTheListAlone) {
    struct Row {
        const char* row;
        const SettingKey* order;
        std::string key;
        bool byText;
    };
    const Row rows[] = {
        {"no order stored, text sort by name", &keys::NoOrder, "Name", true},
        {"no order stored, value sort by size", &keys::NoOrder, "FileSize", false},
        {"empty key, text", nullptr, "", true},
        {"empty key, value", nullptr, "", false},
        {"unknown key, text", &keys::NameOrder, "Colour", true},
        {"unknown key, value", &keys::SizeOrder, "Colour", false},
        {"no order key itself", &keys::NameOrder, "NoOrder", true},
    };
    for (const Row& r : rows) {
        test::TempStore t;
        chooseOrder(t.store, r.order);
        std::vector<clsFile> list{entry("c", "", "", 3, 3), entry("a", "", "", 1, 1), entry("b", "", "", 2, 2)};
        if (r.byText) sortByText(t.store, list, r.key);
        else sortByValue(t.store, list, r.key);
        EXPECT_EQ(names(list), (std::vector<std::string>{"c", "a", "b"})) << "row " << r.row;
    }
}

// A sort called with a key of the other kind still has one defined order.
TEST(SortEntries, CrossedKinds) {
    test::TempStore t;
    chooseOrder(t.store, &keys::NameOrder);
    std::vector<clsFile> bySizeText{entry("nine", "", "", 9), entry("ten", "", "", 10), entry("one", "", "", 1)};
    sortByText(t.store, bySizeText, "FileSize");  // "1" < "10" < "9"
    EXPECT_EQ(names(bySizeText), (std::vector<std::string>{"one", "ten", "nine"}));

    std::vector<clsFile> byOwnName{entry("b"), entry("C"), entry("a"), entry("B")};
    sortByValue(t.store, byOwnName, "Name");  // own text: upper case (65-90) first
    EXPECT_EQ(names(byOwnName), (std::vector<std::string>{"B", "C", "a", "b"}));
}

// The selection sort written as the listing rules state it: for each position
// the strictly smallest key of the rest is moved there, the others shifting
// back; keys read through the record's read-by-name, the sort stopping at a
// read that finds no property.
using RefKey = std::variant<std::string, std::int64_t, double>;

std::optional<RefKey> referenceKey(const clsFile& file, const std::string& key, bool byText) {
    const std::optional<PropertyValue> value = readProperty(file, key);
    if (!value) return std::nullopt;
    if (!byText) {
        if (const auto* text = std::get_if<std::string_view>(&*value)) return RefKey(std::string(*text));
        if (const auto* size = std::get_if<std::int64_t>(&*value)) return RefKey(*size);
        return RefKey(std::get<double>(*value));
    }
    std::string text;
    if (const auto* t = std::get_if<std::string_view>(&*value)) text = std::string(*t);
    else if (const auto* size = std::get_if<std::int64_t>(&*value)) text = std::to_string(*size);
    else text = generalDateText(std::get<double>(*value));
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    return RefKey(text);
}

void referenceSort(SettingsStore& store, std::vector<clsFile>& list, const std::string& key, bool byText) {
    if (getSortKey(store) == "NoOrder") return;
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
        std::optional<RefKey> best = referenceKey(list[i], key, byText);
        if (!best) return;
        std::size_t bestAt = i;
        for (std::size_t j = i + 1; j < list.size(); ++j) {
            std::optional<RefKey> candidate = referenceKey(list[j], key, byText);
            if (!candidate) return;
            if (*candidate < *best) {
                best = std::move(candidate);
                bestAt = j;
            }
        }
        if (bestAt != i) {
            clsFile moved = std::move(list[bestAt]);
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(bestAt));
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(i), std::move(moved));
        }
    }
}

// Few distinct values, so that most lists hold many equal keys (and keys equal
// only without case).
std::vector<clsFile> randomList(std::mt19937& rng, std::size_t count) {
    static const std::vector<std::string> pieces{"a", "A", "b", "B", "_", " ", "1", "\xC3\xA9", "\xFF"};
    static const std::vector<std::string> types{"", "Text document", "text document", "PNG image", "png Image"};
    static const std::vector<std::string> exts{"", "txt", "TXT", "doc", "d"};
    static const std::vector<std::int64_t> sizes{0, 1, 9, 10, 100, 3'000'000'000, std::int64_t{1} << 40};
    static const std::vector<double> dates{0.0, 1.0, kDay, kDay + 0.25, kDay + 0.5, kDay + 14.5 / 24};
    const auto pick = [&rng](const auto& values) {
        return values[std::uniform_int_distribution<std::size_t>(0, values.size() - 1)(rng)];
    };
    std::vector<clsFile> list;
    for (std::size_t i = 0; i < count; ++i) {
        std::string name;
        const auto length = std::uniform_int_distribution<int>(0, 3)(rng);
        for (int k = 0; k < length; ++k) name += pick(pieces);
        clsFile f = entry(name, pick(exts), pick(types), pick(sizes), pick(dates));
        f.FullyQualifiedName = "/d/" + std::to_string(i);  // identity of the record
        list.push_back(std::move(f));
    }
    return list;
}

std::vector<std::string> identities(const std::vector<clsFile>& list) {
    std::vector<std::string> out;
    for (const clsFile& f : list) out.push_back(f.FullyQualifiedName);
    return out;
}

TEST(SortEntries, SameOrderAsSelectionSort) {
    struct Row {
        const char* row;
        const SettingKey* order;
    };
    const Row rows[] = {
        {"no order", &keys::NoOrder}, {"name", &keys::NameOrder}, {"type", &keys::TypeOrder},
        {"size", &keys::SizeOrder},   {"date", &keys::DateOrder}, {"extension", &keys::ExtOrder},
        {"none chosen", nullptr},
    };
    std::mt19937 rng(20071203);
    for (const Row& r : rows) {
        test::TempStore t;
        chooseOrder(t.store, r.order);
        const std::string key = getSortKey(t.store);
        const bool text = isTextSort(t.store);
        for (int round = 0; round < 2000; ++round) {
            const std::size_t count = round < 1990 ? round % 40 : 150;
            const std::vector<clsFile> original = randomList(rng, count);
            // The kind the generator picks, and the other kind with the same key.
            for (const bool byText : {text, !text}) {
                std::vector<clsFile> expected = original;
                referenceSort(t.store, expected, key, byText);
                std::vector<clsFile> actual = original;
                if (byText) sortByText(t.store, actual, key);
                else sortByValue(t.store, actual, key);
                ASSERT_EQ(identities(actual), identities(expected))
                    << "row " << r.row << ", round " << round << (byText ? ", text" : ", value");
            }
        }
    }
}

TEST(SortEntries, RecordsArriveWhole) {
    test::TempStore t;
    chooseOrder(t.store, &keys::SizeOrder);
    std::vector<clsFile> list{entry("b.txt", "txt", "Text", 2, kDay), entry("a.doc", "doc", "Word", 1, kDay + 1)};
    list[0].FileSizeStr = "2 bytes";
    list[0].FileAttr = "a";
    sortAsListed(t.store, list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].Name, "b.txt");
    EXPECT_EQ(list[1].FullyQualifiedName, "/d/b.txt");
    EXPECT_EQ(list[1].FileExt, "txt");
    EXPECT_EQ(list[1].FileType, "Text");
    EXPECT_EQ(list[1].FileSize, 2);
    EXPECT_EQ(list[1].FileSizeStr, "2 bytes");
    EXPECT_EQ(list[1].FileAttr, "a");
    EXPECT_EQ(list[1].DateTime, kDay);
}

}  // namespace
}  // namespace quillory
