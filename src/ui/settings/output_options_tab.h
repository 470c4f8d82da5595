#pragma once
// The "Output options" page: the order of files, recursion with its depth,
// and leaving out folders without files. The dialog's option table fills and
// reads its controls by their object names.
#include <QWidget>

namespace quillory::ui {

class OutputOptionsTab : public QWidget {
    Q_OBJECT
public:
    explicit OutputOptionsTab(QWidget* parent = nullptr);
};

}  // namespace quillory::ui
