#include "platform/background_worker.h"

namespace quillory {

BackgroundWorker::BackgroundWorker() : m_thread([this] { loop(); }) {}

BackgroundWorker::~BackgroundWorker() {
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void BackgroundWorker::start(std::function<void()> task) {
    {
        std::lock_guard lock(m_mutex);
        m_task = std::move(task);
        m_busy = true;
    }
    m_changed.notify_all();
}

void BackgroundWorker::wait() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_busy; });
}

void BackgroundWorker::loop() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_quit || m_busy; });
        if (m_quit) return;
        auto task = std::move(m_task);
        lock.unlock();
        task();
        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}

}  // namespace quillory
