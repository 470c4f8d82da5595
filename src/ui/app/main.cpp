// quillory: the desktop program.
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QStringList>

#include "log/event_log.h"
#include "settings/store.h"
#include "ui/app/desktop_start.h"
#include "ui/auxiliary/prompts.h"
#include "ui/auxiliary/translations.h"
#include "ui/main/folder_handoff.h"
#include "ui/main/frm_main.h"
#include "ui/main/instance_lock.h"

int main(int argc, char** argv) {
    quillory::ui::prepareDesktopProcess();
    QApplication app(argc, argv);
    // Ties the windows to the desktop entry and its icon (Wayland matches by this name).
    QApplication::setApplicationName(QStringLiteral("quillory"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLORY_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("quillory"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quillory"), QIcon(QStringLiteral(":/quillory.svg"))));
    const quillory::ui::Translations translations(QLocale::system());
    quillory::ui::DesktopPrompts prompts;

    // The command line is one folder path; an unquoted path with blanks
    // arrives in pieces.
    QStringList words = QApplication::arguments();
    words.removeFirst();
    QString folder = words.join(QLatin1Char(' '));
    const QFileInfo given(folder);
    if (!folder.isEmpty() && given.isRelative() && given.exists()) folder = given.absoluteFilePath();

    const quillory::ui::InstanceLock instance;
    const QString socket = quillory::ui::FolderHandoff::socketPath(instance.path());
    if (!instance.held()) {
        if (!folder.isEmpty() && quillory::ui::FolderHandoff::send(socket, folder)) return 0;
        prompts.message(nullptr, QCoreApplication::translate("quillory::ui::frmMain", "Another instance already running."),
                        QCoreApplication::translate("quillory::ui::frmMain", "Cannot start two instances"),
                        QMessageBox::Information);
        return 0;
    }

    quillory::guardEventLogs();
    quillory::SettingsStore store;
    quillory::ui::frmMain window(store, prompts);
    QObject::connect(&window, &quillory::ui::frmMain::closed, &app, &QCoreApplication::quit);
    quillory::ui::FolderHandoff handoff;
    QObject::connect(&handoff, &quillory::ui::FolderHandoff::folderReceived, &window, &quillory::ui::frmMain::takeFolder);
    handoff.listen(socket);
    window.startUp(folder);
    window.show();
    return app.exec();
}
