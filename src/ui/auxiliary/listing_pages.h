#pragma once
// A large HTML listing cut into pages that the browser can hold, each a
// complete document: the listing's head (style sheet, heading, header row),
// a run of whole rows, and the end of the document; the last page carries
// the totals. A cut falls before a folder's block or between two of its rows;
// a folder's table cut in two is closed on one page and re-opened on the
// next, its heading repeated.
//
// One streaming pass over the file finds the cuts; only their offsets are
// kept, and a page's bytes are read when it is asked for. The file stays
// open, so a scratch file replaced by the next run does not change the
// listing these pages come from.
//
// Names go into a listing unescaped, so markup in a name is not trusted: the
// cuts go by the listing's own line structure (every row, folder heading and
// the totals start a line), and the pages' rows are the file's bytes in the
// file's order, each exactly once.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace quillory::ui {

struct ListingPageLimits {
    // A step to the next page costs about 0.1 s whatever its size, and about
    // 0.1 s more for every 500 rows on a small, busy machine: 500 rows keep a
    // step well within 0.3 s.
    std::size_t rows = 500;            // a page ends at the first cut after this many rows
    std::uint64_t bytes = 256 * 1024;  // ... or after this many bytes of rows and headings
};

struct ListingPage {
    std::uint64_t begin = 0;  // the page's rows and blocks: [begin, end) of the file
    std::uint64_t end = 0;
    std::uint64_t headingBegin = 0;  // the folder heading repeated in front, when the
    std::uint64_t headingEnd = 0;    // page starts inside a folder's table (else empty)
    bool closesTable = false;        // the page ends inside a folder's table
    std::uint64_t firstRow = 0;      // rows before this page
};

class ListingPages {
public:
    // Reads the file at `path` once and finds its cuts.
    static Result<std::shared_ptr<const ListingPages>> index(const std::string& path, ListingPageLimits limits);
    ~ListingPages();
    ListingPages(const ListingPages&) = delete;
    ListingPages& operator=(const ListingPages&) = delete;

    std::size_t pageCount() const { return m_pages.size(); }
    std::uint64_t rowCount() const { return m_rows; }
    std::uint64_t size() const { return m_size; }
    const ListingPage& pageInfo(std::size_t k) const { return m_pages[k]; }

    // Page `k` (from 0) as a complete document.
    Result<std::string> page(std::size_t k) const;

    // The markup inside the document's root element, byte for byte, written
    // to `path` a piece at a time (the file is replaced only when all of it
    // was written).
    Status writeRootInner(const std::string& path) const;

    // The page holding the next folder heading after page `from` whose text
    // contains `text` (ASCII letters in any case), going round to the start;
    // -1 when no heading does.
    long findFolder(std::string_view text, std::size_t from) const;

private:
    explicit ListingPages(int fd) : m_fd(fd) {}
    Status readAt(std::uint64_t offset, std::uint64_t length, std::string& out) const;

    int m_fd = -1;
    std::uint64_t m_size = 0;
    std::uint64_t m_prefixEnd = 0;  // [0, m_prefixEnd): head, heading and header row
    std::uint64_t m_tailBegin = 0;  // [m_tailBegin, m_size): totals and document end
    std::uint64_t m_rows = 0;
    std::vector<ListingPage> m_pages;
};

}  // namespace quillory::ui
