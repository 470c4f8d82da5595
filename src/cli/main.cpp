// quillory-list: the listing engine and the settings store from the command line.
#include <cerrno>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cli/progress.h"
#include "engine/document.h"
#include "engine/file_sink.h"
#include "engine/listing.h"
#include "platform/process_setup.h"
#include "platform/stop_token.h"
#include "settings/key_table.h"
#include "settings/store.h"

namespace quillory::cli {
namespace {

constexpr int kOk = 0;
constexpr int kUsage = 1;
constexpr int kFailed = 2;
constexpr int kInterrupted = 130;

constexpr const char* kHelp =
    "Usage: quillory-list [--csv] [-o FILE] FOLDER\n"
    "       quillory-list --get Section/Key\n"
    "       quillory-list --set Section/Key=Value\n"
    "       quillory-list --list-settings\n"
    "\n"
    "Lists FOLDER as an HTML document (or, with --csv, as comma-separated text)\n"
    "with the options kept in the settings store, the same ones the desktop\n"
    "program uses. The listing goes to FILE, or to standard output; FILE is\n"
    "replaced only when the listing is complete.\n"
    "\n"
    "  --csv              the spreadsheet form instead of HTML\n"
    "  -o, --output FILE  write to FILE (\"-\" is standard output)\n"
    "  --get S/K          print a setting (its default when none is stored)\n"
    "  --set S/K=V        store a setting\n"
    "  --list-settings    print every setting as Section/Key=Value\n"
    "  --help, --version\n"
    "\n"
    "Section and key names are matched without case. The store is the file named\n"
    "by $QUILLORY_SETTINGS, else $XDG_CONFIG_HOME/Tallyfold/settings.sqlite.\n"
    "\n"
    "Exit status: 0 done; 1 usage error; 2 the folder could not be read (the\n"
    "listing is still written) or the output could not be written; 130 stopped.\n";

// The stop token of the run, which a signal raises: it ends the walk and a
// write that is blocked on a stalled pipe alike.
StopToken* g_stop = nullptr;

extern "C" void onInterrupt(int) {
    if (g_stop) g_stop->request();
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

int usageError(const std::string& message) {
    std::fprintf(stderr, "quillory-list: %s (try --help)\n", message.c_str());
    return kUsage;
}

const SettingKey* keyFromPath(std::string_view path) {
    const std::size_t slash = path.find('/');
    if (slash == std::string_view::npos) return nullptr;
    return findKey(path.substr(0, slash), path.substr(slash + 1));
}

int getSetting(SettingsStore& store, std::string_view path) {
    const SettingKey* key = keyFromPath(path);
    if (!key) return usageError("unknown setting '" + std::string(path) + "'");
    const std::string value = store.read(*key);
    std::fwrite(value.data(), 1, value.size(), stdout);
    std::fputc('\n', stdout);
    return kOk;
}

int setSetting(SettingsStore& store, std::string_view assignment) {
    const std::size_t equals = assignment.find('=');
    if (equals == std::string_view::npos) return usageError("--set needs Section/Key=Value");
    const SettingKey* key = keyFromPath(assignment.substr(0, equals));
    if (!key) return usageError("unknown setting '" + std::string(assignment.substr(0, equals)) + "'");
    if (!store.write(*key, assignment.substr(equals + 1))) {
        // The store's own status, printed at the end, usually says why.
        if (storeProblemText(store.status(), store.path()).empty())
            std::fprintf(stderr, "quillory-list: cannot write the settings store %s\n", store.path().c_str());
        return kFailed;
    }
    return kOk;
}

int listSettings(SettingsStore& store) {
    for (const SettingKey* key : kAllKeys) {
        const std::string line =
            std::string(key->section) + "/" + std::string(key->name) + "=" + store.read(*key) + "\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return kOk;
}

int listFolder(SettingsStore& store, const std::string& folder, bool csv, const std::string& outputPath) {
    // Caught before the temporary file exists, so no interrupt can strand it.
    StopToken stop;
    g_stop = &stop;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);

    FileSink output(outputPath, &stop);
    if (!output.ok()) return outputFailed(output);

    RunTotals totals;
    const EventLog log;
    RunProgress progress;
    TerminalProgress terminal(progress, ::isatty(STDERR_FILENO) == 1);
    ListingContext ctx{store, totals, log, stop};
    ctx.observer = &terminal;
    ctx.progress = &progress;
    ctx.ownFile = output.temporaryPath();
    const RunResult result = runListing(ctx, folder, csv ? Format::Csv : Format::Html, output);
    terminal.finish();
    for (const UnreadFolder& unread : result.unreadable)
        std::fprintf(stderr, "quillory-list: cannot read folder '%s': %s\n", unread.path.c_str(),
                     std::strerror(unread.error));
    if (result.outcome == RunResult::Outcome::OutputFailed) return outputFailed(output);
    if (result.outcome == RunResult::Outcome::Stopped) {
        if (outputPath.empty() || outputPath == "-")
            std::fputs("quillory-list: stopped\n", stderr);
        else
            std::fprintf(stderr, "quillory-list: stopped; '%s' was left as it was\n", outputPath.c_str());
        return kInterrupted;
    }
    if (!output.commit()) return outputFailed(output);
    return result.unreadable.empty() ? kOk : kFailed;
}

int run(int argc, char** argv) {
    bool csv = false;
    std::string output, folder, get, set;
    bool hasFolder = false, hasGet = false, hasSet = false, list = false;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) return false;
            into = std::string(args[++i]);
            return true;
        };
        if (a == "--help" || a == "-h") {
            std::fputs(kHelp, stdout);
            return kOk;
        } else if (a == "--version") {
            std::printf("quillory-list %s\n", QUILLORY_VERSION);
            return kOk;
        } else if (a == "--csv") {
            csv = true;
        } else if (a == "-o" || a == "--output") {
            if (!value(output) || output.empty()) return usageError(std::string(a) + " needs a file name");
        } else if (a == "--get") {
            if (!value(get)) return usageError("--get needs Section/Key");
            hasGet = true;
        } else if (a == "--set") {
            if (!value(set)) return usageError("--set needs Section/Key=Value");
            hasSet = true;
        } else if (a == "--list-settings") {
            list = true;
        } else if (a == "--") {
            if (i + 1 != args.size() - 1 || hasFolder) return usageError("one folder expected");
            folder = std::string(args[++i]);
            hasFolder = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError("unknown option '" + std::string(a) + "'");
        } else {
            if (hasFolder) return usageError("one folder expected");
            folder = std::string(a);
            hasFolder = true;
        }
    }
    const int commands = hasGet + hasSet + list + hasFolder;
    if (commands == 0) return usageError("no folder given");
    if (commands > 1) return usageError("give one of FOLDER, --get, --set, --list-settings");
    if ((csv || !output.empty()) && !hasFolder) return usageError("--csv and -o go with a folder");
    if (hasFolder && folder.empty()) return usageError("the folder is empty");

    SettingsStore store;
    const int status = hasGet  ? getSetting(store, get)
                       : hasSet ? setSetting(store, set)
                       : list   ? listSettings(store)
                                : listFolder(store, folder, csv, output);
    if (const std::string problem = storeProblemText(store.status(), store.path()); !problem.empty())
        std::fprintf(stderr, "quillory-list: %s\n", problem.c_str());
    return status;
}

}  // namespace
}  // namespace quillory::cli

int main(int argc, char** argv) {
    quillory::prepareProcess();
    return quillory::cli::run(argc, argv);
}
