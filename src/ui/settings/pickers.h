#pragma once
// The colour and font pickers of the HTML style page, behind one interface so
// that tests can answer them; DesktopPickers shows Qt's own dialogs.
#include <QColor>
#include <QString>
#include <optional>

class QWidget;

namespace quillory::ui {

// What the font picker takes and gives: face, size and text colour. Bold,
// italic and the other effects are not part of the listing's style.
struct FontChoice {
    QString face;
    double pointSize = 10;
    QColor colour;
};

class Pickers {
public:
    virtual ~Pickers() = default;
    // The chosen colour, or none when the dialog was cancelled.
    virtual std::optional<QColor> colour(QWidget* parent, const QColor& start) = 0;
    // The chosen face, size and colour, or none when cancelled.
    virtual std::optional<FontChoice> font(QWidget* parent, const FontChoice& start) = 0;
};

class DesktopPickers final : public Pickers {
public:
    std::optional<QColor> colour(QWidget* parent, const QColor& start) override;
    std::optional<FontChoice> font(QWidget* parent, const FontChoice& start) override;
};

}  // namespace quillory::ui
