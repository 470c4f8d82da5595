#pragma once
// Which folders get a block and which files get a row: wildcard pattern lists,
// size and modification-time ranges. Pure functions of the folder's options.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/listing_options.h"
#include "platform/folder_source.h"

namespace quillory {

// The wildcard language: ? any one character, * any run, # one digit,
// [list] / [!list] with ranges. Whole-text match, ASCII letters without case.
// Runs in O(pattern x text) at worst, whatever the pattern.
bool wildcardMatch(std::string_view text, std::string_view pattern);

// ";"-separated list, split literally (no trimming; "" gives no patterns).
std::vector<std::string> splitPatterns(std::string_view list);

// A date-time as whole local seconds.
std::int64_t wholeSeconds(double dateTime);

bool folderPasses(const FilterOptions& filters, std::string_view folderPath);

// The name stages; a file that fails them needs no stat.
bool namePasses(const FilterOptions& filters, std::string_view fileName);
// Whether the size or time stage applies, so the file's facts are needed.
inline bool needsFacts(const FilterOptions& filters) { return filters.sizeStage || filters.timeStage; }
// The size and time stages.
bool factsPass(const FilterOptions& filters, const FileFacts& facts);

}  // namespace quillory
