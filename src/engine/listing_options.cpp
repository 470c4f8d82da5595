#include "engine/listing_options.h"

#include <cmath>

#include "engine/document.h"
#include "engine/filters.h"
#include "engine/templates.h"
#include "text/regional.h"
#include "settings/snapshot.h"
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
    if (recurse == words::Infinite) return -1;
    if (recurse == words::Depth) return roundToInt16(leadingNumber(recurseDepth));
    return 0;  // "No", and any other word
}

namespace {

TimeBound readTimeBound(const SettingsSnapshot& store, const SettingKey& key) {
    if (!store.stored(key)) return {TimeBound::Kind::Now, 0};
    const std::optional<double> dateTime = parseDateTime(store.value(key));
    if (!dateTime) return {TimeBound::Kind::Open, 0};
    return {TimeBound::Kind::Fixed, wholeSeconds(*dateTime)};
}

FilterOptions readFilters(const SettingsSnapshot& store) {
    FilterOptions s;
    s.folInclude = PatternList(store.value(keys::FolInclude));
    s.folExclude = PatternList(store.value(keys::FolExclude));
    s.fileInclude = PatternList(store.value(keys::FileInclude));
    s.fileExclude = PatternList(store.value(keys::FileExclude));
    const std::string sizeFrom = store.value(keys::FileSizeFrom);
    const std::string sizeTo = store.value(keys::FileSizeTo);
    s.sizeStage = flagOn(store.value(keys::FileSize)) && !sizeFrom.empty() && !sizeTo.empty();
    // The size boxes store whatever was typed: a bound is its leading number,
    // and text that does not start with one counts as 0.
    s.sizeFrom = leadingNumber(sizeFrom);
    s.sizeTo = leadingNumber(sizeTo);
    s.timeStage = store.value(keys::FileTime) == "1";
    if (s.timeStage) {
        s.timeFrom = readTimeBound(store, keys::FileTimeFrom);
        s.timeTo = readTimeBound(store, keys::FileTimeTo);
    }
    return s;
}

SortOrder readOrder(const SettingsSnapshot& store) {
    // Examined in this order; the first flag that is on decides.
    constexpr std::pair<const SettingKey*, SortOrder> kOrders[] = {
        {&keys::NoOrder, SortOrder::None}, {&keys::NameOrder, SortOrder::Name}, {&keys::TypeOrder, SortOrder::Type},
        {&keys::SizeOrder, SortOrder::Size}, {&keys::DateOrder, SortOrder::Date}, {&keys::ExtOrder, SortOrder::Ext},
    };
    for (const auto& [flag, order] : kOrders)
        if (flagOn(store.value(*flag))) return order;
    return SortOrder::Unset;
}

// Font sizes are whole points; text that is no number gives 0.
std::string fontSize(const SettingsSnapshot& store, const SettingKey& key) {
    return std::to_string(roundToInt16(leadingNumber(store.value(key))));
}

}  // namespace

ListingOptions readListingOptions(SettingsStore& settings) { return readListingOptions(*settings.snapshot()); }

ListingOptions readListingOptions(const SettingsSnapshot& store) {
    ListingOptions o;
    o.filters = readFilters(store);
    o.order = readOrder(store);
    o.recursionLevel = recursionLevelFrom(store.value(keys::Recurse), store.value(keys::RecurseDepth));
    o.ignoreEmpty = leadingNumber(store.value(keys::IgnoreNoFiles)) == 1.0;
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        o.columns[i] = flagOn(store.value(tpl::kColumns[i].flag));
        o.captions[i] = store.value(tpl::kColumns[i].caption);
    }
    o.sizeDisplay = store.value(keys::DisplayFileSize);
    o.decimalSeparator = decimalSeparator();
    o.folFontSize = fontSize(store, keys::FolFontSize);
    o.fileFontSize = fontSize(store, keys::FileFontSize);
    for (std::size_t i = 0; i < tpl::kStylePlaceholders.size(); ++i) {
        const auto& style = tpl::kStylePlaceholders[i];
        std::string stored = store.value(style.key);
        if (!style.colour)
            o.style[i] = std::move(stored);
        else if (const auto number = wholeNumber(stored))
            o.style[i] = colorToHTML(static_cast<std::uint32_t>(*number));
    }
    return o;
}

std::shared_ptr<const ListingOptions> OptionsReader::current() {
    const std::shared_ptr<const SettingsSnapshot> snapshot = m_store.snapshot();
    if (!m_options || snapshot->generation != m_generation) {
        m_options = std::make_shared<const ListingOptions>(readListingOptions(*snapshot));
        m_generation = snapshot->generation;
    }
    return m_options;
}

}  // namespace quillory
