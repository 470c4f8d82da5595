#include "ui/settings/frm_settings.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <string_view>

#include "log/event_log.h"
#include "settings/store.h"
#include "shell/shell_extension.h"
#include "ui/auxiliary/prompts.h"
#include "ui/settings/display_columns_tab.h"
#include "ui/settings/file_filter_tab.h"
#include "ui/settings/html_style_tab.h"
#include "ui/settings/named_control.h"
#include "ui/settings/option_bindings.h"
#include "ui/settings/output_options_tab.h"
#include "ui/settings/pickers.h"

namespace quillory::ui {

namespace {

const QString kCaptionFace = QStringLiteral("Verdana");
// The shell's title for a verb that could not be written, marked here so
// that it is translated with this dialog.
constexpr const char* kVerbErrorTitle = QT_TRANSLATE_NOOP("quillory::ui::frmSettings", "Error writing to registry");
static_assert(std::string_view(kVerbErrorTitle) == quillory::shell::kVerbErrorTitle);

}  // namespace

frmSettings::frmSettings(SettingsStore& store, const EventLog& log, QWidget* parent)
    : QDialog(parent), m_store(store), m_log(log), m_ownPickers(std::make_unique<DesktopPickers>()) {
    build(*m_ownPickers);
}

frmSettings::frmSettings(SettingsStore& store, const EventLog& log, Pickers& pickers, QWidget* parent)
    : QDialog(parent), m_store(store), m_log(log) {
    build(pickers);
}

frmSettings::~frmSettings() = default;

void frmSettings::build(Pickers& pickers) {
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(tr("Settings"));
    if (QFontDatabase::hasFamily(kCaptionFace)) {
        QFont captions = font();
        captions.setFamily(kCaptionFace);
        setFont(captions);
    }

    auto* pages = named(new QTabWidget, "SSTab1");
    pages->addTab(new FileFilterTab, tr("&File filter"));
    pages->addTab(new OutputOptionsTab, tr("&Output options"));
    pages->addTab(new DisplayColumnsTab, tr("&Display columns"));
    pages->addTab(new HtmlStyleTab(pickers), tr("&HTML style options"));  // fills the scheme list before anything is read

    m_shellExtension = named(new QCheckBox(tr("Add right-click shell e&xtension to folders")), "chShellExt");
    auto* ok = named(new QPushButton(tr("OK")), "cmdOK");
    auto* cancel = named(new QPushButton(tr("Cancel")), "cmdCancel");
    ok->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_shellExtension);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addLayout(buttons);
    // Wide enough for the four date and time pickers in one row with room to read them.
    setMinimumWidth(fontMetrics().averageCharWidth() * 96);

    connect(ok, &QPushButton::clicked, this, &frmSettings::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    loadSettings();
}

void frmSettings::loadSettings() {
    loadOptions(*this, m_store);
    if (quillory::shell::isShellExtensionSet()) m_shellExtension->setChecked(true);
}

void frmSettings::saveSettings() {
    (void)saveOptions(*this, m_store);  // the main window shows a store that could not be written
    // At every OK, so a verb left by another copy of the program goes when the box is clear.
    if (const Status verb = quillory::shell::setShellExtension(m_shellExtension->isChecked()); !verb)
        DesktopPrompts().message(this, QString::fromStdString(verb.message()), tr(kVerbErrorTitle),
                                 QMessageBox::Critical);
}

void frmSettings::okClicked() {
    saveSettings();
    Q_EMIT optionsSaved();
    if (m_log.LoggingOn) logSettings(m_log, m_store);
    accept();
}

}  // namespace quillory::ui
