// One folder as comma-separated lines, one per listed file; values stand in
// double quotes and nothing inside them is escaped.
#include "engine/file_format.h"
#include "engine/filters.h"
#include "engine/folder_files.h"
#include "engine/listing.h"
#include "engine/substitute.h"
#include "engine/templates.h"

namespace quillory {

namespace {

std::string lineTemplate(const ListingOptions& options) {
    std::string text;
    for (const auto& column : tpl::kCsvColumns) {
        if (column.column >= 0 && !options.columns[static_cast<std::size_t>(column.column)]) continue;
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

FolderListing genFolderCSV(ListingContext& ctx, const ListingOptions& options, const std::string& folderPath,
                           Folder& folder) {
    if (!folderPasses(options.filters, folderPath)) return {std::string(tpl::kRejectedFolder), 0, 0};

    const TextEscape escape = ctx.escapeText ? TextEscape::Csv : TextEscape::None;
    const RowTemplate line(lineTemplate(options), true, escape);
    const bool withAttributes = line.text().find(tpl::kAttrib) != std::string::npos;
    const std::string prefix = addSeparator(folderPath);
    ListedFiles listed = collectFiles(ctx, options, prefix, folder, Format::Csv, withAttributes);

    std::string text;
    text.reserve(listed.files.size() * (line.text().size() + prefix.size() + 64));
    for (const clsFile& file : listed.files) {
        line.render(text, file, &prefix, withAttributes);
        text += tpl::kCrlf;
    }
    // Escaped, the bare folder of an empty line is quoted like every other value.
    if (listed.count == 0)
        text = emptyLine(line.text(), ctx.escapeText ? '"' + escaped(prefix, escape) + '"' : prefix);
    if (listed.count == 0 && options.ignoreEmpty) text.clear();
    recycleFiles(ctx, listed);
    return {std::move(text), listed.count, listed.bytes};
}

}  // namespace quillory
