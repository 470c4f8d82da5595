#include "engine/listing_options.h"

#include <cmath>

#include "engine/document.h"
#include "engine/filters.h"
#include "engine/templates.h"
#include "platform/regional.h"
#include "settings/store.h"
#include "settings/values.h"

namespace quillory {

PatternList::PatternList(std::string_view list) {
    for (const std::string& text : splitPatterns(list)) {
        m_patterns.emplace_back(text);
        if (m_patterns.back().matchesEverything()) m_matchesEverything = true;
    }
}

bool PatternList::anyMatches(std::string_view text) const {
    if (m_matchesEverything) return true;  // the default "*"
    for (const WildcardPattern& pattern : m_patterns)
        if (pattern.matches(text)) return true;
    return false;
}

std::int16_t recursionLevelFrom(std::string_view recurse, std::string_view recurseDepth) {
    if (recurse == "Infinite") return -1;
    if (recurse == "Depth") return roundToInt16(leadingNumber(recurseDepth));
    return 0;  // "No", and any other word
}

namespace {

// Stands for "nothing stored": no stored text holds a NUL.
constexpr std::string_view kNotStored{"\0", 1};

TimeBound readTimeBound(SettingsStore& store, const SettingKey& key) {
    const std::string text = store.read(key, kNotStored);
    if (text == kNotStored) return {TimeBound::Kind::Now, 0};
    const std::optional<double> dateTime = parseDateTime(text);
    if (!dateTime) return {TimeBound::Kind::Open, 0};
    return {TimeBound::Kind::Fixed, wholeSeconds(*dateTime)};
}

FilterOptions readFilters(SettingsStore& store) {
    FilterOptions s;
    s.folInclude = PatternList(store.read(keys::FolInclude));
    s.folExclude = PatternList(store.read(keys::FolExclude));
    s.fileInclude = PatternList(store.read(keys::FileInclude));
    s.fileExclude = PatternList(store.read(keys::FileExclude));
    const std::string sizeFrom = store.read(keys::FileSizeFrom);
    const std::string sizeTo = store.read(keys::FileSizeTo);
    s.sizeStage = flagOn(store.read(keys::FileSize)) && !sizeFrom.empty() && !sizeTo.empty();
    // The size boxes store whatever was typed: a bound is its leading number,
    // and text that does not start with one counts as 0.
    s.sizeFrom = leadingNumber(sizeFrom);
    s.sizeTo = leadingNumber(sizeTo);
    s.timeStage = store.read(keys::FileTime) == "1";
    if (s.timeStage) {
        s.timeFrom = readTimeBound(store, keys::FileTimeFrom);
        s.timeTo = readTimeBound(store, keys::FileTimeTo);
    }
    return s;
}

SortOrder readOrder(SettingsStore& store) {
    // Examined in this order; the first flag that is on decides.
    constexpr std::pair<const SettingKey*, SortOrder> kOrders[] = {
        {&keys::NoOrder, SortOrder::None}, {&keys::NameOrder, SortOrder::Name}, {&keys::TypeOrder, SortOrder::Type},
        {&keys::SizeOrder, SortOrder::Size}, {&keys::DateOrder, SortOrder::Date}, {&keys::ExtOrder, SortOrder::Ext},
    };
    for (const auto& [flag, order] : kOrders)
        if (flagOn(store.read(*flag))) return order;
    return SortOrder::Unset;
}

// Font sizes are whole points; text that is no number gives 0.
std::string fontSize(SettingsStore& store, const SettingKey& key) {
    return std::to_string(roundToInt16(leadingNumber(store.read(key))));
}

}  // namespace

ListingOptions readListingOptions(SettingsStore& store) {
    ListingOptions o;
    o.filters = readFilters(store);
    o.order = readOrder(store);
    o.recursionLevel = recursionLevelFrom(store.read(keys::Recurse), store.read(keys::RecurseDepth));
    o.ignoreEmpty = leadingNumber(store.read(keys::IgnoreNoFiles)) == 1.0;
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        o.columns[i] = flagOn(store.read(tpl::kColumns[i].flag));
        o.captions[i] = store.read(tpl::kColumns[i].caption);
    }
    o.sizeDisplay = store.read(keys::DisplayFileSize);
    o.decimalSeparator = decimalSeparator();
    o.folFontSize = fontSize(store, keys::FolFontSize);
    o.fileFontSize = fontSize(store, keys::FileFontSize);
    for (std::size_t i = 0; i < tpl::kStylePlaceholders.size(); ++i) {
        const auto& style = tpl::kStylePlaceholders[i];
        std::string stored = store.read(style.key);
        if (!style.colour)
            o.style[i] = std::move(stored);
        else if (const auto number = wholeNumber(stored))
            o.style[i] = colorToHTML(static_cast<std::uint32_t>(*number));
    }
    return o;
}

std::shared_ptr<const ListingOptions> OptionsReader::current() {
    const std::uint64_t generation = m_store.generation();
    if (!m_options || generation != m_generation) {
        m_options = std::make_shared<const ListingOptions>(readListingOptions(m_store));
        m_generation = generation;
    }
    return m_options;
}

}  // namespace quillory
