#pragma once
// Every option Quillory keeps, in one table: section, key, stored form and the
// default its readers pass. Code refers to these entries, never to a key string.
#include <array>
#include <cstddef>
#include <string_view>

namespace quillory {

inline constexpr std::string_view kAppKey = "Tallyfold";

enum class StoredForm { Flag, Integer, Colour, FontSize, DateTime, Word, Text };

struct SettingKey {
    std::size_t index;          // the key's position in kAllKeys; the store keeps its value there
    std::string_view section;
    std::string_view name;
    StoredForm form;
    std::string_view def;       // what a reader passes when nothing is stored
    bool defaultIsNow = false;  // the default is the current date and time instead
};

namespace keys {
using F = StoredForm;
// Output
inline constexpr SettingKey Browser{0, "Output", "Browser", F::Flag, "1"};
inline constexpr SettingKey NoOrder{1, "Output", "NoOrder", F::Flag, "1"};
inline constexpr SettingKey NameOrder{2, "Output", "NameOrder", F::Flag, "0"};
inline constexpr SettingKey ExtOrder{3, "Output", "ExtOrder", F::Flag, "0"};
inline constexpr SettingKey SizeOrder{4, "Output", "SizeOrder", F::Flag, "0"};
inline constexpr SettingKey TypeOrder{5, "Output", "TypeOrder", F::Flag, "0"};
inline constexpr SettingKey DateOrder{6, "Output", "DateOrder", F::Flag, "0"};
inline constexpr SettingKey Recurse{7, "Output", "Recurse", F::Word, "Infinite"};
inline constexpr SettingKey RecurseDepth{8, "Output", "RecurseDepth", F::Integer, "6"};
// The dialog and the log summary read it with no default (""); both treat "" as 0.
inline constexpr SettingKey IgnoreNoFiles{9, "Output", "IgnoreNoFiles", F::Flag, "0"};
// Filter
inline constexpr SettingKey FileInclude{10, "Filter", "FileInclude", F::Text, "*"};
inline constexpr SettingKey FileExclude{11, "Filter", "FileExclude", F::Text, ""};
inline constexpr SettingKey FolInclude{12, "Filter", "FolInclude", F::Text, "*"};
inline constexpr SettingKey FolExclude{13, "Filter", "FolExclude", F::Text, ""};
// The file filter reads it with no default; it tests for exactly "1", so "" and "0" agree.
inline constexpr SettingKey FileTime{14, "Filter", "FileTime", F::Flag, "0"};
inline constexpr SettingKey FileTimeFrom{15, "Filter", "FileTimeFrom", F::DateTime, "", true};
// Written as FileTimeTo, historically read back as FileTimeto: keys match without case.
inline constexpr SettingKey FileTimeTo{16, "Filter", "FileTimeTo", F::DateTime, "", true};
inline constexpr SettingKey FileSize{17, "Filter", "FileSize", F::Flag, "0"};
inline constexpr SettingKey FileSizeFrom{18, "Filter", "FileSizeFrom", F::Text, ""};
inline constexpr SettingKey FileSizeTo{19, "Filter", "FileSizeTo", F::Text, ""};
// Display
inline constexpr SettingKey Name{20, "Display", "Name", F::Flag, "1"};
inline constexpr SettingKey Ext{21, "Display", "Ext", F::Flag, "0"};
inline constexpr SettingKey Type{22, "Display", "Type", F::Flag, "1"};
inline constexpr SettingKey Size{23, "Display", "Size", F::Flag, "1"};
inline constexpr SettingKey DateTime{24, "Display", "DateTime", F::Flag, "1"};
inline constexpr SettingKey Attrib{25, "Display", "Attrib", F::Flag, "0"};
inline constexpr SettingKey NameStr{26, "Display", "NameStr", F::Text, "Name"};
inline constexpr SettingKey ExtStr{27, "Display", "ExtStr", F::Text, "Ext"};
inline constexpr SettingKey TypeStr{28, "Display", "TypeStr", F::Text, "Type"};
inline constexpr SettingKey SizeStr{29, "Display", "SizeStr", F::Text, "Size"};
inline constexpr SettingKey DateStr{30, "Display", "DateStr", F::Text, "Date"};
inline constexpr SettingKey AttribStr{31, "Display", "AttribStr", F::Text, "Attrs"};
inline constexpr SettingKey NameWidth{32, "Display", "NameWidth", F::Integer, "35"};
inline constexpr SettingKey ExtWidth{33, "Display", "ExtWidth", F::Integer, "6"};
inline constexpr SettingKey TypeWidth{34, "Display", "TypeWidth", F::Integer, "20"};
inline constexpr SettingKey SizeWidth{35, "Display", "SizeWidth", F::Integer, "10"};
inline constexpr SettingKey DateWidth{36, "Display", "DateWidth", F::Integer, "12"};
inline constexpr SettingKey AttribWidth{37, "Display", "AttribWidth", F::Integer, "6"};
inline constexpr SettingKey DisplayFileSize{38, "Display", "DisplayFileSize", F::Word, "Dynamic"};
// HTML
inline constexpr SettingKey BodyBack{39, "HTML", "BodyBack", F::Colour, "16777215"};
inline constexpr SettingKey FileBack{40, "HTML", "FileBack", F::Colour, "12566463"};
inline constexpr SettingKey FileBackOdd{41, "HTML", "FileBackOdd", F::Colour, "16777215"};
inline constexpr SettingKey FolBack{42, "HTML", "FolBack", F::Colour, "0"};
inline constexpr SettingKey FileFont{43, "HTML", "FileFont", F::Text, "Tahoma"};
inline constexpr SettingKey FolFont{44, "HTML", "FolFont", F::Text, "Tahoma"};
inline constexpr SettingKey FileFontSize{45, "HTML", "FileFontSize", F::FontSize, "10"};
inline constexpr SettingKey FolFontSize{46, "HTML", "FolFontSize", F::FontSize, "10"};
inline constexpr SettingKey FileFontColor{47, "HTML", "FileFontColor", F::Colour, "0"};
inline constexpr SettingKey FolFontColor{48, "HTML", "FolFontColor", F::Colour, "16777215"};
}  // namespace keys

// All keys, section by section, in the order the settings dialog writes them.
inline constexpr auto kAllKeys = std::to_array<const SettingKey*>({
    &keys::Browser, &keys::NoOrder, &keys::NameOrder, &keys::ExtOrder, &keys::SizeOrder,
    &keys::TypeOrder, &keys::DateOrder, &keys::Recurse, &keys::RecurseDepth,
    &keys::IgnoreNoFiles,
    &keys::FileInclude, &keys::FileExclude, &keys::FolInclude, &keys::FolExclude,
    &keys::FileTime, &keys::FileTimeFrom, &keys::FileTimeTo, &keys::FileSize,
    &keys::FileSizeFrom, &keys::FileSizeTo,
    &keys::Name, &keys::Ext, &keys::Type, &keys::Size, &keys::DateTime, &keys::Attrib,
    &keys::NameStr, &keys::ExtStr, &keys::TypeStr, &keys::SizeStr, &keys::DateStr,
    &keys::AttribStr, &keys::NameWidth, &keys::ExtWidth, &keys::TypeWidth,
    &keys::SizeWidth, &keys::DateWidth, &keys::AttribWidth, &keys::DisplayFileSize,
    &keys::BodyBack, &keys::FileBack, &keys::FileBackOdd, &keys::FolBack,
    &keys::FileFont, &keys::FolFont, &keys::FileFontSize, &keys::FolFontSize,
    &keys::FileFontColor, &keys::FolFontColor});

// An index that disagrees with the key's position would make the store answer
// one key with another's value.
constexpr bool indexesMatchPositions() {
    for (std::size_t i = 0; i < kAllKeys.size(); ++i)
        if (kAllKeys[i]->index != i) return false;
    return true;
}
static_assert(indexesMatchPositions(), "each key's index must be its position in kAllKeys");

// The table entry for section/key, matched without case; nullptr when unknown.
const SettingKey* findKey(std::string_view section, std::string_view name);

}  // namespace quillory
