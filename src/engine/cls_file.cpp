#include "engine/cls_file.h"

namespace quillory {

namespace {

// Property names are matched the way the desktop's late-bound calls match
// them: without regard to case.
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

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
