#include "shell/frmExifEditAttribute.h"

#include "core/LumoraError.h"
#include "metadata/MetadataDateText.h"
#include "shell/MetadataValueForm.h"

#include <QDateTimeEdit>
#include <QLineEdit>

#include <optional>

namespace lumora {

namespace {

// The date a shown value stands for; nothing for an empty value or one that reads as no date.
std::optional<QDateTime> dateShown(const QString& value)
{
    try {
        return modMetadata::DateOfValue(value);
    } catch (const LumoraError&) {
        return std::nullopt;
    }
}

}  // namespace

frmExifEditAttribute::frmExifEditAttribute(const QString& name, const QString& value, bool isDate, QWidget* parent)
    : QDialog(parent), oldValue_(value)
{
    setObjectName(QStringLiteral("frmExifEditAttribute"));
    setWindowTitle(QStringLiteral(" Edit Attribute"));

    txtAttribute_ = new QLineEdit(name, this);
    txtAttribute_->setObjectName(QStringLiteral("txtAttribute"));
    txtAttribute_->setReadOnly(true);
    const MetadataValueForm form = layOutMetadataValueForm(*this, txtAttribute_);
    txtValue_ = form.text;
    txtValue_->setText(value);
    ucDateTime_ = form.picker;
    cmdOK_ = form.ok;
    if (isDate)
        oldDate_ = dateShown(value);
    ucDateTime_->setDateTime(oldDate_.value_or(QDateTime::currentDateTime()));
    txtValue_->setHidden(isDate);
    ucDateTime_->setHidden(!isDate);
    (isDate ? static_cast<QWidget*>(ucDateTime_) : txtValue_)->setFocus();
}

void frmExifEditAttribute::accept()
{
    const bool picked = !ucDateTime_->isHidden();
    const QString given = picked ? modMetadata::PickerDateText(ucDateTime_->dateTime()) : txtValue_->text().trimmed();
    // A date is compared as a date: an IPTC date shows as the system's short date, which the
    // picker's text never equals, and an untouched picker must write nothing.
    if (picked && oldDate_)
        valueAccepted_ = ucDateTime_->dateTime().toSecsSinceEpoch() != oldDate_->toSecsSinceEpoch();
    else
        valueAccepted_ = given != oldValue_;
    if (valueAccepted_)
        value_ = given;
    QDialog::accept();
}

}  // namespace lumora
