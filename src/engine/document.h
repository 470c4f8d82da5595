#pragma once
// The whole document around the walk's blocks, and the spreadsheet text
// around its lines.
//
// Desktop runs keep the scratch file as the program always has: the walk
// appends to it, and after the walk it is rewritten with the whole document
// (or CSV text). The command streams the same pieces straight to its output:
// documentStart before the walk, the blocks, documentEnd after it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/listing.h"

namespace quillory {

class SettingsStore;

// #RRGGBB of a colour number whose low byte is red.
std::string colorToHTML(std::uint32_t colour);

// Head with the style sheet, heading, header row, and the line end before the blocks.
std::string documentStart(SettingsStore& store, std::string_view title);
// The line end after the blocks, the totals table and the tail.
std::string documentEnd(SettingsStore& store, const RunTotals& totals);
// The title: NetworkPath when set, else the folder as given.
std::string documentTitle(const ListingContext& ctx, std::string_view folder);

// The CSV header line with its CRLF.
std::string spreadsheetHeader(SettingsStore& store);
// Collapses every run of CRLFs into one, so no line is empty.
std::string removeBlankLines(std::string_view text);

// Passes text on with blank lines removed, across any split into pieces.
class BlankLineFilter final : public BlockSink {
public:
    explicit BlankLineFilter(BlockSink& next) : m_next(next) {}
    bool append(std::string_view text) override;
    bool finish();  // passes on a held-back "\r"

private:
    BlockSink& m_next;
    bool m_endsInCrlf = false;   // what was passed on so far ends in CRLF
    bool m_heldCr = false;       // a "\r" that may start a CRLF
    std::string m_out;
};

// Appends to a file, buffered; false once any write failed.
class FileAppendSink final : public BlockSink {
public:
    explicit FileAppendSink(const std::string& path);
    ~FileAppendSink() override;
    FileAppendSink(const FileAppendSink&) = delete;
    FileAppendSink& operator=(const FileAppendSink&) = delete;
    bool append(std::string_view text) override;
    bool close();  // flushes; false when anything was lost
    int error() const { return m_error; }

private:
    bool flush();
    int m_fd = -1;
    int m_error = 0;
    std::string m_buffer;
};

// The report's walk and document, kept in the scratch file. The log lines of
// the run are written here. None when Stop ended the walk (the scratch file
// then holds the blocks written so far).
std::optional<std::string> buildReport(ListingContext& ctx, const std::string& folder,
                                       const std::string& scratchPath);
// The same for the spreadsheet text.
std::optional<std::string> buildSpreadsheet(ListingContext& ctx, const std::string& folder,
                                            const std::string& scratchPath);

// Replaces a file's content with `text`, through a temporary file beside it
// renamed over it, so that a failure leaves the old file as it was. 0 or errno.
int replaceFileContent(const std::string& path, std::string_view text);

}  // namespace quillory
