#pragma once
// The attribute word of a file, in the DOS bits shares use: 0x01 read-only,
// 0x02 hidden, 0x04 system, 0x20 archive (others pass through untouched).
//
// A file that Samba has described carries the word in its user.DOSATTRIB
// extended attribute, and that word is taken as it is. Otherwise it is built
// from what Linux knows: hidden for a name that starts with a dot, read-only
// when the owner may not write (judged by the mode bits, so root sees the
// same as everyone). Archive and system are never invented. A word of exactly
// 0x80 ("no other attribute") reads as 0: no Linux source means anything by it.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quillory {

inline constexpr std::int64_t kReadOnlyAttribute = 0x01;
inline constexpr std::int64_t kHiddenAttribute = 0x02;
inline constexpr std::int64_t kSystemAttribute = 0x04;
inline constexpr std::int64_t kArchiveAttribute = 0x20;
inline constexpr std::int64_t kNormalAttribute = 0x80;

// The word for a path; -1 when the file cannot be examined (missing, no access).
std::int64_t readAttributeWord(const std::string& path);

// The word for a file whose mode is already known (`followed`: the mode is the
// link target's, so the extended attribute is read through `path`).
std::int64_t attributeWordFor(const std::string& path, std::string_view name, std::uint32_t mode, bool followed);

// The same for entry `name` of the folder open as `dirFd` (-1: through the
// path alone), read relative to it where the kernel allows; `path` gives the
// way there otherwise (asked only then, so the usual case builds no path).
// `device` is the file's: a file system that refuses user attributes once is
// not asked again.
std::int64_t attributeWordAt(int dirFd, const std::string& name, const std::function<std::string()>& path, std::uint32_t mode,
                             std::uint64_t device, bool followed);

// The word a user.DOSATTRIB value holds: the old "0x20" text form or the
// binary record Samba writes now (text, version, then the word). None when the
// value is neither.
std::optional<std::uint32_t> decodeDosAttrib(std::string_view value);

}  // namespace quillory
