// The desktop program's runs timed against quillory-list on the same tree,
// in one process run: QUILLORY_GUI_BENCH names the tree (bench/gui_bench
// makes one); without it the test is skipped.
#include <sys/resource.h>

#include <QElapsedTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "settings/key_table.h"
#include "support/run_process.h"
#include "ui/main/main_window_fixture.h"
#include "ui/main/stall_meter.h"

namespace quillory::test {
namespace {

struct Timing {
    double seconds = 0;
    qint64 stallMs = 0;
};

class GuiBench : public MainWindowTest {
protected:
    Timing timeCommand(const char* command) {
        StallMeter stalls;
        QElapsedTimer clock;
        clock.start();
        action(command)->trigger();
        finishRun();
        return {clock.nsecsElapsed() / 1e9, stalls.longestMs()};
    }
    double timeList(const std::vector<std::string>& args) {
        const auto start = std::chrono::steady_clock::now();
        const ProcessResult result = runProcess(args, {"QUILLORY_SETTINGS=" + store.path()});
        EXPECT_EQ(result.status, 0) << result.err;
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
};

TEST_F(GuiBench, RunsAgainstTheCommand) {
    const char* tree = std::getenv("QUILLORY_GUI_BENCH");
    if (tree == nullptr) GTEST_SKIP() << "set QUILLORY_GUI_BENCH to a folder to time";
    window->startUp({});
    useDefaultBrowser();
    folderBox()->setText(QFile::decodeName(tree));
    prompts.saveNames.push_back(QString::fromStdString(dir / "window.csv"));
    const Timing csv = timeCommand("mnuSpreadheet");
    const Timing html = timeCommand("mnPreview");
    rusage self{};
    ::getrusage(RUSAGE_SELF, &self);

    const double listCsv = timeList({QUILLORY_LIST_EXE, "--csv", "-o", dir / "command.csv", tree});
    const double listHtml = timeList({QUILLORY_LIST_EXE, "-o", dir / "command.html", tree});
    EXPECT_EQ(readBytes(dir / "window.csv"), readBytes(dir / "command.csv"));
    EXPECT_EQ(readBytes(scratch), readBytes(dir / "command.html"));
    EXPECT_LE(std::max(csv.stallMs, html.stallMs), 100);
    std::printf("%-28s %10s %10s\n", "run", "window s", "command s");
    std::printf("%-28s %10.2f %10.2f\n", "spreadsheet (saved)", csv.seconds, listCsv);
    std::printf("%-28s %10.2f %10.2f\n", "report (default browser)", html.seconds, listHtml);
    std::printf("longest window stall: %lld ms (spreadsheet), %lld ms (report)\n", static_cast<long long>(csv.stallMs),
                static_cast<long long>(html.stallMs));
    // A child's own peak is not told here: until it execs, a forked child
    // counts the window process's pages as its own. bench/gui_bench measures
    // quillory-list's peak separately.
    std::printf("peak memory: window process %ld MB\n", self.ru_maxrss / 1024);
}

}  // namespace
}  // namespace quillory::test
