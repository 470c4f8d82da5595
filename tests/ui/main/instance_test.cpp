// One program per user and display: a second lock on the same file is
// refused, and a lock left by a killed process of the built program does not
// block the next start. (A second start on a real display is in
// ui/xvfb/instance_test.cpp.)
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>

#include "support/run_process.h"
#include "ui/main/instance_lock.h"
#include "ui/main/main_window_fixture.h"

namespace quillory::test {
namespace {

TEST(InstanceLock, ASecondLockOnTheSameFileIsRefused) {
    const TempDir dir;
    const ui::InstanceLock first(QString::fromStdString(dir / "x.lock"));
    const ui::InstanceLock second(QString::fromStdString(dir / "x.lock"));
    EXPECT_TRUE(first.held());
    EXPECT_FALSE(second.held());
}

class Instances : public ::testing::Test {
protected:
    TempDir dir;
    std::string runtime = dir.folder("runtime");
    std::string lockFile = runtime + "/quillory-none.lock";
    std::vector<std::string> env{"QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + runtime,
                                 "QUILLORY_SETTINGS=" + (dir / "settings.sqlite"), "DISPLAY=", "WAYLAND_DISPLAY="};
    std::vector<int> started;

    void SetUp() override { ::chmod(runtime.c_str(), 0700); }
    void TearDown() override {
        for (int pid : started) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
    int start() {
        started.push_back(startProcess({QUILLORY_EXE}, env));
        return started.back();
    }
    int lockOwner() {
        std::ifstream in(lockFile);
        int pid = 0;
        in >> pid;
        return pid;
    }
    bool waitForOwner(int pid) {
        return QTest::qWaitFor([&] { return lockOwner() == pid; }, 10000);
    }
    static bool running(int pid) { return ::waitpid(pid, nullptr, WNOHANG) == 0; }
};

TEST_F(Instances, ALockLeftByAKilledProcessIsTakenOver) {
    const int first = start();
    ASSERT_TRUE(waitForOwner(first));
    ::kill(first, SIGKILL);
    ::waitpid(first, nullptr, 0);
    ASSERT_TRUE(std::filesystem::exists(lockFile));
    const int next = start();
    EXPECT_TRUE(waitForOwner(next));
    EXPECT_TRUE(running(next));
}

}  // namespace
}  // namespace quillory::test
