#pragma once
// The main window: the quick options, the source folder, the menus and the
// toolbar, and the two runs that turn a folder into a listing.
//
// A run walks on Qt's thread pool (worker_task.h) while this thread keeps
// the window alive: the status bar shows the walk's progress a few times a
// second, Stop raises the run's stop token, and the listing commands are off
// until the run ends. A run's steps (walk, show or save) chain through
// finished handlers; runFinished() follows the last one. The window reads every option from the store when it
// needs it and writes the quick options the moment they change.
#include <QMainWindow>
#include <QFuture>
#include <QMessageBox>
#include <QTimer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/listing.h"
#include "log/event_log.h"
#include "platform/stop_token.h"
#include "net/network_drives.h"
#include "settings/mapped_drives.h"
#include "settings/store_status.h"
#include "ui/auxiliary/password_prompt.h"
#include "ui/auxiliary/busy_cursor.h"
#include "ui/main/folder_check.h"
#include "ui/main/main_option_controls.h"

class QAction;
class QLabel;
class QLineEdit;

namespace quillory {
class SettingsStore;
}

namespace quillory::ui {

class FolderTree;
class Prompts;
class frmPreview;

// The program's own files: the scratch file every run rewrites and the event log.
struct MainPaths {
    std::string scratch;
    std::string log;
    static MainPaths beside();  // scratchFilePath() and logFilePath()
};

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(SettingsStore& store, Prompts& prompts, MainPaths paths = MainPaths::beside(), QWidget* parent = nullptr);
    ~frmMain() override;

    // What loading does once the program knows it runs alone: restores the
    // preview tick, lists a folder given on the command line (before the
    // window is shown) and restores the quick options.
    void startUp(const QString& commandLine);

    // The runs. mode 0 shows the listing, 1 saves it as an HTML file.
    // A folder handed over by a second start: the window comes up and
    // previews it as a command-line start would, after the run that goes.
    void takeFolder(const QString& folder);

    void makeReport(const QString& folder, ReportMode mode);
    void makeSpreadsheet(const QString& folder);
    void listNetworkFolder(const QString& path);

    void showSelectedFolder();
    void showMapDialog();
    MainOptionControls mainOptionControls() const { return m_options; }

    bool isRunning() const { return m_running; }
    QString statusText() const;
    const RunTotals& totals() const { return m_totals; }
    const EventLog& eventLog() const { return m_log; }

Q_SIGNALS:
    // The window closed for good: the program ends.
    void closed();
    // A run has ended: its listing shown or saved, or its failure reported.
    void runFinished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void buildToolbar();
    void connectOptions();

    void runChecked(ListingCommand command);
    void previewFolder(const QString& folder);
    void reportIfExists(const QString& folder, ReportMode mode);
    void openFolder();
    void toolbarPreview();
    void menuPreview();
    void toolbarSave();
    void menuSave();
    void menuSpreadsheet();
    void stopGeneration();
    void toggleLog(bool on);
    void showSettings();
    void helpContents();
    void visitWebsite();

    // What the worker hands back: the walk's result, or that a share typed
    // as such could not be reached.
    struct WorkerRun {
        RunResult result;
        bool mapFailed = false;
    };
    // The walk into the scratch file on the worker; `then` shows or saves it
    // when the walk completed. `share`, when given, is what `folder` (a
    // letter) stands for during the walk.
    void startRun(const QString& folder, Format format, const std::string& share, std::function<void()> then);
    void scratchBuilt(const WorkerRun& run, const std::function<void()>& then);
    void endRun();
    void showStopped();
    void showListing();
    void saveListing(const QString& filter, const QString& suffix);
    void message(const QString& text, const QString& title, QMessageBox::Icon icon);
    // After the window's own writes: a store that cannot be written says so,
    // once per session; the quick options write at every change.
    void showStoreProblemOnce();
    void showStoreProblem(const StoreStatus& status);
    void setStatus(const QString& text);
    void showProgress();
    void showUnreadable(const std::vector<UnreadFolder>& unreadable);
    void setRunning(bool running);
    void reportStore();

    SettingsStore& m_store;
    Prompts& m_prompts;
    const std::string m_scratch;
    EventLog m_log;
    StoredMappings m_mappings;
    DrivePasswordPrompt m_passwordPrompt;
    NetworkDrives m_drives;

    StopToken m_stop;
    RunTotals m_totals;
    RunProgress m_progress;
    bool m_running = false;
    bool m_closeRequested = false;
    bool m_storeProblemShown = false;
    std::optional<BusyCursor> m_busy;
    QTimer m_progressTimer;
    QStringList m_handedFolders;  // waiting for the run that goes
    QFuture<void> m_work;  // the worker's current step, waited for on destruction
    std::unique_ptr<frmPreview> m_preview;
    // The last run's folder and share, for a listing made again with names
    // escaped, which the preview offers when names hold markup.
    QString m_runFolder;
    std::string m_runShare;
    bool m_relistEscaped = false;
    bool m_escapeOnce = false;

    FolderTree* tv = nullptr;
    QLineEdit* txtFolder = nullptr;
    MainOptionControls m_options;  // the filter box and the option buttons
    QLabel* m_statusPanel = nullptr;
    QLabel* m_countPanel = nullptr;  // how far a run has come

    QAction* mnOpen = nullptr;
    QAction* mnSave = nullptr;
    QAction* mnuSpreadheet = nullptr;
    QAction* mnPreview = nullptr;
    QAction* mnStop = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnSettings = nullptr;
    QAction* mnuLog = nullptr;
    QAction* mnUseInternalBrowser = nullptr;
    QAction* mnucontents = nullptr;
    QAction* mnuWebsite = nullptr;
    QAction* mnAbout = nullptr;
    QAction* m_toolSave = nullptr;
    QAction* m_toolPreview = nullptr;
};

}  // namespace quillory::ui
