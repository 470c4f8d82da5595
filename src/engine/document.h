#pragma once
// The whole document around the walk's blocks, and the spreadsheet text
// around its lines: what runListing writes before and after the walk, and
// the desktop runs that keep their result in the scratch file.
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/listing.h"

namespace quillory {

// #RRGGBB of a colour number whose low byte is red.
std::string colorToHTML(std::uint32_t colour);

// HTML: the head with the style sheet, the heading, the header row and the
// line end before the blocks. CSV: the header line. `escapeText`: the
// escaped form (the title escaped, the character set named).
std::string documentStart(Format format, const ListingOptions& options, std::string_view title,
                          bool escapeText = false);
// HTML: the line end after the blocks, the totals table and the tail. CSV: nothing.
std::string documentEnd(Format format, const ListingOptions& options, const RunTotals& totals);
// The title: NetworkPath when set, else the folder as given.
std::string documentTitle(const ListingContext& ctx, std::string_view folder);

// Passes text on with blank lines removed (every run of CRLFs collapses into
// one), across any split into pieces.
class BlankLineFilter final : public BlockSink {
public:
    explicit BlankLineFilter(BlockSink& next) : m_next(next) {}
    bool append(std::string_view text) override;
    int error() const override { return m_next.error(); }
    bool finish();  // passes on a held-back "\r"

private:
    BlockSink& m_next;
    bool m_endsInCrlf = false;  // what was passed on so far ends in CRLF
    bool m_heldCr = false;      // a "\r" that may start a CRLF
};

// The desktop runs: the stop token is cleared, the totals reset, the scratch
// file deleted, and the document (or CSV text) written into it whole. A
// stopped run leaves the scratch file with what was written so far; a run
// whose output failed leaves none.
RunResult buildReport(ListingContext& ctx, const std::string& folder, const std::string& scratchPath);
RunResult buildSpreadsheet(ListingContext& ctx, const std::string& folder, const std::string& scratchPath);

}  // namespace quillory
