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
#include "ui/auxiliary/worker_task.h"

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

}  // namespace

frmmap::frmmap(NetworkDrives& drives, Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_drives(drives), m_prompts(prompts) {
    setObjectName(QStringLiteral("frmmap"));
    setWindowTitle(tr("Map Network Drive"));
    setModal(true);
    if (QFontDatabase::families().contains(QStringLiteral("Verdana"))) setFont(QFont(QStringLiteral("Verdana")));

    auto* intro = label(this, "Label5",
                        tr("Map a network drive to a local drive in order to print file lists from it."));
    intro->setWordWrap(true);
    m_cbodrives = new QComboBox(this);
    m_cbodrives->setObjectName(QStringLiteral("cbodrives"));
    m_txtFolder = textBox(this, "txtFolder");
    m_txtUser = textBox(this, "txtUser");
    m_txtPwd = textBox(this, "txtPwd");
    m_txtPwd->setEchoMode(QLineEdit::Password);
    m_txtPwd->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));  // "*"
    auto* cmdOK = m_cmdOK = new QPushButton(tr("Finish"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdcancel = new QPushButton(tr("Cancel"), this);
    cmdcancel->setObjectName(QStringLiteral("cmdcancel"));

    auto* fields = new QGridLayout;
    const std::pair<QLabel*, QWidget*> rows[] = {
        {label(this, "Label1", tr("Drive")), m_cbodrives},
        {label(this, "Label2", tr("Folder")), m_txtFolder},
        {nullptr, label(this, "Label6", tr("Ex: \\\\servername\\sharename"))},
        {label(this, "Label3", tr("User Name")), m_txtUser},
        {label(this, "Label4", tr("Password")), m_txtPwd},
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
    // The letters in use, to give one back; the root's C is never mapped.
    m_cboconnected = new QComboBox(this);
    m_cboconnected->setObjectName(QStringLiteral("cboconnected"));
    auto* cmdDisconnect = new QPushButton(tr("Disconnect"), this);
    cmdDisconnect->setObjectName(QStringLiteral("cmdDisconnect"));
    auto* connected = new QHBoxLayout;
    auto* connectedLabel = label(this, "lblConnected", tr("Connected drive"));
    connectedLabel->setBuddy(m_cboconnected);
    connected->addWidget(connectedLabel);
    connected->addWidget(m_cboconnected);
    connected->addWidget(cmdDisconnect);
    connected->addStretch(1);
    layout->addLayout(connected);
    layout->addLayout(buttons);
    setTabOrder(m_cbodrives, m_txtFolder);
    setTabOrder(m_txtFolder, m_txtUser);
    setTabOrder(m_txtUser, m_txtPwd);
    setTabOrder(m_txtPwd, cmdOK);
    setTabOrder(cmdOK, cmdcancel);

    connect(cmdOK, &QPushButton::clicked, this, &frmmap::finish);
    connect(cmdcancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdDisconnect, &QPushButton::clicked, this, &frmmap::disconnectDrive);
    connect(m_cboconnected, &QComboBox::currentIndexChanged, cmdDisconnect,
            [this, cmdDisconnect] { cmdDisconnect->setEnabled(m_cboconnected->currentIndex() >= 0); });

    fillLetters();
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.width() / 2 - width() / 2, area.height() / 2 - height() / 2);
    }
    m_txtFolder->clear();
    m_txtUser->clear();
    m_txtPwd->clear();
    m_cbodrives->setFocus();
}

void frmmap::fillLetters() {
    m_cbodrives->clear();
    m_cboconnected->clear();
    const DriveLetters inUse = m_drives.usedLetters();
    for (const char letter : freeDriveLetters(inUse)) m_cbodrives->addItem(QString(QChar::fromLatin1(letter)));
    for (const char letter : inUse.text())
        if (letter != 'C') m_cboconnected->addItem(QString(QChar::fromLatin1(letter)));
    m_cbodrives->setCurrentIndex(m_cbodrives->count() > 0 ? 0 : -1);
    m_cboconnected->setCurrentIndex(m_cboconnected->count() > 0 ? 0 : -1);
}

// The letter leaves the table and the store at once: no share is asked.
void frmmap::disconnectDrive() {
    if (m_cboconnected->currentIndex() < 0) return;
    m_drives.unmapNetworkDrive(m_cboconnected->currentText().toStdString());
    fillLetters();
}

// Empty boxes are passed as empty texts: the user asked for those. Reaching
// the share may take its whole timeout, so it runs on the worker; Cancel
// leaves without waiting, and a connection made after that is given back.
void frmmap::finish() {
    m_cmdOK->setEnabled(false);
    m_busy.emplace();
    const std::string letter = m_cbodrives->currentText().toStdString();
    const std::string remote = QFile::encodeName(m_txtFolder->text()).toStdString();
    const std::string user = m_txtUser->text().toStdString();
    const std::string password = m_txtPwd->text().toStdString();
    NetworkDrives& drives = m_drives;
    std::shared_ptr<std::atomic<bool>> cancelled = m_cancelled;
    runOnWorker<Status>(
        this,
        [&drives, letter, remote, user, password, cancelled] {
            Status result = drives.mapNetworkDrive(letter, remote, user, password);
            if (result && cancelled->load()) drives.unmapNetworkDrive(letter);
            return result;
        },
        [this](const Status& result) {
            m_busy.reset();
            if (!result)
                m_prompts.message(this, tr("Error mapping to network drive."), kAppTitle, QMessageBox::NoIcon);
            accept();
        });
}

void frmmap::reject() {
    m_cancelled->store(true);
    m_busy.reset();
    QDialog::reject();
}

}  // namespace quillory::ui
