#pragma once
// The listing engine's entry points.
//
// A run resets RunTotals, sets BasePath and calls walkFolderHTML or
// walkFolderCSV on the base folder. The walk visits folders depth first; for
// each one it asks genFolderHTML / genFolderCSV for the folder's text (these
// apply the filters, build one clsFile per listed file, order them and format
// the rows), adds the counts to the totals and hands the text, followed by
// CRLF, to a BlockSink. document.h wraps the blocks into the whole document
// or spreadsheet. The engine never touches a window: it reports through the
// WalkObserver and reads StopRequested, which any thread may set.
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/run_totals.h"
#include "log/event_log.h"
#include "platform/folder_source.h"

namespace quillory {

class SettingsStore;

// Called where a window would process pending input, and with the status text.
class WalkObserver {
public:
    virtual ~WalkObserver() = default;
    virtual void yield() {}
    virtual void status(const std::string& text) { (void)text; }
};

// Where the walk's folder texts go. False when the text could not be written;
// the walk then gives up the folder and its sub-folders.
class BlockSink {
public:
    virtual ~BlockSink() = default;
    virtual bool append(std::string_view text) = 0;
};

struct ListingContext {
    SettingsStore& store;
    RunTotals& totals;
    const EventLog& log;
    FolderSource& source;
    // Shown in place of the temporary drive while a network share is listed.
    std::string NetworkPath;
    WalkObserver* observer = nullptr;
};

// What a per-folder generator returns.
struct FolderListing {
    std::string Text;  // the block; "*" when the folder filter rejected it
    // Wider than the 16 bits the count once had: a folder may hold far more
    // than 32,767 files and every one is listed and counted.
    std::int64_t FileCount = 0;
    std::int64_t TotalBytes = 0;
};

std::int16_t getRecursionLevel(SettingsStore& store);
// Levels below totals.BasePath (0 for the base itself), compared without case.
int getFolderDepth(std::string_view basePath, std::string_view folderPath);

void walkFolderHTML(ListingContext& ctx, const std::string& folderPath, std::int16_t level, BlockSink& sink);
void walkFolderCSV(ListingContext& ctx, const std::string& folderPath, std::int16_t level, BlockSink& sink);

// One folder, opened by path.
FolderListing genFolderHTML(ListingContext& ctx, const std::string& folderPath);
FolderListing genFolderCSV(ListingContext& ctx, const std::string& folderPath);
// One folder already opened (the walk's way).
FolderListing genFolderHTML(ListingContext& ctx, const std::string& folderPath, Folder& folder);
FolderListing genFolderCSV(ListingContext& ctx, const std::string& folderPath, Folder& folder);

std::string genHeaderRow(SettingsStore& store);

}  // namespace quillory
