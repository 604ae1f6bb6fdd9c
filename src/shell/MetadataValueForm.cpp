#include "shell/MetadataValueForm.h"

#include <QDateTimeEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumora {

MetadataValueForm layOutMetadataValueForm(QDialog& dialog, QWidget* attributeField)
{
    MetadataValueForm form;
    form.text = new QLineEdit(&dialog);
    form.text->setObjectName(QStringLiteral("txtValue"));
    form.picker = new QDateTimeEdit(&dialog);
    form.picker->setObjectName(QStringLiteral("ucDateTime"));
    form.picker->setCalendarPopup(true);
    form.picker->setDisplayFormat(QStringLiteral("M/d/yyyy h:mm:ss AP"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Attribute:"), attributeField);
    auto* valueRow = new QVBoxLayout;
    valueRow->addWidget(form.text);
    valueRow->addWidget(form.picker);
    fields->addRow(QStringLiteral("Value:"), valueRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form.ok = buttons->button(QDialogButtonBox::Ok);
    form.ok->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    // QDialog::accept is virtual: a dialog's own accept checks the value first.
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    dialog.setMinimumWidth(380);
    return form;
}

}  // namespace lumora
