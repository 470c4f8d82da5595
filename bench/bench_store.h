#pragma once
// A settings store in a fresh temp folder for one benchmark, removed afterwards.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "settings/store.h"

namespace quillory::bench {

class BenchFolder {
public:
    BenchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quillory-bench-XXXXXX").string();
        if (mkdtemp(pattern.data())) m_path = pattern;
    }
    ~BenchFolder() {
        std::error_code ignored;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

struct BenchStore {
    BenchFolder folder;
    SettingsStore store{folder.path() + "/settings.sqlite"};
};

}  // namespace quillory::bench
