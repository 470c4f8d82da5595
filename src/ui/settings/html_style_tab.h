#pragma once
// The "HTML style options" page. Its sample labels are the style while the
// dialog is open: loading puts the stored colours, faces and sizes on them,
// the pickers and the schemes change them, saving reads them back.
#include <QWidget>

#include "ui/settings/colour_schemes.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace quillory {
class SettingsStore;
}

namespace quillory::ui {

class Pickers;

class HtmlStyleTab : public QWidget {
    Q_OBJECT
public:
    HtmlStyleTab(Pickers& pickers, QWidget* parent = nullptr);

    // The ten keys in their order: backgrounds, faces, sizes, text colours.
    void load(SettingsStore& store);
    void save(SettingsStore& store);

    // Backgrounds of the page, folder, even and odd samples, then the folder
    // and file text colours, then the folder and file faces; sizes stay.
    void setSampleStyle(const SampleStyle& style);

    QLabel* lblBody;
    QPushButton* cmdBody;
    QLabel* lblFolder;
    QPushButton* cmdFolderFont;
    QPushButton* cmdFolderBack;
    QLabel* lblFile;
    QLabel* lblFileOdd;
    QPushButton* cmdFileFont;
    QPushButton* cmdFileRowEven;
    QPushButton* cmdFileRowOdd;
    QComboBox* Combo1;

private:
    void pickBackground(QLabel* sample);
    void pickFont(QLabel* sample);
    void chooseScheme(const QString& name);

    Pickers& m_pickers;
};

}  // namespace quillory::ui
