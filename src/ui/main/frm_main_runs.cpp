// The report run and the spreadsheet run: the walk into the scratch file on
// a helper thread, then the listing shown or saved.
#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QStringList>
#include <QLabel>
#include <QUrl>
#include <cstring>
#include <optional>

#include "engine/document.h"
#include "platform/app_paths.h"
#include "ui/auxiliary/frm_preview.h"
#include "ui/auxiliary/prompts.h"
#include "ui/main/background_run.h"
#include "ui/auxiliary/busy_cursor.h"
#include "ui/main/copy_file.h"
#include "ui/main/frm_main.h"

namespace quillory::ui {

namespace {

QString fileName(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

QString reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// The save dialogs start in the program's folder, named without its
// trailing separator (the root stays "/").
QString programFolder() {
    std::string folder = getAppPath();
    if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return fileName(folder);
}

}  // namespace

void frmMain::makeReport(const QString& folder, std::int16_t mode) {
    if (!buildScratch(folder, Format::Html)) return;
    if (mode == 0)
        showListing();
    else
        saveListing("HTML Documents (*.html);;All Files (*.*)", "html");
}

void frmMain::makeSpreadsheet(const QString& folder) {
    if (!buildScratch(folder, Format::Csv)) return;
    saveListing("Comma Separated Values (*.csv);;All Files (*.*)", "csv");
}

bool frmMain::buildScratch(const QString& folder, Format format) {
    if (m_running) return false;
    BusyCursor busy;
    setRunning(true);
    showUnreadable({});
    m_stop.reset();
    const std::string base = QFile::encodeName(folder).toStdString();
    const std::string& scratch = m_scratch;
    // The run keeps the log switch it started with; the window may change its own.
    const EventLog log = m_log;
    const std::string typedNetworkPath = NetworkPath;
    RunResult result;
    runInBackground(
        [&] {
            ListingContext ctx(m_store, m_totals, log, m_stop);
            ctx.progress = &m_progress;
            std::string path = base;
            std::optional<NetworkFolder> share = m_drives.resolve(base, &m_stop);
            if (share) {
                ctx.source = share->source.get();
                path = share->path;
                ctx.NetworkRoot = share->NetworkRoot;
                ctx.NetworkPath = share->NetworkPath;
            }
            if (!typedNetworkPath.empty()) ctx.NetworkPath = typedNetworkPath;
            if (m_stop.requested()) {
                result.outcome = RunResult::Outcome::Stopped;
                return;
            }
            result = format == Format::Html ? buildReport(ctx, path, scratch) : buildSpreadsheet(ctx, path, scratch);
        },
        [this] { showProgress(); });
    setStatus({});
    showUnreadable(result.unreadable);
    setRunning(false);
    busy.restore();
    if (result.outcome == RunResult::Outcome::OutputFailed)
        message("The listing could not be written to " + fileName(scratch) + ":\n" + reason(result.outputError),
                "Error", QMessageBox::Critical);
    if (m_closeRequested) QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    return result.outcome == RunResult::Outcome::Completed && !m_closeRequested;
}

void frmMain::showListing() {
    const QString scratch = fileName(m_scratch);
    if (!mnUseInternalBrowser->isChecked()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(scratch));
        return;
    }
    if (!m_preview) m_preview = std::make_unique<frmPreview>(m_prompts, scratch, nullptr);
    m_preview->showListing();
}

void frmMain::saveListing(const QString& filter, const QString& suffix) {
    const QString target = m_prompts.saveFileName(this, {filter, suffix, programFolder()});
    if (target.isEmpty()) return;
    BusyCursor busy;
    setRunning(true);
    FileError failure;
    runInBackground([&] { failure = copyFileSafely(m_scratch, QFile::encodeName(target).toStdString()); }, {});
    setRunning(false);
    busy.restore();
    if (!failure.status)
        message("The listing could not be saved to " + fileName(failure.path) + ":\n" +
                    QString::fromLocal8Bit(failure.status.message()), "Error",
                QMessageBox::Critical);
    else
        message("Listing was saved to specified file successfully.", "Saved", QMessageBox::Information);
    if (m_closeRequested) QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void frmMain::showProgress() {
    const std::string folder = m_progress.folder();
    if (!folder.empty()) setStatus("Scanning folder: " + fileName(folder));
    m_countPanel->setText(
        QString("%L1 files, %L2 folders").arg(m_progress.files.load()).arg(m_progress.folders.load()));
}

// The listing shows such a folder without files; the status bar says why.
void frmMain::showUnreadable(const std::vector<UnreadFolder>& unreadable) {
    m_countPanel->setToolTip({});
    if (unreadable.empty()) {
        m_countPanel->clear();
        return;
    }
    m_countPanel->setText(unreadable.size() == 1 ? QString("1 folder could not be read")
                                                 : QString("%L1 folders could not be read").arg(unreadable.size()));
    QStringList lines;
    constexpr std::size_t kShown = 20;
    for (std::size_t i = 0; i < unreadable.size() && i < kShown; ++i)
        lines << fileName(unreadable[i].path) + ": " + reason(unreadable[i].error);
    if (unreadable.size() > kShown) lines << "...";
    m_countPanel->setToolTip(lines.join('\n'));
}

void frmMain::setRunning(bool running) {
    m_running = running;
    for (QAction* command : {mnSave, mnuSpreadheet, mnPreview, m_toolSave, m_toolPreview})
        command->setEnabled(!running);
    if (running) {
        m_progress.folders = 0;
        m_progress.files = 0;
        m_progress.bytes = 0;
        m_progress.setFolder({});
    }
}

}  // namespace quillory::ui
