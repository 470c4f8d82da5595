#pragma once
// The settings dialog: every option of the store on four pages, filled from
// the store when it opens and written back, all of it, on OK only. Cancel and
// the window's close button write nothing.
//
// OK runs saveSettings (the pages in order, then the folder verb), then
// emits optionsSaved (the main window re-reads its quick options), then the
// event log's settings summary while logging is on, and closes the dialog.
#include <QDialog>
#include <memory>

class QCheckBox;

namespace quillory {
class SettingsStore;
struct EventLog;
}  // namespace quillory

namespace quillory::ui {

class Pickers;

class frmSettings : public QDialog {
    Q_OBJECT
public:
    // With the desktop's own colour and font dialogs.
    frmSettings(SettingsStore& store, const EventLog& log, QWidget* parent = nullptr);
    // With the colour and font pickers given (tests answer them).
    frmSettings(SettingsStore& store, const EventLog& log, Pickers& pickers, QWidget* parent = nullptr);
    ~frmSettings() override;

    // Every page's controls from the store (the option table), then the verb's box.
    void loadSettings();
    // Every page's controls to the store (the option table), then the verb added or removed.
    void saveSettings();

Q_SIGNALS:
    // OK has written every option; emitted before the log summary and the close.
    void optionsSaved();

private:
    void build(Pickers& pickers);
    void okClicked();

    SettingsStore& m_store;
    const EventLog& m_log;
    std::unique_ptr<Pickers> m_ownPickers;
    QCheckBox* m_shellExtension = nullptr;  // whether the folder verb is present
};

}  // namespace quillory::ui
