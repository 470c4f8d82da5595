#pragma once
// Where the program's own files go.
#include <string>

namespace quillory {

// The folder of the running executable, ending in the separator ("/" stays "/").
std::string getAppPath();

// The folder for the scratch file and the log: getAppPath() when that folder is
// writable, else $XDG_STATE_HOME/Tallyfold/ (default ~/.local/state/Tallyfold/),
// created when missing. Ends in the separator. Everything asks this one function.
std::string programFilesFolder();
// The same choice for a given program folder (ending in the separator).
std::string programFilesFolderFor(const std::string& appFolder);

std::string scratchFilePath();  // programFilesFolder() + "myTmpFile.htm"
std::string logFilePath();      // programFilesFolder() + "log.txt"

}  // namespace quillory
