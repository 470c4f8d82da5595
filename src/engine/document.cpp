#include "engine/document.h"

#include <unistd.h>


#include "engine/escape.h"
#include "engine/file_format.h"
#include "engine/file_sink.h"
#include "engine/substitute.h"
#include "engine/templates.h"
#include "settings/store.h"
#include "settings/values.h"
#include "engine/listing_options.h"

namespace quillory {

std::string colorToHTML(std::uint32_t colour) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "#";
    for (int shift : {0, 8, 16}) {
        const unsigned byte = (colour >> shift) & 0xFF;
        text += kHex[byte >> 4];
        text += kHex[byte & 0xF];
    }
    return text;
}

namespace {

std::string styleSheet(const ListingOptions& options) {
    std::string head;
    head += tpl::kHeadStart;
    head += tpl::kCrlf;
    head += tpl::kDirRule;
    head += options.folFontSize;
    head += tpl::kDirRuleEnd;
    for (auto [start, end] : {std::pair{tpl::kFileRule, tpl::kFileRuleEnd}, {tpl::kFileOddRule, tpl::kFileOddRuleEnd},
                              {tpl::kSummaryRule, tpl::kSummaryRuleEnd}}) {
        head += start;
        head += options.fileFontSize;
        head += end;
    }
    head += tpl::kBodyRule;
    head += tpl::kHeadEnd;
    for (std::size_t i = 0; i < tpl::kStylePlaceholders.size(); ++i)
        if (options.style[i]) replaceAll(head, tpl::kStylePlaceholders[i].placeholder, *options.style[i]);
    return head;
}

std::string spreadsheetHeader(const ListingOptions& options) {
    std::string header;
    for (const auto& column : tpl::kCsvColumns)
        if (column.column < 0 || options.columns[static_cast<std::size_t>(column.column)]) header += column.header;
    if (!header.empty() && header.back() == ',') header.pop_back();
    header += tpl::kCrlf;
    return header;
}

}  // namespace

std::string documentTitle(const ListingContext& ctx, std::string_view folder) {
    return ctx.NetworkPath.empty() ? std::string(folder) : ctx.NetworkPath;
}

std::string documentStart(Format format, const ListingOptions& options, std::string_view title, bool escapeText) {
    if (format == Format::Csv) return spreadsheetHeader(options);
    std::string text = styleSheet(options);
    if (escapeText) text.insert(tpl::kHeadStart.find("<style>"), tpl::kCharsetMeta);
    text += tpl::kCrlf;
    text += tpl::kHeadingOpen;
    appendEscaped(text, title, escapeText ? TextEscape::Html : TextEscape::None);
    text += tpl::kHeadingClose;
    text += tpl::kCrlf;
    text += genHeaderRow(options);
    text += tpl::kCrlf;
    return text;
}

std::string documentEnd(Format format, const ListingOptions& options, const RunTotals& totals) {
    if (format == Format::Csv) return {};
    std::string text;
    text += tpl::kCrlf;
    text += tpl::kTotalsStart;
    text += tpl::kTotalFiles;
    text += std::to_string(totals.TotalFiles);
    text += tpl::kTotalFolders;
    text += numberText(totals.TotalFolders);
    text += tpl::kTotalSize;
    text += sizeText(options, totals.TotalBytes);
    text += tpl::kTotalsEnd;
    text += tpl::kDocumentEnd;
    return text;
}

bool BlankLineFilter::append(std::string_view text) {
    // Runs without a CR pass straight on; only CRs are looked at one by one.
    bool ok = true;
    auto pass = [&](std::string_view piece) {
        if (piece.empty()) return;
        ok = m_next.append(piece) && ok;
        m_endsInCrlf = false;
    };
    auto lineEnd = [&] {
        if (!m_endsInCrlf) ok = m_next.append(tpl::kCrlf) && ok;
        m_endsInCrlf = true;
    };
    std::size_t i = 0;
    if (m_heldCr && !text.empty()) {
        m_heldCr = false;
        if (text[0] == '\n') {
            lineEnd();
            i = 1;
        } else {
            pass("\r");
        }
    }
    while (i < text.size()) {
        const std::size_t cr = text.find('\r', i);
        if (cr == std::string_view::npos) {
            pass(text.substr(i));
            break;
        }
        pass(text.substr(i, cr - i));
        if (cr + 1 == text.size()) {
            m_heldCr = true;
            break;
        }
        if (text[cr + 1] == '\n') {
            lineEnd();
            i = cr + 2;
        } else {
            pass("\r");
            i = cr + 1;
        }
    }
    return ok;
}

bool BlankLineFilter::finish() {
    if (!m_heldCr) return true;
    m_heldCr = false;
    m_endsInCrlf = false;
    return m_next.append("\r");
}

RunResult runListing(ListingContext& ctx, const std::string& base, Format format, BlockSink& sink) {
    resetTotals(ctx.totals);
    ctx.totals.BasePath = base;
    BlankLineFilter csvLines(sink);
    // The spreadsheet has no blank line anywhere.
    BlockSink& out = format == Format::Csv ? static_cast<BlockSink&>(csvLines) : sink;
    const auto failed = [&out] {
        RunResult result;
        result.outcome = RunResult::Outcome::OutputFailed;
        result.outputError = out.error();
        return result;
    };
    if (!out.append(documentStart(format, readListingOptions(ctx.store), documentTitle(ctx, base), ctx.escapeText))) return failed();
    RunResult result = walkFolder(ctx, base, format, out);
    if (result.outcome != RunResult::Outcome::Completed) return result;
    if (!out.append(documentEnd(format, readListingOptions(ctx.store), ctx.totals)) ||
        (format == Format::Csv && !csvLines.finish())) {
        RunResult failure = failed();
        failure.unreadable = std::move(result.unreadable);
        return failure;
    }
    return result;
}

namespace {

RunResult runIntoScratch(ListingContext& ctx, const std::string& folder, const std::string& scratchPath,
                         Format format) {
    ctx.stop.reset();
    ::unlink(scratchPath.c_str());
    // Not stopped by the token: a stopped run still leaves what it wrote.
    FileSink scratch(scratchPath, nullptr);
    RunResult result = runListing(ctx, folder, format, scratch);
    if (result.outcome != RunResult::Outcome::OutputFailed && !scratch.commit()) {
        result.outcome = RunResult::Outcome::OutputFailed;
        result.outputError = scratch.error();
    }
    return result;
}

}  // namespace

RunResult buildReport(ListingContext& ctx, const std::string& folder, const std::string& scratchPath) {
    if (ctx.log.LoggingOn) writeLog(ctx.log, "Make Report Called. Base Folder: " + folder);
    RunResult result = runIntoScratch(ctx, folder, scratchPath, Format::Html);
    if (result.outcome == RunResult::Outcome::Completed && ctx.log.LoggingOn)
        writeLog(ctx.log, "Total files: " + std::to_string(ctx.totals.TotalFiles) +
                              " . Total files size: " + std::to_string(ctx.totals.TotalBytes) +
                              " .Total folders: " + numberText(ctx.totals.TotalFolders));
    return result;
}

RunResult buildSpreadsheet(ListingContext& ctx, const std::string& folder, const std::string& scratchPath) {
    return runIntoScratch(ctx, folder, scratchPath, Format::Csv);
}

}  // namespace quillory
