#pragma once
// Progress on standard error while a listing runs: folders, files and files
// per second, redrawn at most every 100 ms, and only on a terminal.
#include <chrono>
#include <string>

#include "engine/listing.h"

namespace quillory::cli {

class TerminalProgress final : public WalkObserver {
public:
    TerminalProgress(const RunProgress& progress, bool enabled);
    void yield() override;
    void finish();

private:
    void draw();
    const RunProgress& m_progress;
    bool m_enabled;
    bool m_drawn = false;
    unsigned m_calls = 0;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_last;
};

}  // namespace quillory::cli
