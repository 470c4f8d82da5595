#pragma once
// The one way the programs write a whole file: the command's output, the
// scratch file's rewrite and the saved listings.
//
// A regular file (or a name where nothing is yet) is never written in place:
// the text goes to a temporary file created beside it, which is synced, given
// the old file's permission bits (and owner and group, where the process may
// set them) and renamed over the target by commit(). Until then, and after
// any failure, the old file stays exactly as it was, and a writer destroyed
// without a commit removes its temporary file. A symbolic link is followed to
// its final target, which is the file replaced; the links stay links. (A
// file with other hard links is replaced under this name only.)
//
// A device, FIFO or socket, and /dev/stdout or another descriptor the process
// already holds, cannot be replaced and is written directly.
//
// The first failure is kept; nothing is written after it. Errors are values:
// nothing here throws.
#include <string>
#include <string_view>

namespace quillory {

class StopToken;

struct FileError {
    int code = 0;      // errno; ECANCELED when a stop request ended a blocked write
    std::string path;  // the path the writer was given
};

// "path: reason", for a message.
std::string describe(const FileError& error);

class SafeFileWriter {
public:
    // Opens the target at once; error() tells whether that worked. A `stop`
    // token ends a write or an open that is blocked (a FIFO without a reader,
    // a stalled pipe).
    explicit SafeFileWriter(std::string path, const StopToken* stop = nullptr);
    // Writes to a descriptor this process holds, such as standard output; it
    // is not closed. `name` is for messages.
    SafeFileWriter(int fd, std::string name, const StopToken* stop = nullptr);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Buffered; false once anything failed.
    bool append(std::string_view text);
    // Writes what is buffered and puts the text in place: for a replaced
    // file, data synced, then renamed over the target. False on any failure,
    // the old file then untouched. Call once.
    bool commit();

    bool ok() const { return m_error.code == 0; }
    const FileError& error() const { return m_error; }
    // The temporary file being written ("" when the target is written
    // directly), so that a listing of its own folder can leave it out.
    const std::string& temporaryPath() const { return m_temp; }

private:
    void openReplacement(const std::string& target);
    void openDirect(const std::string& target);
    void openSocket(const std::string& target);
    bool flush();
    void fail(int code);
    void closeDescriptor();

    std::string m_path;    // as given
    std::string m_target;  // the file a commit replaces, when there is a temporary file
    std::string m_temp;    // the temporary file, until it is renamed or removed
    const StopToken* m_stop = nullptr;
    int m_fd = -1;
    bool m_ownsFd = true;
    FileError m_error;
    std::string m_buffer;
};

// Replaces the file at `path` (through its links) with `text`, as above.
// 0 or the errno of the failure.
int writeFileAtomically(const std::string& path, std::string_view text);

}  // namespace quillory
