#include "shell/verb_files.h"

#include <QtGlobal>

#include "shell/command_quoting.h"
#include "shell/thunar_actions.h"
#include "shell/user_folders.h"
#include "shell/verb_translations.h"

namespace quillory::shell {
namespace {

constexpr char kBaseName[] = "quillory-print-listing";
constexpr char kComment[] = "List the folder's files with Quillory";
// For the translation files: the two texts above, in their context.
[[maybe_unused]] const char* const kTranslatedTexts[] = {
    QT_TRANSLATE_NOOP("quillory::shell::VerbFiles", "Print listing with Quillory"),
    QT_TRANSLATE_NOOP("quillory::shell::VerbFiles", "List the folder's files with Quillory"),
};

// "Key[de]=text" lines for each shipped language that translates `source`.
std::string localizedKeys(const char* key, const char* source) {
    std::string lines;
    for (const Translation& t : verbTranslations(source))
        lines += std::string(key) + "[" + t.locale + "]=" + keyFileEscape(t.text) + "\n";
    return lines;
}

// The value of `key` in `group` of a desktop-entry style file, raw.
std::optional<std::string> keyValue(std::string_view text, std::string_view group, std::string_view key) {
    bool inGroup = false;
    size_t lineStart = 0;
    while (lineStart < text.size()) {
        size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = text.size();
        std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lineStart = lineEnd + 1;
        if (!line.empty() && line.front() == '[') {
            inGroup = line.size() == group.size() + 2 && line.substr(1, group.size()) == group &&
                      line.back() == ']';
            continue;
        }
        if (!inGroup || line.substr(0, key.size()) != key) continue;
        std::string_view rest = line.substr(key.size());
        const size_t equals = rest.find_first_not_of(" \t");
        if (equals == std::string_view::npos || rest[equals] != '=') continue;
        rest.remove_prefix(equals + 1);
        const size_t value = rest.find_first_not_of(" \t");
        return std::string(value == std::string_view::npos ? std::string_view() : rest.substr(value));
    }
    return std::nullopt;
}

// The line of the script that starts the program.
std::optional<std::string> execLine(std::string_view text) {
    size_t lineStart = 0;
    while (lineStart < text.size()) {
        size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = text.size();
        const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        if (line.substr(0, 5) == "exec ") return std::string(line);
        lineStart = lineEnd + 1;
    }
    return std::nullopt;
}

}  // namespace

std::vector<VerbFile> verbFiles() {
    const std::string data = userDataFolder();
    return {
        {VerbFormat::NemoAction, data + "/nemo/actions/" + kBaseName + ".nemo_action", false},
        {VerbFormat::DolphinServiceMenu, data + "/kio/servicemenus/" + kBaseName + ".desktop", true},
        {VerbFormat::NautilusScript, data + "/nautilus/scripts/" + kVerbName, true},
        {VerbFormat::ThunarAction, userConfigFolder() + "/Thunar/uca.xml", false},
    };
}

std::string verbCommand(VerbFormat format, std::string_view program) {
    switch (format) {
    case VerbFormat::NemoAction:
        // Nemo puts the path in double quotes itself (Quote=double) and reads
        // the line with shell rules. It stops looking for its tokens at the
        // first % that is not one, so the path's token comes before the
        // program's path, which may hold a %; sh puts the two back in order.
        return keyFileEscape("sh -c 'exec \"$1\" \"$0\"' %F " + shellQuote(program));
    case VerbFormat::DolphinServiceMenu:
        return keyFileEscape(desktopExecQuote(program) + " %f");
    case VerbFormat::NautilusScript:
        return "exec " + shellQuote(program) + " \"$folder\"";
    case VerbFormat::ThunarAction: {
        // Thunar runs the line with /bin/sh after putting in the path, shell
        // quoted; "%%" is its literal percent sign.
        std::string command;
        for (char c : shellQuote(program)) {
            if (c == '%') command += '%';
            command += c;
        }
        return command + " %f";
    }
    }
    return {};
}

std::string verbFileText(VerbFormat format, std::string_view program) {
    const std::string command = verbCommand(format, program);
    switch (format) {
    case VerbFormat::NemoAction:
        return std::string("[Nemo Action]\n") + "Active=true\n" + "Name=" + kVerbName + "\n" +
               localizedKeys("Name", kVerbName) + "Comment=" + kComment + "\n" + localizedKeys("Comment", kComment) +
               "Exec=" + command + "\n" + "Icon-Name=document-print\n" + "Selection=s\n" +
               "Extensions=dir;\n" + "Quote=double\n" +
               // Nemo hides the action while the program is missing.
               "Dependencies=" + keyFileEscape(std::string(program)) + ";\n";
    case VerbFormat::DolphinServiceMenu:
        // TryExec: no menu entry once the program is gone.
        return std::string("[Desktop Entry]\n") + "Type=Service\n" + "TryExec=" + keyFileEscape(std::string(program)) +
               "\n" + "MimeType=inode/directory;\n" +
               "Actions=printListing;\n" + "X-KDE-ServiceTypes=KonqPopupMenu/Plugin\n" + "\n" +
               "[Desktop Action printListing]\n" + "Name=" + kVerbName + "\n" +
               localizedKeys("Name", kVerbName) + "Icon=document-print\n" +
               "Exec=" + command + "\n";
    case VerbFormat::NautilusScript:
        // Nautilus names the selection relative to the folder it shows, which
        // is the working folder; with nothing selected, that folder is meant.
        return std::string("#!/bin/sh\n") + "# " + kVerbName + ": " + kComment + ".\n" +
               "if [ $# -eq 0 ]; then\n" + "    folder=$PWD\n" + "else\n" + "    case $1 in\n" +
               "    /* | *://*) folder=$1 ;;\n" + "    *) folder=$PWD/$1 ;;\n" + "    esac\n" + "fi\n" +
               command + "\n";
    case VerbFormat::ThunarAction:
        return thunarActionElement({kVerbName, verbTranslations(kVerbName)}, {kComment, verbTranslations(kComment)},
                                   command);
    }
    return {};
}

std::optional<std::string> storedVerbCommand(VerbFormat format, std::string_view fileText) {
    switch (format) {
    case VerbFormat::NemoAction:
        return keyValue(fileText, "Nemo Action", "Exec");
    case VerbFormat::DolphinServiceMenu:
        return keyValue(fileText, "Desktop Action printListing", "Exec");
    case VerbFormat::NautilusScript:
        return execLine(fileText);
    case VerbFormat::ThunarAction:
        return thunarActionCommand(fileText, kVerbName);
    }
    return std::nullopt;
}

}  // namespace quillory::shell
