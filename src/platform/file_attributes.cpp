#include "platform/file_attributes.h"

#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <cerrno>

namespace quillory {

namespace {

constexpr const char* kDosAttribName = "user.DOSATTRIB";

std::optional<std::uint32_t> hexWord(std::string_view text) {
    if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X') || text.size() > 10)
        return std::nullopt;
    std::uint32_t word = 0;
    for (char c : text.substr(2)) {
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        word = word * 16 + static_cast<std::uint32_t>(digit);
    }
    return word;
}

std::uint32_t little(std::string_view bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// The binary record after the text: version (16 bits), the same number again
// as the record's tag, then per version: 1 and 0xFFFF the word first; 2 a
// flags word, then the word; 3 to 5 a validity mask (bit 0: the word is
// valid), then the word. Fields sit on their natural alignment.
std::optional<std::uint32_t> binaryWord(std::string_view value, std::size_t pos) {
    pos = (pos + 1) & ~std::size_t{1};
    if (pos + 4 > value.size()) return std::nullopt;
    const std::uint32_t version = little(value, pos, 2);
    if (little(value, pos + 2, 2) != version) return std::nullopt;
    pos = (pos + 4 + 3) & ~std::size_t{3};
    std::size_t wordAt = pos;
    switch (version) {
        case 1:
        case 0xFFFF: break;
        case 2: wordAt = pos + 4; break;
        case 3:
        case 4:
        case 5:
            if (pos + 4 > value.size() || (little(value, pos, 4) & 1u) == 0) return std::nullopt;
            wordAt = pos + 4;
            break;
        default: return std::nullopt;
    }
    if (wordAt + 4 > value.size()) return std::nullopt;
    return little(value, wordAt, 4);
}

std::string_view lastComponent(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::optional<std::uint32_t> decodeDosAttrib(std::string_view value) {
    const std::size_t nul = value.find('\0');
    const std::optional<std::uint32_t> fromText = hexWord(value.substr(0, nul));
    if (nul != std::string_view::npos)
        if (const auto fromRecord = binaryWord(value, nul + 1)) return fromRecord;
    return fromText;
}

std::int64_t readAttributeWord(const std::string& path) {
    struct stat st {};
    bool followed = true;
    if (::stat(path.c_str(), &st) != 0) {
        // A dangling link is still a directory entry with a name and a mode.
        if (::lstat(path.c_str(), &st) != 0) return -1;
        followed = false;
    }
    return attributeWordFor(path, lastComponent(path), st.st_mode, followed);
}

namespace {

// getxattrat() reads an attribute relative to an open folder (Linux 6.13 on):
// no path walk from the root for every file. Older kernels answer ENOSYS once
// and the full path is used from then on.
#ifndef SYS_getxattrat
#if defined(__x86_64__) || defined(__aarch64__)
#define SYS_getxattrat 464
#endif
#endif

struct XattrArgs {
    std::uint64_t value;
    std::uint32_t size;
    std::uint32_t flags;
};

std::atomic<bool> g_noGetxattrat{false};

// Devices whose file system refuses user extended attributes outright (vfat,
// exfat, some network mounts): one refusal is enough, the rest of the walk
// there skips the call. Stored as device + 1 so that 0 marks a free slot; a
// slot being filled reads as free, which costs one more call, nothing else.
class RefusingDevices {
public:
    bool has(std::uint64_t device) const {
        const std::size_t n = std::min(m_count.load(std::memory_order_acquire), kSlots);
        for (std::size_t i = 0; i < n; ++i)
            if (m_devices[i].load(std::memory_order_relaxed) == device + 1) return true;
        return false;
    }
    void add(std::uint64_t device) {
        if (has(device)) return;
        const std::size_t slot = m_count.fetch_add(1, std::memory_order_acq_rel);
        if (slot < kSlots) m_devices[slot].store(device + 1, std::memory_order_relaxed);
    }

private:
    static constexpr std::size_t kSlots = 16;
    std::atomic<std::uint64_t> m_devices[kSlots] = {};
    std::atomic<std::size_t> m_count{0};
};

RefusingDevices g_refusingDevices;

ssize_t readDosAttrib(int dirFd, const std::string& name, const std::function<std::string()>& path, char* buffer,
                      std::size_t size) {
#ifdef SYS_getxattrat
    if (dirFd >= 0 && !g_noGetxattrat.load(std::memory_order_relaxed)) {
        XattrArgs args{reinterpret_cast<std::uintptr_t>(buffer), static_cast<std::uint32_t>(size), 0};
        const long n = ::syscall(SYS_getxattrat, dirFd, name.c_str(), 0, kDosAttribName, &args, sizeof args);
        if (n >= 0 || errno != ENOSYS) return n;
        g_noGetxattrat.store(true, std::memory_order_relaxed);
    }
#else
    (void)dirFd;
    (void)name;
#endif
    return ::getxattr(path().c_str(), kDosAttribName, buffer, size);
}

std::int64_t wordFrom(ssize_t n, const char* buffer, std::string_view name, std::uint32_t mode) {
    if (n > 0) {
        if (const auto word = decodeDosAttrib(std::string_view(buffer, static_cast<std::size_t>(n))))
            return *word == kNormalAttribute ? 0 : static_cast<std::int64_t>(*word);
    }
    std::int64_t word = 0;
    if (!name.empty() && name.front() == '.') word |= kHiddenAttribute;
    if ((mode & S_IWUSR) == 0) word |= kReadOnlyAttribute;
    return word;
}

}  // namespace

std::int64_t attributeWordFor(const std::string& path, std::string_view name, std::uint32_t mode, bool followed) {
    char buffer[512];
    const ssize_t n = followed ? ::getxattr(path.c_str(), kDosAttribName, buffer, sizeof buffer) : -1;
    return wordFrom(n, buffer, name, mode);
}

std::int64_t attributeWordAt(int dirFd, const std::string& name, const std::function<std::string()>& path, std::uint32_t mode,
                             std::uint64_t device, bool followed) {
    char buffer[512];
    ssize_t n = -1;
    // User attributes live on regular files and folders only; the kernel
    // answers "no data" for anything else, so the call is skipped.
    if (followed && (S_ISREG(mode) || S_ISDIR(mode)) && !g_refusingDevices.has(device)) {
        n = readDosAttrib(dirFd, name, path, buffer, sizeof buffer);
        if (n < 0 && errno == EOPNOTSUPP) g_refusingDevices.add(device);
    }
    return wordFrom(n, buffer, name, mode);
}

}  // namespace quillory
