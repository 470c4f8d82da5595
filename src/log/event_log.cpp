#include "log/event_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "platform/app_name.h"
#include "platform/app_paths.h"
#include "platform/guarded_files.h"
#include "platform/user_dirs.h"
#include "text/regional.h"
#include "settings/store.h"
#include "settings/values.h"

namespace quillory {

namespace {

constexpr std::string_view kRule = "******************************";

// One open, append and close per line, so that each line is on disk even if
// the program ends abruptly. Failures lose the line and nothing else.
void appendLine(const std::string& path, std::string_view line) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return;
    std::string bytes(line);
    bytes += "\r\n";
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

// The stored text's leading number in shortest form; 0 when there is none.
std::string asNumber(const std::string& stored) { return numberText(leadingNumber(stored)); }

}  // namespace

void startLog(const EventLog& log) {
    if (!log.LoggingOn) return;
    // unlink, not remove: a folder that happens to bear the name is not the log.
    ::unlink(log.path.c_str());
    appendLine(log.path, generalDateText(nowDateTime()));
}

void writeLog(const EventLog& log, std::string_view line) {
    if (log.LoggingOn) appendLine(log.path, line);
}

void logSettings(const EventLog& log, SettingsStore& store) {
    if (!log.LoggingOn) return;
    const auto line = [&log](std::string_view label, const std::string& value = {}) {
        writeLog(log, std::string(label) + value);
    };
    line(kRule);
    line("SETTINGS");
    line(kRule);
    line("FILTERS");
    line("File include: ", store.read(keys::FileInclude));
    line("File exclue: ", store.read(keys::FileExclude));
    line("Fol include: ", store.read(keys::FolInclude));
    line("Fol exclued: ", store.read(keys::FolExclude));
    line("File Time Filter: ", asNumber(store.read(keys::FileTime)));
    line("File From: ", store.read(keys::FileTimeFrom));
    line("File To: ", store.read(keys::FileTimeTo));
    line("File Size Filter: ", asNumber(store.read(keys::FileSize)));
    line("File Size From: ", store.read(keys::FileSizeFrom));
    line("File Size To: ", store.read(keys::FileSizeTo));
    line("FOLDER PATTERNS");
    // Read with no default, as the settings dialog does; nothing stored reads as 0.
    line("Ignore no files: ", asNumber(store.read(keys::IgnoreNoFiles, "")));
    line("ORDERING");
    line("No order: ", asNumber(store.read(keys::NoOrder)));
    line("Name order: ", asNumber(store.read(keys::NameOrder)));
    line("Ext Order: ", asNumber(store.read(keys::ExtOrder)));
    line("Size order: ", asNumber(store.read(keys::SizeOrder)));
    line("Type order: ", asNumber(store.read(keys::TypeOrder)));
    line("Date order: ", asNumber(store.read(keys::DateOrder)));
    line("RECURSION");
    line("Recursion: ", store.read(keys::Recurse));
    line("Recursion Depth: ", store.read(keys::RecurseDepth));
    line("File size output: ", store.read(keys::DisplayFileSize));
    line(kRule);
    line(kRule);
}

void guardEventLogs() {
    // Both places, named without creating the state folder.
    const std::string state = xdgFolder("XDG_STATE_HOME", ".local/state") + "/" + std::string(kAppName) + "/";
    for (const std::string& folder : {getAppPath(), state})
        guardFromOutput(folder + "log.txt", "the event log " + folder + "log.txt");
}

}  // namespace quillory
