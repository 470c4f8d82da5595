#include "cli/progress.h"

#include <cstdio>

namespace quillory::cli {

using Clock = std::chrono::steady_clock;

TerminalProgress::TerminalProgress(const RunProgress& progress, bool enabled)
    : m_progress(progress), m_enabled(enabled), m_start(Clock::now()), m_last(m_start) {}

void TerminalProgress::yield() {
    // The clock is read every 256 calls: yields come once per entry and row.
    if (!m_enabled || (++m_calls & 0xFF) != 0) return;
    const auto now = Clock::now();
    if (now - m_last < std::chrono::milliseconds(100)) return;
    m_last = now;
    draw();
}

void TerminalProgress::draw() {
    const double seconds = std::chrono::duration<double>(Clock::now() - m_start).count();
    const auto files = static_cast<long long>(m_progress.files.load());
    const double rate = seconds > 0 ? static_cast<double>(files) / seconds : 0;
    std::fprintf(stderr, "\r%lld folders, %lld files, %.0f files/s ", static_cast<long long>(m_progress.folders.load()),
                 files, rate);
    std::fflush(stderr);
    m_drawn = true;
}

void TerminalProgress::finish() {
    if (!m_drawn) return;
    draw();
    std::fputc('\n', stderr);
}

}  // namespace quillory::cli
