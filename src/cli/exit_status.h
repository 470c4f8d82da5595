#pragma once
// What quillory-list tells its caller: 0 done; 1 a usage error or a refused
// value; 2 something could not be read or written; 130 stopped.
namespace quillory::cli {

inline constexpr int kOk = 0;
inline constexpr int kUsage = 1;
inline constexpr int kFailed = 2;
inline constexpr int kInterrupted = 130;

}  // namespace quillory::cli
