// Times the preview window on one listing: from showing the window to the
// first screen of rows, each page step, the way to the last page, Save and
// (with PRINT) Print to PDF, and the peak memory of the program and of the
// browser's processes. Built and run by bench/preview_load/run.
//
//   preview_load SCRATCH_FILE OUT_FOLDER [TIMEOUT_SECONDS] [print]
//
// Prints one line per measure. PAGE_ROWS and PAGE_KB set another page size.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <fstream>
#include <string>

#include "ui/auxiliary/frm_preview.h"
#include "ui/auxiliary/prompts.h"

namespace {

// Saves to the name it was given and records the messages.
class BenchPrompts final : public quillory::ui::Prompts {
public:
    void message(QWidget*, const QString& text, const QString&, QMessageBox::Icon) override {
        ++messages;
        last = text;
    }
    QString saveFileName(QWidget*, const quillory::ui::SaveDialogSpec&) override { return saveTo; }
    QString folderName(QWidget*, const QString&, const QString&) override { return {}; }
    bool ask(QWidget*, const QString& text, const QString&) override {
        last = text;
        return false;
    }
    QString saveTo;
    QString last;
    int messages = 0;
};

// A "VmHWM:"-style line of /proc/PID/status, in kB.
long statusKb(const std::string& pid, const char* field) {
    std::ifstream in("/proc/" + pid + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::strlen(field)));
    return 0;
}

// The resident memory of the browser's helper processes (children of this
// one), summed, in kB.
long browserRssKb() {
    long sum = 0;
    const QString self = QString::number(QCoreApplication::applicationPid());
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        pid.toLong(&number);
        if (!number) continue;
        std::ifstream stat(("/proc/" + pid + "/stat").toStdString());
        std::string text((std::istreambuf_iterator<char>(stat)), {});
        const auto close = text.rfind(')');
        if (close == std::string::npos) continue;
        // pid (comm) state ppid ...
        const QStringList fields = QString::fromStdString(text.substr(close + 2)).split(' ');
        if (fields.size() > 1 && fields[1] == self) sum += statusKb(pid.toStdString(), "VmRSS:");
    }
    return sum;
}

// Lets the window work until `done` holds or `timeoutMs` passed.
template <class Done>
bool waitFor(Done done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

QAction* button(QWidget* preview, const QString& caption) {
    for (QAction* action : preview->findChild<QToolBar*>("Toolbar1")->actions())
        if (action->text() == caption) return action;
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: preview_load SCRATCH_FILE OUT_FOLDER [TIMEOUT_SECONDS] [print]\n");
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each measure as soon as it is made
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QString scratch = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    const int timeoutMs = (argc > 3 ? std::atoi(argv[3]) : 600) * 1000;
    const bool print = argc > 4 && std::string(argv[4]) == "print";

    BenchPrompts prompts;
    prompts.saveTo = out + "/saved.html";
    quillory::ui::frmPreview preview(prompts, scratch);
    // PAGE_ROWS / PAGE_KB: another page size than the window's own, to compare.
    quillory::ui::ListingPageLimits limits;
    if (const char* rows = std::getenv("PAGE_ROWS")) limits.rows = std::strtoull(rows, nullptr, 10);
    if (const char* kb = std::getenv("PAGE_KB")) limits.bytes = std::strtoull(kb, nullptr, 10) * 1024;
    preview.setPageLimits(limits);
    auto* web = preview.findChild<QWebEngineView*>("Web");
    long browserPeak = 0;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] { browserPeak = std::max(browserPeak, browserRssKb()); });
    sampler.start(100);
    int loads = 0;
    bool lastOk = false;
    QObject::connect(web->page(), &QWebEnginePage::loadFinished, [&](bool ok) {
        ++loads;
        lastOk = ok;
    });
    const auto waitLoad = [&](int before) { return waitFor([&] { return loads > before; }, timeoutMs) && lastOk; };
    const auto ms = [](QElapsedTimer& clock) { return static_cast<long long>(clock.elapsed()); };

    QTimer::singleShot(0, &preview, [&] {
        QElapsedTimer clock;
        clock.start();
        if (!waitLoad(0)) {
            std::printf("first screen: failed (%s)\n", qPrintable(prompts.last));
            preview.done(0);
            return;
        }
        std::printf("first screen: %lld ms, %zu pages\n", ms(clock), preview.pageCount());
        long long stepMax = 0, stepSum = 0;
        int steps = 0;
        for (; steps < 5 && preview.currentPage() + 1 < preview.pageCount(); ++steps) {
            clock.restart();
            const int before = loads;
            button(&preview, "Next")->trigger();
            if (!waitLoad(before)) break;
            stepMax = std::max(stepMax, ms(clock));
            stepSum += ms(clock);
        }
        if (steps > 0) std::printf("page step: %lld ms mean, %lld ms max (%d steps)\n", stepSum / steps, stepMax, steps);
        if (preview.pageCount() > 1) {
            // The part of a step that is not the browser's: cutting a page from the file.
            auto pages = quillory::ui::ListingPages::index(QFile::encodeName(scratch).toStdString(), limits);
            const std::size_t cuts = std::min<std::size_t>(pages.value()->pageCount(), 20);
            QElapsedTimer cut;
            cut.start();
            std::size_t bytes = 0;
            for (std::size_t k = 0; k < cuts; ++k) bytes += pages.value()->page(k).value().size();
            std::printf("page cut: %.2f ms mean (%zu pages, %zu KB mean)\n", cut.nsecsElapsed() / 1e6 / cuts, cuts,
                        bytes / cuts / 1024);
        }
        if (preview.pageCount() > 1) {
            int before = loads;
            button(&preview, "First")->trigger();
            waitLoad(before);
            clock.restart();
            before = loads;
            button(&preview, "Last")->trigger();
            if (waitLoad(before)) std::printf("last page: %lld ms\n", ms(clock));
        }
        clock.restart();
        const int messages = prompts.messages;
        button(&preview, "Save")->trigger();
        if (waitFor([&] { return prompts.messages > messages; }, timeoutMs))
            std::printf("save: %lld ms, %lld bytes (%s)\n", ms(clock),
                        static_cast<long long>(QFileInfo(prompts.saveTo).size()), qPrintable(prompts.last));
        if (print) {
            const QString pdf = out + "/listing.pdf";
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
                if (dialog == nullptr) return;
                auto* printers = dialog->findChild<QComboBox*>("printers");
                printers->setCurrentIndex(printers->findText("Print to File (PDF)"));
                dialog->findChild<QLineEdit*>("filename")->setText(pdf);
                dialog->accept();
            });
            clock.restart();
            button(&preview, "Print")->trigger();
            if (waitFor([&] { return QFileInfo::exists(pdf); }, timeoutMs))
                std::printf("print to PDF: %lld ms, %lld bytes\n", ms(clock),
                            static_cast<long long>(QFileInfo(pdf).size()));
            else
                std::printf("print to PDF: not done in time (%s)\n", qPrintable(prompts.last));
        }
        preview.done(0);
    });
    preview.showListing();
    sampler.stop();
    browserPeak = std::max(browserPeak, browserRssKb());
    std::printf("peak memory: program %ld MB (VmHWM), browser processes %ld MB (sampled RSS sum)\n",
                statusKb("self", "VmHWM:") / 1024, browserPeak / 1024);
    return 0;
}
