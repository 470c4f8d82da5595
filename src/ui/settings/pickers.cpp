#include "ui/settings/pickers.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillory::ui {

namespace {

void showColour(QPushButton* swatch, const QColor& colour) {
    swatch->setProperty("colour", colour);
    swatch->setStyleSheet(QStringLiteral("background-color: %1; min-width: 3em;").arg(colour.name()));
}

// The face's upright regular style, so that the dialog does not open on the
// first style it lists (often an italic one): the samples are never bold or
// italic.
QString regularStyle(const QString& face) {
    const QStringList styles = QFontDatabase::styles(face);
    for (const char* usual : {"Regular", "Book", "Normal", "Roman", "Medium"})
        if (styles.contains(QLatin1String(usual))) return QString::fromLatin1(usual);
    for (const QString& style : styles)
        if (!QFontDatabase::italic(face, style) && QFontDatabase::weight(face, style) == QFont::Normal) return style;
    return {};
}

}  // namespace

std::optional<QColor> DesktopPickers::colour(QWidget* parent, const QColor& start) {
    const QColor chosen = QColorDialog::getColor(start, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

// Qt's font dialog has no colour; the listing's fonts have one, so the font
// dialog sits in a dialog of ours with a colour row below it.
std::optional<FontChoice> DesktopPickers::font(QWidget* parent, const FontChoice& start) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QFontDialog::tr("Select Font"));
    auto* fonts = new QFontDialog(&dialog);
    fonts->setWindowFlags(Qt::Widget);
    fonts->setOptions(QFontDialog::NoButtons);
    QFont initial(start.face);
    initial.setPointSizeF(start.pointSize > 0 ? start.pointSize : 10);
    initial.setStyleName(regularStyle(start.face));
    fonts->setCurrentFont(initial);
    // A stored face that is not installed shows as a stand-in; unless the
    // user picks another face, the stored one stays (a new size alone must
    // not store the stand-in's name).
    const QString shownFace = fonts->currentFont().family();

    auto* colourLabel = new QLabel(QCoreApplication::translate("quillory::ui::frmSettings", "&Color:"), &dialog);
    auto* swatch = new QPushButton(&dialog);
    swatch->setObjectName("fontColour");
    colourLabel->setBuddy(swatch);
    showColour(swatch, start.colour.isValid() ? start.colour : QColor(Qt::black));
    QObject::connect(swatch, &QPushButton::clicked, &dialog, [&] {
        const QColor chosen = QColorDialog::getColor(swatch->property("colour").value<QColor>(), &dialog);
        if (chosen.isValid()) showColour(swatch, chosen);
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(swatch);
    colourRow->addStretch();
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(fonts);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);

    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QFont chosen = fonts->currentFont();
    const QString face = chosen.family() == shownFace ? start.face : chosen.family();
    return FontChoice{face, chosen.pointSizeF(), swatch->property("colour").value<QColor>()};
}

}  // namespace quillory::ui
