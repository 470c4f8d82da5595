#pragma once
// What one local folder holds, for the local folder source: its names, read
// whole with getdents64 from the folder's descriptor, and the size, time and
// attribute word of each file, fetched on demand and shared between threads.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_times.h"
#include "platform/folder_source.h"
#include "platform/stop_token.h"

namespace quillory::local_folder {

FolderId idOf(int fd);

// What a folder holds: its names, read whole, and the facts fetched so far.
struct Contents {
    enum : std::uint8_t { kHaveFacts = 1, kHaveAttributes = 2 };

    std::vector<FolderEntry> entries;
    std::vector<bool> links;
    std::vector<std::uint8_t> have;
    std::vector<FileFacts> facts;
    std::vector<std::int64_t> attributes;
    int error = 0;
    bool readable = false;
    // Attribute words read through the whole path, never relative to the
    // folder: the way kernels before getxattrat() go (see attributesByPath()).
    bool attributesByPath = false;

    // getdents64 straight from the descriptor: no second descriptor (as
    // fdopendir would want) and no copy through a DIR buffer. A stop request
    // ends the read between two batches: the run that asked shows nothing.
    void read(int fd, const StopToken* stop);
    // Makes room for the facts of every entry.
    void prepare();
    bool known(std::size_t i, bool withAttributes) const {
        const std::uint8_t wanted = withAttributes ? kHaveAttributes : kHaveFacts;
        return !have.empty() && (have[i] & wanted) != 0;
    }
    // One stat per entry gives size, time and mode; the attribute word adds the
    // extended attribute only when asked for. `path` is the folder's path
    // (empty when too long), for kernels that cannot read one relative to `fd`.
    void examine(int fd, std::size_t i, bool withAttributes, LocalTimeCache& times, const std::string& path);

private:
    void add(int fd, const char* name, unsigned char type);
};

// Whether QUILLORY_ATTRIBUTES_BY_PATH is set: tests use it to take the path
// that kernels without getxattrat() take, on any kernel.
bool attributesByPath();

// A share of `wanted` examined in chunks; several threads may run it on the
// same `next` and touch disjoint slots. Returns early on a stop request or
// when `cancelled` is raised.
void examineShare(Contents& contents, int fd, const std::vector<std::size_t>& wanted, bool withAttributes,
                  std::atomic<std::size_t>& next, LocalTimeCache& times, const std::string& path,
                  const StopToken* stop, const std::atomic<bool>* cancelled = nullptr);

}  // namespace quillory::local_folder
