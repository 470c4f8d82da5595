#include "cli/arguments.h"

#include <optional>

namespace quillory::cli {

namespace {

ParsedArguments refused(std::string problem) { return {false, {}, std::move(problem)}; }

ParsedArguments only(Command command) {
    ParsedArguments parsed{true, {}, {}};
    parsed.args.command = command;
    return parsed;
}

std::optional<Assignment> assignmentFrom(std::string_view text, std::string& problem) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        problem = "expected Section/Key=Value, not '" + std::string(text) + "'";
        return std::nullopt;
    }
    const SettingKey* key = keyFromPath(text.substr(0, equals));
    if (!key) {
        problem = "unknown setting '" + std::string(text.substr(0, equals)) + "'";
        return std::nullopt;
    }
    return Assignment{key, std::string(text.substr(equals + 1))};
}

// What each command allows beside it; an option given with another command
// would be silently ignored, so it is refused instead.
std::string misplacedOption(const Arguments& a, bool hasOutput) {
    const bool list = a.command == Command::List;
    if (!list && (a.csv || hasOutput || a.escape)) return "--csv, -o and --escape go with a folder";
    if (!a.authFile.empty() && !list) return "--auth-file goes with a share";
    if (!a.overrides.empty() && !list && a.command != Command::Get && a.command != Command::ListSettings)
        return "-D goes with a folder, --get or --list-settings";
    if (a.force && a.command != Command::Set && a.overrides.empty()) return "--force goes with --set or -D";
    if (a.yes && a.command != Command::ResetAll) return "--yes goes with --reset-all";
    if (a.defaults && a.command != Command::ListSettings) return "--defaults goes with --list-settings";
    return {};
}

}  // namespace

const SettingKey* keyFromPath(std::string_view path) {
    const std::size_t slash = path.find('/');
    if (slash == std::string_view::npos) return nullptr;
    return findKey(path.substr(0, slash), path.substr(slash + 1));
}

ParsedArguments parseArguments(std::span<const std::string_view> args) {
    Arguments a;
    int commands = 0;
    bool hasOutput = false;
    std::string problem;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const auto next = [&]() -> std::optional<std::string_view> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        const auto command = [&](Command c) {
            a.command = c;
            ++commands;
        };
        const auto settingPath = [&](std::string_view option) -> bool {
            const auto path = next();
            if (!path) {
                problem = std::string(option) + " needs Section/Key";
                return false;
            }
            a.key = keyFromPath(*path);
            if (!a.key) problem = "unknown setting '" + std::string(*path) + "'";
            return a.key != nullptr;
        };
        if (arg == "--help" || arg == "-h") return only(Command::Help);
        if (arg == "--version") return only(Command::Version);
        if (arg == "--csv") {
            a.csv = true;
        } else if (arg == "--escape") {
            a.escape = true;
        } else if (arg == "--force") {
            a.force = true;
        } else if (arg == "--yes") {
            a.yes = true;
        } else if (arg == "--defaults") {
            a.defaults = true;
        } else if (arg == "-o" || arg == "--output") {
            const auto file = next();
            if (!file || file->empty()) return refused(std::string(arg) + " needs a file name");
            a.output = std::string(*file);
            hasOutput = true;
        } else if (arg == "--auth-file") {
            const auto file = next();
            if (!file || file->empty()) return refused("--auth-file needs a file name");
            a.authFile = std::string(*file);
        } else if (arg == "-D" || (arg.starts_with("-D") && arg.size() > 2)) {
            const auto text = arg.size() > 2 ? std::optional(arg.substr(2)) : next();
            if (!text) return refused("-D needs Section/Key=Value");
            const auto assignment = assignmentFrom(*text, problem);
            if (!assignment) return refused(problem);
            a.overrides.push_back(*assignment);
        } else if (arg == "--get" || arg == "--reset") {
            command(arg == "--get" ? Command::Get : Command::Reset);
            if (!settingPath(arg)) return refused(problem);
        } else if (arg == "--set") {
            command(Command::Set);
            const auto text = next();
            if (!text) return refused("--set needs Section/Key=Value");
            const auto assignment = assignmentFrom(*text, problem);
            if (!assignment) return refused(problem);
            a.assignment = *assignment;
        } else if (arg == "--reset-all") {
            command(Command::ResetAll);
        } else if (arg == "--list-settings") {
            command(Command::ListSettings);
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "--") {
            return refused("unknown option '" + std::string(arg) + "'");
        } else {
            if (arg == "--" && (i + 2 != args.size())) return refused("one folder expected after --");
            if (arg == "--") ++i;
            if (commands > 0 && a.command == Command::List) return refused("one folder expected");
            command(Command::List);
            a.folder = std::string(args[i]);
            if (a.folder.empty()) return refused("the folder is empty");
        }
    }
    if (commands == 0) return refused("no folder given");
    if (commands > 1) return refused("give one of FOLDER, --get, --set, --reset, --reset-all, --list-settings");
    if (std::string misplaced = misplacedOption(a, hasOutput); !misplaced.empty()) return refused(misplaced);
    return {true, std::move(a), {}};
}

}  // namespace quillory::cli
