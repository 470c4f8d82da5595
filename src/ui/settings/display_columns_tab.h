#pragma once
// The "Display columns" page: for each of the six file columns a switch, a
// heading and a width; and the unit in which file sizes are shown.
#include <QWidget>
#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quillory {
class SettingsStore;
}

namespace quillory::ui {

class DisplayColumnsTab : public QWidget {
    Q_OBJECT
public:
    explicit DisplayColumnsTab(QWidget* parent = nullptr);

    // The columns (switches, headings, widths), then the size unit.
    void load(SettingsStore& store);
    void save(SettingsStore& store);

    // Rows 0 to 5: name, type, extension, size, date time, attributes.
    static constexpr int kRows = 6;
    QPushButton* Command1;  // the three column headings do nothing
    QPushButton* Command2;
    QPushButton* Command3;
    std::array<QCheckBox*, kRows> columnSwitch;  // chName, chType, chExt, chSize, chTime, chAttrib
    std::array<QLineEdit*, kRows> Text1;         // display names, object names Text1_0 ...
    std::array<QLineEdit*, kRows> Text2;         // widths, object names Text2_0 ...
    QRadioButton* optDynamicSize;
    QRadioButton* optMBSize;
    QRadioButton* optKBSize;
    QRadioButton* optByteSize;
};

}  // namespace quillory::ui
