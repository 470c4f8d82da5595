#include "cli/warnings.h"

#include "settings/values.h"

namespace quillory::cli {

std::vector<std::string> listingWarnings(const SettingsSnapshot& values) {
    std::vector<std::string> lines;
    // The time filter is on only for exactly "1"; a bound that is not stored
    // is the moment of the run.
    if (values.value(keys::FileTime) == "1") {
        const bool from = values.stored(keys::FileTimeFrom);
        const bool to = values.stored(keys::FileTimeTo);
        if (!from && !to)
            lines.push_back("Filter/FileTime is on with neither FileTimeFrom nor FileTimeTo set: "
                            "only files changed in the current second are listed");
        else if (!from)
            lines.push_back("Filter/FileTime is on with FileTimeFrom not set: it is the current time, "
                            "so files changed before it are not listed");
    }
    if (flagOn(values.value(keys::FileSize))) {
        const std::string& from = values.value(keys::FileSizeFrom);
        const std::string& to = values.value(keys::FileSizeTo);
        if (from.empty() || to.empty())
            lines.push_back("Filter/FileSize is on with FileSizeFrom or FileSizeTo empty: sizes are not filtered");
        else if (leadingNumber(to) == 0)
            lines.push_back("Filter/FileSize is on with FileSizeTo 0: only empty files are listed");
    }
    if (values.value(keys::FileInclude).empty())
        lines.push_back("Filter/FileInclude is empty: no file is listed (\"*\" lists all)");
    if (values.value(keys::FolInclude).empty())
        lines.push_back("Filter/FolInclude is empty: no folder is listed (\"*\" lists all)");
    return lines;
}

}  // namespace quillory::cli
