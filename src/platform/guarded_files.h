#pragma once
// Files that no output may be written over: the settings store (and its
// -wal and -shm files) and the event log. The owners register them; the safe
// writer refuses a target that is one of them, under any name (a link, a
// second hard link), by comparing device and inode.
#include <sys/stat.h>

#include <string>

namespace quillory {

// `what` names the file for a message ("the settings store /x/settings.sqlite").
void guardFromOutput(const std::string& path, const std::string& what);

// What the file `target` (as stat() saw it) is, or "" when it is none of the
// guarded files.
std::string guardedFileAt(const struct stat& target);

}  // namespace quillory
