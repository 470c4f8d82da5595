#pragma once
// Every option Quillory keeps, in one table: section, key, the rule its values
// follow, the default its readers pass and what it means. Code refers to these
// entries, never to a key string.
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "platform/app_name.h"

namespace quillory {

// What a key's stored text is, as its writers write it.
enum class ValueRule {
    Flag,         // "0" or "1"
    WholeNumber,  // decimal digits
    Word,         // one of the key's words, in their spelling
    Colour,       // decimal 24-bit colour number, red in the low byte
    FontSize,     // a point size in shortest form: 10, 8.25
    DateTime,     // short time, a blank, short date: "14:30 2007-12-03" in the C locale
    ByteSize,     // a number of bytes, or empty for no bound
    Text,         // free text; pattern lists are separated by ";"
};

struct SettingKey {
    std::size_t index;  // the key's position in kAllKeys; the store keeps its value there
    std::string_view section;
    std::string_view name;
    ValueRule rule;
    std::string_view def;                    // what a reader passes when nothing is stored
    std::span<const std::string_view> words;  // the allowed words of a Word key
    std::string_view meaning;                // one line, for listings of the settings

    // Date-time bounds default to the current date and time.
    constexpr bool defaultIsNow() const { return rule == ValueRule::DateTime; }
};

// The words of the two word keys, spelled here only.
namespace words {
inline constexpr std::string_view Infinite = "Infinite", No = "No", Depth = "Depth";
inline constexpr std::string_view Bytes = "Bytes", Kb = "Kb", Mb = "Mb", Dynamic = "Dynamic";
}  // namespace words
inline constexpr std::string_view kRecurseWords[] = {words::Infinite, words::No, words::Depth};
inline constexpr std::string_view kFileSizeWords[] = {words::Bytes, words::Kb, words::Mb, words::Dynamic};

namespace keys {
using R = ValueRule;
inline constexpr std::span<const std::string_view> kNone{};
// Output
inline constexpr SettingKey Browser{0, "Output", "Browser", R::Flag, "1", kNone,
    "show listings in the program's own preview window (1) or the default browser (0)"};
inline constexpr SettingKey NoOrder{1, "Output", "NoOrder", R::Flag, "1", kNone,
    "list files in the order the folder yields them"};
inline constexpr SettingKey NameOrder{2, "Output", "NameOrder", R::Flag, "0", kNone, "order files by name"};
inline constexpr SettingKey ExtOrder{3, "Output", "ExtOrder", R::Flag, "0", kNone, "order files by extension"};
inline constexpr SettingKey SizeOrder{4, "Output", "SizeOrder", R::Flag, "0", kNone, "order files by size"};
inline constexpr SettingKey TypeOrder{5, "Output", "TypeOrder", R::Flag, "0", kNone, "order files by type text"};
inline constexpr SettingKey DateOrder{6, "Output", "DateOrder", R::Flag, "0", kNone,
    "order files by modification time"};
inline constexpr SettingKey Recurse{7, "Output", "Recurse", R::Word, words::Infinite, kRecurseWords,
    "how far into sub-folders: Infinite, No, or Depth (RecurseDepth levels)"};
inline constexpr SettingKey RecurseDepth{8, "Output", "RecurseDepth", R::WholeNumber, "6", kNone,
    "sub-folder levels listed when Recurse is Depth"};
// The log summary reads it with no default (""); "" and "0" both mean off.
inline constexpr SettingKey IgnoreNoFiles{9, "Output", "IgnoreNoFiles", R::Flag, "0", kNone,
    "leave out folders that have no listed files"};
// Filter
inline constexpr SettingKey FileInclude{10, "Filter", "FileInclude", R::Text, "*", kNone,
    "files must match one of these ;-separated patterns"};
inline constexpr SettingKey FileExclude{11, "Filter", "FileExclude", R::Text, "", kNone,
    "files matching one of these ;-separated patterns are skipped"};
inline constexpr SettingKey FolInclude{12, "Filter", "FolInclude", R::Text, "*", kNone,
    "folders must match one of these ;-separated patterns"};
inline constexpr SettingKey FolExclude{13, "Filter", "FolExclude", R::Text, "", kNone,
    "folders matching one of these ;-separated patterns are skipped"};
// The file filter reads it with no default; it tests for exactly "1", so "" and "0" agree.
inline constexpr SettingKey FileTime{14, "Filter", "FileTime", R::Flag, "0", kNone,
    "list only files modified between FileTimeFrom and FileTimeTo"};
inline constexpr SettingKey FileTimeFrom{15, "Filter", "FileTimeFrom", R::DateTime, "", kNone,
    "earliest modification time listed (default: now)"};
// Some readers ask for FileTimeto: keys match without case.
inline constexpr SettingKey FileTimeTo{16, "Filter", "FileTimeTo", R::DateTime, "", kNone,
    "latest modification time listed (default: now)"};
inline constexpr SettingKey FileSize{17, "Filter", "FileSize", R::Flag, "0", kNone,
    "list only files between FileSizeFrom and FileSizeTo bytes"};
inline constexpr SettingKey FileSizeFrom{18, "Filter", "FileSizeFrom", R::ByteSize, "", kNone,
    "smallest file size listed, in bytes"};
inline constexpr SettingKey FileSizeTo{19, "Filter", "FileSizeTo", R::ByteSize, "", kNone,
    "largest file size listed, in bytes"};
// Display
inline constexpr SettingKey Name{20, "Display", "Name", R::Flag, "1", kNone, "show the name column"};
inline constexpr SettingKey Ext{21, "Display", "Ext", R::Flag, "0", kNone, "show the extension column"};
inline constexpr SettingKey Type{22, "Display", "Type", R::Flag, "1", kNone, "show the type column"};
inline constexpr SettingKey Size{23, "Display", "Size", R::Flag, "1", kNone, "show the size column"};
inline constexpr SettingKey DateTime{24, "Display", "DateTime", R::Flag, "1", kNone,
    "show the modification-time column"};
inline constexpr SettingKey Attrib{25, "Display", "Attrib", R::Flag, "0", kNone, "show the attributes column"};
inline constexpr SettingKey NameStr{26, "Display", "NameStr", R::Text, "Name", kNone, "caption of the name column"};
inline constexpr SettingKey ExtStr{27, "Display", "ExtStr", R::Text, "Ext", kNone,
    "caption of the extension column"};
inline constexpr SettingKey TypeStr{28, "Display", "TypeStr", R::Text, "Type", kNone, "caption of the type column"};
inline constexpr SettingKey SizeStr{29, "Display", "SizeStr", R::Text, "Size", kNone, "caption of the size column"};
inline constexpr SettingKey DateStr{30, "Display", "DateStr", R::Text, "Date", kNone, "caption of the time column"};
inline constexpr SettingKey AttribStr{31, "Display", "AttribStr", R::Text, "Attrs", kNone,
    "caption of the attributes column"};
inline constexpr SettingKey NameWidth{32, "Display", "NameWidth", R::WholeNumber, "35", kNone,
    "width of the name column in percent (settings dialog only)"};
inline constexpr SettingKey ExtWidth{33, "Display", "ExtWidth", R::WholeNumber, "6", kNone,
    "width of the extension column in percent (settings dialog only)"};
inline constexpr SettingKey TypeWidth{34, "Display", "TypeWidth", R::WholeNumber, "20", kNone,
    "width of the type column in percent (settings dialog only)"};
inline constexpr SettingKey SizeWidth{35, "Display", "SizeWidth", R::WholeNumber, "10", kNone,
    "width of the size column in percent (settings dialog only)"};
inline constexpr SettingKey DateWidth{36, "Display", "DateWidth", R::WholeNumber, "12", kNone,
    "width of the time column in percent (settings dialog only)"};
inline constexpr SettingKey AttribWidth{37, "Display", "AttribWidth", R::WholeNumber, "6", kNone,
    "width of the attributes column in percent (settings dialog only)"};
inline constexpr SettingKey DisplayFileSize{38, "Display", "DisplayFileSize", R::Word, words::Dynamic, kFileSizeWords,
    "unit of file sizes: Bytes, Kb, Mb or Dynamic"};
// HTML
inline constexpr SettingKey BodyBack{39, "HTML", "BodyBack", R::Colour, "16777215", kNone, "page background colour"};
inline constexpr SettingKey FileBack{40, "HTML", "FileBack", R::Colour, "12566463", kNone,
    "background colour of file rows and summary rows"};
inline constexpr SettingKey FileBackOdd{41, "HTML", "FileBackOdd", R::Colour, "16777215", kNone,
    "background colour of alternate file rows"};
inline constexpr SettingKey FolBack{42, "HTML", "FolBack", R::Colour, "0", kNone,
    "background colour of folder headers"};
inline constexpr SettingKey FileFont{43, "HTML", "FileFont", R::Text, "Tahoma", kNone,
    "font of file rows and summary rows"};
inline constexpr SettingKey FolFont{44, "HTML", "FolFont", R::Text, "Tahoma", kNone,
    "font of folder headers and the page"};
inline constexpr SettingKey FileFontSize{45, "HTML", "FileFontSize", R::FontSize, "10", kNone,
    "point size of file rows and summary rows"};
inline constexpr SettingKey FolFontSize{46, "HTML", "FolFontSize", R::FontSize, "10", kNone,
    "point size of folder headers"};
inline constexpr SettingKey FileFontColor{47, "HTML", "FileFontColor", R::Colour, "0", kNone,
    "text colour of file rows and summary rows"};
inline constexpr SettingKey FolFontColor{48, "HTML", "FolFontColor", R::Colour, "16777215", kNone,
    "text colour of folder headers"};
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

// The six order keys form one group: exactly one of them holds "1". Every
// writer writes all six, in this order.
inline constexpr auto kOrderGroup = std::to_array<const SettingKey*>({
    &keys::NoOrder, &keys::ExtOrder, &keys::SizeOrder, &keys::TypeOrder, &keys::DateOrder,
    &keys::NameOrder});

// An index that disagrees with the key's position would make the store answer
// one key with another's value; a Word key without words would accept nothing.
constexpr bool tableIsConsistent() {
    for (std::size_t i = 0; i < kAllKeys.size(); ++i) {
        if (kAllKeys[i]->index != i) return false;
        if ((kAllKeys[i]->rule == ValueRule::Word) == kAllKeys[i]->words.empty()) return false;
    }
    return true;
}
static_assert(tableIsConsistent(), "each key's index must be its position in kAllKeys");

// The table entry for section/key, matched without case; nullptr when unknown.
const SettingKey* findKey(std::string_view section, std::string_view name);

}  // namespace quillory
