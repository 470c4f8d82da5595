// The folder walk: the base folder, then each sub-folder depth first, in the
// order the system lists them, as deep as the recursion level allows.
#include <algorithm>
#include <vector>

#include "engine/file_format.h"
#include "engine/listing.h"
#include "engine/templates.h"
#include "platform/ascii_case.h"
#include "settings/store.h"
#include "settings/values.h"

namespace quillory {

std::int16_t getRecursionLevel(SettingsStore& store) {
    const std::string recurse = store.read(keys::Recurse);
    if (recurse == "Infinite") return -1;
    if (recurse == "Depth") return roundToInt16(leadingNumber(store.read(keys::RecurseDepth)));
    return 0;  // "No", and any other word
}

int getFolderDepth(std::string_view basePath, std::string_view folderPath) {
    // A trailing separator on the base ("/" for the root) must not change the count.
    while (!basePath.empty() && basePath.back() == kSeparator) basePath.remove_suffix(1);
    const bool underBase = folderPath.size() >= basePath.size() &&
                           equalWithoutCase(basePath, folderPath.substr(0, basePath.size()));
    std::string_view rest = underBase ? folderPath.substr(basePath.size()) : folderPath;
    while (!rest.empty() && rest.back() == kSeparator) rest.remove_suffix(1);
    return static_cast<int>(std::count(rest.begin(), rest.end(), kSeparator));
}

namespace {

struct Ancestor {
    FolderId id;
    const Ancestor* parent;
};

bool isAncestor(const Ancestor* chain, const FolderId& id) {
    for (; chain; chain = chain->parent)
        if (chain->id.known && chain->id == id) return true;
    return false;
}

using Generator = FolderListing (*)(ListingContext&, const std::string&, Folder&);

void yield(ListingContext& ctx) {
    if (ctx.observer) ctx.observer->yield();
}

// `folder` is already open (by path for the base, relative to the parent for
// the rest, which keeps working past PATH_MAX).
void walkFolder(ListingContext& ctx, const std::string& folderPath, std::int16_t level, BlockSink& sink,
                Generator generate, bool logDepth, Folder& folder, const Ancestor* ancestors) {
    yield(ctx);
    if (ctx.totals.StopRequested) return;
    if (ctx.observer) ctx.observer->status("Scanning folder: " + folderPath);
    if (level != -1) {
        const int depth = getFolderDepth(ctx.totals.BasePath, folderPath);
        if (logDepth && ctx.log.LoggingOn)
            writeLog(ctx.log, "Folder depth: " + std::to_string(depth) + ". Recursion level: " + std::to_string(level));
        if (depth > level) return;
    }

    const FolderListing listing = generate(ctx, folderPath, folder);
    if (listing.Text != tpl::kRejectedFolder) {
        ctx.totals.TotalFiles += listing.FileCount;
        ctx.totals.TotalBytes += listing.TotalBytes;
        ctx.totals.TotalFolders += 1;
        if (!sink.append(listing.Text) || !sink.append(tpl::kCrlf)) return;
    }

    const Ancestor self{folder.id(), ancestors};
    const std::string prefix = addSeparator(folderPath);
    const auto& entries = folder.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        yield(ctx);
        if (ctx.totals.StopRequested) break;
        if (entries[i].kind != EntryKind::Folder) continue;
        const auto child = folder.openChild(i);
        // A link back to a folder we are inside would never end; it was listed once already.
        if (isAncestor(&self, child->id())) continue;
        walkFolder(ctx, prefix + entries[i].name, getRecursionLevel(ctx.store), sink, generate, logDepth, *child,
                   &self);
    }
}

FolderListing htmlGenerator(ListingContext& ctx, const std::string& path, Folder& folder) {
    return genFolderHTML(ctx, path, folder);
}
FolderListing csvGenerator(ListingContext& ctx, const std::string& path, Folder& folder) {
    return genFolderCSV(ctx, path, folder);
}

}  // namespace

void walkFolderHTML(ListingContext& ctx, const std::string& folderPath, std::int16_t level, BlockSink& sink) {
    const auto folder = ctx.source.open(folderPath);
    walkFolder(ctx, folderPath, level, sink, htmlGenerator, true, *folder, nullptr);
}

void walkFolderCSV(ListingContext& ctx, const std::string& folderPath, std::int16_t level, BlockSink& sink) {
    const auto folder = ctx.source.open(folderPath);
    walkFolder(ctx, folderPath, level, sink, csvGenerator, false, *folder, nullptr);
}

}  // namespace quillory
