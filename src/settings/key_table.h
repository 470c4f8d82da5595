#pragma once
// Every option Quillory keeps, in one table: section, key, stored form and the
// default its readers pass. Code refers to these entries, never to a key string.
#include <array>
#include <string_view>

namespace quillory {

inline constexpr std::string_view kAppKey = "Tallyfold";

enum class StoredForm { Flag, Integer, Colour, FontSize, DateTime, Word, Text };

struct SettingKey {
    std::string_view section;
    std::string_view name;
    StoredForm form;
    std::string_view def;       // what a reader passes when nothing is stored
    bool defaultIsNow = false;  // the default is the current date and time instead
};

namespace keys {
using F = StoredForm;
// Output
inline constexpr SettingKey Browser{"Output", "Browser", F::Flag, "1"};
inline constexpr SettingKey NoOrder{"Output", "NoOrder", F::Flag, "1"};
inline constexpr SettingKey NameOrder{"Output", "NameOrder", F::Flag, "0"};
inline constexpr SettingKey ExtOrder{"Output", "ExtOrder", F::Flag, "0"};
inline constexpr SettingKey SizeOrder{"Output", "SizeOrder", F::Flag, "0"};
inline constexpr SettingKey TypeOrder{"Output", "TypeOrder", F::Flag, "0"};
inline constexpr SettingKey DateOrder{"Output", "DateOrder", F::Flag, "0"};
inline constexpr SettingKey Recurse{"Output", "Recurse", F::Word, "Infinite"};
inline constexpr SettingKey RecurseDepth{"Output", "RecurseDepth", F::Integer, "6"};
// The dialog and the log summary read it with no default (""); both treat "" as 0.
inline constexpr SettingKey IgnoreNoFiles{"Output", "IgnoreNoFiles", F::Flag, "0"};
// Filter
inline constexpr SettingKey FileInclude{"Filter", "FileInclude", F::Text, "*"};
inline constexpr SettingKey FileExclude{"Filter", "FileExclude", F::Text, ""};
inline constexpr SettingKey FolInclude{"Filter", "FolInclude", F::Text, "*"};
inline constexpr SettingKey FolExclude{"Filter", "FolExclude", F::Text, ""};
// The file filter reads it with no default; it tests for exactly "1", so "" and "0" agree.
inline constexpr SettingKey FileTime{"Filter", "FileTime", F::Flag, "0"};
inline constexpr SettingKey FileTimeFrom{"Filter", "FileTimeFrom", F::DateTime, "", true};
// Written as FileTimeTo, historically read back as FileTimeto: keys match without case.
inline constexpr SettingKey FileTimeTo{"Filter", "FileTimeTo", F::DateTime, "", true};
inline constexpr SettingKey FileSize{"Filter", "FileSize", F::Flag, "0"};
inline constexpr SettingKey FileSizeFrom{"Filter", "FileSizeFrom", F::Text, ""};
inline constexpr SettingKey FileSizeTo{"Filter", "FileSizeTo", F::Text, ""};
// Display
inline constexpr SettingKey Name{"Display", "Name", F::Flag, "1"};
inline constexpr SettingKey Ext{"Display", "Ext", F::Flag, "0"};
inline constexpr SettingKey Type{"Display", "Type", F::Flag, "1"};
inline constexpr SettingKey Size{"Display", "Size", F::Flag, "1"};
inline constexpr SettingKey DateTime{"Display", "DateTime", F::Flag, "1"};
inline constexpr SettingKey Attrib{"Display", "Attrib", F::Flag, "0"};
inline constexpr SettingKey NameStr{"Display", "NameStr", F::Text, "Name"};
inline constexpr SettingKey ExtStr{"Display", "ExtStr", F::Text, "Ext"};
inline constexpr SettingKey TypeStr{"Display", "TypeStr", F::Text, "Type"};
inline constexpr SettingKey SizeStr{"Display", "SizeStr", F::Text, "Size"};
inline constexpr SettingKey DateStr{"Display", "DateStr", F::Text, "Date"};
inline constexpr SettingKey AttribStr{"Display", "AttribStr", F::Text, "Attrs"};
inline constexpr SettingKey NameWidth{"Display", "NameWidth", F::Integer, "35"};
inline constexpr SettingKey ExtWidth{"Display", "ExtWidth", F::Integer, "6"};
inline constexpr SettingKey TypeWidth{"Display", "TypeWidth", F::Integer, "20"};
inline constexpr SettingKey SizeWidth{"Display", "SizeWidth", F::Integer, "10"};
inline constexpr SettingKey DateWidth{"Display", "DateWidth", F::Integer, "12"};
inline constexpr SettingKey AttribWidth{"Display", "AttribWidth", F::Integer, "6"};
inline constexpr SettingKey DisplayFileSize{"Display", "DisplayFileSize", F::Word, "Dynamic"};
// HTML
inline constexpr SettingKey BodyBack{"HTML", "BodyBack", F::Colour, "16777215"};
inline constexpr SettingKey FileBack{"HTML", "FileBack", F::Colour, "12566463"};
inline constexpr SettingKey FileBackOdd{"HTML", "FileBackOdd", F::Colour, "16777215"};
inline constexpr SettingKey FolBack{"HTML", "FolBack", F::Colour, "0"};
inline constexpr SettingKey FileFont{"HTML", "FileFont", F::Text, "Tahoma"};
inline constexpr SettingKey FolFont{"HTML", "FolFont", F::Text, "Tahoma"};
inline constexpr SettingKey FileFontSize{"HTML", "FileFontSize", F::FontSize, "10"};
inline constexpr SettingKey FolFontSize{"HTML", "FolFontSize", F::FontSize, "10"};
inline constexpr SettingKey FileFontColor{"HTML", "FileFontColor", F::Colour, "0"};
inline constexpr SettingKey FolFontColor{"HTML", "FolFontColor", F::Colour, "16777215"};
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

// The table entry for section/key, matched without case; nullptr when unknown.
const SettingKey* findKey(std::string_view section, std::string_view name);

}  // namespace quillory
