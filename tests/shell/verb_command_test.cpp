// The verb's command line, expanded for a folder as each file manager expands it, starts the program (a
// recorder script here) with the folder's path as one unchanged argument.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QXmlStreamReader>
#include <cstdio>
#include <utility>

#include "shell/shell_extension.h"
#include "shell/verb_files.h"
#include "support/run_process.h"
#include "verb_home.h"

namespace quillory::shell {
namespace {

using test::parseDesktopEntry;

// sh's single-quoted word, as GLib's g_shell_quote writes one.
std::string gShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// A desktop-entry Exec line as arguments: blanks separate, double quotes group, inside them \ escapes " ` $
// and \. A field code argument becomes the path; %% is a percent sign.
std::vector<std::string> expandDesktopExec(const std::string& exec, const std::string& path) {
    std::vector<std::string> args;
    std::string arg;
    bool inArg = false, quoted = false;
    for (size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted) {
            if (c == '"') quoted = false;
            else if (c == '\\' && i + 1 < exec.size() && std::string("\"`$\\").find(exec[i + 1]) != std::string::npos)
                arg += exec[++i];
            else arg += c;
        } else if (c == ' ') {
            if (inArg) args.push_back(arg);
            arg.clear();
            inArg = false;
        } else {
            inArg = true;
            if (c == '"') quoted = true;
            else arg += c;
        }
    }
    if (inArg) args.push_back(arg);
    for (auto& a : args) {
        if (a == "%f" || a == "%F" || a == "%u" || a == "%U") {
            a = path;
            continue;
        }
        std::string plain;
        for (size_t i = 0; i < a.size(); ++i) {
            plain += a[i];
            if (a[i] == '%' && i + 1 < a.size() && a[i + 1] == '%') ++i;
        }
        a = plain;
    }
    return args;
}

// Nemo with Quote=double: the path in double quotes, its " \ $ ` escaped, in place of %F; the search for
// tokens ends at the first % that is none. sh then reads the line.
std::string expandNemoExec(const std::string& exec, const std::string& path) {
    std::string inserted = "\"";
    for (char c : path) {
        if (std::string("\"\\$`").find(c) != std::string::npos) inserted += '\\';
        inserted += c;
    }
    inserted += '"';
    std::string line = exec;
    for (size_t token = line.find('%'); token != std::string::npos && line.compare(token, 2, "%F") == 0;
         token = line.find('%', token + inserted.size()))
        line.replace(token, 2, inserted);
    return line;
}

// Thunar: %f becomes the shell-quoted path, %% a percent sign; /bin/sh runs the line.
std::string expandThunarCommand(const std::string& command, const std::string& path) {
    std::string line;
    for (size_t i = 0; i < command.size(); ++i) {
        if (command[i] != '%' || i + 1 == command.size()) line += command[i];
        else if (command[++i] == 'f') line += gShellQuote(path);
        else if (command[i] == '%') line += '%';
    }
    return line;
}

// The <action> entries of a well-formed uca.xml, as name and command.
std::vector<std::pair<std::string, std::string>> thunarActions(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> actions;
    QXmlStreamReader reader(QByteArray::fromStdString(text));
    std::string name, command;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("name") &&
            !reader.attributes().hasAttribute("xml:lang"))
            name = reader.readElementText().toStdString();
        else if (reader.isStartElement() && reader.name() == QLatin1String("command"))
            command = reader.readElementText().toStdString();
        else if (reader.isEndElement() && reader.name() == QLatin1String("action"))
            actions.emplace_back(std::exchange(name, {}), std::exchange(command, {}));
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return actions;
}

bool executable(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IXUSR) != 0;
}

class VerbCommand : public ::testing::Test {
protected:
    void SetUp() override {
        // A program path that itself needs quoting in every format.
        m_program = m_home.dir().file("bin dir/it's $HOME 100%% \\\\$rec\"order");
        m_record = m_home.dir() / "record";
        test::writeFile(m_program, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > " +
                                       gShellQuote(m_record) + "\n");
        ::chmod(m_program.c_str(), 0755);
        const Status added = setShellExtension(true, QString::fromStdString(m_program));
        ASSERT_TRUE(added) << added.message();
    }

    // A written desktop-entry file, parsed; empty (and a failure) when it is not one.
    static test::DesktopEntry entry(const std::string& path) {
        auto parsed = parseDesktopEntry(test::readFile(path));
        EXPECT_TRUE(parsed) << path;
        return parsed.value_or(test::DesktopEntry{});
    }

    // The arguments the recorder was last started with.
    std::vector<std::string> recorded() const {
        std::vector<std::string> args;
        const std::string text = test::readFile(m_record);
        for (size_t start = 0; start < text.size();) {
            const size_t end = text.find('\0', start);
            args.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        std::remove(m_record.c_str());
        return args;
    }

    test::VerbHome m_home;
    std::string m_program;
    std::string m_record;
};

// Folders below the temp folder: every character one of the formats or sh treats specially.
const struct { const char* name; const char* folder; } kFolders[] = {
    {"Quoting", "my  folder it's \"quoted\" $HOME ${PATH} `id` back\\slash\\\\ \\$ \\\" \\' "},
    {"Percent and the rest", "100% %f %F %u %% a b'c\"d$e\\f%g;h&i|j*k?l#m(n)o~p<q>r"},
};

TEST_F(VerbCommand, EveryFileManagerPassesTheFolderUnchanged) {
    for (const auto& row : kFolders) {
        SCOPED_TRACE(row.name);
        const std::string folder = m_home.dir().folder(std::string("listed/") + row.folder);
        const std::string nemoLine = expandNemoExec(entry(m_home.nemo())["Nemo Action"]["Exec"], folder);
        test::runProcess({"/bin/sh", "-c", nemoLine});
        EXPECT_EQ(recorded(), std::vector<std::string>{folder}) << "Nemo: " << nemoLine;
        const auto dolphinArgs =
            expandDesktopExec(entry(m_home.dolphin())["Desktop Action printListing"]["Exec"], folder);
        ASSERT_FALSE(dolphinArgs.empty());
        EXPECT_EQ(dolphinArgs.front(), m_program);
        test::runProcess(dolphinArgs);
        EXPECT_EQ(recorded(), std::vector<std::string>{folder}) << "Dolphin";
        const auto thunar = thunarActions(test::readFile(m_home.thunar()));
        ASSERT_EQ(thunar.size(), 1u);
        const std::string thunarLine = expandThunarCommand(thunar[0].second, folder);
        test::runProcess({"/bin/sh", "-c", thunarLine});
        EXPECT_EQ(recorded(), std::vector<std::string>{folder}) << "Thunar: " << thunarLine;
        const std::string script = m_home.nautilus();
        test::runProcess({"/bin/sh", script, folder});
        EXPECT_EQ(recorded(), std::vector<std::string>{folder}) << "Nautilus, absolute";
        // Nautilus names a local selection relative to the folder it shows.
        const std::string parent = m_home.dir() / "listed";
        test::runProcess({"/bin/sh", "-c", "cd \"$1\" && exec \"$2\" \"$3\"", "sh", parent, script, row.folder});
        EXPECT_EQ(recorded(), std::vector<std::string>{folder}) << "Nautilus, relative";
        // With nothing selected, Nautilus's script lists the folder shown.
        test::runProcess({"/bin/sh", "-c", "cd \"$1\" && exec \"$2\"", "sh", folder, m_home.nautilus()});
        EXPECT_EQ(recorded(), std::vector<std::string>{folder}) << "Nautilus, nothing selected";
    }
}

// What each file manager needs to offer the verb: Dolphin a runnable service menu for folders, Nemo an action
// for one folder quoted as assumed above, Thunar an action for folders, Nautilus a runnable script. A German
// desktop shows the program's own German text.
TEST_F(VerbCommand, FilesAreWhatTheFileManagersLookFor) {
    const std::string german = "Dateiliste mit Quillory drucken";
    EXPECT_EQ(entry(m_home.dolphin())["Desktop Entry"],
              (std::map<std::string, std::string>{{"Type", "Service"},
                                                  {"TryExec", m_program}, {"MimeType", "inode/directory;"},
                                                  {"Actions", "printListing;"},
                                                  {"X-KDE-ServiceTypes", "KonqPopupMenu/Plugin"}}));
    EXPECT_EQ(entry(m_home.dolphin())["Desktop Action printListing"]["Name[de]"], german);
    auto nemo = entry(m_home.nemo())["Nemo Action"];
    EXPECT_EQ((std::vector<std::string>{nemo["Selection"], nemo["Extensions"], nemo["Quote"], nemo["Dependencies"],
                                        nemo["Name[de]"]}),
              (std::vector<std::string>{"s", "dir;", "double", m_program + ";", german}));
    for (const auto& file : {m_home.dolphin(), m_home.nautilus()}) EXPECT_TRUE(executable(file)) << file;
    EXPECT_TRUE(test::readFile(m_home.nautilus()).starts_with("#!/bin/sh\n"));
    const std::string uca = test::readFile(m_home.thunar());
    EXPECT_NE(uca.find("<directories/>"), std::string::npos);
    EXPECT_NE(uca.find("<name xml:lang=\"de\">" + german + "</name>"), std::string::npos) << uca;
}

}  // namespace
}  // namespace quillory::shell
