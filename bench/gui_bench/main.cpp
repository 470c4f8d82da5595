// Times the desktop program's spreadsheet and report runs on one folder,
// offscreen, with the longest gap between the ticks of a 10 ms timer on the
// window's thread (how long the window went without handling events), then
// quillory-list on the same folder; both outputs must match byte for byte.
// Built and run by bench/gui_bench/run.
//
//   gui_bench FOLDER WORK_FOLDER QUILLORY_LIST
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "settings/store.h"
#include "ui/auxiliary/prompts.h"
#include "ui/main/frm_main.h"

namespace {

// Saves to the name it was given; messages are counted, not shown.
class BenchPrompts final : public quillory::ui::Prompts {
public:
    void message(QWidget*, const QString&, const QString&, QMessageBox::Icon) override { ++messages; }
    QString saveFileName(QWidget*, const quillory::ui::SaveDialogSpec&) override { return saveTo; }
    QString folderName(QWidget*, const QString&, const QString&) override { return {}; }
    bool ask(QWidget*, const QString&, const QString&) override { return false; }
    QString saveTo;
    int messages = 0;
};

struct Timing {
    double seconds = 0;
    qint64 stallMs = 0;
};

Timing timeCommand(quillory::ui::frmMain& window, const char* command) {
    QElapsedTimer clock, sinceTick;
    qint64 longest = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
    clock.start();
    sinceTick.start();
    ticks.start(10);
    window.findChild<QAction*>(command)->trigger();
    while (window.isRunning()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return {clock.nsecsElapsed() / 1e9, longest};
}

double timeList(const QString& exe, const QStringList& args) {
    QElapsedTimer clock;
    clock.start();
    if (QProcess::execute(exe, args) != 0) std::fprintf(stderr, "quillory-list failed\n");
    return clock.nsecsElapsed() / 1e9;
}

QByteArray bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: gui_bench FOLDER WORK_FOLDER QUILLORY_LIST\n");
        return 2;
    }
    const QString tree = QFile::decodeName(argv[1]), work = QFile::decodeName(argv[2]);
    const QString list = QFile::decodeName(argv[3]);
    quillory::SettingsStore store;  // QUILLORY_SETTINGS, set by the script
    BenchPrompts prompts;
    prompts.saveTo = work + "/window.csv";
    quillory::ui::frmMain window(store, prompts,
                                 quillory::ui::MainPaths{(work + "/myTmpFile.htm").toStdString(),
                                                         (work + "/log.txt").toStdString()});
    window.startUp({});
    QAction* internal = window.findChild<QAction*>("mnUseInternalBrowser");
    if (internal->isChecked()) internal->trigger();  // the listing goes to the default browser
    window.findChild<QLineEdit*>("txtFolder")->setText(tree);
    const Timing csv = timeCommand(window, "mnuSpreadheet");
    const Timing html = timeCommand(window, "mnPreview");
    rusage self{};
    ::getrusage(RUSAGE_SELF, &self);

    const double listCsv = timeList(list, {"--csv", "-o", work + "/command.csv", tree});
    const double listHtml = timeList(list, {"-o", work + "/command.html", tree});
    const bool same = bytes(work + "/window.csv") == bytes(work + "/command.csv") &&
                      bytes(work + "/myTmpFile.htm") == bytes(work + "/command.html");
    std::printf("%-28s %10s %10s\n", "run", "window s", "command s");
    std::printf("%-28s %10.2f %10.2f\n", "spreadsheet (saved)", csv.seconds, listCsv);
    std::printf("%-28s %10.2f %10.2f\n", "report (default browser)", html.seconds, listHtml);
    std::printf("longest window stall: %lld ms (spreadsheet), %lld ms (report)\n", static_cast<long long>(csv.stallMs),
                static_cast<long long>(html.stallMs));
    // A child's own peak is not told here: until it execs, a forked child
    // counts the window process's pages as its own. The script measures
    // quillory-list's peak separately.
    std::printf("peak memory: window process %ld MB\n", self.ru_maxrss / 1024);
    std::printf("outputs %s\n", same ? "identical" : "DIFFER");
    return same ? 0 : 1;
}
