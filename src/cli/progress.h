#pragma once
// Progress on standard error while a listing runs: folders, files and files
// per second, redrawn at most every 100 ms, and only on a terminal.
#include <chrono>
#include <string>

#include "engine/listing.h"

namespace quillory::cli {

class TerminalProgress final : public WalkObserver {
public:
    TerminalProgress(const RunTotals& totals, bool enabled);
    void yield() override;
    void finish();

private:
    void draw();
    const RunTotals& m_totals;
    bool m_enabled;
    bool m_drawn = false;
    unsigned m_calls = 0;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_last;
};

}  // namespace quillory::cli
