#include "engine/document.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "engine/file_format.h"
#include "engine/substitute.h"
#include "engine/templates.h"
#include "settings/store.h"
#include "settings/values.h"

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

// Font sizes are whole points; text that is no number gives 0.
std::string fontSize(SettingsStore& store, const SettingKey& key) {
    return std::to_string(roundToInt16(leadingNumber(store.read(key))));
}

std::string styleSheet(SettingsStore& store) {
    const std::string folSize = fontSize(store, keys::FolFontSize);
    const std::string fileSize = fontSize(store, keys::FileFontSize);
    std::string head;
    head += tpl::kHeadStart;
    head += tpl::kCrlf;
    head += tpl::kDirRule;
    head += folSize;
    head += tpl::kDirRuleEnd;
    for (auto [start, end] : {std::pair{tpl::kFileRule, tpl::kFileRuleEnd}, {tpl::kFileOddRule, tpl::kFileOddRuleEnd},
                              {tpl::kSummaryRule, tpl::kSummaryRuleEnd}}) {
        head += start;
        head += fileSize;
        head += end;
    }
    head += tpl::kBodyRule;
    head += tpl::kHeadEnd;
    for (const auto& style : tpl::kStylePlaceholders) {
        const std::string stored = store.read(style.key);
        if (!style.colour) {
            replaceAll(head, style.placeholder, stored);
        } else if (const auto number = wholeNumber(stored)) {
            replaceAll(head, style.placeholder, colorToHTML(static_cast<std::uint32_t>(*number)));
        }
        // A colour that is no whole number leaves its placeholder standing.
    }
    return head;
}

}  // namespace

std::string documentTitle(const ListingContext& ctx, std::string_view folder) {
    return ctx.NetworkPath.empty() ? std::string(folder) : ctx.NetworkPath;
}

std::string documentStart(SettingsStore& store, std::string_view title) {
    std::string text = styleSheet(store);
    text += tpl::kCrlf;
    text += tpl::kHeadingOpen;
    text += title;
    text += tpl::kHeadingClose;
    text += tpl::kCrlf;
    text += genHeaderRow(store);
    text += tpl::kCrlf;
    return text;
}

std::string documentEnd(SettingsStore& store, const RunTotals& totals) {
    std::string text;
    text += tpl::kCrlf;
    text += tpl::kTotalsStart;
    text += tpl::kTotalFiles;
    text += std::to_string(totals.TotalFiles);
    text += tpl::kTotalFolders;
    text += numberText(totals.TotalFolders);
    text += tpl::kTotalSize;
    text += sizeText(store, totals.TotalBytes);
    text += tpl::kTotalsEnd;
    text += tpl::kDocumentEnd;
    return text;
}

std::string spreadsheetHeader(SettingsStore& store) {
    std::string header;
    for (const auto& column : tpl::kCsvColumns)
        if (!column.flag || flagOn(store.read(*column.flag))) header += column.header;
    if (!header.empty() && header.back() == ',') header.pop_back();
    header += tpl::kCrlf;
    return header;
}

std::string removeBlankLines(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, 2, tpl::kCrlf) == 0) {
            const bool afterCrlf = out.size() >= 2 && out.compare(out.size() - 2, 2, tpl::kCrlf) == 0;
            if (!afterCrlf) out += tpl::kCrlf;
            i += 2;
        } else {
            out += text[i++];
        }
    }
    return out;
}

bool BlankLineFilter::append(std::string_view text) {
    m_out.clear();
    for (char c : text) {
        if (m_heldCr) {
            m_heldCr = false;
            if (c == '\n') {
                if (!m_endsInCrlf) m_out += "\r\n";
                m_endsInCrlf = true;
                continue;
            }
            m_out += '\r';
            m_endsInCrlf = false;
        }
        if (c == '\r') {
            m_heldCr = true;
        } else {
            m_out += c;
            m_endsInCrlf = false;
        }
    }
    return m_out.empty() || m_next.append(m_out);
}

bool BlankLineFilter::finish() {
    if (!m_heldCr) return true;
    m_heldCr = false;
    m_endsInCrlf = false;
    return m_next.append("\r");
}

FileAppendSink::FileAppendSink(const std::string& path) {
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (m_fd < 0) m_error = errno;
}

FileAppendSink::~FileAppendSink() { close(); }

bool FileAppendSink::flush() {
    std::size_t done = 0;
    while (m_error == 0 && done < m_buffer.size()) {
        const ssize_t n = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) m_error = n < 0 ? errno : EIO;
        else done += static_cast<std::size_t>(n);
    }
    m_buffer.clear();
    return m_error == 0;
}

bool FileAppendSink::append(std::string_view text) {
    if (m_error != 0) return false;
    m_buffer += text;
    return m_buffer.size() < (1u << 20) || flush();
}

bool FileAppendSink::close() {
    if (m_fd < 0) return m_error == 0;
    flush();
    if (::close(m_fd) != 0 && m_error == 0) m_error = errno;
    m_fd = -1;
    return m_error == 0;
}

int replaceFileContent(const std::string& path, std::string_view text) {
    const std::string temp = path + ".part";
    int error = 0;
    {
        ::unlink(temp.c_str());
        FileAppendSink out(temp);
        out.append(text);
        if (!out.close()) error = out.error();
    }
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) ::unlink(temp.c_str());
    return error;
}

namespace {

std::string readWhole(const std::string& path) {
    std::string text;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return text;  // no scratch file: the walk wrote nothing
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

// Runs the walk into the scratch file; the body it holds afterwards, or none when stopped.
template <typename Walk>
std::optional<std::string> walkIntoScratch(ListingContext& ctx, const std::string& folder,
                                           const std::string& scratchPath, Walk walk) {
    ctx.totals.StopRequested = false;
    resetTotals(ctx.totals);
    ::unlink(scratchPath.c_str());
    ctx.totals.BasePath = folder;
    {
        // Opened lazily so that a walk that writes nothing leaves no scratch file.
        struct LazyScratch final : BlockSink {
            const std::string& path;
            std::optional<FileAppendSink> file;
            explicit LazyScratch(const std::string& p) : path(p) {}
            bool append(std::string_view text) override {
                if (!file) file.emplace(path);
                return file->append(text);
            }
        } sink(scratchPath);
        walk(ctx, folder, getRecursionLevel(ctx.store), sink);
    }
    if (ctx.observer) ctx.observer->status("");
    if (ctx.totals.StopRequested) return std::nullopt;
    return readWhole(scratchPath);
}

}  // namespace

std::optional<std::string> buildReport(ListingContext& ctx, const std::string& folder,
                                       const std::string& scratchPath) {
    if (ctx.log.LoggingOn) writeLog(ctx.log, "Make Report Called. Base Folder: " + folder);
    auto body = walkIntoScratch(ctx, folder, scratchPath, walkFolderHTML);
    if (!body) return std::nullopt;
    std::string document = documentStart(ctx.store, documentTitle(ctx, folder));
    document += *body;
    document += documentEnd(ctx.store, ctx.totals);
    if (ctx.log.LoggingOn)
        writeLog(ctx.log, "Total files: " + std::to_string(ctx.totals.TotalFiles) +
                              " . Total files size: " + std::to_string(ctx.totals.TotalBytes) +
                              " .Total folders: " + numberText(ctx.totals.TotalFolders));
    replaceFileContent(scratchPath, document);
    return document;
}

std::optional<std::string> buildSpreadsheet(ListingContext& ctx, const std::string& folder,
                                            const std::string& scratchPath) {
    auto body = walkIntoScratch(ctx, folder, scratchPath, walkFolderCSV);
    if (!body) return std::nullopt;
    std::string text = removeBlankLines(spreadsheetHeader(ctx.store) + *body);
    replaceFileContent(scratchPath, text);
    return text;
}

}  // namespace quillory
