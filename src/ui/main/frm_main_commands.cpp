// The main window's commands: the folder checks before a run, the Open
// command, the network listing and the commands without a window of their own.
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QUrl>
#include <optional>

#include "log/event_log.h"
#include "settings/store.h"
#include "ui/auxiliary/frm_map.h"
#include "ui/auxiliary/help_file.h"
#include "ui/auxiliary/help_window.h"
#include "ui/auxiliary/prompts.h"
#include "ui/main/browse_folder.h"
#include "ui/auxiliary/worker_task.h"
#include "ui/main/folder_check.h"
#include "ui/main/folder_tree.h"
#include "ui/main/frm_main.h"
#include "ui/main/quick_options.h"
#include "ui/settings/frm_settings.h"

namespace quillory::ui {

void frmMain::message(const QString& text, const QString& title, QMessageBox::Icon icon) {
    m_prompts.message(this, text, title.isEmpty() ? windowTitle() : title, icon);
}

void frmMain::showStoreProblemOnce() {
    const StoreStatus status = m_store.status();
    if (status.state == StoreState::ReadOnly || status.state == StoreState::Unusable) showStoreProblem(status);
}

// One warning a session, whichever comes first: the store's state at start
// or a write that did not reach it later.
void frmMain::showStoreProblem(const StoreStatus& status) {
    if (m_storeProblemShown) return;
    const std::string problem = storeProblemText(status, m_store.path());
    if (problem.empty()) return;
    m_storeProblemShown = true;
    QString text = QString::fromLocal8Bit(problem) + u'.';
    text[0] = text[0].toUpper();
    message(text, QString(), QMessageBox::Warning);
}

// The listing commands are off while a run goes.
void frmMain::runChecked(ListingCommand command) {
    const QString folder = txtFolder->text();
    const FolderCheck check = checkFolder(command, folder);
    using Next = FolderCheck::Next;
    switch (check.next) {
    case Next::Nothing:
        return;
    case Next::Message:
        message(check.text, check.title, check.icon);
        return;
    case Next::Report:
        makeReport(folder, check.mode);
        return;
    case Next::NetworkReport:
        listNetworkFolder(folder);
        return;
    case Next::Spreadsheet:
        makeSpreadsheet(folder);
        return;
    case Next::ReportIfExists:
        reportIfExists(folder, check.mode);
        return;
    }
}

// The folder is looked for through the source the run would read it with:
// a mapped letter or a share is asked on the worker.
void frmMain::reportIfExists(const QString& folder, ReportMode mode) {
    m_busy.emplace();
    setRunning(true);
    m_stop.reset();
    const std::string base = QFile::encodeName(folder).toStdString();
    m_work = runOnWorker<bool>(
        this,
        [this, base] {
            std::optional<NetworkFolder> share = m_drives.resolve(base, &m_stop);
            if (!share) return QFileInfo(QFile::decodeName(QByteArray::fromStdString(base))).exists();
            return share->source->open(share->path)->readable();
        },
        [this, folder, mode](bool exists) {
            m_busy.reset();
            setRunning(false);
            if (exists) return makeReport(folder, mode);
            message(tr("Invalid folder specified."), tr("Error"), QMessageBox::Critical);
            Q_EMIT runFinished();
        });
}

void frmMain::toolbarPreview() {
    m_stop.reset();
    runChecked(ListingCommand::ToolbarPreview);
}
void frmMain::menuPreview() { runChecked(ListingCommand::MenuPreview); }
void frmMain::toolbarSave() { runChecked(ListingCommand::ToolbarSave); }
void frmMain::menuSave() { runChecked(ListingCommand::MenuSave); }
void frmMain::menuSpreadsheet() { runChecked(ListingCommand::MenuSpreadsheet); }

void frmMain::stopGeneration() { m_stop.request(); }

void frmMain::openFolder() {
    const QString chosen = browseFolder(m_prompts, this);
    if (chosen.isEmpty()) return;
    txtFolder->setText(chosen);
    tv->setSelectedFolder(chosen);
    txtFolder->setText(chosen);
    setStatus(tr("Selected folder: %1").arg(txtFolder->text()));
}

void frmMain::listNetworkFolder(const QString& path) {
    const std::string letter = m_drives.getFreeDriveLetter();
    txtFolder->setText(QString::fromStdString(letter) + QLatin1String(":\\"));
    startRun(txtFolder->text(), Format::Html, QFile::encodeName(path).toStdString(), [this] {
        showListing();
        endRun();
    });
}

void frmMain::toggleLog(bool on) {
    m_log.LoggingOn = on;
    if (!on) return;
    startLog(m_log);
    logSettings(m_log, m_store);
}

void frmMain::showSettings() {
    frmSettings dialog(m_store, m_log, this);
    connect(&dialog, &frmSettings::optionsSaved, this, [this] { restoreOptions(m_store, m_options); });
    if (dialog.exec() == QDialog::Accepted) showStoreProblemOnce();
}

void frmMain::showMapDialog() {
    frmmap dialog(m_drives, m_prompts, this);
    dialog.exec();
}

void frmMain::helpContents() { openHelp(this, QUrl::fromLocalFile(helpFilePath())); }

void frmMain::visitWebsite() { QDesktopServices::openUrl(QUrl(productWebAddress())); }

}  // namespace quillory::ui
