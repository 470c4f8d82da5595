#include "ui/auxiliary/frm_map.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "net/drive_letters.h"
#include "net/network_drives.h"
#include "ui/auxiliary/busy_cursor.h"
#include "ui/auxiliary/prompts.h"

namespace quillory::ui {

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* item = new QLabel(text, parent);
    item->setObjectName(QLatin1String(name));
    return item;
}

QFrame* line(QWidget* parent, const char* name) {
    auto* item = new QFrame(parent);
    item->setObjectName(QLatin1String(name));
    item->setFrameShape(QFrame::HLine);
    item->setFrameShadow(QFrame::Sunken);
    return item;
}

QLineEdit* textBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

// Restores the pointer on every way out of the connection.
}  // namespace

frmmap::frmmap(NetworkDrives& drives, Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_drives(drives), m_prompts(prompts) {
    setObjectName(QStringLiteral("frmmap"));
    setWindowTitle(QStringLiteral("Map Network Drive"));
    setModal(true);
    if (QFontDatabase::families().contains(QStringLiteral("Verdana"))) setFont(QFont(QStringLiteral("Verdana")));

    auto* intro = label(this, "Label5",
                        QStringLiteral("Map a network drive to a local drive in order to print file lists from it."));
    intro->setWordWrap(true);
    m_cbodrives = new QComboBox(this);
    m_cbodrives->setObjectName(QStringLiteral("cbodrives"));
    m_txtFolder = textBox(this, "txtFolder");
    m_txtUser = textBox(this, "txtUser");
    m_txtPwd = textBox(this, "txtPwd");
    m_txtPwd->setEchoMode(QLineEdit::Password);
    m_txtPwd->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));  // "*"
    auto* cmdOK = new QPushButton(QStringLiteral("Finish"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdcancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdcancel->setObjectName(QStringLiteral("cmdcancel"));

    auto* fields = new QGridLayout;
    const std::pair<QLabel*, QWidget*> rows[] = {
        {label(this, "Label1", QStringLiteral("Drive")), m_cbodrives},
        {label(this, "Label2", QStringLiteral("Folder")), m_txtFolder},
        {nullptr, label(this, "Label6", QStringLiteral("Ex: \\\\servername\\sharename"))},
        {label(this, "Label3", QStringLiteral("User Name")), m_txtUser},
        {label(this, "Label4", QStringLiteral("Password")), m_txtPwd},
    };
    int row = 0;
    for (const auto& [caption, field] : rows) {
        if (caption) {
            caption->setBuddy(field);
            fields->addWidget(caption, row, 0);
        }
        // A letter needs no more room than its own.
        fields->addWidget(field, row++, 1, field == m_cbodrives ? Qt::AlignLeft : Qt::Alignment());
    }
    fields->setColumnStretch(1, 1);
    m_txtFolder->setMinimumWidth(m_txtFolder->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 32);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdcancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(line(this, "Line1"));
    layout->addLayout(fields);
    layout->addWidget(line(this, "Line2"));
    layout->addLayout(buttons);
    setTabOrder(m_cbodrives, m_txtFolder);
    setTabOrder(m_txtFolder, m_txtUser);
    setTabOrder(m_txtUser, m_txtPwd);
    setTabOrder(m_txtPwd, cmdOK);
    setTabOrder(cmdOK, cmdcancel);

    connect(cmdOK, &QPushButton::clicked, this, &frmmap::finish);
    connect(cmdcancel, &QPushButton::clicked, this, &QDialog::reject);

    for (const char letter : freeDriveLetters(m_drives.usedLetters()))
        m_cbodrives->addItem(QString(QChar::fromLatin1(letter)));
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.width() / 2 - width() / 2, area.height() / 2 - height() / 2);
    }
    m_cbodrives->setCurrentIndex(m_cbodrives->count() > 0 ? 0 : -1);
    m_txtFolder->clear();
    m_txtUser->clear();
    m_txtPwd->clear();
    m_cbodrives->setFocus();
}

// Empty boxes are passed as empty texts: the user asked for those.
void frmmap::finish() {
    Status result;
    {
        BusyCursor busy;
        result = m_drives.mapNetworkDrive(m_cbodrives->currentText().toStdString(),
                                          QFile::encodeName(m_txtFolder->text()).toStdString(),
                                          m_txtUser->text().toStdString(), m_txtPwd->text().toStdString());
    }
    if (!result) m_prompts.message(this, QStringLiteral("Error mapping to network drive."), kAppTitle, QMessageBox::NoIcon);
    accept();
}

}  // namespace quillory::ui
