#pragma once
// The folder the walk will most likely open next, read on the helper thread
// (names, then the facts of its files) while the caller writes out the
// current one. One at a time; the caller takes it when the walk opens that
// folder, or drops it.
#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/background_worker.h"
#include "platform/file_times.h"
#include "platform/folder_contents.h"
#include "platform/stop_token.h"

namespace quillory::local_folder {

struct ReadAhead {
    const void* parent = nullptr;  // the folder it is an entry of
    std::size_t index = 0;
    std::string name;
    std::string path;  // empty when too long to use
    bool attributes = false;
    int fd = -1;
    int error = 0;
    FolderId id;
    Contents contents;
    std::vector<std::size_t> files;
    std::atomic<std::size_t> next{0};
    std::atomic<bool> named{false};  // fd, id, contents.entries and files are final
    std::atomic<bool> cancelled{false};
};

class ReadAheadSlot {
public:
    ReadAheadSlot(BackgroundWorker& worker, const StopToken* stop) : m_worker(worker), m_stop(stop) {}
    ~ReadAheadSlot() { drop(); }
    ReadAheadSlot(const ReadAheadSlot&) = delete;
    ReadAheadSlot& operator=(const ReadAheadSlot&) = delete;

    // Starts reading `a` below `parentFd` (a descriptor of its own, closed
    // once the folder is open).
    void start(std::unique_ptr<ReadAhead> a, int parentFd);
    bool readingBelow(const void* parent) const { return m_ahead && m_ahead->parent == parent; }
    // Drops the folder read ahead, waiting for the helper to let go of it.
    void drop();
    // The folder read ahead when it is entry `index` of `parent`: waits for
    // it, helping with the facts still to do. Null otherwise, and when the
    // helper could not open it for want of descriptors: the caller, who
    // holds them, trims and retries.
    std::unique_ptr<ReadAhead> take(const void* parent, std::size_t index, LocalTimeCache& callerTimes);

private:
    BackgroundWorker& m_worker;
    const StopToken* m_stop;
    LocalTimeCache m_helperTimes;
    std::unique_ptr<ReadAhead> m_ahead;
};

}  // namespace quillory::local_folder
