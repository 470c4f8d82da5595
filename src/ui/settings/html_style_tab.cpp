#include "ui/settings/html_style_tab.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/settings/named_control.h"
#include "ui/settings/pickers.h"
#include "ui/settings/sample_label.h"

namespace quillory::ui {

namespace {

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

QPushButton* button(const QString& caption, const char* name) { return named(new QPushButton(caption), name); }

QVBoxLayout* buttonColumn(std::initializer_list<QPushButton*> buttons) {
    auto* column = new QVBoxLayout;
    for (QPushButton* b : buttons) column->addWidget(b);
    column->addStretch();
    return column;
}

}  // namespace

HtmlStyleTab::HtmlStyleTab(Pickers& pickers, QWidget* parent)
    : QWidget(parent),
      m_pickers(pickers),
      m_pageSample(sample(QString(), "lblBody")),
      m_folderSample(sample(QStringLiteral("C:\\Brown fox"), "lblFolder")),
      m_fileSample(sample(QStringLiteral("C:\\Brown fox\\Lazy dog.txt"), "lblFile")),
      m_oddRowSample(sample(QString(), "lblFileOdd")) {
    auto* pageBack = button(tr("&Change"), "cmdBody");
    auto* folderFont = button(tr("Folder Fo&nt"), "cmdFolderFont");
    auto* folderBack = button(tr("Folder Bac&kground"), "cmdFolderBack");
    auto* fileFont = button(tr("File Fon&t"), "cmdFileFont");
    auto* evenBack = button(tr("&Even Row Background"), "cmdFileRowEven");
    auto* oddBack = button(tr("Odd Ro&w Background"), "cmdFileRowOdd");
    auto* schemes = named(new QComboBox, "Combo1");

    auto* bodyFrame = new QGroupBox(tr("Body Background"));
    auto* bodyLayout = new QHBoxLayout(bodyFrame);
    bodyLayout->addWidget(m_pageSample, 1);
    bodyLayout->addLayout(buttonColumn({pageBack}));

    auto* folderFrame = new QGroupBox(tr("Folder Header Style"));
    auto* folderLayout = new QHBoxLayout(folderFrame);
    folderLayout->addWidget(m_folderSample, 1, Qt::AlignTop);
    folderLayout->addLayout(buttonColumn({folderFont, folderBack}));

    auto* fileFrame = new QGroupBox(tr("Folder Listing Style"));
    auto* samples = new QVBoxLayout;
    samples->setSpacing(0);
    samples->addWidget(m_fileSample);
    samples->addWidget(m_oddRowSample);
    samples->addStretch();
    auto* fileLayout = new QHBoxLayout(fileFrame);
    fileLayout->addLayout(samples, 1);
    fileLayout->addLayout(buttonColumn({fileFont, evenBack, oddBack}));

    // One width for the six buttons, so they line up across the three frames.
    const auto buttons = {pageBack, folderFont, folderBack, fileFont, evenBack, oddBack};
    int buttonWidth = 0;
    for (QPushButton* b : buttons) buttonWidth = std::max(buttonWidth, b->sizeHint().width());
    for (QPushButton* b : buttons) b->setMinimumWidth(buttonWidth);

    for (const ColourScheme& scheme : kColourSchemes) schemes->addItem(QString::fromUtf8(scheme.name));
    schemes->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    schemes->setCurrentIndex(-1);
    auto* schemeLabel = new QLabel(tr("Choose color sche&me :"));
    schemeLabel->setBuddy(schemes);
    auto* schemeRow = new QHBoxLayout;
    schemeRow->addWidget(schemeLabel);
    schemeRow->addWidget(schemes);
    schemeRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bodyFrame);
    layout->addWidget(folderFrame);
    layout->addWidget(fileFrame);
    layout->addLayout(schemeRow);
    layout->addStretch();

    connect(pageBack, &QPushButton::clicked, this, [this] { pickBackground(m_pageSample); });
    connect(folderBack, &QPushButton::clicked, this, [this] { pickBackground(m_folderSample); });
    connect(evenBack, &QPushButton::clicked, this, [this] { pickBackground(m_fileSample); });
    connect(oddBack, &QPushButton::clicked, this, [this] { pickBackground(m_oddRowSample); });
    connect(folderFont, &QPushButton::clicked, this, [this] { pickFont(m_folderSample); });
    connect(fileFont, &QPushButton::clicked, this, [this] { pickFont(m_fileSample); });
    connect(schemes, &QComboBox::textActivated, this, &HtmlStyleTab::chooseScheme);
}

void HtmlStyleTab::setSampleStyle(const SampleStyle& style) {
    setSampleBack(m_pageSample, style.bodyBack);
    setSampleBack(m_folderSample, style.folBack);
    setSampleBack(m_fileSample, style.fileBack);
    setSampleBack(m_oddRowSample, style.fileBackOdd);
    setSampleFore(m_folderSample, style.folFontColor);
    setSampleFore(m_fileSample, style.fileFontColor);
    setSampleFace(m_folderSample, QString::fromUtf8(style.folFont));
    setSampleFace(m_fileSample, QString::fromUtf8(style.fileFont));
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
