#include "platform/pseudo_fs.h"

#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <mutex>
#include <string>
#include <unordered_map>

namespace quillory {
namespace {

struct PseudoType {
    unsigned long magic;  // statfs f_type
    std::string_view name;
};

// The kernel's numbers (linux/magic.h), spelled out: not every header has all.
constexpr PseudoType kPseudoTypes[] = {
    {0x9fa0, "proc"},         {0x62656572, "sysfs"},      {0x1cd1, "devpts"},
    {0x27e0eb, "cgroup"},     {0x63677270, "cgroup2"},    {0x64626720, "debugfs"},
    {0x74726163, "tracefs"},  {0x73636673, "securityfs"}, {0x6165676C, "pstore"},
    {0xcafe4a11, "bpf"},      {0x62656570, "configfs"},   {0x65735543, "fusectl"},
    {0x19800202, "mqueue"},   {0x958458f6, "hugetlbfs"},  {0x42494e4d, "binfmt_misc"},
    {0x0187, "autofs"},
};

constexpr unsigned long kTmpfsMagic = 0x01021994;

// devtmpfs reports itself as tmpfs; only the mount table tells them apart.
// Looked up once per device.
bool isDevtmpfs(dev_t device) {
    static std::mutex mutex;
    static std::unordered_map<dev_t, bool> known;
    std::lock_guard lock(mutex);
    if (const auto found = known.find(device); found != known.end()) return found->second;
    bool devtmpfs = false;
    char id[32];
    std::snprintf(id, sizeof id, "%u:%u", ::major(device), ::minor(device));
    std::ifstream mounts("/proc/self/mountinfo");
    for (std::string line; std::getline(mounts, line);) {
        // "36 35 0:5 / /dev rw,nosuid - devtmpfs udev rw": the third field,
        // and the type after the lone dash.
        std::size_t at = line.find(' ');
        at = at == std::string::npos ? at : line.find(' ', at + 1);
        if (at == std::string::npos || line.compare(at + 1, std::strlen(id), id) != 0 ||
            line[at + 1 + std::strlen(id)] != ' ')
            continue;
        const std::size_t dash = line.find(" - ");
        if (dash != std::string::npos && line.compare(dash + 3, 9, "devtmpfs ") == 0) devtmpfs = true;
    }
    known.emplace(device, devtmpfs);
    return devtmpfs;
}

}  // namespace

std::string_view pseudoFileSystemOf(int fd) {
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0) return {};
    const auto magic = static_cast<unsigned long>(fs.f_type);
    for (const PseudoType& type : kPseudoTypes)
        if (type.magic == magic) return type.name;
    if (magic == kTmpfsMagic) {
        struct stat st {};
        if (::fstat(fd, &st) == 0 && isDevtmpfs(st.st_dev)) return "devtmpfs";
    }
    return {};
}

}  // namespace quillory
