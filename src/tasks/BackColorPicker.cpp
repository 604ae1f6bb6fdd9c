#include "tasks/BackColorPicker.h"

#include "tasks/ColorButton.h"

#include <QCheckBox>
#include <QHBoxLayout>

namespace lumora {

BackColorPicker::BackColorPicker(QWidget* parent)
    : QWidget(parent), button_(new ColorButton(this)), pick_(new QCheckBox(QStringLiteral("Pick"), this))
{
    button_->setObjectName(QStringLiteral("picCropBackColor"));
    button_->setToolTip(QStringLiteral("Choose the fill colour"));
    pick_->setObjectName(QStringLiteral("chkCropBackColor"));
    pick_->setToolTip(QStringLiteral("Click on the picture to take the colour under the pointer"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(button_);
    row->addWidget(pick_);
    row->addStretch(1);

    connect(button_, &ColorButton::colorChosen, this, &BackColorPicker::colorChosen);
    connect(pick_, &QCheckBox::toggled, this, &BackColorPicker::pickingChanged);
}

std::uint32_t BackColorPicker::color() const { return button_->color(); }
void BackColorPicker::setColor(std::uint32_t oleColor) { button_->setColor(oleColor); }
bool BackColorPicker::picking() const { return pick_->isChecked(); }
void BackColorPicker::setPicking(bool on) { pick_->setChecked(on); }

}  // namespace lumora
