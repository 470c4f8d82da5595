// Takes the README's pictures of the desktop program: the main window, a run,
// the preview (a short listing and a paged one), the four settings pages, the
// map dialog and the about box. Run by tools/screenshots/take on an Xvfb
// display with a window manager, with HOME pointing at a prepared home folder.
//
//   screenshots OUT_FOLDER SUFFIX LOCALE
//
// writes OUT_FOLDER/<name>SUFFIX.png, with the program's texts in LOCALE.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QWebEngineView>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include "settings/store.h"
#include "ui/app/desktop_start.h"
#include "ui/auxiliary/prompts.h"
#include "ui/auxiliary/translations.h"
#include "ui/main/folder_tree.h"
#include "ui/main/frm_main.h"

namespace {

QString g_out;
QString g_suffix;

void wait(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool waitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// The whole screen, or one window with the window manager's frame.
void save(const QString& name, const QWidget* window = nullptr) {
    std::fprintf(stderr, "screenshots: %s\n", qPrintable(name + g_suffix));
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = window ? window->frameGeometry() : screen->geometry();
    const QPixmap shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    const QString path = QDir(g_out).filePath(name + g_suffix + QStringLiteral(".png"));
    if (!shot.save(path)) std::fprintf(stderr, "screenshots: cannot write %s\n", qPrintable(path));
}

// Runs `shoot` on the modal dialog that `open` brings up, then closes it.
void shootModal(const std::function<void()>& open, const std::function<void(QWidget*)>& shoot) {
    QTimer::singleShot(0, [shoot] {
        if (!waitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000)) return;
        QWidget* dialog = QApplication::activeModalWidget();
        wait(700);
        shoot(dialog);
        dialog->close();
    });
    open();
}

QWidget* topLevel(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible()) return w;
    return nullptr;
}

// A preview that shows its listing: the loading page gone, the view drawn.
// The preview runs its own modal loop, so it is watched by a timer that
// never blocks, and shot from inside that loop.
void shootPreview(quillory::ui::frmMain& window, const QString& name) {
    auto* watch = new QTimer;
    watch->setInterval(200);
    auto shot = std::make_shared<bool>(false);
    QObject::connect(watch, &QTimer::timeout, [watch, name, shot] {
        QWidget* preview = topLevel("frmPreview");
        auto* web = preview ? preview->findChild<QWebEngineView*>(QStringLiteral("Web")) : nullptr;
        if (!web || !web->isVisible()) return;
        watch->stop();
        watch->deleteLater();
        QTimer::singleShot(1500, preview, [preview, name, shot] {
            if (!name.isEmpty()) save(name);
            *shot = true;
            preview->close();
        });
    });
    watch->start();
    window.findChild<QAction*>(QStringLiteral("tbPreview"))->trigger();
    waitFor([&] { return !window.isRunning() && topLevel("frmPreview") == nullptr && *shot; }, 60000);
    wait(300);
}

}  // namespace

int main(int argc, char** argv) {
    // As the program starts: the preview's faces are the program's.
    quillory::ui::prepareDesktopProcess();
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: screenshots OUT_FOLDER SUFFIX LOCALE\n");
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    g_suffix = QString::fromLocal8Bit(argv[2]);
    const quillory::ui::Translations translations{QLocale(QString::fromLocal8Bit(argv[3]))};
    QApplication::setApplicationName(QStringLiteral("quillory"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quillory"), QIcon(QStringLiteral(":/quillory.svg"))));

    const QString home = QDir::homePath();
    const QString projects = home + QStringLiteral("/Projects");
    quillory::SettingsStore store;
    // A window that waits for an answer nobody gives ends the program rather than hanging it.
    QTimer::singleShot(100000, [] {
        save(QStringLiteral("gave-up"));
        std::_Exit(1);
    });
    quillory::ui::DesktopPrompts prompts;
    const QString scratch = QDir(g_out).filePath(QStringLiteral(".scratch.htm"));
    quillory::ui::frmMain window(store, prompts,
                                 {QFile::encodeName(scratch).toStdString(),
                                  QFile::encodeName(QDir(g_out).filePath(QStringLiteral(".log.txt"))).toStdString()});
    window.startUp({});
    window.show();
    auto* tree = window.findChild<quillory::ui::FolderTree*>(QStringLiteral("tv"));
    tree->setSelectedFolder(projects + QStringLiteral("/Reports"));
    window.showSelectedFolder();
    wait(1500);
    save(QStringLiteral("main-window"));

    shootPreview(window, QStringLiteral("preview"));

    // A run caught while it goes: the status bar counts, Stop is the one
    // command on. Its listing's preview is closed unshot.
    tree->setSelectedFolder(projects + QStringLiteral("/Archive"));
    window.showSelectedFolder();
    wait(500);
    auto* counts = window.findChild<QLabel*>(QStringLiteral("SBarCounts"));
    QTimer during;
    during.setInterval(5);
    QObject::connect(&during, &QTimer::timeout, [&] {
        if (!window.isRunning() || !counts->text().contains(QRegularExpression(QStringLiteral("[1-9]")))) return;
        during.stop();
        save(QStringLiteral("main-window-running"));
    });
    during.start();
    shootPreview(window, QString());
    during.stop();

    // A listing of more rows than a page holds: the page buttons show.
    tree->setSelectedFolder(projects + QStringLiteral("/Website"));
    window.showSelectedFolder();
    shootPreview(window, QStringLiteral("preview-paged"));

    const char* const pages[] = {"settings-1-file-filter", "settings-2-output-options", "settings-3-display-columns",
                                 "settings-4-html-style"};
    shootModal([&] { window.findChild<QAction*>(QStringLiteral("tbSettings"))->trigger(); },
               [&](QWidget* dialog) {
                   auto* tabs = dialog->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
                   for (int i = 0; i < tabs->count(); ++i) {
                       tabs->setCurrentIndex(i);
                       wait(400);
                       save(QString::fromLatin1(pages[i]), dialog);
                   }
               });
    shootModal([&] { window.findChild<QAction*>(QStringLiteral("tbMapDrive"))->trigger(); },
               [&](QWidget* dialog) { save(QStringLiteral("map-drive"), dialog); });
    window.findChild<QAction*>(QStringLiteral("mnAbout"))->trigger();
    waitFor([] { return topLevel("frmAbout") != nullptr; }, 5000);
    wait(700);
    if (QWidget* about = topLevel("frmAbout")) {
        save(QStringLiteral("about"), about);
        about->close();
    }
    window.close();
    return 0;
}
