#include "cli/progress.h"

#include <cstdio>

namespace quillory::cli {

using Clock = std::chrono::steady_clock;

TerminalProgress::TerminalProgress(const RunTotals& totals, bool enabled)
    : m_totals(totals), m_enabled(enabled), m_start(Clock::now()), m_last(m_start) {}

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
    const double rate = seconds > 0 ? static_cast<double>(m_totals.TotalFiles) / seconds : 0;
    std::fprintf(stderr, "\r%.0f folders, %lld files, %.0f files/s ", m_totals.TotalFolders,
                 static_cast<long long>(m_totals.TotalFiles), rate);
    std::fflush(stderr);
    m_drawn = true;
}

void TerminalProgress::finish() {
    if (!m_drawn) return;
    draw();
    std::fputc('\n', stderr);
}

}  // namespace quillory::cli
