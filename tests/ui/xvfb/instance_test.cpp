// A second start on a real X display: without a folder its message box,
// titled "Cannot start two instances", is on the screen while the first
// window stays up; with a folder it hands the folder over. A killed first
// start's lock does not block the next.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "support/run_process.h"
#include "support/temp_dir.h"

namespace quillory::test {
namespace {

using namespace std::chrono_literals;

std::string windowNames() { return runProcess({"/usr/bin/xwininfo", "-root", "-tree"}).out; }

bool waitFor(const std::function<bool()>& condition) {
    for (auto end = std::chrono::steady_clock::now() + 15s; std::chrono::steady_clock::now() < end;
         std::this_thread::sleep_for(50ms))
        if (condition()) return true;
    return false;
}

// The folder is handed over as the file manager's verb gives it; the running
// program previews it, and the second ends without a message of its own.
TEST(SecondInstanceOnScreen, ShowsItsMessageOrHandsItsFolderToTheFirst) {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr);
    ASSERT_TRUE(std::filesystem::exists("/usr/bin/xwininfo")) << "xwininfo (x11-utils) is needed to see the windows";
    const TempDir dir;
    const std::string runtime = dir.folder("runtime");
    ::chmod(runtime.c_str(), 0700);
    dir.file("handed/a.txt", 3);
    const std::vector<std::string> env{"XDG_RUNTIME_DIR=" + runtime, "QUILLORY_SETTINGS=" + (dir / "settings.sqlite"),
                                       "QTWEBENGINE_DISABLE_SANDBOX=1", "QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu"};
    const auto shown = [](const char* title) {
        return waitFor([title] { return windowNames().find(title) != std::string::npos; });
    };
    // The first holds its lock before the second starts: other tests' windows
    // on the same display may be titled "Quillory" too.
    const auto holdsLock = [&runtime](int pid) {
        const auto owned = [pid](const std::filesystem::path& lock) {
            int owner = 0;
            return lock.extension() == ".lock" && (std::ifstream(lock) >> owner) && owner == pid;
        };
        return waitFor([&] { return std::ranges::any_of(std::filesystem::directory_iterator(runtime), owned); });
    };
    const int first = startProcess({QUILLORY_EXE}, env);
    const bool firstUp = holdsLock(first) && shown("\"Quillory\"");
    const int second = firstUp ? startProcess({QUILLORY_EXE}, env) : -1;
    const bool messageUp = firstUp && shown("\"Cannot start two instances\"");
    const auto end = [](int pid) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    };
    if (second > 0) end(second);
    const bool storeMade = std::filesystem::exists(dir / "settings.sqlite");
    // The third must end by itself; one that became the program is killed.
    const int third = messageUp ? startProcess({QUILLORY_EXE, dir / "handed"}, env) : -1;
    int thirdStatus = -1;
    const bool thirdEnded = third > 0 && waitFor([&] { return ::waitpid(third, &thirdStatus, WNOHANG) == third; });
    if (third > 0 && !thirdEnded) end(third);
    const bool previewUp = thirdEnded && shown("\"Quillory - Preview & Print\"");
    const std::string windows = windowNames();
    end(first);
    // The lock the killed first left behind does not block the next start.
    const int next = startProcess({QUILLORY_EXE}, env);
    const bool nextTookOver = holdsLock(next);
    end(next);
    ASSERT_TRUE(firstUp);
    EXPECT_TRUE(messageUp);
    EXPECT_FALSE(storeMade);
    EXPECT_TRUE(thirdEnded && WIFEXITED(thirdStatus) && WEXITSTATUS(thirdStatus) == 0) << thirdStatus;
    EXPECT_TRUE(previewUp);
    EXPECT_EQ(windows.find("Cannot start two instances"), std::string::npos);
    EXPECT_TRUE(nextTookOver);
}

}  // namespace
}  // namespace quillory::test
