#include "cli/listing_command.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "cli/exit_status.h"
#include "cli/progress.h"
#include "cli/terminal_prompt.h"
#include "cli/warnings.h"
#include "engine/file_sink.h"
#include "engine/listing.h"
#include "net/smb_auth_file.h"
#include "platform/stop_token.h"

namespace quillory::cli {

namespace {

// The stop token of the run, which a signal raises: it ends the walk and a
// write that is blocked on a stalled pipe alike.
StopToken* g_stop = nullptr;

extern "C" void onInterrupt(int) {
    if (g_stop) g_stop->request();
}

void stopOnSignals(StopToken& stop) {
    g_stop = &stop;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

// A write that Stop ended is a stop, not a failure.
int outputFailed(const FileSink& output) {
    if (output.error() == ECANCELED) {
        std::fputs("quillory-list: stopped\n", stderr);
        return kInterrupted;
    }
    std::fprintf(stderr, "quillory-list: cannot write '%s': %s\n", output.name().c_str(),
                 std::strerror(output.error()));
    return kFailed;
}

}  // namespace

int listFolder(SettingsStore& store, const Arguments& args) {
    for (const std::string& warning : listingWarnings(*store.snapshot()))
        std::fprintf(stderr, "quillory-list: warning: %s\n", warning.c_str());

    // Caught before the temporary file exists, so no interrupt can strand it.
    StopToken stop;
    stopOnSignals(stop);
    // A share is read through a source of its own; its root stays as typed.
    NetworkFolder share;
    if (isSharePath(args.folder)) {
        SmbCredentials credentials;
        std::string problem;
        if (!args.authFile.empty()) {
            std::optional<SmbCredentials> read = readAuthFile(args.authFile, problem);
            if (!read) {
                std::fprintf(stderr, "quillory-list: %s\n", problem.c_str());
                return kUsage;
            }
            credentials = std::move(*read);
        }
        TerminalPasswordPrompt terminal;
        PasswordPrompt* prompt = ::isatty(STDIN_FILENO) == 1 ? &terminal : nullptr;
        Result<NetworkFolder> opened = openShare(args.folder, std::move(credentials), prompt, smbShareAccess(), &stop);
        if (!opened) {
            std::fprintf(stderr, "quillory-list: %s\n", opened.status().message().c_str());
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
        std::fprintf(stderr, "quillory-list: cannot read folder '%s': %s\n", unread.path.c_str(),
                     std::strerror(unread.error));
    if (result.outcome == RunResult::Outcome::OutputFailed) return outputFailed(output);
    if (result.outcome == RunResult::Outcome::Stopped) {
        if (args.output.empty() || args.output == "-")
            std::fputs("quillory-list: stopped\n", stderr);
        else
            std::fprintf(stderr, "quillory-list: stopped; '%s' was left as it was\n", args.output.c_str());
        return kInterrupted;
    }
    if (!output.commit()) return outputFailed(output);
    return result.unreadable.empty() ? kOk : kFailed;
}

}  // namespace quillory::cli
