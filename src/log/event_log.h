#pragma once
// The optional trace file log.txt: off at start; switched on, it is started
// afresh with a date line and a settings summary; runs add lines while it is on.
// Every line is opened, appended with CRLF and closed, so that it is on disk
// even if the program ends abruptly. Errors are ignored: logging never stops a run.
//
// Files: event_log.cpp alone; it reads the settings (settings/) for the
// summary and formats dates with text/.
#include <string>
#include <string_view>

namespace quillory {

class SettingsStore;

struct EventLog {
    bool LoggingOn = false;
    std::string path;  // the log file; logFilePath() in the programs
};

void startLog(const EventLog& log);
void writeLog(const EventLog& log, std::string_view line);
void logSettings(const EventLog& log, SettingsStore& store);

// Keeps every output of this process off the log file, in either place the
// program's folder choice may put it (beside the program, or the state folder).
void guardEventLogs();

}  // namespace quillory
