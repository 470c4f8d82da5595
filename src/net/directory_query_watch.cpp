#include "net/directory_query_watch.h"

#include <cstdint>
#include <utility>

#include "net/smbclient_library.h"

namespace quillory::smb {

namespace {

// The answers that end a listing: no more entries, none at all.
constexpr std::uint32_t kNoMoreFiles = 0x80000006;
constexpr std::uint32_t kNoSuchFile = 0xc000000f;
constexpr std::uint32_t kUnsuccessful = 0xc0000001;

thread_local bool t_lostFailure = false;

}  // namespace

bool takeLostQueryFailure() { return std::exchange(t_lostFailure, false); }

}  // namespace quillory::smb

// The library's own call resolves here first: the programs export this name
// (see CMakeLists.txt). The library's function is found through its handle,
// a lookup that never reaches the program.
extern "C" __attribute__((visibility("default"))) std::uint32_t smb2cli_query_directory_recv(
    void* request, void* memory, std::uint8_t** data, std::uint32_t* length) {
    using namespace quillory::smb;
    const SmbClientLibrary* library = smbClientLibrary();
    const std::uint32_t status = library && library->queryDirectoryRecv
                                     ? library->queryDirectoryRecv(request, memory, data, length)
                                     : kUnsuccessful;
    if (status != 0 && status != kNoMoreFiles && status != kNoSuchFile) t_lostFailure = true;
    return status;
}
