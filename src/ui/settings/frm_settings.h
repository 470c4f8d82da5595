#pragma once
// The settings dialog: every option of the store, written on OK only.
#include <QDialog>

#include "ui/main/main_option_controls.h"

namespace quillory {
class SettingsStore;
struct EventLog;
}  // namespace quillory

namespace quillory::ui {

class frmSettings : public QDialog {
    Q_OBJECT
public:
    frmSettings(SettingsStore& store, const EventLog& log, MainOptionControls main, QWidget* parent = nullptr);
    ~frmSettings() override;

private:
    SettingsStore& m_store;
    const EventLog& m_log;
    MainOptionControls m_main;
};

}  // namespace quillory::ui
