#pragma once
// The one way the programs write a whole file: the command's output, the
// scratch file's rewrite and the saved listings.
//
// An existing file is replaced only when the process may write it (as a
// shell redirection would ask), and never when it is one of the program's own
// guarded files (guarded_files.h). Until commit(), and after any failure, the
// old file stays exactly as it was, and a writer destroyed without a commit
// leaves nothing behind.
//
// A regular file (or a name where nothing is yet) is written through a
// temporary file. When the temporary file can take the old file's owner,
// group and every mode bit (set-user-ID, set-group-ID and sticky included)
// and the old file has no other hard link, commit() renames it over the
// target. Otherwise (a file of another owner that we may write, a group we
// are not in, several links, a folder we may not write) the old file is
// kept and commit() copies the finished text into it, so its owner, mode and
// links stay. A symbolic link is followed to its final target; links stay
// links.
//
// A device, FIFO or socket, and /dev/stdout or another descriptor the process
// already holds, cannot be replaced and is written directly.
//
// The first failure is kept; nothing is written after it. Errors are values:
// nothing here throws.
#include <sys/stat.h>

#include <string>
#include <string_view>

#include "platform/status.h"

namespace quillory {

class StopToken;

class SafeFileWriter {
public:
    // Opens the target at once; status() tells whether that worked. A `stop`
    // token ends a write or an open that is blocked (a FIFO without a reader,
    // a stalled pipe) with ECANCELED.
    explicit SafeFileWriter(std::string path, const StopToken* stop = nullptr);
    // Writes to a descriptor this process holds, such as standard output; it
    // is not closed. `name` is for messages.
    SafeFileWriter(int fd, std::string name, const StopToken* stop = nullptr);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Buffered; false once anything failed.
    bool append(std::string_view text);
    // Writes what is buffered and puts the text in place. On failure the old
    // file is as it was. Call once.
    Status commit();

    bool ok() const { return m_status.isOk(); }
    // The first failure: the call's errno and the system's text for it, or
    // kInvalid with the reason a target was refused.
    const Status& status() const { return m_status; }
    // The temporary file being written under a name ("" when there is none),
    // so that a listing of its own folder can leave it out.
    const std::string& temporaryPath() const { return m_temp; }

private:
    void openReplacement(const std::string& target);
    bool openTemporary(const std::string& target);
    void keepIfPossible(const struct stat& old);
    void openDirect(const std::string& target);
    void openSocket(const std::string& target);
    bool flush();
    void fail(int code);
    void refuse(const std::string& why);
    void closeDescriptor();
    Status renameIntoPlace();
    Status copyIntoPlace();

    std::string m_path;    // as given
    std::string m_target;  // the file a commit replaces, when there is a temporary file
    std::string m_temp;    // the temporary file's name, until it is renamed or removed
    const StopToken* m_stop = nullptr;
    int m_fd = -1;
    bool m_ownsFd = true;
    int m_keptFd = -1;  // the old file, opened for writing, when the text is copied into it
    Status m_status;
    std::string m_buffer;
};

// Replaces the file at `path` (through its links) with `text`, as above.
Status writeFileAtomically(const std::string& path, std::string_view text);

}  // namespace quillory
