// The folder walk: the base folder, then each sub-folder depth first, in the
// order the system lists them, as deep as the recursion level allows. The
// path from the base to the current folder is a stack on the heap, so any
// depth the file system allows is walked without growing the call stack.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/file_format.h"
#include "engine/listing.h"
#include "engine/templates.h"
#include "text/ascii_case.h"
#include "settings/store.h"

namespace quillory {

int getFolderDepth(std::string_view basePath, std::string_view folderPath) {
    // A trailing separator on the base ("/" for the root) must not change the count.
    while (!basePath.empty() && basePath.back() == kSeparator) basePath.remove_suffix(1);
    const bool underBase = folderPath.size() >= basePath.size() &&
                           equalWithoutCase(basePath, folderPath.substr(0, basePath.size()));
    const std::string_view rest = underBase ? folderPath.substr(basePath.size()) : folderPath;
    // Components, not separators: a base given as "/x//" puts two before the first.
    int depth = 0;
    for (std::size_t i = 0; i < rest.size(); ++i)
        if (rest[i] != kSeparator && (i == 0 || rest[i - 1] == kSeparator)) ++depth;
    return depth;
}

std::string shownPath(const ListingContext& ctx, const std::string& folderPath) {
    const std::string_view root = ctx.NetworkRoot;
    // The root stands for whole components only: "/srv/sharex" is not under "/srv/share".
    const bool under = folderPath.starts_with(root) &&
                       (folderPath.size() == root.size() || folderPath[root.size()] == kSeparator ||
                        (!root.empty() && root.back() == kSeparator));
    if (ctx.NetworkPath.empty() || !under) return folderPath;
    return ctx.NetworkPath + folderPath.substr(root.size());
}

namespace {

// The context's folder source, or else a local one of the run's own, which
// `own` keeps alive.
FolderSource& runSource(ListingContext& ctx, std::unique_ptr<FolderSource>& own) {
    if (ctx.source) return *ctx.source;
    own = makeLocalFolderSource(&ctx.stop);
    return *own;
}

FolderListing generate(ListingContext& ctx, Format format, const ListingOptions& options, const std::string& path,
                       Folder& folder) {
    return format == Format::Html ? genFolderHTML(ctx, options, path, folder)
                                  : genFolderCSV(ctx, options, path, folder);
}

struct Frame {
    std::unique_ptr<Folder> folder;
    std::string path;
    std::size_t next = 0;  // the entry to look at next
};

class Walk {
public:
    Walk(ListingContext& ctx, Format format, BlockSink& sink)
        : m_ctx(ctx), m_format(format), m_sink(sink), m_options(ctx.store) {}

    RunResult run(FolderSource& source, const std::string& basePath) {
        auto base = source.open(basePath);
        if (visit(basePath, *base)) m_stack.push_back({std::move(base), basePath});
        while (!m_stack.empty() && m_result.outcome == RunResult::Outcome::Completed) {
            Frame& top = m_stack.back();
            const auto& entries = top.folder->entries();
            if (top.next == entries.size()) {
                m_stack.pop_back();
                continue;
            }
            const std::size_t i = top.next++;
            yield();
            if (stopped()) break;
            if (entries[i].kind != EntryKind::Folder) continue;
            auto child = top.folder->openChild(i);
            // A link back to a folder we are inside would never end; it was listed once already.
            if (insideAlready(child->id())) continue;
            std::string childPath = addSeparator(top.path) + entries[i].name;
            if (visit(childPath, *child)) m_stack.push_back({std::move(child), std::move(childPath)});
        }
        // A folder goes before the one it was opened from.
        while (!m_stack.empty()) m_stack.pop_back();
        if (m_result.outcome == RunResult::Outcome::Completed && m_ctx.stop.requested())
            m_result.outcome = RunResult::Outcome::Stopped;
        return std::move(m_result);
    }

private:
    void yield() {
        if (m_ctx.observer) m_ctx.observer->yield();
    }

    bool stopped() {
        if (!m_ctx.stop.requested()) return false;
        m_result.outcome = RunResult::Outcome::Stopped;
        return true;
    }

    bool insideAlready(const FolderId& id) const {
        if (!id.known) return false;
        return std::any_of(m_stack.begin(), m_stack.end(),
                           [&](const Frame& frame) { return frame.folder->id() == id; });
    }

    // Report runs log the walk's decisions; spreadsheet runs log nothing.
    bool logging() const { return m_format == Format::Html && m_ctx.log.LoggingOn; }

    // Lists one folder; true when the walk is to enter it.
    bool visit(const std::string& path, Folder& folder) {
        yield();
        if (stopped()) return false;
        // The kernel's own folders hold no user's files, and some never end.
        if (const std::string_view pseudo = folder.pseudoFileSystem(); !pseudo.empty()) {
            if (logging()) writeLog(m_ctx.log, "Folder skipped: " + path + " is on the kernel file system " + std::string(pseudo));
            return false;
        }
        if (m_ctx.progress) m_ctx.progress->setFolder(path);
        // Options are taken here, once per folder: a change anybody writes
        // shows from the next folder on.
        const std::shared_ptr<const ListingOptions> options = m_options.current();
        const std::int16_t level = options->recursionLevel;
        if (level != -1) {
            const int depth = getFolderDepth(m_ctx.totals.BasePath, path);
            if (logging()) writeLog(m_ctx.log, "Folder depth: " + std::to_string(depth) + ". Recursion level: " + std::to_string(level));
            if (depth > level) return false;
        }
        const FolderListing listing = generate(m_ctx, m_format, *options, path, folder);
        if (!folder.readable()) {
            m_result.unreadable.push_back({path, folder.error()});
            // The status bar only counts them; the log is where the user finds which and why.
            if (logging()) writeLog(m_ctx.log, "Folder could not be read: " + path + ": " + std::strerror(folder.error()));
        }
        if (listing.Text != tpl::kRejectedFolder) {
            m_ctx.totals.TotalFiles += listing.FileCount;
            m_ctx.totals.TotalBytes += listing.TotalBytes;
            m_ctx.totals.TotalFolders += 1;
            if (m_ctx.progress) {
                m_ctx.progress->folders.store(static_cast<std::int64_t>(m_ctx.totals.TotalFolders));
                m_ctx.progress->files.store(m_ctx.totals.TotalFiles);
                m_ctx.progress->bytes.store(m_ctx.totals.TotalBytes);
            }
            if (!m_sink.append(listing.Text) || !m_sink.append(tpl::kCrlf)) {
                m_result.outcome = RunResult::Outcome::OutputFailed;
                m_result.outputError = m_sink.error();
                return false;
            }
        }
        return !m_ctx.stop.requested();
    }

    ListingContext& m_ctx;
    Format m_format;
    BlockSink& m_sink;
    OptionsReader m_options;
    std::vector<Frame> m_stack;
    RunResult m_result;
};

}  // namespace

RunResult walkFolder(ListingContext& ctx, const std::string& folderPath, Format format, BlockSink& sink) {
    std::unique_ptr<FolderSource> own;
    return Walk(ctx, format, sink).run(runSource(ctx, own), folderPath);
}

}  // namespace quillory
