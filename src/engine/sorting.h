#pragma once
// The order of the files within one folder: enumeration order, or ascending and
// stable by name, type text, extension (lower-cased text), size or date-time.
#include <string>
#include <vector>

#include "engine/cls_file.h"

namespace quillory {

class SettingsStore;

// "NoOrder", "Name", "FileType", "FileSize", "DateTime", "FileExt", or "" when
// no order flag is on; the first flag on in the order NoOrder, NameOrder,
// TypeOrder, SizeOrder, DateOrder, ExtOrder wins.
std::string getSortKey(SettingsStore& store);
bool isTextSort(SettingsStore& store);

// Both sorts are stable and ascending; a key that names no property (or
// "NoOrder") leaves the list as it is. sortByText compares the lower-cased
// texts by character code.
void sortByText(SettingsStore& store, std::vector<clsFile>& list, const std::string& key);
void sortByValue(SettingsStore& store, std::vector<clsFile>& list, const std::string& key);

}  // namespace quillory
