#pragma once
// Folder and file permissions do not bind root, and CI runs as root. A test
// about them runs its body through this: directly for an ordinary user, and as
// root in a child process that first becomes "nobody". A failure in the child
// fails the calling test.
#include <functional>
#include <string>

namespace quillory::test {

void runUnprivileged(const std::function<void()>& body);

// quillory-list where the unprivileged user can run it: the build's own copy
// may sit below a folder only its owner can enter (a clone under /root), so
// a copy in a temporary folder open to all, made once per test process.
const std::string& listExecutableForAnyone();

}  // namespace quillory::test
