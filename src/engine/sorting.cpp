#include "engine/sorting.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <string_view>
#include <type_traits>

#include "engine/ascii_case.h"
#include "platform/regional.h"
#include "settings/key_table.h"
#include "settings/store.h"
#include "settings/values.h"

namespace quillory {

namespace {

struct Order {
    const SettingKey* flag;
    std::string_view sortKey;
    bool byText;
};

// Examined in this order; the first flag that is on decides.
constexpr std::array<Order, 6> kOrders{{
    {&keys::NoOrder, "NoOrder", true},
    {&keys::NameOrder, "Name", true},
    {&keys::TypeOrder, "FileType", true},
    {&keys::SizeOrder, "FileSize", false},
    {&keys::DateOrder, "DateTime", false},
    {&keys::ExtOrder, "FileExt", true},
}};

const Order* chosenOrder(SettingsStore& store) {
    for (const Order& order : kOrders)
        if (flagOn(store.read(*order.flag))) return &order;
    return nullptr;
}

// Rearranges the list by ascending key. Sorting positions rather than records
// reads each key once instead of once per comparison, and stable_sort keeps
// records with equal keys in their enumeration order. Keys compare as
// std::string / string_view do: byte by byte as unsigned codes, so bytes above
// 127 (non-ASCII names) come after every ASCII character, and a text that is
// the beginning of a longer one comes first.
template <typename Key>
void arrangeBy(std::vector<clsFile>& list, const std::vector<Key>& keys) {
    std::vector<std::uint32_t> positions(list.size());
    std::iota(positions.begin(), positions.end(), 0u);
    std::stable_sort(positions.begin(), positions.end(),
                     [&keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
    std::vector<clsFile> arranged;
    arranged.reserve(list.size());
    for (const std::uint32_t position : positions) arranged.push_back(std::move(list[position]));
    list.swap(arranged);
}

// A property converted to text, as a text sort sees it.
std::string propertyText(const PropertyValue& value) {
    return std::visit(
        [](const auto& v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string_view>) return std::string(v);
            else if constexpr (std::is_same_v<T, std::int64_t>) return std::to_string(v);
            else return generalDateText(v);
        },
        value);
}

// The record list is left alone when the store now says "no order" or when the
// key names no property (the empty key of "no flag on").
bool keepsEnumerationOrder(SettingsStore& store, const std::vector<clsFile>& list,
                           const std::string& key) {
    return list.size() < 2 || getSortKey(store) == "NoOrder" || !readProperty(list.front(), key);
}

}  // namespace

std::string getSortKey(SettingsStore& store) {
    const Order* order = chosenOrder(store);
    return order ? std::string(order->sortKey) : std::string();
}

bool isTextSort(SettingsStore& store) {
    const Order* order = chosenOrder(store);
    return order && order->byText;
}

void sortByText(SettingsStore& store, std::vector<clsFile>& list, const std::string& key) {
    if (keepsEnumerationOrder(store, list, key)) return;
    std::vector<std::string> keys;
    keys.reserve(list.size());
    for (const clsFile& file : list) keys.push_back(asciiLower(propertyText(*readProperty(file, key))));
    arrangeBy(list, keys);
}

void sortByValue(SettingsStore& store, std::vector<clsFile>& list, const std::string& key) {
    if (keepsEnumerationOrder(store, list, key)) return;
    // One key names one property, so every value holds the same alternative
    // and the variant's own ordering compares like with like: texts by code
    // (case kept), sizes and date-times numerically.
    std::vector<PropertyValue> values;
    values.reserve(list.size());
    for (const clsFile& file : list) {
        PropertyValue value = *readProperty(file, key);
        // A date-time that is not a number would break the ordering; it sorts
        // as the unreadable time, zero.
        if (const double* d = std::get_if<double>(&value); d && std::isnan(*d)) value = 0.0;
        values.push_back(value);
    }
    arrangeBy(list, values);
}

}  // namespace quillory
