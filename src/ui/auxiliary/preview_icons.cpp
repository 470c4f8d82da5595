#include "ui/auxiliary/preview_icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quillory::ui {
namespace {

using Drawing = void (*)(QPainter&);

// Each drawing works on a 24 x 24 grid; the engine scales it to the request.
class DrawnIcon final : public QIconEngine {
public:
    explicit DrawnIcon(Drawing draw) : m_draw(draw) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 24.0, rect.height() / 24.0);
        if (mode == QIcon::Disabled) painter->setOpacity(0.35);
        m_draw(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap image(size);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return image;
    }

    QIconEngine* clone() const override { return new DrawnIcon(m_draw); }

private:
    Drawing m_draw;
};

const QColor kOutline(0x2e, 0x34, 0x36);

void drawFloppy(QPainter& p) {
    QPainterPath body;
    body.moveTo(3.5, 3.5);
    body.lineTo(17.5, 3.5);
    body.lineTo(20.5, 6.5);
    body.lineTo(20.5, 20.5);
    body.lineTo(3.5, 20.5);
    body.closeSubpath();
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(QColor(0x34, 0x65, 0xa4));
    p.drawPath(body);
    p.setBrush(QColor(0xee, 0xee, 0xec));
    p.drawRect(QRectF(7, 3.5, 9, 6));  // shutter
    p.setBrush(QColor(0x55, 0x57, 0x53));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(12.5, 4.5, 2, 4));
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 12.5, 12, 8));  // label
    p.setPen(QPen(QColor(0x88, 0x8a, 0x85), 1));
    p.drawLine(QLineF(8, 15.5, 16, 15.5));
    p.drawLine(QLineF(8, 18, 16, 18));
}

void drawPrinter(QPainter& p) {
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 2.5, 10, 8));  // paper in
    p.setBrush(QColor(0x88, 0x8a, 0x85));
    p.drawRoundedRect(QRectF(2.5, 9.5, 19, 8), 1.5, 1.5);  // body
    p.setBrush(QColor(0x8a, 0xe2, 0x34));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(18.5, 12), 1, 1);
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 14.5, 11, 7));  // paper out
    p.setPen(QPen(QColor(0x55, 0x57, 0x53), 1));
    p.drawLine(QLineF(8.5, 17, 15.5, 17));
    p.drawLine(QLineF(8.5, 19.3, 13.5, 19.3));
}

void drawCross(QPainter& p) {
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(QColor(0xcc, 0x00, 0x00));
    p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QLineF(8, 8, 16, 16));
    p.drawLine(QLineF(16, 8, 8, 16));
}

}  // namespace

// The desktop's icon theme first, so the preview looks like the rest of the
// desktop; the drawings where the theme has no such icon.
QIcon saveIcon() { return QIcon::fromTheme(QStringLiteral("document-save"), QIcon(new DrawnIcon(drawFloppy))); }
QIcon printIcon() { return QIcon::fromTheme(QStringLiteral("document-print"), QIcon(new DrawnIcon(drawPrinter))); }
QIcon closeIcon() { return QIcon::fromTheme(QStringLiteral("window-close"), QIcon(new DrawnIcon(drawCross))); }

}  // namespace quillory::ui
