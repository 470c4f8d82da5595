#pragma once
// What the settings store could make of its file, for a window or a command
// to show. The store never prints.
#include <string>
#include <string_view>

namespace quillory {

enum class StoreState {
    Ready,       // the file is read (and, once written, writable)
    NotCreated,  // no file yet: every read answers its default; the first write creates it
    MovedAside,  // a damaged file was moved to `detail`; a fresh store took its place
    Damaged,     // the file is not a readable settings database; reads answer defaults,
                 // the next write moves it aside
    ReadOnly,    // values are read, but a write was refused (`detail` says why)
    Unusable,    // nothing can be read or written there (`detail` says why)
};

struct StoreStatus {
    StoreState state = StoreState::NotCreated;
    std::string detail;  // the moved-to path, or the reason
};

// One line for the user when something is wrong with the store at `path`; ""
// when it is ready or simply not created yet.
std::string storeProblemText(const StoreStatus& status, std::string_view path);

}  // namespace quillory
