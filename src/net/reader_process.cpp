#include "net/reader_process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/app_paths.h"

extern char** environ;

namespace quillory::smb {

namespace {

constexpr const char* kProgramName = "quillory-smb-reader";

bool executable(const std::string& path) { return ::access(path.c_str(), X_OK) == 0; }

}  // namespace

std::string readerProgram() {
    const std::string here = getAppPath();
    for (const std::string& candidate :
         {here + kProgramName, here + "../libexec/quillory/" + kProgramName,
          std::string(QUILLORY_LIBEXEC_DIR "/") + kProgramName})
        if (executable(candidate)) return candidate;
    return {};
}

std::unique_ptr<ReaderProcess> ReaderProcess::spawn(const std::string& program, int& error) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        error = errno;
        return nullptr;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // dup2 clears close-on-exec on the copies; the originals close at exec.
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    // The reader starts with every signal unblocked and at its default, whatever
    // the thread that starts it has set up.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGTERM);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    error = ::posix_spawn(&pid, program.c_str(), &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (error != 0) {
        ::close(ends[0]);
        return nullptr;
    }
    return std::unique_ptr<ReaderProcess>(new ReaderProcess(pid, ends[0]));
}

ReaderProcess::~ReaderProcess() {
    kill();
    ::close(m_socket);
}

int ReaderProcess::send(const std::string& data) const {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::send(m_socket, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

void ReaderProcess::kill() {
    if (m_reaped) return;
    ::kill(m_pid, SIGKILL);
    while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    m_reaped = true;
}

}  // namespace quillory::smb
