#pragma once
// The run state shared by the window and the engine.
#include <cstdint>
#include <string>

namespace quillory {

struct RunTotals {
    // 64 bits: a count must never wrap.
    std::int64_t TotalFiles = 0;
    std::int64_t TotalBytes = 0;
    double TotalFolders = 0;  // folders whose output was written
    std::string BasePath;     // the run's base folder as the run passed it
    // Names and folder headings that hold "<" and went in unescaped: a
    // browser may take them for markup and hide the rows after them.
    std::int64_t MarkupNames = 0;
};

void resetTotals(RunTotals& totals);

}  // namespace quillory
