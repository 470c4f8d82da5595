// One folder as a block of HTML: heading, one row per listed file, summary.
// Names and paths go in exactly as they are: the listing escapes nothing.
#include "engine/file_format.h"
#include "engine/filters.h"
#include "engine/folder_files.h"
#include "engine/listing.h"
#include "engine/substitute.h"
#include "engine/templates.h"
#include "settings/store.h"

namespace quillory {

namespace {

std::string headingText(const ListingContext& ctx, const std::string& folderPath) {
    if (ctx.NetworkPath.empty()) return folderPath;
    // The temporary drive ("Z:") gives way to the network path.
    return ctx.NetworkPath + (folderPath.size() > 2 ? folderPath.substr(2) : std::string());
}

}  // namespace

FolderListing genFolderHTML(ListingContext& ctx, const std::string& folderPath) {
    const auto folder = ctx.source.open(folderPath);
    return genFolderHTML(ctx, folderPath, *folder);
}

FolderListing genFolderHTML(ListingContext& ctx, const std::string& folderPath, Folder& folder) {
    if (ctx.log.LoggingOn) writeLog(ctx.log, "Gen Folder HTML called for folder: " + folderPath);
    if (!folderPasses(ctx.store, folderPath)) return {std::string(tpl::kRejectedFolder), 0, 0};

    const std::string prefix = addSeparator(folderPath);
    std::string block;
    block += tpl::kHeadingStart;
    block += headingText(ctx, folderPath);
    block += tpl::kHeadingEnd;
    block += tpl::kCrlf;
    block += tpl::kTableStart;

    const ColumnSwitches columns = readColumnSwitches(ctx.store);
    std::string rowText;
    for (std::size_t i = 0; i < tpl::kColumns.size(); ++i)
        if (columns.on[i]) rowText += tpl::kColumns[i].rowCell;
    const bool withAttributes = columns.on[5];
    const RowTemplate row(std::move(rowText), false);

    const ListedFiles listed = collectFiles(ctx, folderPath, prefix, folder, ListingKind::Html, withAttributes);
    bool odd = true;
    for (const clsFile& file : listed.files) {
        block += odd ? tpl::kOddRowStart : tpl::kEvenRowStart;
        odd = !odd;
        row.render(block, file, nullptr, withAttributes);
        block += tpl::kRowEnd;
        block += tpl::kCrlf;
        if (ctx.observer) ctx.observer->yield();
    }

    block += tpl::kTableEnd;
    block += tpl::kCrlf;
    block += tpl::kTableStart;
    block += tpl::kSummaryStart;
    block += std::to_string(listed.count);
    block += tpl::kSummaryMiddle;
    block += sizeText(ctx.store, listed.bytes);
    block += tpl::kSummaryEnd;
    block += tpl::kBlockEnd;
    if (listed.count == 0 && ignoreEmptyFolders(ctx.store)) block.clear();
    return {std::move(block), listed.count, listed.bytes};
}

std::string genHeaderRow(SettingsStore& store) {
    const ColumnSwitches columns = readColumnSwitches(store);
    std::string cells;
    for (std::size_t i = 0; i < tpl::kColumns.size(); ++i)
        if (columns.on[i]) cells += tpl::kColumns[i].headerCell;
    // Captions replace in the fixed order name, ext, type, size, date, attributes.
    for (const auto& column : tpl::kColumns) replaceAll(cells, column.placeholder, store.read(column.caption));
    std::string row;
    row += tpl::kTableStart;
    row += tpl::kHeaderRowStart;
    row += cells;
    row += tpl::kHeaderRowEnd;
    return row;
}

}  // namespace quillory
