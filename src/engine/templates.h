#pragma once
// Every fixed text of the HTML document, the folder blocks and the CSV lines,
// in one place. Placeholders are filled by substitute() (listing_text.h).
#include <array>
#include <string_view>

#include "settings/key_table.h"

namespace quillory::tpl {

inline constexpr std::string_view kCrlf = "\r\n";

// One column of the listing, in the fixed column order.
struct Column {
    const SettingKey& flag;        // shown when on
    const SettingKey& caption;     // header text
    std::string_view placeholder;
    std::string_view rowCell;
    std::string_view headerCell;
};

inline constexpr std::array<Column, 6> kColumns{{
    {keys::Name, keys::NameStr, "##NAME##", R"(<td width="35%">##NAME##</td>)", R"(<td width="35%"><b>##NAME##</b></td>)"},
    {keys::Ext, keys::ExtStr, "##EXT##", R"(<td width="6%">##EXT##</td>)", R"(<td width="6%"><b>##EXT##</b></td>)"},
    {keys::Type, keys::TypeStr, "##TYPE##", R"(<td width="20%">##TYPE##</td>)", R"(<td width="20%"><b>##TYPE##</b></td>)"},
    {keys::Size, keys::SizeStr, "##SIZE##", R"(<td width="10%">##SIZE##</td>)", R"(<td width="10%"><b>##SIZE##</b></td>)"},
    {keys::DateTime, keys::DateStr, "##DATE##", R"(<td width="12%">##DATE##</td>)", R"(<td width="12%"><b>##DATE##</b></td>)"},
    {keys::Attrib, keys::AttribStr, "##ATTRIB##", R"(<td width="6%">##ATTRIB##</td>)", R"(<td width="6%"><b>##ATTRIB##</b></td>)"},
}};

inline constexpr std::string_view kName = "##NAME##";
inline constexpr std::string_view kExt = "##EXT##";
inline constexpr std::string_view kType = "##TYPE##";
inline constexpr std::string_view kSize = "##SIZE##";
inline constexpr std::string_view kDate = "##DATE##";
inline constexpr std::string_view kAttrib = "##ATTRIB##";
inline constexpr std::string_view kFolder = "##FOL##";

// Folder block.
inline constexpr std::string_view kHeadingStart =
    R"(<table border="0" cellspacing="0" cellpadding="3" width="100%"><tr><td class="dir">)";
inline constexpr std::string_view kHeadingEnd = "</td></tr></table>";
inline constexpr std::string_view kTableStart = R"(<table border="0" cellspacing="1" cellpadding="3" width="100%">)";
inline constexpr std::string_view kOddRowStart = R"(<tr class="fileOdd">)";
inline constexpr std::string_view kEvenRowStart = R"(<tr class="file">)";
inline constexpr std::string_view kRowEnd = "</tr>";
inline constexpr std::string_view kTableEnd = "</table>";
inline constexpr std::string_view kSummaryStart = R"(<tr class="summary"><td>Files: )";
inline constexpr std::string_view kSummaryMiddle = ", Total Size: ";
inline constexpr std::string_view kSummaryEnd = ".</td></tr>";
inline constexpr std::string_view kBlockEnd = "</table><br><br>";
inline constexpr std::string_view kHeaderRowStart = "<tr>";
inline constexpr std::string_view kHeaderRowEnd = "</tr></table>";
inline constexpr std::string_view kRejectedFolder = "*";

// Document.
inline constexpr std::string_view kHeadStart = "<html><head><style>";
// Before <style>, in the escaped form only.
inline constexpr std::string_view kCharsetMeta = R"(<meta charset="utf-8">)";
// The sizes go between each rule's first part and "pt;".
inline constexpr std::string_view kDirRule = ".dir{font-family:##FOLFONT##; font-weight:bold; font-size:";
inline constexpr std::string_view kDirRuleEnd = "pt; color:##FOLCOL##; background:##FOLBACK##;}";
inline constexpr std::string_view kFileRule = ".file{font-family:##FILEFONT##; font-size:";
inline constexpr std::string_view kFileRuleEnd = "pt; color:##FILECOL##; background:##FILEBACK##;}";
inline constexpr std::string_view kFileOddRule = ".fileodd{font-family:##FILEFONT##; font-size:";
inline constexpr std::string_view kFileOddRuleEnd = "pt; color:##FILECOL##; background:##FILEBACKODD##;}";
inline constexpr std::string_view kSummaryRule = ".summary{font-family:##FILEFONT##; font-size:";
inline constexpr std::string_view kSummaryRuleEnd = "pt; color:##FILECOL##; background:##FILEBACK##;}";
inline constexpr std::string_view kBodyRule = "body{font-family:##FOLFONT##; background:##BODY##;}";
inline constexpr std::string_view kHeadEnd = "</style></head><body>";

struct StylePlaceholder {
    std::string_view placeholder;
    const SettingKey& key;
    bool colour;  // colour number to #RRGGBB; otherwise the stored text as it is
};
// In the order they are filled.
inline constexpr std::array<StylePlaceholder, 8> kStylePlaceholders{{
    {"##FOLFONT##", keys::FolFont, false},
    {"##FILEFONT##", keys::FileFont, false},
    {"##FILEBACK##", keys::FileBack, true},
    {"##FOLBACK##", keys::FolBack, true},
    {"##FILEBACKODD##", keys::FileBackOdd, true},
    {"##BODY##", keys::BodyBack, true},
    {"##FILECOL##", keys::FileFontColor, true},
    {"##FOLCOL##", keys::FolFontColor, true},
}};

inline constexpr std::string_view kHeadingOpen = "<h2>Listing of ";
inline constexpr std::string_view kHeadingClose = "</h2>";
inline constexpr std::string_view kTotalsStart =
    R"(<br><table border="0" cellspacing="1" cellpadding="3" width="100%"><tr class="dir"><td>)";
inline constexpr std::string_view kTotalFiles = "Total Files: ";
inline constexpr std::string_view kTotalFolders = ", Total Folders : ";
inline constexpr std::string_view kTotalSize = ", Total Size: ";
inline constexpr std::string_view kTotalsEnd = ".</td></tr></table>";
inline constexpr std::string_view kDocumentEnd = "</body></html>";

// CSV.
struct CsvColumn {
    int column;  // the display column that switches it (-1: always present)
    std::string_view placeholder;
    std::string_view header;
};
// Header cell above each field, in the fixed order.
inline constexpr std::array<CsvColumn, 7> kCsvColumns{{
    {0, "##NAME##", "Name,"},
    {-1, "##FOL##", "Folder,"},
    {1, "##EXT##", "Extension,"},
    {2, "##TYPE##", "Type,"},
    {3, "##SIZE##", "Size,"},
    {4, "##DATE##", "Date Modified,"},
    {5, "##ATTRIB##", "Attributes,"},
}};
inline constexpr std::string_view kCsvEmptyName = "EMPTY";

}  // namespace quillory::tpl
