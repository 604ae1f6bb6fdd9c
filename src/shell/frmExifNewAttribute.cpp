#include "shell/frmExifNewAttribute.h"

#include "metadata/MetadataDateText.h"
#include "metadata/MetadataMessages.h"
#include "metadata/MetadataTables.h"
#include "shell/MetadataDatePicker.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

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
    txtValue_ = new QLineEdit(this);
    txtValue_->setObjectName(QStringLiteral("txtValue"));
    ucDateTime_ = makeMetadataDatePicker(this);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Attribute:"), cmbAttribute_);
    auto* valueRow = new QVBoxLayout;
    valueRow->addWidget(txtValue_);
    valueRow->addWidget(ucDateTime_);
    fields->addRow(QStringLiteral("Value:"), valueRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    cmdOK_ = buttons->button(QDialogButtonBox::Ok);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &frmExifNewAttribute::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    setMinimumWidth(380);

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
