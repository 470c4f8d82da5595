// One program per user and display: a second lock on the same file is
// refused. (Second starts of the built program, and a lock a killed one left,
// are in ui/xvfb/instance_test.cpp.)
#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "ui/main/instance_lock.h"

namespace quillory::test {
namespace {

TEST(InstanceLock, ASecondLockOnTheSameFileIsRefused) {
    const TempDir dir;
    const ui::InstanceLock first(QString::fromStdString(dir / "x.lock"));
    const ui::InstanceLock second(QString::fromStdString(dir / "x.lock"));
    EXPECT_TRUE(first.held());
    EXPECT_FALSE(second.held());
}

}  // namespace
}  // namespace quillory::test
