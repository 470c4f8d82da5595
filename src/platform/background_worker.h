#pragma once
// One helper thread that runs a task while the caller does its own share of
// the same work: the caller hands over a task, works, then waits for it.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace quillory {

class BackgroundWorker {
public:
    BackgroundWorker();
    ~BackgroundWorker();
    BackgroundWorker(const BackgroundWorker&) = delete;
    BackgroundWorker& operator=(const BackgroundWorker&) = delete;

    // Starts `task` on the helper thread; one task at a time.
    void start(std::function<void()> task);
    // Waits until the task has finished.
    void wait();

private:
    void loop();
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::function<void()> m_task;
    bool m_busy = false;
    bool m_quit = false;
    std::thread m_thread;
};

}  // namespace quillory
