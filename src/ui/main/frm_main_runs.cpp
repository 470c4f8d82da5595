// The report run and the spreadsheet run: the walk into the scratch file on
// the worker, then the listing shown or saved.
#include <unistd.h>

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <cstring>
#include <functional>
#include <optional>
#include <utility>

#include "engine/document.h"
#include "platform/app_paths.h"
#include "settings/key_table.h"
#include "settings/store.h"
#include "settings/values.h"
#include "ui/auxiliary/frm_preview.h"
#include "ui/auxiliary/prompts.h"
#include "ui/auxiliary/busy_cursor.h"
#include "ui/auxiliary/worker_task.h"
#include "ui/main/copy_file.h"
#include "ui/main/frm_main.h"

namespace quillory::ui {

namespace {

QString fileName(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

QString reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// The save dialogs start in the program's folder, named without its
// trailing separator (the root stays "/"), when the user may write there;
// an installed program lives in /usr/bin. Else in the user's documents
// folder (XDG_DOCUMENTS_DIR), else at home.
QString saveStartFolder() {
    std::string folder = getAppPath();
    if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (::access(folder.c_str(), W_OK) == 0) return fileName(folder);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

}  // namespace

void frmMain::makeReport(const QString& folder, ReportMode mode) {
    startRun(folder, Format::Html, {}, [this, mode] {
        if (mode == ReportMode::Save) return saveListing(tr("HTML Documents (*.html);;All Files (*.*)"), QStringLiteral("html"));
        showListing();
        endRun();
    });
}

void frmMain::makeSpreadsheet(const QString& folder) {
    startRun(folder, Format::Csv, {},
             [this] { saveListing(tr("Comma Separated Values (*.csv);;All Files (*.*)"), QStringLiteral("csv")); });
}

void frmMain::startRun(const QString& folder, Format format, const std::string& share, std::function<void()> then) {
    m_busy.emplace();
    setRunning(true);
    showUnreadable({});
    m_stop.reset();
    m_progressTimer.start();
    m_runFolder = folder;
    m_runShare = share;
    const bool escapeOnce = std::exchange(m_escapeOnce, false);
    const std::string base = QFile::encodeName(folder).toStdString();
    // The run keeps the log switch it started with; the window may change its own.
    const EventLog log = m_log;
    std::function<WorkerRun()> work = [this, base, share, format, log, escapeOnce] {
        WorkerRun run;
        ListingContext ctx(m_store, m_totals, log, m_stop);
        ctx.progress = &m_progress;
        ctx.escapeText = escapeOnce || flagOn(m_store.read(keys::Escape));
        // A share typed as such shows the letter it stands for in the folder
        // box, but is read as itself: the letter never reaches the store,
        // where a run cut short would leave it taken. Reaching the share may
        // take its whole timeout.
        std::optional<NetworkFolder> resolved = m_drives.resolve(share.empty() ? base : share, &m_stop);
        if (!share.empty() && (!resolved || !resolved->source->open(resolved->path)->readable())) {
            run.mapFailed = true;
            return run;
        }
        std::string path = base;
        if (resolved) {
            ctx.source = resolved->source.get();
            path = resolved->path;
            ctx.NetworkRoot = resolved->NetworkRoot;
            ctx.NetworkPath = resolved->NetworkPath;
            // A folder on a mapped letter is headed as the user typed it
            // ("D:\\sub", not "D:/sub"), like a share path typed as such.
            if (share.empty() && ctx.NetworkPath.empty() && path != base) {
                ctx.NetworkRoot = path;
                ctx.NetworkPath = base;
            }
        }
        if (m_stop.requested()) {
            run.result.outcome = RunResult::Outcome::Stopped;
            return run;
        }
        run.result = format == Format::Html ? buildReport(ctx, path, m_scratch) : buildSpreadsheet(ctx, path, m_scratch);
        return run;
    };
    m_work = runOnWorker<WorkerRun>(this, std::move(work),
                                    [this, then = std::move(then)](WorkerRun run) { scratchBuilt(run, then); });
}

void frmMain::scratchBuilt(const WorkerRun& run, const std::function<void()>& then) {
    m_progressTimer.stop();
    setStatus({});
    if (run.mapFailed) {
        m_busy.reset();
        message(tr("Error mapping to network drive."), {}, QMessageBox::NoIcon);
        return endRun();
    }
    if (run.result.outcome == RunResult::Outcome::Stopped)
        showStopped();
    else
        showUnreadable(run.result.unreadable);
    m_busy.reset();
    if (run.result.outcome == RunResult::Outcome::OutputFailed)
        message(tr("The listing could not be written to %1:\n%2").arg(fileName(m_scratch), reason(run.result.outputError)),
                tr("Error"), QMessageBox::Critical);
    if (run.result.outcome != RunResult::Outcome::Completed || m_closeRequested) return endRun();
    then();
}

void frmMain::endRun() {
    m_busy.reset();
    setRunning(false);
    if (m_closeRequested) QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    Q_EMIT runFinished();
    if (!m_closeRequested && !m_handedFolders.isEmpty())
        QMetaObject::invokeMethod(this, [this] { previewFolder(m_handedFolders.takeFirst()); }, Qt::QueuedConnection);
}

void frmMain::showListing() {
    const QString scratch = fileName(m_scratch);
    if (!mnUseInternalBrowser->isChecked()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(scratch));
        return;
    }
    if (!m_preview) {
        m_preview = std::make_unique<frmPreview>(m_prompts, scratch, this);
        connect(m_preview.get(), &frmPreview::escapeRequested, this, [this] { m_relistEscaped = true; });
    }
    m_preview->setMarkupNames(m_totals.MarkupNames);
    m_preview->showListing();
    // The same folder again, names escaped for this listing only (the stored
    // switch stays as it is), once the caller has ended this run.
    if (std::exchange(m_relistEscaped, false))
        QMetaObject::invokeMethod(
            this,
            [this, folder = m_runFolder, share = m_runShare] {
                if (m_closeRequested) return;
                m_escapeOnce = true;
                startRun(folder, Format::Html, share, [this] {
                    showListing();
                    endRun();
                });
            },
            Qt::QueuedConnection);
}

void frmMain::saveListing(const QString& filter, const QString& suffix) {
    const QString target = m_prompts.saveFileName(this, {filter, suffix, saveStartFolder()});
    if (target.isEmpty()) return endRun();
    m_busy.emplace();
    const std::string scratch = m_scratch;
    const std::string path = QFile::encodeName(target).toStdString();
    m_work = runOnWorker<FileError>(
        this, [scratch, path] { return copyFileSafely(scratch, path); },
        [this, filter, suffix](FileError failure) {
            m_busy.reset();
            if (failure.status) {
                message(tr("Listing was saved to specified file successfully."), tr("Saved"), QMessageBox::Information);
                return endRun();
            }
            // The listing is still in the scratch file: the user may pick another place.
            message(tr("The listing could not be saved to %1:\n%2")
                        .arg(fileName(failure.path), QString::fromLocal8Bit(failure.status.message())),
                    tr("Error"), QMessageBox::Critical);
            saveListing(filter, suffix);
        });
}

void frmMain::showProgress() {
    const std::string folder = m_progress.folder();
    if (!folder.empty()) setStatus(tr("Scanning folder: %1").arg(fileName(folder)));
    m_countPanel->setText(
        tr("%L1 files, %L2 folders").arg(m_progress.files.load()).arg(m_progress.folders.load()));
}

// The listing shows such a folder without files; the status bar says why.
void frmMain::showUnreadable(const std::vector<UnreadFolder>& unreadable) {
    m_countPanel->setToolTip({});
    if (unreadable.empty()) {
        m_countPanel->clear();
        return;
    }
    m_countPanel->setText(unreadable.size() == 1 ? tr("1 folder could not be read")
                                                 : tr("%L1 folders could not be read").arg(unreadable.size()));
    QStringList lines;
    constexpr std::size_t kShown = 20;
    for (std::size_t i = 0; i < unreadable.size() && i < kShown; ++i)
        lines << fileName(unreadable[i].path) + QLatin1String(": ") + reason(unreadable[i].error);
    if (unreadable.size() > kShown) lines << QStringLiteral("...");
    m_countPanel->setToolTip(lines.join(u'\n'));
}

void frmMain::showStopped() {
    m_countPanel->setToolTip({});
    m_countPanel->setText(tr("The run was stopped."));
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
