#pragma once
// The record of one listed file. Lives only inside one per-folder generator call.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quillory {

struct clsFile {
    std::string Name;                // as the enumeration returned it, without folder
    std::string FullyQualifiedName;  // folder path with separator, then Name
    double DateTime = 0.0;           // last modification, local date-time; 0 unreadable
    std::string FileType;            // type text of the name
    std::int64_t FileSize = 0;
    std::string FileSizeStr;         // FileSize through sizeText
    std::string FileExt;             // extension without the dot
    std::string FileAttr;            // attribute letters
};

// A property's own value: text for the text properties, the byte count for
// FileSize, the date-time for DateTime.
using PropertyValue = std::variant<std::string_view, std::int64_t, double>;

// Read-by-name of Name, FullyQualifiedName, FileType, FileSizeStr, FileExt,
// FileAttr, FileSize and DateTime; none for any other name (the sort's empty key).
std::optional<PropertyValue> readProperty(const clsFile& file, std::string_view name);

}  // namespace quillory
