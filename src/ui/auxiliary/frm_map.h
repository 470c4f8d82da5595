#pragma once
// "Map Network Drive": connects a share to a free drive letter of the
// program's own table. Modal; it hands nothing back, the effect is the new
// drive itself.
#include <QDialog>

class QComboBox;
class QLineEdit;

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

private:
    void finish();

    NetworkDrives& m_drives;
    Prompts& m_prompts;
    QComboBox* m_cbodrives;
    QLineEdit* m_txtFolder;
    QLineEdit* m_txtUser;
    QLineEdit* m_txtPwd;
};

}  // namespace quillory::ui
