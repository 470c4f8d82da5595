#pragma once
// A scratch home for the verb's tests (HOME, the XDG folders and the system's configuration folders point into
// a temp folder, so no test touches the real user's files).
#include <string>

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

private:
    TempDir m_dir;
    ScopedEnv m_home;
    ScopedEnv m_data;
    ScopedEnv m_config;
    ScopedEnv m_systemConfig;
};

}  // namespace quillory::test
