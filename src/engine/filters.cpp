#include "engine/filters.h"

#include <cmath>
#include <ctime>
#include <string>

#include "engine/wildcard.h"
#include "text/regional.h"

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

// Bounds carry whole seconds; the half millisecond absorbs the rounding of
// the day fraction without lifting a file's 14:30:59.9 into the next second.
std::int64_t wholeSeconds(double dateTime) {
    return static_cast<std::int64_t>(std::floor(dateTime * 86400.0 + 5e-4));
}

namespace {

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

}  // namespace

bool folderPasses(const FilterOptions& filters, std::string_view folderPath) {
    return filters.folInclude.anyMatches(folderPath) && !filters.folExclude.anyMatches(folderPath);
}

bool namePasses(const FilterOptions& filters, std::string_view fileName) {
    return filters.fileInclude.anyMatches(fileName) && !filters.fileExclude.anyMatches(fileName);
}

bool factsPass(const FilterOptions& filters, const FileFacts& facts) {
    if (filters.sizeStage) {
        const auto size = static_cast<double>(facts.size);
        if (size < filters.sizeFrom || size > filters.sizeTo) return false;
    }
    return !filters.timeStage || withinBounds(wholeSeconds(facts.modified), filters.timeFrom, filters.timeTo);
}

}  // namespace quillory
