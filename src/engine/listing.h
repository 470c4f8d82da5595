#pragma once
// The listing engine's entry points.
//
// runListing is the one run every face uses. It writes the document start
// (style sheet, heading and header row; or the CSV header line), then walks
// the base folder depth first, then writes the end (the totals table; nothing
// for CSV), all into a BlockSink. For each folder the walk takes the options
// from the store (listing_options.h), checks the depth, and asks
// genFolderHTML / genFolderCSV for the folder's block: they apply the
// filters, build one clsFile per listed file, order them and format the rows.
// The walk adds the counts to RunTotals and hands the block, followed by
// CRLF, to the sink. The run ends at the first write that fails, at a stop
// request, or when the walk is done; the result says which, and names the
// folders that could not be read. The engine never touches a window: it
// reports through RunProgress (safe to read from another thread) and the
// WalkObserver, and reads a StopToken that any thread may raise.
//
// Files: walk.cpp walks; gen_folder_html.cpp and gen_folder_csv.cpp make a
// folder's block from folder_files.cpp (filters.cpp, wildcard.cpp,
// sorting.cpp, cls_file.cpp, file_format.cpp); document.cpp writes the
// document's start and end from templates.h through substitute.cpp and
// escape.cpp; listing_options.cpp reads the options from the store;
// file_sink.cpp writes the output file; run_totals.cpp counts.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cls_file.h"
#include "engine/listing_options.h"
#include "engine/run_totals.h"
#include "log/event_log.h"
#include "platform/folder_source.h"
#include "platform/stop_token.h"

namespace quillory {

class SettingsStore;

enum class Format { Html, Csv };

// Called where a window would process pending input: at the start of each
// folder, before each directory entry and after each HTML row.
class WalkObserver {
public:
    virtual ~WalkObserver() = default;
    virtual void yield() {}
};

// Where the run's text goes. append() is false once a write has failed;
// error() then tells why (an errno value).
class BlockSink {
public:
    virtual ~BlockSink() = default;
    virtual bool append(std::string_view text) = 0;
    virtual int error() const { return 0; }
};

// What a window shows while a run goes on; written by the walk's thread, read
// from any other. Files count up as they are read, also inside one folder.
class RunProgress {
public:
    std::atomic<std::int64_t> folders{0};
    std::atomic<std::int64_t> files{0};
    std::atomic<std::int64_t> bytes{0};

    void setFolder(const std::string& path) {
        const std::lock_guard lock(m_mutex);
        m_folder = path;
    }
    std::string folder() const {
        const std::lock_guard lock(m_mutex);
        return m_folder;
    }

private:
    mutable std::mutex m_mutex;
    std::string m_folder;
};

struct ListingContext {
    ListingContext(SettingsStore& s, RunTotals& t, const EventLog& l, StopToken& st)
        : store(s), totals(t), log(l), stop(st) {}
    SettingsStore& store;
    RunTotals& totals;
    const EventLog& log;
    StopToken& stop;
    // The folders to list; null: each run makes a local source of its own.
    FolderSource* source = nullptr;
    // While a share is listed through a local root, NetworkPath is shown in
    // place of NetworkRoot at the start of every heading and the title.
    std::string NetworkPath;
    std::string NetworkRoot;
    WalkObserver* observer = nullptr;
    RunProgress* progress = nullptr;
    // The escaped form: HTML entities in names, paths and type texts, and a
    // character set in the head; doubled quotes inside CSV values.
    bool escapeText = false;
    // A file the listing leaves out: the run's own temporary output file,
    // when it lies in a listed folder.
    std::string ownFile;
    // The records of folders done, kept so that the next folder's records
    // reuse their text buffers instead of allocating their own.
    std::vector<clsFile> spareRecords;
};

// What a per-folder generator returns.
struct FolderListing {
    std::string Text;  // the block; "*" when the folder filter rejected it
    // 64 bits: a folder may hold far more than 32,767 files and every one is
    // listed and counted.
    std::int64_t FileCount = 0;
    std::int64_t TotalBytes = 0;
};

struct UnreadFolder {
    std::string path;
    int error = 0;  // errno
};

struct RunResult {
    enum class Outcome { Completed, Stopped, OutputFailed };
    Outcome outcome = Outcome::Completed;
    int outputError = 0;  // errno of the first failed write
    std::vector<UnreadFolder> unreadable;
};

// The whole run: document start, walk, document end.
RunResult runListing(ListingContext& ctx, const std::string& base, Format format, BlockSink& sink);

// The walk alone: the blocks of `folderPath` and the folders below it.
// totals.BasePath must be set.
RunResult walkFolder(ListingContext& ctx, const std::string& folderPath, Format format, BlockSink& sink);

// Levels below the base (0 for the base itself), compared without case.
int getFolderDepth(std::string_view basePath, std::string_view folderPath);

// One folder already opened, with the options of its visit.
FolderListing genFolderHTML(ListingContext& ctx, const ListingOptions& options, const std::string& folderPath,
                            Folder& folder);
FolderListing genFolderCSV(ListingContext& ctx, const ListingOptions& options, const std::string& folderPath,
                           Folder& folder);

std::string genHeaderRow(const ListingOptions& options);

// A folder path as its heading shows it (the network prefix swapped in).
std::string shownPath(const ListingContext& ctx, const std::string& folderPath);

}  // namespace quillory
