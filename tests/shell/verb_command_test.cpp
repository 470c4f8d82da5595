// The verb's command line, expanded for a folder as each file manager expands it, starts the program (a
// recorder script here) with the folder's path as one unchanged argument.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>

#include "shell/verb_files.h"
#include "support/golden.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

namespace quillory::shell {
namespace {

// sh's single-quoted word, as GLib's g_shell_quote writes one.
std::string gShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// A key file's value as its reader gives it back: a back-slash takes the next byte (no path here holds a
// control character, whose escapes are letters).
std::string keyFileValue(const std::string& raw) {
    std::string value;
    for (size_t i = 0; i < raw.size(); ++i) value += raw[i] == '\\' && i + 1 < raw.size() ? raw[++i] : raw[i];
    return value;
}

// Thunar and a desktop entry: `code` becomes the path, %% a percent sign. sh then reads the line, whose
// double-quoted words follow the desktop entry's rules (" ` $ \ escaped by a back-slash).
std::string expandPercent(const std::string& line, char code, const std::string& path) {
    std::string out;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '%' || i + 1 == line.size()) out += line[i];
        else if (line[++i] == code) out += gShellQuote(path);
        else if (line[i] == '%') out += '%';
    }
    return out;
}

// Nemo with Quote=double: the path in double quotes, its " \ $ ` escaped, in place of %F; the search for
// tokens ends at the first % that is none. sh then reads the line.
std::string expandNemo(std::string line, const std::string& path) {
    std::string inserted = "\"";
    for (char c : path) inserted += std::string(std::string("\"\\$`").find(c) != std::string::npos, '\\') + c;
    inserted += '"';
    for (size_t at = line.find('%'); at != std::string::npos && line.compare(at, 2, "%F") == 0;
         at = line.find('%', at + inserted.size()))
        line.replace(at, 2, inserted);
    return line;
}

TEST(VerbCommand, EveryFileManagerPassesTheFolderUnchanged) {
    const test::TempDir dir;
    // A program path and a folder holding every character that one of the formats or sh treats specially.
    const std::string program = dir.file("bin dir/it's $HOME 100%% \\\\$rec\"order");
    const std::string record = dir / "record";
    test::writeFile(program,
                    "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > " + gShellQuote(record) + "\n");
    ::chmod(program.c_str(), 0755);
    const std::string name = "my  folder it's \"quoted\" $HOME ${PATH} `id` back\\slash\\\\ \\$ \\\" \\' "
                             "100% %f %F %u %% a b'c\"d$e\\f%g;h&i|j*k?l#m(n)o~p<q>r";
    const std::string folder = dir.folder("listed/" + name);
    const std::string script = dir / "script";
    test::writeFile(script, verbFileText(VerbFormat::NautilusScript, program));
    const auto sh = [](const std::string& line) { return std::vector<std::string>{"/bin/sh", "-c", line}; };
    const std::pair<const char*, std::vector<std::string>> runs[] = {
        {"Nemo", sh(expandNemo(keyFileValue(verbCommand(VerbFormat::NemoAction, program)), folder))},
        {"Dolphin", sh(expandPercent(keyFileValue(verbCommand(VerbFormat::DolphinServiceMenu, program)), 'f', folder))},
        {"Thunar", sh(expandPercent(verbCommand(VerbFormat::ThunarAction, program), 'f', folder))},
        {"Nautilus, absolute", {"/bin/sh", script, folder}},
        // Nautilus names a local selection relative to the folder it shows; with none, that folder is meant.
        {"Nautilus, relative",
         {"/bin/sh", "-c", "cd \"$1\" && exec /bin/sh \"$2\" \"$3\"", "sh", dir / "listed", script, name}},
        {"Nautilus, nothing selected", {"/bin/sh", "-c", "cd \"$1\" && exec /bin/sh \"$2\"", "sh", folder, script}},
    };
    for (const auto& [manager, argv] : runs) {
        std::remove(record.c_str());
        test::runProcess(argv);
        EXPECT_EQ(test::readFile(record), folder + '\0') << manager;
    }
    // A German desktop shows the program's own German text.
    EXPECT_NE(verbFileText(VerbFormat::NemoAction, program).find("\nName[de]=Dateiliste mit Quillory drucken\n"),
              std::string::npos);
}

}  // namespace
}  // namespace quillory::shell
