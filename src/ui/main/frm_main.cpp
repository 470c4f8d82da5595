#include "ui/main/frm_main.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/app_paths.h"
#include "settings/store.h"
#include "settings/values.h"
#include "ui/auxiliary/frm_preview.h"
#include "ui/auxiliary/prompts.h"
#include "ui/main/folder_tree.h"
#include "ui/main/long_path.h"
#include "ui/main/quick_options.h"

namespace quillory::ui {

namespace {

QRadioButton* optionButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QGroupBox* frame(const char* name, const QString& caption, QWidget* parent) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    return box;
}

}  // namespace

MainPaths MainPaths::beside() { return {scratchFilePath(), logFilePath()}; }

frmMain::frmMain(SettingsStore& store, Prompts& prompts, MainPaths paths, QWidget* parent)
    : QMainWindow(parent), m_store(store), m_prompts(prompts), m_scratch(std::move(paths.scratch)), m_mappings(store), m_drives(m_mappings, &m_passwordPrompt) {
    setObjectName("frmMain");
    setWindowTitle(kAppTitle);
    m_log.path = std::move(paths.log);
    if (QFontDatabase::families().contains(QStringLiteral("Verdana")))
        setFont(QFont(QStringLiteral("Verdana"), font().pointSize()));
    buildControls();
    buildMenus();
    buildToolbar();
    connectOptions();
    setAcceptDrops(true);
    m_progressTimer.setInterval(100);
    connect(&m_progressTimer, &QTimer::timeout, this, &frmMain::showProgress);
    resize(680, 520);
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + area.width() / 2 - width() / 2, area.y() + area.height() / 2 - height() / 2);
    }
    showSelectedFolder();
}

frmMain::~frmMain() {
    // The worker uses this window's store, totals and scratch file.
    m_stop.request();
    m_work.waitForFinished();
}

void frmMain::buildControls() {
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);

    auto* options = new QVBoxLayout;
    QGroupBox* Frame5 = frame("Frame5", tr("Sort files by order :"), central);
    auto* orders = new QGridLayout(Frame5);
    m_options.optNoOrder = optionButton("optNoOrder", tr("No order"), Frame5);
    m_options.optNameOrder = optionButton("optNameOrder", tr("Name"), Frame5);
    m_options.optSizeOrder = optionButton("optSizeOrder", tr("Size"), Frame5);
    m_options.optExtOrder = optionButton("optExtOrder", tr("Extension"), Frame5);
    m_options.optTypeOrder = optionButton("optTypeOrder", tr("Type"), Frame5);
    m_options.optDateOrder = optionButton("optDateOrder", tr("Date"), Frame5);
    orders->addWidget(m_options.optNoOrder, 0, 0);
    orders->addWidget(m_options.optNameOrder, 0, 1);
    orders->addWidget(m_options.optSizeOrder, 1, 0);
    orders->addWidget(m_options.optExtOrder, 1, 1);
    orders->addWidget(m_options.optTypeOrder, 2, 0);
    orders->addWidget(m_options.optDateOrder, 2, 1);
    options->addWidget(Frame5);

    QGroupBox* Frame6 = frame("Frame6", tr("Recursion options"), central);
    auto* recursion = new QVBoxLayout(Frame6);
    m_options.optRecurseInfinite = optionButton("optRecurseInfinite", tr("Recurse folder infinitely"), Frame6);
    m_options.optNoRecursion = optionButton("optNoRecursion", tr("Do not recurse folder"), Frame6);
    recursion->addWidget(m_options.optRecurseInfinite);
    recursion->addWidget(m_options.optNoRecursion);
    options->addWidget(Frame6);

    QGroupBox* Frame1 = frame("Frame1", tr("File Filter"), central);
    auto* filter = new QVBoxLayout(Frame1);
    m_options.txtfilter = new QLineEdit(Frame1);
    m_options.txtfilter->setObjectName("txtfilter");
    filter->addWidget(m_options.txtfilter);
    options->addWidget(Frame1);
    options->addStretch(1);
    columns->addLayout(options);

    QGroupBox* Frame2 = frame("Frame2", tr("Source Folder"), central);
    auto* source = new QVBoxLayout(Frame2);
    tv = new FolderTree(Frame2);
    txtFolder = new QLineEdit(Frame2);
    txtFolder->setObjectName("txtFolder");
    source->addWidget(tv, 1);
    source->addWidget(txtFolder);
    columns->addWidget(Frame2, 1);
    setCentralWidget(central);

    QStatusBar* SBar = statusBar();
    SBar->setObjectName("SBar");
    m_statusPanel = new QLabel(SBar);
    m_statusPanel->setObjectName("SBarPanel1");
    m_statusPanel->setTextFormat(Qt::PlainText);
    SBar->addWidget(m_statusPanel, 1);
    m_countPanel = new QLabel(SBar);
    m_countPanel->setObjectName("SBarCounts");
    SBar->addPermanentWidget(m_countPanel);

    connect(tv, &FolderTree::selectionChanged, this, &frmMain::showSelectedFolder);
}

void frmMain::connectOptions() {
    const MainOptionControls& o = m_options;
    for (QRadioButton* button :
         {o.optNoOrder, o.optNameOrder, o.optSizeOrder, o.optExtOrder, o.optTypeOrder, o.optDateOrder})
        connect(button, &QRadioButton::clicked, this, [this] {
            saveOrder(m_store, m_options);
            showStoreProblemOnce();
        });
    for (QRadioButton* button : {o.optRecurseInfinite, o.optNoRecursion})
        connect(button, &QRadioButton::clicked, this, [this] {
            saveRecursion(m_store, m_options);
            showStoreProblemOnce();
        });
    connect(o.txtfilter, &QLineEdit::textEdited, this, [this] {
        saveFilter(m_store, m_options);
        showStoreProblemOnce();
    });
}

void frmMain::startUp(const QString& commandLine) {
    mnUseInternalBrowser->setChecked(leadingNumber(m_store.read(keys::Browser)) != 0);
    if (!commandLine.isEmpty()) previewFolder(commandLine);
    restoreOptions(m_store, mainOptionControls());
    reportStore();
}

// Once, at start: a damaged store is set aside now rather than at some later
// click, and the user learns where it went; an unusable one is named too.
void frmMain::reportStore() {
    if (m_store.status().state == StoreState::Damaged)
        (void)m_store.write(keys::Browser, boolToFlag(mnUseInternalBrowser->isChecked()));
    showStoreProblem(m_store.status());
}

void frmMain::previewFolder(const QString& folder) {
    txtFolder->setText(getLongPath(folder));
    mnPreview->trigger();
}

void frmMain::takeFolder(const QString& folder) {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    if (m_running)
        m_handedFolders << folder;
    else
        previewFolder(folder);
}

QString frmMain::statusText() const { return m_statusPanel->text(); }

void frmMain::setStatus(const QString& text) { m_statusPanel->setText(text); }

void frmMain::showSelectedFolder() {
    const QString selected = tv->selectedFolder();
    if (selected == QLatin1String(FolderTree::kDesktop))
        txtFolder->setText(FolderTree::specialFolderPath(FolderTree::kDesktopDirectory));
    else if (selected == QLatin1String(FolderTree::kMyComputer))
        txtFolder->clear();
    else
        txtFolder->setText(selected);
    setStatus(tr("Selected folder: %1").arg(txtFolder->text()));
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (m_running) {
        // The run ends at its next check; the window closes when it has.
        m_stop.request();
        m_closeRequested = true;
        event->ignore();
        return;
    }
    (void)m_store.write(keys::Browser, boolToFlag(mnUseInternalBrowser->isChecked()));
    m_preview.reset();
    event->accept();
    Q_EMIT closed();
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.front().isLocalFile() && QFileInfo(urls.front().toLocalFile()).isDir())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile()) return;
    txtFolder->setText(QDir::cleanPath(urls.front().toLocalFile()));
    setStatus(tr("Selected folder: %1").arg(txtFolder->text()));
    event->acceptProposedAction();
}

}  // namespace quillory::ui
