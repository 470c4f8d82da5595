#pragma once
// A stop request that any thread, or a signal handler, may raise. The walk,
// the stat helpers of a folder source and a write that is blocked on a pipe
// all look at the same token, so Stop ends a run wherever it is.
#include <atomic>

namespace quillory {

class StopToken {
public:
    // Lock-free, so a signal handler may call it.
    void request() noexcept { m_requested.store(true, std::memory_order_relaxed); }
    bool requested() const noexcept { return m_requested.load(std::memory_order_relaxed); }
    void reset() noexcept { m_requested.store(false, std::memory_order_relaxed); }

private:
    std::atomic<bool> m_requested{false};
    static_assert(std::atomic<bool>::is_always_lock_free);
};

}  // namespace quillory
