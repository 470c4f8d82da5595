#pragma once
// Enumerating a folder, the one OS service the walk depends on. Local folders
// (posix_folder_source.cpp) and network shares implement the same interface,
// so the walk cannot tell them apart; a Windows build would add its own.
//
// A Folder is read whole when it is opened: names in the order the system
// returned them, each marked file or folder. Sizes and times are fetched per
// entry on demand, so a file that the name filter rejects costs no stat.
//
// Lifetime: a Folder opened with openChild() must be destroyed before the
// folder it came from (the walk keeps them on a stack). A source may then
// keep only a bounded number of system handles open, however deep the walk
// goes, and reopen an ancestor when the walk returns to it.
//
// Files (the OS seams, nothing above them): posix_folder_source.cpp reads
// local folders with folder_contents.cpp (getdents64, statx), file_times.cpp
// and file_attributes.cpp, on background_worker.cpp's threads for the
// read-ahead; safe_file.cpp writes outputs through write_target.cpp and
// write_all.cpp; app_paths.cpp and user_dirs.cpp name folders; ole_date.cpp
// does the date arithmetic; process_setup.cpp prepares a process;
// stop_token.h and status.h are shared by every layer above.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillory {

enum class EntryKind : std::uint8_t { File, Folder };

struct FolderEntry {
    std::string name;  // bytes as the file system returned them
    EntryKind kind = EntryKind::File;
    // The attribute word the enumeration itself reports (a Windows directory
    // search does; no Linux source does, so it stays 0 here).
    std::uint32_t foundAttributes = 0;
};

// What the listing needs to know about one file.
struct FileFacts {
    std::int64_t size = 0;
    double modified = 0.0;  // date-time (days since 1899-12-30, local); 0 when unreadable
};

// Identity of a folder, to notice a link that leads back to an ancestor.
struct FolderId {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool known = false;
    bool operator==(const FolderId&) const = default;
};

class Folder {
public:
    virtual ~Folder() = default;
    // False when the folder could not be opened or read (missing, no access);
    // such a folder has no entries.
    virtual bool readable() const = 0;
    // Why the folder could not be opened or read (an errno value); 0 when readable.
    virtual int error() const = 0;
    virtual const std::vector<FolderEntry>& entries() const = 0;
    virtual FolderId id() const = 0;
    // Size and modification time of entry i; fallbacks (size 0, time 0) when
    // the file vanished or cannot be examined.
    virtual FileFacts facts(std::size_t i) = 0;
    // The attribute word of entry i (0x01 read-only, 0x02 hidden, 0x04 system,
    // 0x20 archive); -1 when it cannot be read. Asked only when the output needs it.
    virtual std::int64_t attributes(std::size_t i) = 0;
    // Opens the sub-folder named by entry i (a folder entry).
    virtual std::unique_ptr<Folder> openChild(std::size_t i) = 0;
    // The kernel pseudo file system (pseudo_fs.h) the folder lies on, which
    // the walk does not enter; "" for an ordinary folder.
    virtual std::string_view pseudoFileSystem() const { return {}; }
    // A hint that facts() (and attributes(), when asked) will be wanted for
    // these entries: a source may fetch them ahead, side by side on another
    // core. Answers stay the same either way. Returns early when the source's
    // stop token is raised; facts() still answers for every entry afterwards.
    virtual void prefetch(const std::vector<std::size_t>& entries, bool attributes) {
        (void)entries;
        (void)attributes;
    }
};

class FolderSource {
public:
    virtual ~FolderSource() = default;
    // Opens a folder by its path; never null (an unreadable folder reports so).
    virtual std::unique_ptr<Folder> open(const std::string& path) = 0;
};

class StopToken;

// Local folders of this machine. One source serves one run: its helper
// threads are its own. `stop`, when given, cuts prefetching short.
std::unique_ptr<FolderSource> makeLocalFolderSource(const StopToken* stop = nullptr);

}  // namespace quillory
