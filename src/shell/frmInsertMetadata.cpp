#include "shell/frmInsertMetadata.h"

#include "metadata/InsertMetadataItems.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumora {

frmInsertMetadata::frmInsertMetadata(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmInsertMetadata"));
    setWindowTitle(QStringLiteral("Insert Metadata"));
    lstMetadata_ = new QListWidget(this);
    lstMetadata_->setObjectName(QStringLiteral("lstMetadata"));
    lstMetadata_->setSelectionMode(QAbstractItemView::MultiSelection);
    lstMetadata_->addItems(modMetadata::InsertMetadataItems());
    chkSelectAll_ = new QCheckBox(QStringLiteral("Select All"), this);
    chkSelectAll_->setObjectName(QStringLiteral("chkSelectAll"));
    connect(chkSelectAll_, &QCheckBox::toggled, this, &frmInsertMetadata::selectAll);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmInsertMetadata::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstMetadata_, 1);
    layout->addWidget(chkSelectAll_);
    layout->addWidget(buttons);
    resize(340, 420);
}

QStringList frmInsertMetadata::selectedItems() const
{
    QStringList items;
    for (int row = 0; row < lstMetadata_->count(); ++row)
        if (lstMetadata_->item(row)->isSelected())
            items << lstMetadata_->item(row)->text();
    return items;
}

void frmInsertMetadata::selectAll(bool select)
{
    if (select)
        lstMetadata_->selectAll();
    else
        lstMetadata_->clearSelection();
}

void frmInsertMetadata::reject()
{
    lstMetadata_->clearSelection();
    QDialog::reject();
}

}  // namespace lumora
