#pragma once
// Which folders get a block and which files get a row: wildcard pattern lists,
// size and modification-time ranges, and the ignore-empty rule.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/folder_source.h"

namespace quillory {

class SettingsStore;

// The wildcard language: ? any one character, * any run, # one digit,
// [list] / [!list] with ranges. Whole-text match, ASCII letters without case.
// Runs in O(pattern x text) at worst, whatever the pattern.
bool wildcardMatch(std::string_view text, std::string_view pattern);

// ";"-separated list, split literally (no trimming; "" gives no patterns).
std::vector<std::string> splitPatterns(std::string_view list);

bool folderPasses(SettingsStore& store, std::string_view folderPath);

// `facts` gives the file's size and modification date-time; it is asked only
// when a size or time stage applies, so a name that fails costs no stat.
bool filePasses(SettingsStore& store, std::string_view fileName, std::string_view folderPath,
                const std::function<FileFacts()>& facts);

bool ignoreEmptyFolders(SettingsStore& store);

}  // namespace quillory
