#pragma once
// "Map Network Drive": connects a share to a free drive letter of the
// program's own table, or gives a letter in use back. Modal; it hands nothing back, the effect is the new
// drive itself.
#include <QDialog>
#include <atomic>
#include <memory>
#include <optional>

#include "ui/auxiliary/busy_cursor.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace quillory {
class NetworkDrives;
}

namespace quillory::ui {

class Prompts;

class frmmap : public QDialog {
    Q_OBJECT
public:
    // Fills the letters and empties the boxes; each opening starts afresh.
    frmmap(NetworkDrives& drives, Prompts& prompts, QWidget* parent);

    // Cancel, also while the share is being reached.
    void reject() override;

private:
    void finish();
    void fillLetters();
    void disconnectDrive();

    NetworkDrives& m_drives;
    Prompts& m_prompts;
    QComboBox* m_cbodrives;
    QComboBox* m_cboconnected;
    QLineEdit* m_txtFolder;
    QLineEdit* m_txtUser;
    QLineEdit* m_txtPwd;
    QPushButton* m_cmdOK;
    std::optional<BusyCursor> m_busy;
    // Shared with a connection still being made when the dialog goes.
    std::shared_ptr<std::atomic<bool>> m_cancelled = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace quillory::ui
