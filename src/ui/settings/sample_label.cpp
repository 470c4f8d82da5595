#include "ui/settings/sample_label.h"

#include <QLabel>
#include <QPalette>

namespace quillory::ui {

namespace {

void setRole(QLabel* label, QPalette::ColorRole role, ColourNumber colour) {
    QPalette palette = label->palette();
    palette.setColor(role, qColorOf(colour));
    label->setPalette(palette);
}

// Only the face and the size come from the label's own font; the rest is
// plain, whatever the dialog's font is.
void setSampleFont(QLabel* label, const QString& face, double pointSize) {
    QFont font;
    font.setFamily(face);
    if (pointSize > 0) font.setPointSizeF(pointSize);
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    label->setFont(font);
}

}  // namespace

void setSampleBack(QLabel* label, ColourNumber colour) { setRole(label, QPalette::Window, colour); }
void setSampleFore(QLabel* label, ColourNumber colour) { setRole(label, QPalette::WindowText, colour); }
void setSampleFace(QLabel* label, const QString& face) { setSampleFont(label, face, sampleSize(label)); }
void setSampleSize(QLabel* label, double pointSize) { setSampleFont(label, sampleFace(label), pointSize); }

ColourNumber sampleBack(const QLabel* label) { return colourNumberOf(label->palette().color(QPalette::Window)); }
ColourNumber sampleFore(const QLabel* label) { return colourNumberOf(label->palette().color(QPalette::WindowText)); }
QString sampleFace(const QLabel* label) { return label->font().family(); }
double sampleSize(const QLabel* label) { return label->font().pointSizeF(); }

}  // namespace quillory::ui
