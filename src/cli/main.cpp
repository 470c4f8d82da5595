// quillory-list: the listing engine and the settings store from the command line.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/exit_status.h"
#include "cli/help_text.h"
#include "cli/listing_command.h"
#include "cli/settings_commands.h"
#include "cli/settings_listing.h"
#include "cli/shown_name.h"
#include "cli/standard_output.h"
#include "log/event_log.h"
#include "platform/process_setup.h"
#include "settings/store.h"

namespace quillory::cli {
namespace {

int runCommand(SettingsStore& store, const Arguments& args) {
    StandardOutput out;
    switch (args.command) {
        case Command::Help:
        case Command::Version: break;
        case Command::Get: return out.finish(getSetting(store, *args.key, out));
        case Command::ListSettings: return out.finish(listSettings(store, args.defaults, out));
        case Command::Set: return setSetting(store, args.assignment, args.force);
        case Command::Reset: return resetSetting(store, *args.key);
        case Command::ResetAll: return resetAllSettings(store, args.yes);
        case Command::List: return listFolder(store, args);
    }
    return kUsage;
}

int run(int argc, char** argv) {
    const std::vector<std::string_view> words(argv + 1, argv + argc);
    const ParsedArguments parsed = parseArguments(words);
    if (!parsed.ok) {
        std::fprintf(stderr, "quillory-list: %s (try --help)\n", parsed.problem.c_str());
        return kUsage;
    }
    const Arguments& args = parsed.args;
    if (args.command == Command::Help || args.command == Command::Version) {
        StandardOutput out;
        out.write(args.command == Command::Help ? kHelpText : "quillory-list " QUILLORY_VERSION "\n");
        return out.finish(kOk);
    }
    guardEventLogs();
    SettingsStore store;
    if (!applyOverrides(store, args.overrides, args.force)) return kUsage;
    const int status = runCommand(store, args);
    // A change that failed has said why already.
    const bool changes = args.command == Command::Set || args.command == Command::Reset ||
                         args.command == Command::ResetAll;
    if (changes && status == kFailed) return status;
    if (const std::string problem = storeProblemText(store.status(), store.path()); !problem.empty())
        std::fprintf(stderr, "quillory-list: %s\n", shownName(problem).c_str());
    return status;
}

}  // namespace
}  // namespace quillory::cli

int main(int argc, char** argv) {
    quillory::prepareProcess();
    return quillory::cli::run(argc, argv);
}
