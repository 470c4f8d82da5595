#include "engine/run_totals.h"

namespace quillory {

void resetTotals(RunTotals& totals) {
    totals.TotalFolders = 0;
    totals.TotalBytes = 0;
    totals.TotalFiles = 0;
    totals.BasePath.clear();
    totals.MarkupNames = 0;
}

}  // namespace quillory
