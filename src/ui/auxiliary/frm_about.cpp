#include "ui/auxiliary/frm_about.h"

#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/auxiliary/help_file.h"
#include "ui/auxiliary/prompts.h"

namespace quillory::ui {
namespace {

QLabel* label(const char* name, const QString& text, QWidget* parent) {
    auto* item = new QLabel(text, parent);
    item->setObjectName(name);
    item->setWordWrap(true);
    return item;
}

void centreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    window.move(area.x() + area.width() / 2 - window.width() / 2, area.y() + area.height() / 2 - window.height() / 2);
}

}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("About %1").arg(kAppTitle));
    if (QFontDatabase::hasFamily(QStringLiteral("Verdana"))) {
        QFont verdana = font();
        verdana.setFamily(QStringLiteral("Verdana"));
        setFont(verdana);
    }

    auto* title = label("Label1", QStringLiteral("Quillory v. 2.1"), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    title->setFont(titleFont);

    auto* description = label(
        "lblDescription",
        tr("Quillory adds to your Linux file manager the ability to print the file list of any folder. "
           "It is easy to use and to configure, and it can be reached from the file manager's right-click "
           "menu on a folder."),
        this);

    const QString address = productWebAddress();
    auto* web = label("Label2", QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()), this);
    web->setTextFormat(Qt::RichText);
    web->setOpenExternalLinks(true);

    auto* notice = label("lblDisclaimer", tr("Free software, provided as is, without any warranty."), this);
    QPalette muted = notice->palette();
    muted.setColor(QPalette::WindowText, muted.color(QPalette::PlaceholderText));
    notice->setPalette(muted);

    auto* line = new QFrame(this);
    line->setObjectName("Line1");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setStyleSheet(QStringLiteral("color: #a0a0a0;"));

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(description);
    layout->addWidget(web);
    layout->addSpacing(6);
    layout->addWidget(line);
    layout->addWidget(notice);
    layout->addLayout(buttons);

    setFixedWidth(440);
    adjustSize();
    setFixedSize(size());
    centreOnScreen(*this);
}

// A press that a label passes on still lands on a control: only the bare
// background closes the box.
void frmAbout::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && childAt(event->position().toPoint()) == nullptr) {
        close();
        return;
    }
    QDialog::mousePressEvent(event);
}

void showAbout(QWidget* parent) {
    static QPointer<frmAbout> open;
    if (open.isNull()) {
        open = new frmAbout(parent);
        open->show();
    }
    open->raise();
    open->activateWindow();
}

}  // namespace quillory::ui
