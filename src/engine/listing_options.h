#pragma once
// Every option a listing uses, read from the store in one go where a folder
// starts. Below that point the engine works from this value alone, so a
// setting that anybody writes during a walk takes effect from the next folder
// on, and nothing inside a folder touches the store.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/wildcard.h"

namespace quillory {

class SettingsStore;
class SettingsSnapshot;

// A ";"-separated pattern list, split literally and compiled.
class PatternList {
public:
    PatternList() = default;
    explicit PatternList(std::string_view list);
    bool anyMatches(std::string_view text) const;

private:
    std::vector<WildcardPattern> m_patterns;
    bool m_matchesEverything = false;
};

// One side of the modification-time range, in whole local seconds.
struct TimeBound {
    // Now: nothing stored, so the moment of each file's test (it moves during
    // a long walk). Open: a bound that cannot be read leaves its side open.
    enum class Kind : std::uint8_t { Open, Fixed, Now };
    Kind kind = Kind::Open;
    std::int64_t seconds = 0;
};

struct FilterOptions {
    PatternList folInclude, folExclude, fileInclude, fileExclude;
    bool sizeStage = false;  // on, and both bounds given
    double sizeFrom = 0, sizeTo = 0;
    bool timeStage = false;
    TimeBound timeFrom, timeTo;
};

// The first order flag that is on, in the order NoOrder, NameOrder,
// TypeOrder, SizeOrder, DateOrder, ExtOrder; Unset when none is.
enum class SortOrder : std::uint8_t { Unset, None, Name, Type, Size, Date, Ext };

// Columns in their fixed order: name, ext, type, size, date, attributes.
inline constexpr std::size_t kColumnCount = 6;
inline constexpr std::size_t kAttribColumn = 5;

struct ListingOptions {
    FilterOptions filters;
    SortOrder order = SortOrder::None;
    std::int16_t recursionLevel = -1;  // -1 no limit, 0 the base only, N levels below it
    bool ignoreEmpty = false;
    std::array<bool, kColumnCount> columns{};
    std::array<std::string, kColumnCount> captions;
    std::string sizeDisplay;  // DisplayFileSize as stored
    char decimalSeparator = '.';
    // The style sheet: font sizes as whole points, and the text of each style
    // placeholder in its fill order (none: a colour that is no number leaves
    // its placeholder standing).
    std::string folFontSize, fileFontSize;
    std::array<std::optional<std::string>, 8> style;
};

ListingOptions readListingOptions(SettingsStore& store);
ListingOptions readListingOptions(const SettingsSnapshot& snapshot);

// The options as they stand now, rebuilt only when the store may have
// changed since the last call. One per run (or per thread).
class OptionsReader {
public:
    explicit OptionsReader(SettingsStore& store) : m_store(store) {}
    std::shared_ptr<const ListingOptions> current();

private:
    SettingsStore& m_store;
    std::uint64_t m_generation = 0;
    std::shared_ptr<const ListingOptions> m_options;
};

std::int16_t recursionLevelFrom(std::string_view recurse, std::string_view recurseDepth);

}  // namespace quillory
