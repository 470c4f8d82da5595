#pragma once
// The one run state shared by the window and the engine.
#include <atomic>
#include <cstdint>
#include <string>

namespace quillory {

struct RunTotals {
    // Wider than the 32 bits a count once had: a count must never wrap.
    std::int64_t TotalFiles = 0;
    std::int64_t TotalBytes = 0;
    double TotalFolders = 0;  // folders whose output was written
    std::string BasePath;     // the run's base folder as the run passed it
    // Set by Stop (from any thread, or a signal handler); the walk reads it.
    std::atomic<bool> StopRequested{false};
};

void resetTotals(RunTotals& totals);

}  // namespace quillory
