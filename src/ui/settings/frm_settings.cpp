// Placeholder until the settings dialog lands: an empty "Settings" dialog.
#include "ui/settings/frm_settings.h"

namespace quillory::ui {

frmSettings::frmSettings(SettingsStore& store, const EventLog& log, MainOptionControls main, QWidget* parent)
    : QDialog(parent), m_store(store), m_log(log), m_main(main) {
    setWindowTitle("Settings");
}

frmSettings::~frmSettings() = default;

}  // namespace quillory::ui
