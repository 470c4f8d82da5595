#pragma once
// The about box: not modal, one at a time.
#include <QDialog>

class QWidget;

namespace quillory::ui {

// Opens the about box, or raises the one already open.
void showAbout(QWidget* parent);

// The box itself: product, version, what it does, the web address. A click on
// OK or on its background (not on a label) closes and deletes it.
class frmAbout final : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace quillory::ui
