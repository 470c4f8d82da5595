#include "engine/cls_file.h"

#include "text/ascii_case.h"

namespace quillory {

namespace {

// Property names are matched without regard to case, like every other name
// a user or a setting can spell.
bool sameName(std::string_view a, std::string_view b) { return equalWithoutCase(a, b); }

}  // namespace

std::optional<PropertyValue> readProperty(const clsFile& file, std::string_view name) {
    if (sameName(name, "Name")) return PropertyValue(std::string_view(file.Name));
    if (sameName(name, "FullyQualifiedName"))
        return PropertyValue(std::string_view(file.FullyQualifiedName));
    if (sameName(name, "FileType")) return PropertyValue(std::string_view(file.FileType));
    if (sameName(name, "FileSizeStr")) return PropertyValue(std::string_view(file.FileSizeStr));
    if (sameName(name, "FileExt")) return PropertyValue(std::string_view(file.FileExt));
    if (sameName(name, "FileAttr")) return PropertyValue(std::string_view(file.FileAttr));
    if (sameName(name, "FileSize")) return PropertyValue(file.FileSize);
    if (sameName(name, "DateTime")) return PropertyValue(file.DateTime);
    return std::nullopt;
}

}  // namespace quillory
