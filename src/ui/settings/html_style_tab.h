#pragma once
// The "HTML style options" page. Its sample labels are the style while the
// dialog is open: the dialog's option table puts the stored colours, faces
// and sizes on them, the pickers and the schemes change them, and OK reads
// them back.
#include <QWidget>

#include "ui/settings/colour_schemes.h"

class QLabel;

namespace quillory::ui {

class Pickers;

class HtmlStyleTab : public QWidget {
    Q_OBJECT
public:
    HtmlStyleTab(Pickers& pickers, QWidget* parent = nullptr);

    // Backgrounds of the page, folder, even and odd samples, then the folder
    // and file text colours, then the folder and file faces; sizes stay.
    void setSampleStyle(const SampleStyle& style);

private:
    void pickBackground(QLabel* sample);
    void pickFont(QLabel* sample);
    void chooseScheme(const QString& name);

    Pickers& m_pickers;
    QLabel* m_pageSample;    // page background
    QLabel* m_folderSample;  // folder header: background, text colour, face, size
    QLabel* m_fileSample;    // file rows: even-row background, text colour, face, size
    QLabel* m_oddRowSample;  // odd-row background
};

}  // namespace quillory::ui
