#include "ui/auxiliary/help_window.h"

#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QWebEngineView>
#include <QWidget>

#include "ui/auxiliary/preview_page.h"
#include "ui/auxiliary/prompts.h"

namespace quillory::ui {
namespace {

void showGuideWindow(QWidget* owner, const QUrl& guide) {
    // The first web view starts the engine; a preview after it still needs its scheme.
    registerListingScheme();
    auto* window = new QWebEngineView(owner);
    window->setObjectName(QStringLiteral("helpWindow"));
    window->setWindowFlag(Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(kAppTitle);
    window->resize(800, 600);
    window->load(guide);
    window->show();
}

}  // namespace

void openHelp(QWidget* owner, const QUrl& guide) {
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        showGuideWindow(owner, guide);
        return;
    }
    // No parent: a handler still running when the window closes (a browser
    // that xdg-open waits for) must not be killed with it.
    auto* process = new QProcess;
    const QPointer<QWidget> window(owner);
    const auto fallBack = [process, window, guide] {
        process->deleteLater();
        if (window) showGuideWindow(window, guide);
    };
    QObject::connect(process, &QProcess::finished, process,
                     [process, fallBack](int code, QProcess::ExitStatus status) {
                         if (status == QProcess::NormalExit && code == 0)
                             process->deleteLater();
                         else
                             fallBack();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process, [fallBack](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) fallBack();
    });
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    process->start(opener, {guide.isLocalFile() ? guide.toLocalFile() : guide.toString()});
}

}  // namespace quillory::ui
