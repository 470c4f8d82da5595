#pragma once
// The order of the files within one folder: enumeration order, or ascending and
// stable by name, type text, extension (lower-cased text), size or date-time.
#include <string>
#include <vector>

#include "engine/cls_file.h"
#include "engine/listing_options.h"

namespace quillory {

// "NoOrder", "Name", "FileType", "FileSize", "DateTime", "FileExt", or "" when
// no order flag is on.
std::string getSortKey(SortOrder order);
bool isTextSort(SortOrder order);

// Both sorts are stable and ascending; a key that names no property (or
// "NoOrder") leaves the list as it is. sortByText compares the lower-cased
// texts by character code.
void sortByText(std::vector<clsFile>& list, const std::string& key);
void sortByValue(std::vector<clsFile>& list, const std::string& key);

// What a folder's generator does: the key, then the text or value sort.
void sortFiles(std::vector<clsFile>& list, SortOrder order);

}  // namespace quillory
