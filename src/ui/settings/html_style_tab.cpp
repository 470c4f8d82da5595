#include "ui/settings/html_style_tab.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "settings/store.h"
#include "ui/settings/control_values.h"
#include "ui/settings/font_size.h"
#include "ui/settings/pickers.h"
#include "ui/settings/sample_label.h"

namespace quillory::ui {

namespace {

constexpr int kDefaultFontSize = 10;

QLabel* sample(const QString& text, const char* name) {
    auto* label = named(new QLabel(text), name);
    label->setAutoFillBackground(true);
    label->setFrameShape(QFrame::Box);
    label->setMargin(4);
    // A large stored size is clipped in the sample rather than growing the dialog.
    label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    label->setMinimumWidth(40);
    label->setFixedHeight(label->fontMetrics().height() * 5 / 2);
    return label;
}

QPushButton* button(const char* caption, const char* name) { return named(new QPushButton(caption), name); }

QVBoxLayout* buttonColumn(std::initializer_list<QPushButton*> buttons) {
    auto* column = new QVBoxLayout;
    for (QPushButton* b : buttons) column->addWidget(b);
    column->addStretch();
    return column;
}

ColourNumber storedColourOf(SettingsStore& store, const SettingKey& key) {
    return colourFromStored(store.read(key), colourFromStored(key.def, kBlack));
}

}  // namespace

HtmlStyleTab::HtmlStyleTab(Pickers& pickers, QWidget* parent)
    : QWidget(parent),
      lblBody(sample(QString(), "lblBody")),
      cmdBody(button("&Change", "cmdBody")),
      lblFolder(sample("C:\\Brown fox", "lblFolder")),
      cmdFolderFont(button("Folder Fo&nt", "cmdFolderFont")),
      cmdFolderBack(button("Folder Bac&kground", "cmdFolderBack")),
      lblFile(sample("C:\\Brown fox\\Lazy dog.txt", "lblFile")),
      lblFileOdd(sample(QString(), "lblFileOdd")),
      cmdFileFont(button("File Fon&t", "cmdFileFont")),
      cmdFileRowEven(button("&Even Row Background", "cmdFileRowEven")),
      cmdFileRowOdd(button("Odd Ro&w Background", "cmdFileRowOdd")),
      Combo1(named(new QComboBox, "Combo1")),
      m_pickers(pickers) {
    auto* bodyFrame = new QGroupBox("Body Background");
    auto* bodyLayout = new QHBoxLayout(bodyFrame);
    bodyLayout->addWidget(lblBody, 1);
    bodyLayout->addLayout(buttonColumn({cmdBody}));

    auto* folderFrame = new QGroupBox("Folder Header Style");
    auto* folderLayout = new QHBoxLayout(folderFrame);
    folderLayout->addWidget(lblFolder, 1, Qt::AlignTop);
    folderLayout->addLayout(buttonColumn({cmdFolderFont, cmdFolderBack}));

    auto* fileFrame = new QGroupBox("Folder Listing Style");
    auto* samples = new QVBoxLayout;
    samples->setSpacing(0);
    samples->addWidget(lblFile);
    samples->addWidget(lblFileOdd);
    samples->addStretch();
    auto* fileLayout = new QHBoxLayout(fileFrame);
    fileLayout->addLayout(samples, 1);
    fileLayout->addLayout(buttonColumn({cmdFileFont, cmdFileRowEven, cmdFileRowOdd}));

    // One width for the six buttons, so they line up across the three frames.
    int buttonWidth = 0;
    for (QPushButton* b : {cmdBody, cmdFolderFont, cmdFolderBack, cmdFileFont, cmdFileRowEven, cmdFileRowOdd})
        buttonWidth = std::max(buttonWidth, b->sizeHint().width());
    for (QPushButton* b : {cmdBody, cmdFolderFont, cmdFolderBack, cmdFileFont, cmdFileRowEven, cmdFileRowOdd})
        b->setMinimumWidth(buttonWidth);

    for (const ColourScheme& scheme : kColourSchemes) Combo1->addItem(QString::fromUtf8(scheme.name));
    Combo1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    Combo1->setCurrentIndex(-1);
    auto* schemeLabel = new QLabel("Choose color sche&me :");
    schemeLabel->setBuddy(Combo1);
    auto* schemeRow = new QHBoxLayout;
    schemeRow->addWidget(schemeLabel);
    schemeRow->addWidget(Combo1);
    schemeRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bodyFrame);
    layout->addWidget(folderFrame);
    layout->addWidget(fileFrame);
    layout->addLayout(schemeRow);
    layout->addStretch();

    connect(cmdBody, &QPushButton::clicked, this, [this] { pickBackground(lblBody); });
    connect(cmdFolderBack, &QPushButton::clicked, this, [this] { pickBackground(lblFolder); });
    connect(cmdFileRowEven, &QPushButton::clicked, this, [this] { pickBackground(lblFile); });
    connect(cmdFileRowOdd, &QPushButton::clicked, this, [this] { pickBackground(lblFileOdd); });
    connect(cmdFolderFont, &QPushButton::clicked, this, [this] { pickFont(lblFolder); });
    connect(cmdFileFont, &QPushButton::clicked, this, [this] { pickFont(lblFile); });
    connect(Combo1, &QComboBox::textActivated, this, &HtmlStyleTab::chooseScheme);
}

void HtmlStyleTab::setSampleStyle(const SampleStyle& style) {
    setSampleBack(lblBody, style.bodyBack);
    setSampleBack(lblFolder, style.folBack);
    setSampleBack(lblFile, style.fileBack);
    setSampleBack(lblFileOdd, style.fileBackOdd);
    setSampleFore(lblFolder, style.folFontColor);
    setSampleFore(lblFile, style.fileFontColor);
    setSampleFace(lblFolder, QString::fromUtf8(style.folFont));
    setSampleFace(lblFile, QString::fromUtf8(style.fileFont));
}

void HtmlStyleTab::load(SettingsStore& store) {
    setSampleBack(lblBody, storedColourOf(store, keys::BodyBack));
    setSampleBack(lblFile, storedColourOf(store, keys::FileBack));
    setSampleBack(lblFileOdd, storedColourOf(store, keys::FileBackOdd));
    setSampleBack(lblFolder, storedColourOf(store, keys::FolBack));
    setSampleFace(lblFile, fromStored(store.read(keys::FileFont)));
    setSampleFace(lblFolder, fromStored(store.read(keys::FolFont)));
    setSampleSize(lblFile, sampleFontSize(store.read(keys::FileFontSize), kDefaultFontSize));
    setSampleSize(lblFolder, sampleFontSize(store.read(keys::FolFontSize), kDefaultFontSize));
    setSampleFore(lblFile, storedColourOf(store, keys::FileFontColor));
    setSampleFore(lblFolder, storedColourOf(store, keys::FolFontColor));
}

void HtmlStyleTab::save(SettingsStore& store) {
    (void)store.write(keys::BodyBack, storedColour(sampleBack(lblBody)));
    (void)store.write(keys::FileBack, storedColour(sampleBack(lblFile)));
    (void)store.write(keys::FileBackOdd, storedColour(sampleBack(lblFileOdd)));
    (void)store.write(keys::FolBack, storedColour(sampleBack(lblFolder)));
    (void)store.write(keys::FileFont, sampleFace(lblFile).toStdString());
    (void)store.write(keys::FolFont, sampleFace(lblFolder).toStdString());
    (void)store.write(keys::FileFontSize, storedFontSize(sampleSize(lblFile)));
    (void)store.write(keys::FolFontSize, storedFontSize(sampleSize(lblFolder)));
    (void)store.write(keys::FileFontColor, storedColour(sampleFore(lblFile)));
    (void)store.write(keys::FolFontColor, storedColour(sampleFore(lblFolder)));
}

// A cancelled picker leaves the sample as it was and says nothing.
void HtmlStyleTab::pickBackground(QLabel* label) {
    if (const auto chosen = m_pickers.colour(this, qColorOf(sampleBack(label))))
        setSampleBack(label, colourNumberOf(*chosen));
}

void HtmlStyleTab::pickFont(QLabel* label) {
    const FontChoice start{sampleFace(label), sampleSize(label), qColorOf(sampleFore(label))};
    const auto chosen = m_pickers.font(this, start);
    if (!chosen) return;
    setSampleFace(label, chosen->face);
    setSampleFore(label, colourNumberOf(chosen->colour));
    setSampleSize(label, chosen->pointSize);
}

void HtmlStyleTab::chooseScheme(const QString& name) {
    if (const auto style = schemeStyle(name.toStdString())) setSampleStyle(*style);
}

}  // namespace quillory::ui
