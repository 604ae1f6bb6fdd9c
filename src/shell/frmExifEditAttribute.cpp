#include "shell/frmExifEditAttribute.h"

#include "core/LumoraError.h"
#include "metadata/MetadataDateText.h"
#include "shell/MetadataDatePicker.h"

#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumora {

namespace {

// The date a shown value stands for; a value that reads as no date starts the picker on now.
QDateTime pickerStart(const QString& value)
{
    if (value.trimmed().isEmpty())
        return QDateTime::currentDateTime();
    try {
        return modMetadata::DateOfValue(value).value_or(QDateTime::currentDateTime());
    } catch (const LumoraError&) {
        return QDateTime::currentDateTime();
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
    txtValue_ = new QLineEdit(value, this);
    txtValue_->setObjectName(QStringLiteral("txtValue"));
    ucDateTime_ = makeMetadataDatePicker(this);
    ucDateTime_->setDateTime(pickerStart(isDate ? value : QString()));
    txtValue_->setHidden(isDate);
    ucDateTime_->setHidden(!isDate);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Attribute:"), txtAttribute_);
    auto* valueRow = new QVBoxLayout;
    valueRow->addWidget(txtValue_);
    valueRow->addWidget(ucDateTime_);
    fields->addRow(QStringLiteral("Value:"), valueRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    cmdOK_ = buttons->button(QDialogButtonBox::Ok);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &frmExifEditAttribute::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    setMinimumWidth(380);
    (isDate ? static_cast<QWidget*>(ucDateTime_) : txtValue_)->setFocus();
}

void frmExifEditAttribute::accept()
{
    const QString given =
        ucDateTime_->isHidden() ? txtValue_->text().trimmed() : modMetadata::PickerDateText(ucDateTime_->dateTime());
    valueAccepted_ = given != oldValue_;
    if (valueAccepted_)
        value_ = given;
    QDialog::accept();
}

}  // namespace lumora
