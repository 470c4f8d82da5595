#include "engine/filters.h"

#include <cmath>
#include <ctime>
#include <string>

#include "engine/wildcard.h"
#include "platform/regional.h"
#include "settings/key_table.h"
#include "settings/store.h"
#include "settings/values.h"

namespace quillory {

std::vector<std::string> splitPatterns(std::string_view list) {
    std::vector<std::string> patterns;
    if (list.empty()) return patterns;
    std::size_t start = 0;
    while (true) {
        const std::size_t semicolon = list.find(';', start);
        patterns.emplace_back(list.substr(start, semicolon - start));
        if (semicolon == std::string_view::npos) return patterns;
        start = semicolon + 1;
    }
}

namespace {

// A stored pattern list, split and compiled.
class PatternList {
public:
    PatternList() = default;
    explicit PatternList(std::string_view list) {
        for (const std::string& text : splitPatterns(list)) {
            m_patterns.emplace_back(text);
            if (m_patterns.back().matchesEverything()) m_matchesEverything = true;
        }
    }

    bool anyMatches(std::string_view text) const {
        if (m_matchesEverything) return true;  // the default "*"
        for (const WildcardPattern& pattern : m_patterns)
            if (pattern.matches(text)) return true;
        return false;
    }

private:
    std::vector<WildcardPattern> m_patterns;
    bool m_matchesEverything = false;
};

// Date-times as whole seconds. Bounds carry whole seconds; the half
// millisecond absorbs the rounding of the day fraction without lifting a
// file's 14:30:59.9 into the next second.
std::int64_t wholeSeconds(double dateTime) {
    return static_cast<std::int64_t>(std::floor(dateTime * 86400.0 + 5e-4));
}

// One side of the modification-time range.
struct TimeBound {
    enum class Kind : std::uint8_t { Open, Fixed, Now };
    Kind kind = Kind::Open;
    std::int64_t seconds = 0;
};

// Stands for "nothing stored": no stored text holds a NUL.
constexpr std::string_view kNotStored{"\0", 1};

TimeBound readTimeBound(SettingsStore& store, const SettingKey& key) {
    const std::string text = store.read(key, kNotStored);
    // Nothing stored means "the moment of the read". That moment moves, so it
    // is taken at each file (see currentSecond), never kept with the settings:
    // a range from a stored day up to "now" must keep admitting files written
    // while a long walk runs.
    if (text == kNotStored) return {TimeBound::Kind::Now, 0};
    // A bound that cannot be read as a date-time leaves its side open rather
    // than hiding every file over a typing slip.
    const std::optional<double> dateTime = parseDateTime(text);
    if (!dateTime) return {TimeBound::Kind::Open, 0};
    return {TimeBound::Kind::Fixed, wholeSeconds(*dateTime)};
}

// The current local date-time in whole seconds, converted once per second.
std::int64_t currentSecond() {
    thread_local std::time_t lastTime = -1;
    thread_local std::int64_t lastSeconds = 0;
    const std::time_t now = std::time(nullptr);
    if (now != lastTime) {
        lastTime = now;
        lastSeconds = wholeSeconds(dateTimeFromTime(now));
    }
    return lastSeconds;
}

bool withinBounds(std::int64_t seconds, const TimeBound& from, const TimeBound& to) {
    const auto boundAt = [](const TimeBound& bound) {
        return bound.kind == TimeBound::Kind::Now ? currentSecond() : bound.seconds;
    };
    if (from.kind != TimeBound::Kind::Open && seconds < boundAt(from)) return false;
    if (to.kind != TimeBound::Kind::Open && seconds > boundAt(to)) return false;
    return true;
}

// Everything the filters derive from the store, rebuilt when its generation moves.
struct FilterSettings {
    PatternList folInclude;
    PatternList folExclude;
    PatternList fileInclude;
    PatternList fileExclude;
    bool sizeStage = false;
    double sizeFrom = 0;
    double sizeTo = 0;
    bool timeStage = false;
    TimeBound timeFrom;
    TimeBound timeTo;
};

FilterSettings readFilterSettings(SettingsStore& store) {
    FilterSettings s;
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

// The filters run for every file, so the split and compiled lists are kept
// per thread and per store until the store reports a possible change. The
// path guards against a new store that happens to reuse a freed one's
// address and generation.
const FilterSettings& currentSettings(SettingsStore& store) {
    struct Memo {
        const SettingsStore* store = nullptr;
        std::string path;
        std::uint64_t generation = 0;
        FilterSettings settings;
    };
    thread_local Memo memo;
    const std::uint64_t generation = store.generation();
    if (memo.store != &store || memo.generation != generation || memo.path != store.path()) {
        memo.settings = readFilterSettings(store);
        memo.store = &store;
        memo.path = store.path();
        memo.generation = generation;
    }
    return memo.settings;
}

}  // namespace

bool folderPasses(SettingsStore& store, std::string_view folderPath) {
    const FilterSettings& s = currentSettings(store);
    return s.folInclude.anyMatches(folderPath) && !s.folExclude.anyMatches(folderPath);
}

bool filePasses(SettingsStore& store, std::string_view fileName, std::string_view /*folderPath*/,
                const std::function<FileFacts()>& facts) {
    const FilterSettings& s = currentSettings(store);
    if (!s.fileInclude.anyMatches(fileName) || s.fileExclude.anyMatches(fileName)) return false;
    if (!s.sizeStage && !s.timeStage) return true;

    const FileFacts f = facts ? facts() : FileFacts{};
    if (s.sizeStage) {
        const auto size = static_cast<double>(f.size);
        if (size < s.sizeFrom || size > s.sizeTo) return false;
    }
    if (s.timeStage && !withinBounds(wholeSeconds(f.modified), s.timeFrom, s.timeTo)) return false;
    return true;
}

bool ignoreEmptyFolders(SettingsStore& store) {
    return leadingNumber(store.read(keys::IgnoreNoFiles)) == 1.0;
}

}  // namespace quillory
