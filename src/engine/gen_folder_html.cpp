// One folder as a block of HTML: heading, one row per listed file, summary.
// Names and paths go in exactly as they are: the listing escapes nothing.
#include "engine/file_format.h"
#include "engine/filters.h"
#include "engine/folder_files.h"
#include "engine/listing.h"
#include "engine/substitute.h"
#include "engine/templates.h"

namespace quillory {

FolderListing genFolderHTML(ListingContext& ctx, const ListingOptions& options, const std::string& folderPath,
                            Folder& folder) {
    if (ctx.log.LoggingOn) writeLog(ctx.log, "Gen Folder HTML called for folder: " + folderPath);
    if (!folderPasses(options.filters, folderPath)) return {std::string(tpl::kRejectedFolder), 0, 0};

    std::string block;
    block += tpl::kHeadingStart;
    const TextEscape escape = ctx.escapeText ? TextEscape::Html : TextEscape::None;
    const std::string heading = shownPath(ctx, folderPath);
    appendEscaped(block, heading, escape);
    // Unescaped names that a browser may read as markup, counted for the preview.
    const bool countMarkup = escape == TextEscape::None;
    std::int64_t markupNames = countMarkup && heading.find('<') != std::string::npos ? 1 : 0;
    block += tpl::kHeadingEnd;
    block += tpl::kCrlf;
    block += tpl::kTableStart;

    std::string rowText;
    for (std::size_t i = 0; i < kColumnCount; ++i)
        if (options.columns[i]) rowText += tpl::kColumns[i].rowCell;
    const bool withAttributes = options.columns[kAttribColumn];
    const RowTemplate row(rowText, false, escape);

    ListedFiles listed =
        collectFiles(ctx, options, addSeparator(folderPath), folder, Format::Html, withAttributes);
    // About what a row takes, so the block grows without copying itself over.
    block.reserve(block.size() + listed.files.size() * (rowText.size() + 96) + 512);
    bool odd = true;
    std::size_t rows = 0;
    for (const clsFile& file : listed.files) {
        // A stopped run shows nothing; the rows of a huge folder need not wait.
        if (++rows % kCheckEvery == 0 && ctx.stop.requested()) break;
        if (countMarkup && file.Name.find('<') != std::string::npos) ++markupNames;
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
    block += sizeText(options, listed.bytes);
    block += tpl::kSummaryEnd;
    block += tpl::kBlockEnd;
    if (listed.count == 0 && options.ignoreEmpty) block.clear();
    else ctx.totals.MarkupNames += markupNames;
    recycleFiles(ctx, listed);
    return {std::move(block), listed.count, listed.bytes};
}

std::string genHeaderRow(const ListingOptions& options) {
    std::string cells;
    for (std::size_t i = 0; i < kColumnCount; ++i)
        if (options.columns[i]) cells += tpl::kColumns[i].headerCell;
    // Captions replace in the fixed order name, ext, type, size, date, attributes.
    for (std::size_t i = 0; i < kColumnCount; ++i) replaceAll(cells, tpl::kColumns[i].placeholder, options.captions[i]);
    std::string row;
    row += tpl::kTableStart;
    row += tpl::kHeaderRowStart;
    row += cells;
    row += tpl::kHeaderRowEnd;
    return row;
}

}  // namespace quillory
