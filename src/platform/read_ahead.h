#pragma once
// The folders the walk will open next, read on the helper thread (names,
// then the facts of their files) while the caller writes out the current
// one. The helper follows the walk's own order ahead of it, depth first from
// the folders it was given, and keeps a few folders waiting so that a large
// folder on the caller's side does not leave it idle. The caller takes them
// in that order when the walk opens them; any other folder drops them all.
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/background_worker.h"
#include "platform/file_times.h"
#include "platform/folder_contents.h"
#include "platform/stop_token.h"

namespace quillory::local_folder {

// Names a folder, read already or read ahead, for as long as the source
// lives: addresses may be reused, these never are.
std::uint64_t newFolderToken();

struct ReadAhead {
    std::uint64_t token = newFolderToken();
    std::uint64_t parent = 0;  // the token of the folder it is an entry of
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
    bool released = false;           // the helper is done with it (under the queue's lock)
    std::atomic<bool> cancelled{false};
};

// A folder whose sub-folders the helper is still to read ahead, with a
// descriptor of its own.
struct AheadFrame {
    AheadFrame(std::uint64_t token, int fd, std::string path, std::size_t pathLength)
        : token(token), fd(fd), path(std::move(path)), pathLength(pathLength) {}
    ~AheadFrame();
    AheadFrame(AheadFrame&& other) noexcept;
    AheadFrame& operator=(AheadFrame&&) = delete;  // kept in a deque, which never assigns

    std::uint64_t token;
    int fd;
    std::string path;  // empty when too long to use
    std::size_t pathLength;
    std::vector<std::pair<std::size_t, std::string>> folders;  // index and name, in walk order
    std::size_t next = 0;
};

class ReadAheadQueue {
public:
    ReadAheadQueue(BackgroundWorker& worker, const StopToken* stop);
    ~ReadAheadQueue() { drop(); }
    ReadAheadQueue(const ReadAheadQueue&) = delete;
    ReadAheadQueue& operator=(const ReadAheadQueue&) = delete;

    // How many folders' sub-folders start() may be given.
    std::size_t mostFrames() const { return m_mostFrames; }
    // Neither reading nor holding anything.
    bool idle();
    // Starts reading ahead the sub-folders of `frames`, the innermost last:
    // the walk's order once the caller's current folder is written.
    void start(std::deque<AheadFrame> frames, bool attributes, bool attributesByPath);
    // Whether the next folder waiting is an entry of `parent`.
    bool nextBelow(std::uint64_t parent);
    // Drops everything read ahead, waiting for the helper to let go of it.
    void drop();
    // The next folder read ahead when it is entry `index` of `parent`: waits
    // for it, helping with the facts still to do. Null otherwise (having
    // dropped the rest), and when the helper could not open it for want of
    // descriptors: the caller, who holds them, trims and retries.
    std::unique_ptr<ReadAhead> take(std::uint64_t parent, std::size_t index, LocalTimeCache& callerTimes);

private:
    void run();
    bool readNext();

    BackgroundWorker& m_worker;
    const StopToken* m_stop;
    const std::size_t m_mostFolders;
    const std::size_t m_mostFrames;
    LocalTimeCache m_helperTimes;
    // The helper's own, while it runs.
    std::deque<AheadFrame> m_frames;
    bool m_attributes = false;
    bool m_attributesByPath = false;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<ReadAhead>> m_waiting;  // in walk order
    std::size_t m_waitingEntries = 0;
    bool m_running = false;
    bool m_cancel = false;
};

}  // namespace quillory::local_folder
