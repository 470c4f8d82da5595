#pragma once
// Folder and file permissions do not bind root, and CI runs as root. A test
// about them runs its body through this: directly for an ordinary user, and as
// root in a child process that first becomes "nobody". A failure in the child
// fails the calling test.
#include <functional>

namespace quillory::test {

void runUnprivileged(const std::function<void()>& body);

}  // namespace quillory::test
