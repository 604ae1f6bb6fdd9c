#include "shell/frmExifNewAttribute.h"

#include "metadata/MetadataDateText.h"
#include "metadata/MetadataMessages.h"
#include "metadata/MetadataTables.h"
#include "shell/MetadataValueForm.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>

namespace lumora {

frmExifNewAttribute::frmExifNewAttribute(const QStringList& missing, QWidget* parent)
    : QDialog(parent), nothingToAdd_(missing.isEmpty())
{
    setObjectName(QStringLiteral("frmExifNewAttribute"));
    setWindowTitle(QStringLiteral("Add New Attribute"));

    cmbAttribute_ = new QComboBox(this);
    cmbAttribute_->setObjectName(QStringLiteral("cmbAttribute"));
    if (nothingToAdd_) {
        cmbAttribute_->addItem(modMetadata::NoEditableAttributeToAdd);
        if (auto* items = qobject_cast<QStandardItemModel*>(cmbAttribute_->model()))
            items->item(0)->setEnabled(false);
        cmbAttribute_->setEnabled(false);
    } else {
        cmbAttribute_->addItems(missing);
    }
    const MetadataValueForm form = layOutMetadataValueForm(*this, cmbAttribute_);
    txtValue_ = form.text;
    ucDateTime_ = form.picker;
    cmdOK_ = form.ok;

    connect(cmbAttribute_, &QComboBox::currentIndexChanged, this, &frmExifNewAttribute::attributeChosen);
    connect(txtValue_, &QLineEdit::textChanged, this, &frmExifNewAttribute::updateOk);
    attributeChosen();
}

void frmExifNewAttribute::attributeChosen()
{
    const bool date = !nothingToAdd_ && modMetadata::IsExifDate(cmbAttribute_->currentText());
    if (date)
        ucDateTime_->setDateTime(QDateTime::currentDateTime());
    txtValue_->setHidden(date);
    ucDateTime_->setHidden(!date);
    updateOk();
}

void frmExifNewAttribute::updateOk()
{
    cmdOK_->setEnabled(!nothingToAdd_ && (!ucDateTime_->isHidden() || !txtValue_->text().trimmed().isEmpty()));
}

void frmExifNewAttribute::accept()
{
    if (!cmdOK_->isEnabled())
        return;
    attribute_ = cmbAttribute_->currentText();
    value_ = ucDateTime_->isHidden() ? txtValue_->text().trimmed() : modMetadata::PickerDateText(ucDateTime_->dateTime());
    valueAccepted_ = true;
    QDialog::accept();
}

}  // namespace lumora
