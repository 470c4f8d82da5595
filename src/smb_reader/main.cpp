// quillory-smb-reader: reads share folders for quillory and quillory-list,
// one connection per process, so that several folders are read at once
// (libsmbclient has no thread support). Started by them with a socket as
// standard input and output; the login comes through it, never through the
// command line or the environment.
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>

#include "net/reader_service.h"

int main() {
    // Keeps the password out of core dumps and other users' reach. The
    // reader ends when the program that started it closes the socket (or
    // dies): its next read sees the end.
    ::prctl(PR_SET_DUMPABLE, 0);
    std::signal(SIGPIPE, SIG_IGN);
    // A Ctrl-C at the terminal is for the program that started us: it ends
    // the readers itself, and a reader dying first would cost a folder.
    std::signal(SIGINT, SIG_IGN);
    return quillory::smb::serveFolderReads(STDIN_FILENO, STDOUT_FILENO);
}
