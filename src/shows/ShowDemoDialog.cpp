#include "shows/ShowDemoDialog.h"

#include "controls/NumericField.h"
#include "shell/HelpPage.h"
#include "tasks/SpinArrows.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace lumora {
namespace {

// An emptied quality box shows 1; leaving it holds the number to 1..100.
const NumericFieldSpec QualitySpec{QStringLiteral("1"), 1, 100};

// Lumora has no web site: the samples are described in the help manual built into it.
const QString SamplesLink = QStringLiteral("<a href=\"help\">Samples and help</a>");

}  // namespace

ShowDemoDialog::ShowDemoDialog(std::uint8_t& processTaskBasket, std::int16_t& jpegQuality, QWidget* parent)
    : QDialog(parent), processTaskBasket_(processTaskBasket), jpegQuality_(jpegQuality)
{
    auto* templates = new QGroupBox(QStringLiteral("Template"), this);
    lstTemplate_ = new QListWidget(templates);
    lstTemplate_->setObjectName(QStringLiteral("lstTemplate"));
    lstTemplate_->addItem(QStringLiteral("Fireworks!"));
    lstTemplate_->setMaximumHeight(lstTemplate_->sizeHintForRow(0) * 4 + 2 * lstTemplate_->frameWidth());
    auto* templateLayout = new QVBoxLayout(templates);
    templateLayout->addWidget(lstTemplate_);

    auto* image = new QGroupBox(QStringLiteral("Image"), this);
    sldQuality_ = new QSlider(Qt::Horizontal, image);
    sldQuality_->setObjectName(QStringLiteral("sldQuality"));
    sldQuality_->setRange(1, 100);
    tTransition_ = new NumericField(QualitySpec, image);
    tTransition_->setObjectName(QStringLiteral("tTransition"));
    tTransition_->setAlignment(Qt::AlignRight);
    tTransition_->setMaximumWidth(48);
    tTransitionD_ = new SpinArrows(image);
    tTransitionD_->setObjectName(QStringLiteral("tTransitionD"));
    tTransitionD_->setRange(1, 100);
    // Box, arrows and slider show one value: the arrows write into the box and move the slider,
    // the slider moves the arrows, and a box left sets the arrows.
    tTransition_->setCompanion(tTransitionD_);
    connect(tTransitionD_, &QAbstractSlider::valueChanged, sldQuality_, &QSlider::setValue);
    connect(sldQuality_, &QSlider::valueChanged, tTransitionD_, &QAbstractSlider::setValue);
    chkProcessTaskBasket_ = new QCheckBox(QStringLiteral("Process task basket"), image);
    chkProcessTaskBasket_->setObjectName(QStringLiteral("chkProcessTaskBasket"));
    auto* quality = new QLabel(QStringLiteral("JPEG Quality :"), image);
    quality->setBuddy(tTransition_);
    auto* grid = new QGridLayout(image);
    grid->addWidget(quality, 0, 0);
    grid->addWidget(sldQuality_, 0, 1);
    grid->addWidget(tTransition_, 0, 2);
    grid->addWidget(tTransitionD_, 0, 3);
    grid->addWidget(chkProcessTaskBasket_, 1, 0, 1, 4);

    lblSamples_ = new QLabel(SamplesLink, this);
    lblSamples_->setObjectName(QStringLiteral("lblSamples"));
    connect(lblSamples_, &QLabel::linkActivated, this, [this] { openHelpPage(this); });

    auto* buttons = new QDialogButtonBox(this);
    cmdGenerate_ = buttons->addButton(QStringLiteral("Generate"), QDialogButtonBox::AcceptRole);
    cmdGenerate_->setObjectName(QStringLiteral("cmdGenerate"));
    cmdGenerate_->setDefault(true);
    cmdCancel_ = buttons->addButton(QStringLiteral("Exit"), QDialogButtonBox::RejectRole);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdGenerate_, &QPushButton::clicked, this, &ShowDemoDialog::cmdGenerate_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);

    extra_ = new QVBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(templates);
    layout->addWidget(image);
    layout->addLayout(extra_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblSamples_);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);

    subSetupCommon();
}

void ShowDemoDialog::subSetupCommon()
{
    // A block never written holds 0: the slider's lowest value then.
    const int quality = std::clamp<int>(jpegQuality_, 1, 100);
    sldQuality_->setValue(quality);
    tTransition_->setText(QString::number(quality));
    chkProcessTaskBasket_->setChecked(processTaskBasket_ != 0);
    lstTemplate_->setCurrentRow(0);
}

void ShowDemoDialog::saveSetupCommon()
{
    tTransition_->commit();  // a box still being typed in (Generate taken with Enter)
    jpegQuality_ = static_cast<std::int16_t>(sldQuality_->value());
    processTaskBasket_ = chkProcessTaskBasket_->isChecked() ? 1 : 0;
}

void ShowDemoDialog::cmdGenerate_Click()
{
    saveSetupCommon();
    accept();
}

}  // namespace lumora
