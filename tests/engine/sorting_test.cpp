#include "engine/sorting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <variant>

#include "support/temp_store.h"

namespace quillory {
namespace {

clsFile entry(std::string name, std::string ext = "", std::string type = "", std::int64_t size = 0, double date = 0) {
    clsFile f;
    std::tie(f.Name, f.FileExt, f.FileType, f.FileSize, f.DateTime) = std::tuple(name, ext, type, size, date);
    return f;
}

TEST(SortOrder, FirstChosenFlagDecides) {
    const SettingKey* const no = &keys::NoOrder;
    using Flags = std::vector<std::pair<const SettingKey*, const char*>>;
    const struct { const char* name; Flags flags; SortOrder order; } rows[] = {
        {"nothing stored", {}, SortOrder::None}, {"no order off, nothing else", {{no, "0"}}, SortOrder::Unset},
        {"no order beats name", {{no, "1"}, {&keys::NameOrder, "1"}}, SortOrder::None},
        {"type beats size", {{no, "0"}, {&keys::SizeOrder, "1"}, {&keys::TypeOrder, "1"}}, SortOrder::Type},
        {"date beats extension", {{no, "0"}, {&keys::ExtOrder, "1"}, {&keys::DateOrder, "1"}}, SortOrder::Date},
        {"flag with trailing text", {{no, "0"}, {&keys::SizeOrder, "1 on"}}, SortOrder::Size},
        {"2 is not chosen", {{no, "2"}, {&keys::NameOrder, "1"}}, SortOrder::Name},
    };
    for (const auto& row : rows) {
        test::TempStore t;
        for (const auto& [key, value] : row.flags) t.set(*key, value);
        EXPECT_EQ(readListingOptions(t.store).order, row.order) << row.name;
    }
}

// The reference below decides every other order; these rows pin what it means.
TEST(SortFiles, KnownOrders) {
    using Names = std::vector<std::string>;
    const struct { const char* name; SortOrder order; Names list, expected; } rows[] = {
        {"characters, not numbers, without case", SortOrder::Name, {"file2", "File10", "_x", " z"}, {" z", "_x", "File10", "file2"}},
        {"no order keeps enumeration order", SortOrder::None, {"c", "a", "b"}, {"c", "a", "b"}},
        {"no flag chosen keeps enumeration order", SortOrder::Unset, {"c", "a"}, {"c", "a"}},
    };
    for (const auto& row : rows) {
        std::vector<clsFile> list;
        for (const std::string& name : row.list) list.push_back(entry(name));
        sortFiles(list, row.order);
        Names names;
        for (const clsFile& f : list) names.push_back(f.Name);
        EXPECT_EQ(names, row.expected) << row.name;
    }
}

// The order as the listing rules state it: a selection sort that moves the
// strictly smallest key of the rest forward, i.e. a stable sort. Text keys
// are compared lower-cased by byte, sizes and dates by value.
std::variant<std::string, std::int64_t, double> referenceKey(const clsFile& file, SortOrder order) {
    if (order == SortOrder::Size) return file.FileSize;
    if (order == SortOrder::Date) return file.DateTime;
    std::string text = order == SortOrder::Type ? file.FileType : order == SortOrder::Ext ? file.FileExt : file.Name;
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    return text;
}

// Few distinct values, so that most lists hold many equal keys (and keys equal
// only without case); every field is compared, so a record that loses or
// mixes a field on the move shows.
TEST(SortFiles, SameOrderAsSelectionSort) {
    const std::vector<std::string> pieces{"a", "A", "b", "B", "_", " ", "1", "\xC3\xA9", "\xFF"};
    const std::vector<std::string> types{"", "Text document", "text document", "PNG image"};
    const std::vector<std::string> exts{"", "txt", "TXT", "d"};
    const std::vector<std::int64_t> sizes{0, 9, 10, 3'000'000'000, std::int64_t{1} << 40};
    const std::vector<double> dates{0.0, -3000.0, 39419.0, 39419.25};
    std::mt19937 rng(20071203);
    const auto pick = [&rng](const auto& values) {
        return values[std::uniform_int_distribution<std::size_t>(0, values.size() - 1)(rng)];
    };
    const auto records = [](const std::vector<clsFile>& list) {
        std::vector<std::string> out;
        for (const clsFile& f : list)
            out.push_back(f.FullyQualifiedName + "|" + f.Name + "|" + f.FileExt + "|" + f.FileType + "|" +
                          std::to_string(f.FileSize) + "|" + f.FileSizeStr + "|" + std::to_string(f.DateTime));
        return out;
    };
    for (const SortOrder order : {SortOrder::Name, SortOrder::Type, SortOrder::Size, SortOrder::Date, SortOrder::Ext}) {
        for (int round = 0; round < 300; ++round) {
            std::vector<clsFile> original;
            for (int i = 0, count = round < 295 ? round % 40 : 150; i < count; ++i) {
                std::string name;
                for (int k = std::uniform_int_distribution<int>(0, 3)(rng); k > 0; --k) name += pick(pieces);
                clsFile& f = original.emplace_back(entry(name, pick(exts), pick(types), pick(sizes), pick(dates)));
                f.FullyQualifiedName = "/d/" + std::to_string(i);
                f.FileSizeStr = std::to_string(i);
            }
            std::vector<clsFile> expected = original;
            std::stable_sort(expected.begin(), expected.end(), [order](const clsFile& a, const clsFile& b) {
                return referenceKey(a, order) < referenceKey(b, order);
            });
            sortFiles(original, order);
            ASSERT_EQ(records(original), records(expected)) << "order " << int(order) << ", round " << round;
        }
    }
}

}  // namespace
}  // namespace quillory
