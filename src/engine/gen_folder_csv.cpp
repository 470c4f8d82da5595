// One folder as comma-separated lines, one per listed file; values stand in
// double quotes and nothing inside them is escaped.
#include "engine/file_format.h"
#include "engine/filters.h"
#include "engine/folder_files.h"
#include "engine/listing.h"
#include "engine/substitute.h"
#include "engine/templates.h"
#include "settings/store.h"
#include "settings/values.h"

namespace quillory {

namespace {

std::string lineTemplate(SettingsStore& store) {
    std::string text;
    for (const auto& column : tpl::kCsvColumns) {
        if (column.flag && !flagOn(store.read(*column.flag))) continue;
        text += column.placeholder;
        text += ',';
    }
    if (!text.empty() && text.back() == ',') text.pop_back();
    return text;
}

// The line of a folder without files: EMPTY and the bare folder, the other
// fields emptied.
std::string emptyLine(std::string text, const std::string& folderWithSeparator) {
    replaceAll(text, tpl::kName, tpl::kCsvEmptyName);
    replaceAll(text, tpl::kFolder, folderWithSeparator);
    for (const auto& placeholder : {tpl::kType, tpl::kSize, tpl::kDate, tpl::kExt, tpl::kAttrib})
        replaceAll(text, placeholder, "");
    return text;
}

}  // namespace

FolderListing genFolderCSV(ListingContext& ctx, const std::string& folderPath) {
    const auto folder = ctx.source.open(folderPath);
    return genFolderCSV(ctx, folderPath, *folder);
}

FolderListing genFolderCSV(ListingContext& ctx, const std::string& folderPath, Folder& folder) {
    if (!folderPasses(ctx.store, folderPath)) return {std::string(tpl::kRejectedFolder), 0, 0};

    const RowTemplate line(lineTemplate(ctx.store), true);
    const bool withAttributes = line.text().find(tpl::kAttrib) != std::string::npos;
    const std::string prefix = addSeparator(folderPath);
    const ListedFiles listed = collectFiles(ctx, folderPath, prefix, folder, ListingKind::Csv, withAttributes);

    std::string text;
    for (const clsFile& file : listed.files) {
        line.render(text, file, &prefix, withAttributes);
        text += tpl::kCrlf;
    }
    if (listed.count == 0) text = emptyLine(line.text(), prefix);
    if (listed.count == 0 && ignoreEmptyFolders(ctx.store)) text.clear();
    return {std::move(text), listed.count, listed.bytes};
}

}  // namespace quillory
