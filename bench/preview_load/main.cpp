// Times the preview window's load of a listing: from showing the window to
// the browser's end of loading. Built and run by bench/preview_load/run.
//
//   preview_load SCRATCH_FILE [TIMEOUT_SECONDS]
//
// Prints one line: the file's size, the load's result and its time, and
// whether the page's process survived.
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cstdio>

#include "ui/auxiliary/frm_preview.h"
#include "ui/auxiliary/prompts.h"

namespace {

// Answers every question with no, so a failure report does not wait for a user.
class SilentPrompts final : public quillory::ui::Prompts {
public:
    void message(QWidget*, const QString& text, const QString&, QMessageBox::Icon) override {
        std::printf("message: %s\n", qPrintable(text));
    }
    QString saveFileName(QWidget*, const quillory::ui::SaveDialogSpec&) override { return {}; }
    QString folderName(QWidget*, const QString&, const QString&) override { return {}; }
    bool ask(QWidget*, const QString& text, const QString&) override {
        asked = text;
        return false;
    }
    QString asked;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: preview_load SCRATCH_FILE [TIMEOUT_SECONDS]\n");
        return 2;
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QString scratch = QString::fromLocal8Bit(argv[1]);
    const int timeoutMs = (argc > 2 ? std::atoi(argv[2]) : 600) * 1000;

    SilentPrompts prompts;
    quillory::ui::frmPreview preview(prompts, scratch);
    auto* web = preview.findChild<QWebEngineView*>("Web");
    QElapsedTimer clock;
    QString outcome = "timed out";
    bool rendererLost = false;
    QObject::connect(web->page(), &QWebEnginePage::loadFinished, &preview, [&](bool ok) {
        outcome = ok ? "loaded" : "load failed";
        QTimer::singleShot(500, &preview, [&] { preview.done(0); });  // let a late failure show
    });
    QObject::connect(web->page(), &QWebEnginePage::renderProcessTerminated, &preview, [&] {
        rendererLost = true;
        if (outcome == "timed out") outcome = "page process lost";
        QTimer::singleShot(500, &preview, [&] { preview.done(0); });
    });
    QTimer::singleShot(timeoutMs, &preview, [&] { preview.done(0); });
    clock.start();
    preview.showListing();
    const qint64 elapsed = clock.elapsed();
    std::printf("%lld bytes: %s in %lld ms%s%s\n", static_cast<long long>(QFileInfo(scratch).size()),
                qPrintable(outcome), static_cast<long long>(elapsed), rendererLost ? ", page process lost" : "",
                prompts.asked.isEmpty() ? "" : ", default browser offered");
    return outcome == "loaded" ? 0 : 1;
}
