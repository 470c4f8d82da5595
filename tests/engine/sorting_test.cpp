#include <gtest/gtest.h>

#include <random>
#include <string>
#include <variant>
#include <vector>

#include "engine/sorting.h"
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

struct Setting {
    const SettingKey* key;
    std::string value;
};

TEST(SortOrder, FirstChosenFlagDecides) {
    const SettingKey* const no = &keys::NoOrder;
    const struct {
        const char* row;
        std::vector<Setting> flags;
        std::string key;
        bool text;
    } rows[] = {
        {"nothing stored", {}, "NoOrder", true},
        {"no order off, nothing else", {{no, "0"}}, "", false},
        {"no order beats name", {{no, "1"}, {&keys::NameOrder, "1"}}, "NoOrder", true},
        {"name beats extension", {{no, "0"}, {&keys::NameOrder, "1"}, {&keys::ExtOrder, "1"}}, "Name", true},
        {"type beats size", {{no, "0"}, {&keys::SizeOrder, "1"}, {&keys::TypeOrder, "1"}}, "FileType", true},
        {"date beats extension", {{no, "0"}, {&keys::ExtOrder, "1"}, {&keys::DateOrder, "1"}}, "DateTime", false},
        {"flag with trailing text", {{no, "0"}, {&keys::SizeOrder, "1 on"}}, "FileSize", false},
        {"2 is not chosen", {{no, "2"}, {&keys::NameOrder, "1"}}, "Name", true},
    };
    for (const auto& r : rows) {
        test::TempStore t;
        for (const Setting& s : r.flags) ASSERT_TRUE(t.store.write(*s.key, s.value));
        const SortOrder order = readListingOptions(t.store).order;
        EXPECT_EQ(getSortKey(order), r.key) << "row " << r.row;
        EXPECT_EQ(isTextSort(order), r.text) << "row " << r.row;
    }
}

struct SortRow {
    const char* row;
    SortOrder order;
    std::vector<clsFile> list;
    std::vector<std::string> expected;  // names, in order
};

void expectSortRows(const std::vector<SortRow>& rows) {
    for (const SortRow& r : rows) {
        std::vector<clsFile> list = r.list;
        sortFiles(list, r.order);
        EXPECT_EQ(names(list), r.expected) << "row " << r.row;
    }
}

constexpr double kDay = 39419.0;  // 2007-12-03

TEST(SortFiles, ByText) {
    const SortOrder name = SortOrder::Name;
    expectSortRows({
        {"letter case does not count", name, {entry("banana.txt"), entry("Cherry.txt"), entry("apple.txt")},
         {"apple.txt", "banana.txt", "Cherry.txt"}},
        {"characters, not numbers", name, {entry("file2.txt"), entry("file10.txt")}, {"file10.txt", "file2.txt"}},
        {"blank, digit, underscore before letters", name, {entry("b"), entry("_x"), entry("5"), entry(" z")},
         {" z", "5", "_x", "b"}},
        {"non-ASCII after ASCII", name, {entry("\xC3\xA9t\xC3\xA9"), entry("zebra"), entry("Apple")},
         {"Apple", "zebra", "\xC3\xA9t\xC3\xA9"}},
        {"equal ignoring case keep order", name, {entry("B"), entry("a"), entry("b"), entry("A")},
         {"a", "A", "B", "b"}},
        {"type order keeps equal types in order", SortOrder::Type,
         {entry("1", "", "Text document"), entry("2", "", "PNG image"), entry("3", "", "text document"),
          entry("4", "", "png image")},
         {"2", "4", "1", "3"}},
        {"files without extension first", SortOrder::Ext,
         {entry("a.txt", "txt"), entry("Makefile", ""), entry("b.DOC", "DOC"), entry("c.doc", "doc")},
         {"Makefile", "b.DOC", "c.doc", "a.txt"}},
        {"no order keeps enumeration order", SortOrder::None, {entry("c"), entry("a"), entry("b")}, {"c", "a", "b"}},
        {"no flag chosen keeps enumeration order", SortOrder::Unset, {entry("c"), entry("a"), entry("b")},
         {"c", "a", "b"}},
    });
}

TEST(SortFiles, ByValue) {
    const SortOrder size = SortOrder::Size;
    const SortOrder date = SortOrder::Date;
    expectSortRows({
        {"0 bytes first, 3 GB last", size,
         {entry("mid", "", "", 500), entry("big", "", "", 3'000'000'000), entry("empty", "", "", 0)},
         {"empty", "mid", "big"}},
        {"equal sizes keep order", size,
         {entry("a", "", "", 7), entry("b", "", "", 3), entry("c", "", "", 7), entry("d", "", "", 3)},
         {"b", "d", "a", "c"}},
        {"oldest first, same time keeps order", date,
         {entry("b", "", "", 0, kDay), entry("a", "", "", 0, kDay), entry("old", "", "", 0, kDay - 300)},
         {"old", "b", "a"}},
        {"before 1899 sorts before the zero date", date,
         {entry("zero", "", "", 0, 0.0), entry("1890", "", "", 0, -3000.0)}, {"1890", "zero"}},
    });
}

// The selection sort as the listing rules state it: for each position the
// strictly smallest key of the rest is moved there, the others shifting back.
// Text keys are compared lower-cased, sizes and dates by value.
using RefKey = std::variant<std::string, std::int64_t, double>;

RefKey referenceKey(const clsFile& file, const std::string& key) {
    const PropertyValue value = *readProperty(file, key);
    if (const auto* number = std::get_if<std::int64_t>(&value)) return *number;
    if (const auto* date = std::get_if<double>(&value)) return *date;
    std::string text(std::get<std::string_view>(value));
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    return text;
}

void referenceSort(std::vector<clsFile>& list, const std::string& key) {
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
        std::size_t bestAt = i;
        for (std::size_t j = i + 1; j < list.size(); ++j)
            if (referenceKey(list[j], key) < referenceKey(list[bestAt], key)) bestAt = j;
        clsFile moved = std::move(list[bestAt]);
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(bestAt));
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(i), std::move(moved));
    }
}

// Few distinct values, so that most lists hold many equal keys (and keys equal
// only without case).
std::vector<clsFile> randomList(std::mt19937& rng, std::size_t count) {
    static const std::vector<std::string> pieces{"a", "A", "b", "B", "_", " ", "1", "\xC3\xA9", "\xFF"};
    static const std::vector<std::string> types{"", "Text document", "text document", "PNG image"};
    static const std::vector<std::string> exts{"", "txt", "TXT", "d"};
    static const std::vector<std::int64_t> sizes{0, 9, 10, 3'000'000'000, std::int64_t{1} << 40};
    static const std::vector<double> dates{0.0, kDay, kDay + 0.25, kDay + 14.5 / 24};
    const auto pick = [&rng](const auto& values) {
        return values[std::uniform_int_distribution<std::size_t>(0, values.size() - 1)(rng)];
    };
    std::vector<clsFile> list;
    for (std::size_t i = 0; i < count; ++i) {
        std::string name;
        for (int k = std::uniform_int_distribution<int>(0, 3)(rng); k > 0; --k) name += pick(pieces);
        clsFile f = entry(name, pick(exts), pick(types), pick(sizes), pick(dates));
        f.FullyQualifiedName = "/d/" + std::to_string(i);  // identity of the record
        f.FileSizeStr = std::to_string(i) + " Bytes";
        f.FileAttr = std::string(i % 3, 'a');
        list.push_back(std::move(f));
    }
    return list;
}

// Every field, so that a record that loses or mixes a field on the move shows.
std::vector<std::string> wholeRecords(const std::vector<clsFile>& list) {
    std::vector<std::string> out;
    for (const clsFile& f : list)
        out.push_back(f.FullyQualifiedName + "|" + f.Name + "|" + f.FileExt + "|" + f.FileType + "|" +
                      std::to_string(f.FileSize) + "|" + f.FileSizeStr + "|" + f.FileAttr + "|" +
                      std::to_string(f.DateTime));
    return out;
}

TEST(SortFiles, SameOrderAsSelectionSort) {
    std::mt19937 rng(20071203);
    for (const SortOrder order : {SortOrder::Name, SortOrder::Type, SortOrder::Size, SortOrder::Date, SortOrder::Ext}) {
        for (int round = 0; round < 1000; ++round) {
            const std::vector<clsFile> original = randomList(rng, round < 990 ? round % 40 : 150);
            std::vector<clsFile> expected = original;
            referenceSort(expected, getSortKey(order));
            std::vector<clsFile> actual = original;
            sortFiles(actual, order);
            ASSERT_EQ(wholeRecords(actual), wholeRecords(expected)) << "key " << getSortKey(order) << ", round " << round;
        }
    }
}

}  // namespace
}  // namespace quillory
