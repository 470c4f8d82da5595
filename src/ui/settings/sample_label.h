#pragma once
// The style properties of a sample label: background and text colour (its
// palette), font face and point size. Bold, italic and the other effects are
// never set, so a sample shows only what the listing's style can carry.
#include <QString>

#include "ui/settings/stored_colour.h"

class QLabel;

namespace quillory::ui {

void setSampleBack(QLabel* label, ColourNumber colour);
void setSampleFore(QLabel* label, ColourNumber colour);
void setSampleFace(QLabel* label, const QString& face);
void setSampleSize(QLabel* label, double pointSize);

ColourNumber sampleBack(const QLabel* label);
ColourNumber sampleFore(const QLabel* label);
// The face as set, installed or not.
QString sampleFace(const QLabel* label);
double sampleSize(const QLabel* label);

}  // namespace quillory::ui
