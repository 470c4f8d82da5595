#pragma once
// The "Display columns" page: for each of the six file columns a switch, a
// heading and a width; and the unit in which file sizes are shown. The
// dialog's option table fills and reads its controls by their object names.
#include <QWidget>

namespace quillory::ui {

class DisplayColumnsTab : public QWidget {
    Q_OBJECT
public:
    explicit DisplayColumnsTab(QWidget* parent = nullptr);
};

}  // namespace quillory::ui
