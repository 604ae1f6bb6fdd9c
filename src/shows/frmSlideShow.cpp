#include "shows/frmSlideShow.h"

#include "controls/NumericField.h"
#include "tasks/ColorButton.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace lumora {
namespace {

// An emptied interval box shows 3 seconds; leaving it holds the number to 1..9.
const NumericFieldSpec IntervalSpec{QStringLiteral("3"), 1, 9};

QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

frmSlideShow::frmSlideShow(SetupRecord::SlideShow& settings, QWidget* parent) : QDialog(parent), settings_(settings)
{
    setObjectName(QStringLiteral("frmSlideShow"));
    setWindowTitle(QStringLiteral("Generate Slide show"));

    cmdPageBackgroundColor_ = new ColorButton(this);
    cmdPageBackgroundColor_->setObjectName(QStringLiteral("cmdPageBackgroundColor"));

    txtInterval_ = new NumericField(IntervalSpec, this);
    txtInterval_->setObjectName(QStringLiteral("txtInterval"));
    txtInterval_->setAlignment(Qt::AlignRight);
    txtInterval_->setMaximumWidth(40);
    // The scroll bar beside the box: its lower arrow raises the number, as the arrows of a
    // number box do.
    vsInterval_ = new QScrollBar(Qt::Vertical, this);
    vsInterval_->setObjectName(QStringLiteral("vsInterval"));
    vsInterval_->setRange(1, 9);
    vsInterval_->setInvertedControls(true);
    vsInterval_->setInvertedAppearance(true);
    vsInterval_->setFixedHeight(txtInterval_->sizeHint().height());
    txtInterval_->setCompanion(vsInterval_);

    sldQuality_ = new QSlider(Qt::Horizontal, this);
    sldQuality_->setObjectName(QStringLiteral("sldQuality"));
    sldQuality_->setRange(1, 100);
    lblQuality_ = new QLabel(this);
    lblQuality_->setObjectName(QStringLiteral("lblQuality"));
    lblQuality_->setMinimumWidth(lblQuality_->fontMetrics().horizontalAdvance(QStringLiteral("100")) + 4);
    connect(sldQuality_, &QSlider::valueChanged, lblQuality_, qOverload<int>(&QLabel::setNum));

    chkProcessEditingList_ = new QCheckBox(QStringLiteral("Process Tasks Basket"), this);
    chkProcessEditingList_->setObjectName(QStringLiteral("chkProcessEditingList"));

    auto* buttons = new QDialogButtonBox(this);
    cmdCreate_ = buttons->addButton(QStringLiteral("&Generate"), QDialogButtonBox::AcceptRole);
    cmdCreate_->setObjectName(QStringLiteral("cmdCreate"));
    cmdCreate_->setDefault(true);
    cmdCancel_ = buttons->addButton(QStringLiteral("C&ancel"), QDialogButtonBox::RejectRole);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdCreate_, &QPushButton::clicked, this, &frmSlideShow::cmdCreate_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(caption(QStringLiteral("Background Color :"), cmdPageBackgroundColor_, this), 0, 0);
    grid->addWidget(cmdPageBackgroundColor_, 0, 1, Qt::AlignLeft);
    auto* interval = new QHBoxLayout;
    interval->setSpacing(0);
    interval->addWidget(txtInterval_);
    interval->addWidget(vsInterval_);
    interval->addStretch(1);
    grid->addWidget(caption(QStringLiteral("Interval ( in secs) :"), txtInterval_, this), 1, 0);
    grid->addLayout(interval, 1, 1);
    grid->addWidget(caption(QStringLiteral("JPEG Quality :"), sldQuality_, this), 2, 0);
    auto* quality = new QHBoxLayout;
    quality->addWidget(sldQuality_, 1);
    quality->addWidget(lblQuality_);
    grid->addLayout(quality, 2, 1);
    grid->addWidget(chkProcessEditingList_, 3, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addWidget(buttons);

    subSetup();
}

void frmSlideShow::subSetup()
{
    const SetupRecord::SlideShow& s = settings_;
    cmdPageBackgroundColor_->setColor(static_cast<std::uint32_t>(s.backColor));
    // A block never written holds 0: the lowest values the controls take then.
    const int interval = std::clamp<int>(s.interval, 1, 9);
    txtInterval_->setText(QString::number(interval));
    vsInterval_->setValue(interval);
    sldQuality_->setValue(std::clamp<int>(s.jpegQuality, 1, 100));
    lblQuality_->setNum(sldQuality_->value());
    chkProcessEditingList_->setChecked(s.processTaskBasket != 0);
}

void frmSlideShow::cmdCreate_Click()
{
    txtInterval_->commit();  // a box still being typed in (Generate taken with Enter)
    SetupRecord::SlideShow& s = settings_;
    s.backColor = static_cast<std::int32_t>(cmdPageBackgroundColor_->color());
    s.interval = static_cast<std::int16_t>(txtInterval_->value());
    s.jpegQuality = static_cast<std::int16_t>(sldQuality_->value());
    s.processTaskBasket = chkProcessEditingList_->isChecked() ? 1 : 0;
    accept();
}

}  // namespace lumora
