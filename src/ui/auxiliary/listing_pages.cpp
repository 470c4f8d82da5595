#include "ui/auxiliary/listing_pages.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "engine/templates.h"
#include "platform/safe_file.h"

namespace quillory::ui {
namespace {

constexpr std::size_t kChunk = 1 << 20;
constexpr std::string_view kRowStart = R"(<tr class="file)";  // odd and even rows alike
constexpr std::string_view kRootOpen = "<html>";
constexpr std::string_view kRootClose = "</html>";

int readFully(int fd, std::uint64_t offset, char* into, std::size_t length, std::size_t& got) {
    got = 0;
    while (got < length) {
        const ssize_t n = ::pread(fd, into + got, length - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    return 0;
}

// Calls `line(offset, head)` for every line that starts in [from, to), `from`
// being a line start; `head` is up to `peek` bytes from the line's start (it
// may run past the line's end). `line` returns false to stop.
template <class Line>
int scanLines(int fd, std::uint64_t from, std::uint64_t to, std::size_t peek, Line&& line) {
    std::string buffer(kChunk, '\0');
    std::string head(peek, '\0');
    bool atLineStart = true;
    for (std::uint64_t pos = from; pos < to;) {
        std::size_t got = 0;
        if (const int error = readFully(fd, pos, buffer.data(), std::min<std::uint64_t>(kChunk, to - pos), got))
            return error;
        if (got == 0) break;
        const char* const begin = buffer.data();
        const char* const end = begin + got;
        for (const char* at = begin; at < end;) {
            if (atLineStart) {
                const std::uint64_t offset = pos + static_cast<std::uint64_t>(at - begin);
                const std::size_t want = std::min<std::uint64_t>(peek, to - offset);
                std::string_view view(at, std::min<std::size_t>(want, static_cast<std::size_t>(end - at)));
                if (view.size() < want) {  // the line's start runs into the next chunk
                    std::size_t headGot = 0;
                    if (const int error = readFully(fd, offset, head.data(), want, headGot)) return error;
                    view = std::string_view(head.data(), headGot);
                }
                if (!line(offset, view)) return 0;
                atLineStart = false;
            }
            const void* newline = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
            if (newline == nullptr) break;
            at = static_cast<const char*>(newline) + 1;
            atLineStart = true;
        }
        pos += got;
    }
    return 0;
}

bool containsFolded(std::string_view text, std::string_view wanted) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::search(text.begin(), text.end(), wanted.begin(), wanted.end(),
                       [&](char a, char b) { return lower(a) == lower(b); }) != text.end();
}

}  // namespace

ListingPages::~ListingPages() {
    if (m_fd >= 0) ::close(m_fd);
}

Result<std::shared_ptr<const ListingPages>> ListingPages::index(const std::string& path, ListingPageLimits limits) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Status::fromErrno(errno, path);
    std::shared_ptr<ListingPages> pages(new ListingPages(fd));
    struct stat info {};
    if (::fstat(fd, &info) != 0) return Status::fromErrno(errno, path);
    pages->m_size = static_cast<std::uint64_t>(info.st_size);
    limits.rows = std::max<std::size_t>(limits.rows, 1);

    bool inBlocks = false;
    bool tailSeen = false;
    std::uint64_t tail = pages->m_size;
    std::uint64_t pageBegin = 0, pageRows = 0, rows = 0;
    std::uint64_t headingBegin = 0, headingEnd = 0;
    bool headingOpen = false;  // the last line started was a folder heading
    ListingPage next;
    auto& list = pages->m_pages;
    const std::size_t peek = tpl::kHeadingStart.size() + tpl::kTableStart.size() + kRowStart.size();
    const int error = scanLines(fd, 0, pages->m_size, peek, [&](std::uint64_t offset, std::string_view head) {
        if (headingOpen) headingEnd = offset;
        headingOpen = false;
        if (tailSeen) return true;  // a line ending inside the totals
        const bool heading = head.starts_with(tpl::kHeadingStart);
        const bool row = head.starts_with(kRowStart);
        const bool firstRow = head.starts_with(tpl::kTableStart) && head.substr(tpl::kTableStart.size()).starts_with(kRowStart);
        if (head.starts_with(tpl::kTotalsStart)) {
            tail = offset;
            tailSeen = true;
            return true;
        }
        if (heading && !inBlocks) {
            inBlocks = true;
            pages->m_prefixEnd = offset;
            pageBegin = offset;
            next.begin = offset;
        }
        if (!inBlocks) return true;
        const bool full = pageRows >= limits.rows || offset - pageBegin >= limits.bytes;
        if ((heading || row) && full && pageRows > 0) {
            next.end = offset;
            next.closesTable = row;
            list.push_back(next);
            next = ListingPage{};
            next.begin = offset;
            next.firstRow = rows;
            if (row) {
                next.headingBegin = headingBegin;
                next.headingEnd = headingEnd;
            }
            pageBegin = offset;
            pageRows = 0;
        }
        if (heading) {
            headingBegin = offset;
            headingOpen = true;
        }
        if (row || firstRow) {
            ++pageRows;
            ++rows;
        }
        return true;
    });
    if (error != 0) return Status::fromErrno(error, path);
    if (!inBlocks) {  // no folder block: the whole file is one page
        pages->m_prefixEnd = tail;
        next.begin = tail;
    }
    next.end = tail;
    list.push_back(next);
    pages->m_tailBegin = tail;
    pages->m_rows = rows;
    return std::shared_ptr<const ListingPages>(std::move(pages));
}

Status ListingPages::readAt(std::uint64_t offset, std::uint64_t length, std::string& out) const {
    const std::size_t old = out.size();
    out.resize(old + length);
    std::size_t got = 0;
    if (const int error = readFully(m_fd, offset, out.data() + old, length, got))
        return Status::fromErrno(error, "the listing");
    if (got != length) return Status::error(EIO, "the listing ended early");
    return Status::ok();
}

Result<std::string> ListingPages::page(std::size_t k) const {
    if (k >= m_pages.size()) return Status::error(Status::kInvalid, "no such page");
    const ListingPage& p = m_pages[k];
    const bool last = k + 1 == m_pages.size();
    std::string doc;
    doc.reserve(m_prefixEnd + (p.end - p.begin) + (p.headingEnd - p.headingBegin) + 256 +
                (last ? m_size - m_tailBegin : 0));
    Status status = readAt(0, m_prefixEnd, doc);
    if (status && p.headingEnd > p.headingBegin) {
        status = readAt(p.headingBegin, p.headingEnd - p.headingBegin, doc);
        doc += tpl::kTableStart;
    }
    if (status) status = readAt(p.begin, p.end - p.begin, doc);
    if (p.closesTable) {
        doc += tpl::kTableEnd;
        doc += tpl::kCrlf;
    }
    if (status && last) status = readAt(m_tailBegin, m_size - m_tailBegin, doc);
    else doc += tpl::kDocumentEnd;
    if (!status) return status;
    return doc;
}

Status ListingPages::writeRootInner(const std::string& path) const {
    std::string edge;
    const std::uint64_t edgeSize = std::min<std::uint64_t>(m_size, kRootOpen.size());
    if (Status s = readAt(0, edgeSize, edge); !s) return s;
    const std::uint64_t begin = edge == kRootOpen ? kRootOpen.size() : 0;
    edge.clear();
    std::uint64_t end = m_size;
    if (m_size >= begin + kRootClose.size()) {
        if (Status s = readAt(m_size - kRootClose.size(), kRootClose.size(), edge); !s) return s;
        if (begin > 0 && edge == kRootClose) end -= kRootClose.size();
    }
    SafeFileWriter out(path);
    std::string chunk;
    for (std::uint64_t at = begin; at < end && out.ok(); at += chunk.size()) {
        chunk.clear();
        if (Status s = readAt(at, std::min<std::uint64_t>(kChunk, end - at), chunk); !s) return s;
        out.append(chunk);
    }
    return out.commit();
}

long ListingPages::findFolder(std::string_view text, std::size_t from) const {
    if (text.empty() || m_pages.empty()) return -1;
    const std::size_t peek = tpl::kHeadingStart.size() + 8192;  // the longest path and then some
    const auto pageOf = [&](std::uint64_t offset) {
        const auto after = std::upper_bound(m_pages.begin(), m_pages.end(), offset,
                                            [](std::uint64_t o, const ListingPage& p) { return o < p.begin; });
        return static_cast<long>(after - m_pages.begin()) - 1;
    };
    long found = -1;
    const auto match = [&](std::uint64_t offset, std::string_view head) {
        if (!head.starts_with(tpl::kHeadingStart)) return true;
        head.remove_prefix(tpl::kHeadingStart.size());
        head = head.substr(0, head.find(tpl::kHeadingEnd));
        if (!containsFolded(head, text)) return true;
        found = pageOf(offset);
        return false;
    };
    const std::uint64_t start = from + 1 < m_pages.size() ? m_pages[from + 1].begin : m_tailBegin;
    if (scanLines(m_fd, start, m_tailBegin, peek, match) != 0) return -1;
    if (found < 0 && scanLines(m_fd, m_prefixEnd, std::min(start, m_tailBegin), peek, match) != 0) return -1;
    return found;
}

}  // namespace quillory::ui
