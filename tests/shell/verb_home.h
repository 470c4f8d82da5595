#pragma once
// A scratch home for the verb's tests (HOME, the XDG folders and the system's configuration folders point into
// a temp folder, so no test touches the real user's files), and a reader of desktop-entry files by their rules.
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/golden.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace quillory::test {

class VerbHome {
public:
    VerbHome()
        : m_home("HOME", (m_dir / "home").c_str()),
          m_data("XDG_DATA_HOME", (m_dir / "home/data").c_str()),
          m_config("XDG_CONFIG_HOME", (m_dir / "home/config").c_str()),
          m_systemConfig("XDG_CONFIG_DIRS", (m_dir / "system").c_str()) {
        m_dir.folder("home");
    }
    const TempDir& dir() const { return m_dir; }
    std::string data(const std::string& relative) const { return m_dir / ("home/data/" + relative); }
    std::string config(const std::string& relative) const { return m_dir / ("home/config/" + relative); }
    // The system's configuration folder (XDG_CONFIG_DIRS).
    std::string system(const std::string& relative) const { return m_dir / ("system/" + relative); }
    // The verb's file for each file manager.
    std::string nemo() const { return data("nemo/actions/quillory-print-listing.nemo_action"); }
    std::string dolphin() const { return data("kio/servicemenus/quillory-print-listing.desktop"); }
    std::string nautilus() const { return data("nautilus/scripts/Print listing with Quillory"); }
    std::string thunar() const { return config("Thunar/uca.xml"); }
    std::vector<std::string> verbFiles() const { return {nemo(), dolphin(), nautilus(), thunar()}; }

private:
    TempDir m_dir;
    ScopedEnv m_home;
    ScopedEnv m_data;
    ScopedEnv m_config;
    ScopedEnv m_systemConfig;
};

// group -> key -> value, escapes (\s \n \t \r \\) undone. Any other line, a key outside a group, or a
// repeated group or key makes the whole file invalid.
using DesktopEntry = std::map<std::string, std::map<std::string, std::string>>;

inline std::optional<DesktopEntry> parseDesktopEntry(const std::string& text) {
    DesktopEntry entry;
    std::string group;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            if (line.back() != ']') return std::nullopt;
            group = line.substr(1, line.size() - 2);
            if (!entry.emplace(group, DesktopEntry::mapped_type{}).second) return std::nullopt;
            continue;
        }
        const size_t equals = line.find('=');
        if (group.empty() || equals == std::string::npos || equals == 0) return std::nullopt;
        const std::string key = line.substr(0, equals);
        std::string value;
        for (size_t i = equals + 1; i < line.size(); ++i) {
            if (line[i] != '\\' || i + 1 == line.size()) {
                value += line[i];
                continue;
            }
            const size_t escape = std::string_view("sntr\\").find(line[++i]);
            if (escape == std::string_view::npos) return std::nullopt;
            value += " \n\t\r\\"[escape];
        }
        if (!entry[group].emplace(key, value).second) return std::nullopt;
    }
    return entry;
}

}  // namespace quillory::test
