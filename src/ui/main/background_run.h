#pragma once
// Work that must not hold up the window: it runs on a helper thread while
// the caller's thread keeps handling events, and the call returns when the
// work is done. `tick` runs on the caller's thread every `intervalMs`
// meanwhile, to show progress without a repaint per step.
#include <functional>

namespace quillory::ui {

void runInBackground(const std::function<void()>& work, const std::function<void()>& tick, int intervalMs = 100);

}  // namespace quillory::ui
