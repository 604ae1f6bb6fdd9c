#include "shell/MetadataDatePicker.h"

#include <QDateTimeEdit>

namespace lumora {

QDateTimeEdit* makeMetadataDatePicker(QWidget* parent)
{
    auto* picker = new QDateTimeEdit(parent);
    picker->setObjectName(QStringLiteral("ucDateTime"));
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("M/d/yyyy h:mm:ss AP"));
    return picker;
}

}  // namespace lumora
