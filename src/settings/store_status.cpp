#include "settings/store_status.h"

namespace quillory {

std::string storeProblemText(const StoreStatus& status, std::string_view path) {
    const std::string store = "settings store " + std::string(path);
    switch (status.state) {
        case StoreState::Ready:
        case StoreState::NotCreated: return {};
        case StoreState::MovedAside:
            return store + " was not a readable database; moved it to " + status.detail +
                   " and started with defaults";
        case StoreState::Damaged:
            return store + " is not a readable database; using defaults (the next change moves it aside)";
        case StoreState::ReadOnly: return store + " cannot be written (" + status.detail + ")";
        case StoreState::Unusable: return store + " cannot be used (" + status.detail + "); using defaults";
    }
    return {};
}

}  // namespace quillory
