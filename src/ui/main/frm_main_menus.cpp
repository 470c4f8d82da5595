// The main window's menu bar and toolbar.
#include <QAction>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyle>
#include <QToolBar>
#include <algorithm>

#include "ui/auxiliary/frm_about.h"
#include "ui/main/frm_main.h"

namespace quillory::ui {

namespace {

QAction* menuItem(QMenu* menu, const char* name, const QString& caption, const char* shortcut = nullptr) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    return action;
}

QMenu* menu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

constexpr int kToolIcon = 24;

// The style's icons come in different sizes and with different blank
// margins, so that on the toolbar some look smaller and push their caption
// up. Each is cut to what it draws and fitted into the same square.
QIcon toolbarIcon(const QStyle* look, QStyle::StandardPixmap which) {
    const QIcon icon = look->standardIcon(which);
    QSize largest(64, 64);
    const QList<QSize> sizes = icon.availableSizes();
    if (!sizes.isEmpty())
        largest = *std::max_element(sizes.begin(), sizes.end(),
                                    [](QSize a, QSize b) { return a.width() * a.height() < b.width() * b.height(); });
    const QImage image = icon.pixmap(largest).toImage().convertToFormat(QImage::Format_ARGB32);
    QRect drawn;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0) drawn |= QRect(x, y, 1, 1);
    if (drawn.isEmpty()) return icon;
    const QImage fitted = image.copy(drawn).scaled(kToolIcon, kToolIcon, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage square(kToolIcon, kToolIcon, QImage::Format_ARGB32);
    square.fill(Qt::transparent);
    QPainter(&square).drawImage((kToolIcon - fitted.width()) / 2, (kToolIcon - fitted.height()) / 2, fitted);
    return QIcon(QPixmap::fromImage(square));
}

}  // namespace

void frmMain::buildMenus() {
    QMenuBar* bar = menuBar();
    QStyle* look = style();

    QMenu* mnListing = menu(bar, "mnListing", tr("&Listing"));
    mnOpen = menuItem(mnListing, "mnOpen", tr("&Open Source Folder"), "Ctrl+O");
    mnOpen->setIcon(look->standardIcon(QStyle::SP_DialogOpenButton));
    mnListing->addSeparator();
    mnSave = menuItem(mnListing, "mnSave", tr("Save As &HTM"), "Ctrl+H");
    mnSave->setIcon(look->standardIcon(QStyle::SP_DialogSaveButton));
    mnuSpreadheet = menuItem(mnListing, "mnuSpreadheet", tr("S&ave As Spreadsheet"), "Ctrl+D");
    mnuSpreadheet->setIcon(look->standardIcon(QStyle::SP_FileDialogDetailedView));
    mnPreview = menuItem(mnListing, "mnPreview", tr("&Preview"), "Ctrl+P");
    mnPreview->setIcon(look->standardIcon(QStyle::SP_FileDialogContentsView));
    mnListing->addSeparator();
    mnStop = menuItem(mnListing, "mnStop", tr("&Stop Generation"), "Ctrl+S");
    mnStop->setIcon(look->standardIcon(QStyle::SP_BrowserStop));
    mnListing->addSeparator();
    mnuExit = menuItem(mnListing, "mnuExit", tr("E&xit"), "Ctrl+X");

    QMenu* mnOptions = menu(bar, "mnOptions", tr("&Options"));
    mnSettings = menuItem(mnOptions, "mnSettings", tr("Settings"));
    mnSettings->setIcon(look->standardIcon(QStyle::SP_FileDialogInfoView));
    mnuLog = menuItem(mnOptions, "mnuLog", tr("Log Events"));
    mnuLog->setCheckable(true);
    mnOptions->addSeparator();
    mnUseInternalBrowser = menuItem(mnOptions, "mnUseInternalBrowser", tr("Use internal browser"));
    mnUseInternalBrowser->setCheckable(true);

    QMenu* mnHelp = menu(bar, "mnHelp", tr("&Help"));
    mnucontents = menuItem(mnHelp, "mnucontents", tr("Help Contents"));
    mnucontents->setIcon(look->standardIcon(QStyle::SP_DialogHelpButton));
    mnuWebsite = menuItem(mnHelp, "mnuWebsite", tr("Visit &Website"));
    mnAbout = menuItem(mnHelp, "mnAbout", tr("About"));

    connect(mnOpen, &QAction::triggered, this, &frmMain::openFolder);
    connect(mnSave, &QAction::triggered, this, &frmMain::menuSave);
    connect(mnuSpreadheet, &QAction::triggered, this, &frmMain::menuSpreadsheet);
    connect(mnPreview, &QAction::triggered, this, &frmMain::menuPreview);
    connect(mnStop, &QAction::triggered, this, &frmMain::stopGeneration);
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(mnSettings, &QAction::triggered, this, &frmMain::showSettings);
    connect(mnuLog, &QAction::toggled, this, &frmMain::toggleLog);
    connect(mnucontents, &QAction::triggered, this, &frmMain::helpContents);
    connect(mnuWebsite, &QAction::triggered, this, &frmMain::visitWebsite);
    connect(mnAbout, &QAction::triggered, this, [this] { showAbout(this); });
}

void frmMain::buildToolbar() {
    QToolBar* Toolbar1 = addToolBar(QStringLiteral("Toolbar1"));
    Toolbar1->setObjectName("Toolbar1");
    Toolbar1->setMovable(false);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Toolbar1->setIconSize(QSize(kToolIcon, kToolIcon));
    QStyle* look = style();
    struct Button {
        const char* name;
        const char* caption;
        const char* tip;
        QStyle::StandardPixmap icon;  // when the desktop's icon theme lacks `theme`
        const char* theme;
        void (frmMain::*action)();
    };
    const Button buttons[] = {
        {"tbOpen", QT_TR_NOOP("Open"), QT_TR_NOOP("Open source folder"), QStyle::SP_DialogOpenButton, "document-open", &frmMain::openFolder},
        {"tbSave", QT_TR_NOOP("Save"), QT_TR_NOOP("Save file list to file"), QStyle::SP_DialogSaveButton, "document-save", &frmMain::toolbarSave},
        {"tbPreview", QT_TR_NOOP("Preview"), QT_TR_NOOP("Preview the file listing"), QStyle::SP_FileDialogContentsView,
         "document-print-preview", &frmMain::toolbarPreview},
        {"tbStop", QT_TR_NOOP("Stop"), QT_TR_NOOP("Stop the current operation"), QStyle::SP_BrowserStop, "process-stop", &frmMain::stopGeneration},
        {"tbMapDrive", QT_TR_NOOP("Map Drive"), QT_TR_NOOP("Map network drive"), QStyle::SP_DriveNetIcon, "folder-remote", &frmMain::showMapDialog},
        {"tbSettings", QT_TR_NOOP("Settings"), QT_TR_NOOP("Change settings"), QStyle::SP_FileDialogInfoView, "configure", &frmMain::showSettings},
    };
    for (const Button& button : buttons) {
        const QString theme = QString::fromLatin1(button.theme);
        const QIcon icon = QIcon::hasThemeIcon(theme) ? QIcon::fromTheme(theme) : toolbarIcon(look, button.icon);
        QAction* action = Toolbar1->addAction(icon, tr(button.caption));
        action->setObjectName(button.name);
        action->setToolTip(tr(button.tip));
        connect(action, &QAction::triggered, this, button.action);
    }
    m_toolSave = Toolbar1->findChild<QAction*>(QStringLiteral("tbSave"));
    m_toolPreview = Toolbar1->findChild<QAction*>(QStringLiteral("tbPreview"));
}

}  // namespace quillory::ui
