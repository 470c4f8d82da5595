#pragma once
// Folders of one share read by a small pool of reader processes, ahead of
// the walk. The walk asks for folders one at a time, depth first; the pool
// keeps the folders it knows of but has not handed out in that same order
// (a folder's sub-folders go right after it as soon as it is read, long
// before the walk gets there) and keeps its readers busy on the first of
// them that are not read yet, so the tree is discovered as fast as the
// readers go and their round trips to the server overlap, while the walk
// sees exactly what one reader would give. What is read ahead is bounded
// by the memory its answers take, not by a count of folders.
//
// One reader starts with the first request; the others only once that one
// has logged in and read a second folder, so a refused password costs one
// attempt and the time of that read tells how many readers the link wants. A stop request,
// seen within kPollMilliseconds, kills every reader: a read in progress ends
// then, also when the server has stopped answering. A reader that dies
// leaves its folder unreadable (EIO); the others carry on, and a new one
// takes its place when there is work for it.
#include <chrono>
#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "net/reader_process.h"
#include "net/smb_client.h"
#include "net/smb_share.h"

namespace quillory {
class StopToken;
}

namespace quillory::smb {

inline constexpr int kPollMilliseconds = 40;
// Bytes of answers read ahead and not yet asked for, past which no reader
// starts on a folder the walk is not waiting for: about 100,000 files, and
// the readers stay busy near the walk while the run keeps under 50 MB.
inline constexpr std::size_t kReadAheadBytes = std::size_t{8} << 20;

class ReaderPool {
public:
    // `readers` 0: as many as the link calls for (two when a folder read is
    // quick, more the slower round trips make it, up to kMaxReaders).
    ReaderPool(std::string program, const ShareLocation& where, const SmbCredentials& credentials,
               const StopToken* stop, int readers);
    ~ReaderPool();
    ReaderPool(const ReaderPool&) = delete;
    ReaderPool& operator=(const ReaderPool&) = delete;

    // The folder at `where` (below the pool's share), read now or taken from
    // what was read ahead.
    Directory take(const ShareLocation& where);
    // The walk is done with the folder at `subPath`: what was read ahead
    // below it will not be asked for.
    void leave(const std::string& subPath);

    // The reader processes running now (for tests).
    std::vector<pid_t> readerIds() const;

    static constexpr int kMaxReaders = 16;

private:
    struct Job {
        ShareLocation where;
        enum class State { Waiting, Running, Done } state = State::Waiting;
        bool dropped = false;  // no longer in the queue
        Directory result;
        std::size_t bytes = 0;  // the memory `result` holds, once Done
    };
    using JobPtr = std::shared_ptr<Job>;
    struct Reader {
        std::unique_ptr<ReaderProcess> process;
        std::string buffer;
        JobPtr job;
        std::chrono::steady_clock::time_point sent;
    };

    JobPtr enqueue(const ShareLocation& where);
    void dispatch();
    bool startReader();
    bool send(Reader& reader, const JobPtr& job);
    // Takes the answers in, waiting at most `timeoutMs` for the first; false
    // once stopped.
    bool pump(int timeoutMs);
    void receive(Reader& reader);
    void finish(Reader& reader, Directory result);
    void readAheadBelow(const JobPtr& job);
    void fail(int error);
    bool stopRequested() const;

    std::string m_program;
    ShareLocation m_root;
    std::string m_login;  // the login frame, wiped when the pool goes
    const StopToken* m_stop;
    int m_wantedReaders;
    int m_answers = 0;  // good answers, counted up to the one that sizes the pool
    int m_spawnError = 0;
    int m_target = 1;  // readers wanted
    int m_failed = 0;  // every read fails with this after a stop
    std::size_t m_buffered = 0;  // bytes of the answers read and still queued
    JobPtr m_wanted;
    std::list<JobPtr> m_queue;  // depth-first order
    std::unordered_map<std::string, std::list<JobPtr>::iterator> m_bySubPath;
    std::vector<Reader> m_readers;
};

}  // namespace quillory::smb
