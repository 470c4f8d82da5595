#pragma once
// The preview window: the scratch file in an embedded browser, with Save,
// Print and Close. One per program run; every report run reloads it.
#include <QDialog>
#include <QString>

namespace quillory::ui {

class Prompts;

class frmPreview : public QDialog {
    Q_OBJECT
public:
    frmPreview(Prompts& prompts, const QString& scratchPath, QWidget* parent = nullptr);
    ~frmPreview() override;
    // Reloads the scratch file and shows the window modally; returns when the
    // user closes it.
    void showListing();

private:
    Prompts& m_prompts;
    QString m_scratchPath;
};

}  // namespace quillory::ui
