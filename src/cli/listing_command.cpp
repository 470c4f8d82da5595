#include "cli/listing_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>

#include "cli/exit_status.h"
#include "cli/progress.h"
#include "cli/shown_name.h"
#include "cli/terminal_prompt.h"
#include "cli/warnings.h"
#include "engine/file_sink.h"
#include "engine/listing.h"
#include "net/smb_auth_file.h"
#include "platform/secret_guard.h"
#include "platform/stop_token.h"

namespace quillory::cli {

namespace {

// The stop token of the run, which a signal raises: it ends the walk and a
// write that is blocked on a stalled pipe alike.
StopToken* g_stop = nullptr;
// The temporary file of the output, removed when a second signal ends the
// process at once.
std::atomic<const char*> g_temporary{nullptr};

// Only async-signal-safe calls: the first signal raises the stop token and
// nothing else; a second one (the user insists, or a call that does not see
// the token is blocked) ends the process at once, as the signal would have.
extern "C" void onInterrupt(int signal) {
    if (g_stop && !g_stop->requested()) {
        g_stop->request();
        return;
    }
    if (const char* temporary = g_temporary.load()) ::unlink(temporary);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

void stopOnSignals(StopToken& stop) {
    g_stop = &stop;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

// Names the output's temporary file to the signal handler while it exists.
struct TemporaryForSignals {
    explicit TemporaryForSignals(const std::string& path) {
        if (!path.empty()) g_temporary = path.c_str();
    }
    ~TemporaryForSignals() { g_temporary = nullptr; }
};

// A write that Stop ended is a stop, not a failure.
int outputFailed(const FileSink& output) {
    if (output.error() == ECANCELED) {
        std::fputs("quillory-list: stopped\n", stderr);
        return kInterrupted;
    }
    std::fprintf(stderr, "quillory-list: cannot write '%s': %s\n", shownName(output.name()).c_str(),
                 output.status().message().c_str());
    return kFailed;
}

// As ssh does for a key: a password file that others may read is used, but
// not without a word.
void warnAboutOpenAuthFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || (st.st_mode & (S_IRGRP | S_IROTH)) == 0) return;
    std::fprintf(stderr,
                 "quillory-list: warning: '%s' can be read by group or others (mode %04o); "
                 "keep it private: chmod 600 '%s'\n",
                 shownName(path).c_str(), static_cast<unsigned>(st.st_mode & 07777), shownName(path).c_str());
}

}  // namespace

int listFolder(SettingsStore& store, const Arguments& args) {
    for (const std::string& warning : listingWarnings(*store.snapshot()))
        std::fprintf(stderr, "quillory-list: warning: %s\n", warning.c_str());

    // Caught before the temporary file exists, so no interrupt can strand it.
    StopToken stop;
    stopOnSignals(stop);
    // A password may be in memory from the share's login to the end of the run.
    std::optional<SecretGuard> secrets;
    // A share is read through a source of its own; its root stays as typed.
    NetworkFolder share;
    if (isSharePath(args.folder)) {
        secrets.emplace();
        SmbCredentials credentials;
        if (!args.authFile.empty()) {
            warnAboutOpenAuthFile(args.authFile);
            std::string problem;
            std::optional<SmbCredentials> read = readAuthFile(args.authFile, problem);
            if (!read) {
                std::fprintf(stderr, "quillory-list: %s\n", shownName(problem).c_str());
                return kUsage;
            }
            credentials = std::move(*read);
        }
        TerminalPasswordPrompt terminal;
        PasswordPrompt* prompt = ::isatty(STDIN_FILENO) == 1 ? &terminal : nullptr;
        Result<NetworkFolder> opened = openShare(args.folder, std::move(credentials), prompt, smbShareAccess(), &stop);
        if (!opened) {
            std::fprintf(stderr, "quillory-list: %s\n", shownName(opened.status().message()).c_str());
            return kUsage;
        }
        share = std::move(*opened);
    } else if (!args.authFile.empty()) {
        std::fputs("quillory-list: --auth-file goes with a share\n", stderr);
        return kUsage;
    }
    const std::string& base = share.source ? share.path : args.folder;
    FileSink output(args.output, &stop);
    if (!output.ok()) return outputFailed(output);
    const TemporaryForSignals temporary(output.temporaryPath());

    RunTotals totals;
    const EventLog log;
    RunProgress progress;
    TerminalProgress terminal(progress, ::isatty(STDERR_FILENO) == 1);
    ListingContext ctx{store, totals, log, stop};
    ctx.observer = &terminal;
    ctx.progress = &progress;
    ctx.escapeText = args.escape;
    ctx.ownFile = output.temporaryPath();
    ctx.source = share.source.get();
    const RunResult result = runListing(ctx, base, args.csv ? Format::Csv : Format::Html, output);
    terminal.finish();
    for (const UnreadFolder& unread : result.unreadable)
        std::fprintf(stderr, "quillory-list: cannot read folder '%s': %s\n", shownName(unread.path).c_str(),
                     std::strerror(unread.error));
    if (result.outcome == RunResult::Outcome::OutputFailed) return outputFailed(output);
    if (result.outcome == RunResult::Outcome::Stopped) {
        if (args.output.empty() || args.output == "-")
            std::fputs("quillory-list: stopped\n", stderr);
        else
            std::fprintf(stderr, "quillory-list: stopped; '%s' was left as it was\n", shownName(args.output).c_str());
        return kInterrupted;
    }
    if (!output.commit().isOk()) return outputFailed(output);
    return result.unreadable.empty() ? kOk : kFailed;
}

}  // namespace quillory::cli
