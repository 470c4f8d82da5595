#include "ui/settings/frm_settings.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "log/event_log.h"
#include "settings/store.h"
#include "shell/shell_extension.h"
#include "ui/auxiliary/prompts.h"
#include "ui/settings/control_values.h"
#include "ui/settings/display_columns_tab.h"
#include "ui/settings/file_filter_tab.h"
#include "ui/settings/html_style_tab.h"
#include "ui/settings/output_options_tab.h"
#include "ui/settings/pickers.h"
#include "ui/settings/update_main_options.h"

namespace quillory::ui {

namespace {

constexpr const char* kCaptionFace = "Verdana";

}  // namespace

frmSettings::frmSettings(SettingsStore& store, const EventLog& log, MainOptionControls main, QWidget* parent)
    : QDialog(parent), m_store(store), m_log(log), m_main(main), m_ownPickers(std::make_unique<DesktopPickers>()) {
    build(*m_ownPickers);
}

frmSettings::frmSettings(SettingsStore& store, const EventLog& log, MainOptionControls main, Pickers& pickers,
                         QWidget* parent)
    : QDialog(parent), m_store(store), m_log(log), m_main(main) {
    build(pickers);
}

frmSettings::~frmSettings() = default;

void frmSettings::build(Pickers& pickers) {
    setObjectName("frmSettings");
    setWindowTitle("Settings");
    if (QFontDatabase::hasFamily(kCaptionFace)) {
        QFont captions = font();
        captions.setFamily(kCaptionFace);
        setFont(captions);
    }

    SSTab1 = named(new QTabWidget, "SSTab1");
    m_fileFilter = new FileFilterTab;
    m_output = new OutputOptionsTab;
    m_columns = new DisplayColumnsTab;
    m_style = new HtmlStyleTab(pickers);  // fills the scheme list before anything is read
    SSTab1->addTab(m_fileFilter, "&File filter");
    SSTab1->addTab(m_output, "&Output options");
    SSTab1->addTab(m_columns, "&Display columns");
    SSTab1->addTab(m_style, "&HTML style options");

    chShellExt = named(new QCheckBox("Add right-click shell e&xtension to folders"), "chShellExt");
    cmdOK = named(new QPushButton("OK"), "cmdOK");
    cmdCancel = named(new QPushButton("Cancel"), "cmdCancel");
    cmdOK->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chShellExt);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(buttons);
    // Wide enough for the four date and time pickers in one row with room to read them.
    setMinimumWidth(fontMetrics().averageCharWidth() * 96);

    connect(cmdOK, &QPushButton::clicked, this, &frmSettings::okClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    loadSettings();
}

void frmSettings::loadSettings() {
    m_fileFilter->load(m_store);
    m_output->load(m_store);
    m_columns->load(m_store);
    m_style->load(m_store);
    if (quillory::shell::isShellExtensionSet()) chShellExt->setChecked(true);
}

void frmSettings::saveSettings() {
    m_fileFilter->save(m_store);
    m_output->save(m_store);
    m_columns->save(m_store);
    m_style->save(m_store);
    // At every OK, so a verb left by another copy of the program goes when the box is clear.
    if (const Status verb = quillory::shell::setShellExtension(chShellExt->isChecked()); !verb)
        DesktopPrompts().message(this, QString::fromStdString(verb.message()), quillory::shell::kVerbErrorTitle,
                                 QMessageBox::Critical);
}

void frmSettings::updateMainOptions() { quillory::ui::updateMainOptions(m_store, m_main); }

void frmSettings::okClicked() {
    saveSettings();
    updateMainOptions();
    if (m_log.LoggingOn) logSettings(m_log, m_store);
    accept();
}

}  // namespace quillory::ui
