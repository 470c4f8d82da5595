#include "engine/sorting.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <utility>

#include "text/ascii_case.h"
#include "text/regional.h"

namespace quillory {

namespace {

// Rearranges the list by ascending key. Each record's key is computed once and
// sorted beside its position, rather than once per comparison; stable_sort
// keeps records with equal keys in their enumeration order.
template <typename Key, typename KeyAt>
void arrangeBy(std::vector<clsFile>& list, KeyAt keyAt) {
    std::vector<std::pair<Key, std::uint32_t>> keyed;
    keyed.reserve(list.size());
    for (std::uint32_t i = 0; i < list.size(); ++i) keyed.emplace_back(keyAt(i), i);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    // Position k receives the record from keyed[k].second. Following each cycle
    // of that permutation moves every record once, in place: a large folder
    // needs no second array of records.
    for (std::uint32_t start = 0; start < keyed.size(); ++start) {
        if (keyed[start].second == start) continue;
        clsFile held = std::move(list[start]);
        std::uint32_t to = start;
        while (keyed[to].second != start) {
            const std::uint32_t from = keyed[to].second;
            list[to] = std::move(list[from]);
            keyed[to].second = to;  // done
            to = from;
        }
        list[to] = std::move(held);
        keyed[to].second = to;
    }
}

// A property's own value of the kind the key's first record showed; one key
// names one property, so the fallback is never taken in practice.
template <typename T>
T valueAs(const clsFile& file, const std::string& key) {
    const std::optional<PropertyValue> value = readProperty(file, key);
    const T* own = value ? std::get_if<T>(&*value) : nullptr;
    return own ? *own : T{};
}

// A property converted to text and lower-cased, as a text sort sees it.
std::string loweredText(const clsFile& file, const std::string& key) {
    const std::optional<PropertyValue> value = readProperty(file, key);
    if (!value) return {};
    if (const auto* text = std::get_if<std::string_view>(&*value)) return asciiLower(*text);
    if (const auto* size = std::get_if<std::int64_t>(&*value)) return std::to_string(*size);
    return asciiLower(generalDateText(std::get<double>(*value)));
}

// Texts compare as string_view does: byte by byte as codes 0 to 255, a text
// that begins a longer one first. Names are bytes of the system's code page,
// whose order runs by those codes; read as signed char, every non-ASCII name
// would land before the blank. The first eight bytes, packed big-endian beside
// the view, settle most comparisons on one integer without reaching into the
// text; packing pads with zero bytes, which keeps a text before any longer
// text it begins, and equal heads fall back to the whole text.
struct TextKey {
    std::uint64_t head;
    std::string_view text;
    bool operator<(const TextKey& other) const {
        return head != other.head ? head < other.head : text < other.text;
    }
};

TextKey textKey(std::string_view text) {
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < 8; ++i)
        head = (head << 8) | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
    return {head, text};
}

// The record list is left alone for "NoOrder" and for a key that names no
// property (the empty key of "no flag on").
bool keepsEnumerationOrder(const std::vector<clsFile>& list, const std::string& key) {
    return list.size() < 2 || key == "NoOrder" || !readProperty(list.front(), key);
}

}  // namespace

std::string getSortKey(SortOrder order) {
    switch (order) {
        case SortOrder::None: return "NoOrder";
        case SortOrder::Name: return "Name";
        case SortOrder::Type: return "FileType";
        case SortOrder::Size: return "FileSize";
        case SortOrder::Date: return "DateTime";
        case SortOrder::Ext: return "FileExt";
        case SortOrder::Unset: break;
    }
    return {};
}

bool isTextSort(SortOrder order) {
    return order == SortOrder::None || order == SortOrder::Name || order == SortOrder::Type ||
           order == SortOrder::Ext;
}

void sortFiles(std::vector<clsFile>& list, SortOrder order) {
    const std::string key = getSortKey(order);
    if (isTextSort(order))
        sortByText(list, key);
    else
        sortByValue(list, key);
}

void sortByText(std::vector<clsFile>& list, const std::string& key) {
    if (keepsEnumerationOrder(list, key)) return;
    // The lowered texts stay put; the sort moves only their heads and views.
    std::vector<std::string> texts;
    texts.reserve(list.size());
    for (const clsFile& file : list) texts.push_back(loweredText(file, key));
    arrangeBy<TextKey>(list, [&texts](std::uint32_t i) { return textKey(texts[i]); });
}

void sortByValue(std::vector<clsFile>& list, const std::string& key) {
    if (keepsEnumerationOrder(list, key)) return;
    // Texts compare by code with their case kept, sizes and date-times numerically.
    const PropertyValue first = *readProperty(list.front(), key);
    if (std::holds_alternative<std::string_view>(first)) {
        arrangeBy<std::string_view>(list, [&](std::uint32_t i) { return valueAs<std::string_view>(list[i], key); });
    } else if (std::holds_alternative<std::int64_t>(first)) {
        arrangeBy<std::int64_t>(list, [&](std::uint32_t i) { return valueAs<std::int64_t>(list[i], key); });
    } else {
        arrangeBy<double>(list, [&](std::uint32_t i) {
            // A date-time that is not a number would break the ordering; it
            // sorts as the unreadable time, zero.
            const double dateTime = valueAs<double>(list[i], key);
            return std::isnan(dateTime) ? 0.0 : dateTime;
        });
    }
}

}  // namespace quillory
