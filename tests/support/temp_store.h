#pragma once
// A real settings store in a temp folder, for one test.
#include <memory>

#include "settings/store.h"
#include "support/temp_dir.h"

namespace quillory::test {

struct TempStore {
    TempDir dir;
    SettingsStore store{dir / "settings.sqlite"};
};

}  // namespace quillory::test
