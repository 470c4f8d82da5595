#pragma once
// A scratch folder for one test, removed (permissions restored first) at the end.
#include <cstdint>
#include <string>
#include <string_view>

namespace quillory::test {

class TempDir {
public:
    TempDir();
    // On a memory file system when there is one: for trees of many files.
    static TempDir inMemory();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    // path() + "/" + relative
    std::string operator/(std::string_view relative) const { return m_path + "/" + std::string(relative); }

    // Creates a file (and its parent folders) holding `size` bytes, optionally
    // with a modification time (seconds since the epoch).
    std::string file(std::string_view relative, std::int64_t size = 0, long long mtime = -1) const;
    std::string folder(std::string_view relative) const;
    // `count` empty files named prefix0, prefix1, ... in one folder, made
    // quickly: for trees of hundreds of thousands of files.
    void manyFiles(std::string_view relative, int count, std::string_view prefix = "f") const;

protected:
    // A fresh folder named `name` plus six random characters below `parent`.
    TempDir(const std::string& parent, std::string_view name);

private:
    std::string m_path;
};

}  // namespace quillory::test
