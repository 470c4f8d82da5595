#pragma once
// One share reader process (quillory-smb-reader), started with posix_spawn
// and talked to through a socket pair: the reader's end is its standard
// input and output; ours is close-on-exec, so no other child inherits it.
// The process is killed and reaped when this object goes.
#include <sys/types.h>

#include <memory>
#include <string>

namespace quillory::smb {

// The reader program: beside the running executable first, then in the
// installed libexec folder; empty when neither is there.
std::string readerProgram();

class ReaderProcess {
public:
    // Null, with `error` set, when the process cannot be started.
    static std::unique_ptr<ReaderProcess> spawn(const std::string& program, int& error);
    ~ReaderProcess();
    ReaderProcess(const ReaderProcess&) = delete;
    ReaderProcess& operator=(const ReaderProcess&) = delete;

    pid_t pid() const { return m_pid; }
    int socket() const { return m_socket; }
    // Sends all of `data`; 0 or an errno value (a dead reader gives EPIPE,
    // never a SIGPIPE).
    int send(const std::string& data) const;
    // Ends the process at once; the socket then reads as closed.
    void kill();

private:
    ReaderProcess(pid_t pid, int socket) : m_pid(pid), m_socket(socket) {}

    pid_t m_pid;
    int m_socket;
    bool m_reaped = false;
};

}  // namespace quillory::smb
