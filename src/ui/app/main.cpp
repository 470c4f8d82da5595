// quillory: the desktop program.
#include <QApplication>
#include <QStringList>

#include "log/event_log.h"
#include "platform/process_setup.h"
#include "settings/store.h"
#include "ui/auxiliary/prompts.h"
#include "ui/main/frm_main.h"
#include "ui/main/instance_lock.h"

int main(int argc, char** argv) {
    quillory::prepareProcess();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    quillory::ui::DesktopPrompts prompts;

    const quillory::ui::InstanceLock instance;
    if (!instance.held()) {
        prompts.message(nullptr, "Another instance already running.", "Cannot start two instances",
                        QMessageBox::Information);
        return 0;
    }

    // The command line is one folder path; an unquoted path with blanks
    // arrives in pieces.
    QStringList words = QApplication::arguments();
    words.removeFirst();
    quillory::guardEventLogs();
    quillory::SettingsStore store;
    quillory::ui::frmMain window(store, prompts);
    QObject::connect(&window, &quillory::ui::frmMain::closed, &app, &QCoreApplication::quit);
    window.startUp(words.join(' '));
    window.show();
    return app.exec();
}
