#include "shell/frmIPTCCategory.h"

#include "engine/ImageBox.h"
#include "metadata/IptcListEdits.h"
#include "metadata/IptcUrgency.h"
#include "shell/ItemListEditor.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumora {

frmIPTCCategory::frmIPTCCategory(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmIPTCCategory"));
    setWindowTitle(QStringLiteral("Add Supplementaty Categories"));
    editor_ = new ItemListEditor(QStringLiteral("lstSupCats"), QStringLiteral("txtSupCatAdd"),
                                 QStringLiteral("cmdAddSupCat"), QStringLiteral("cmdDelSupCat"), this);
    cboUrgency_ = new QComboBox(this);
    cboUrgency_->setObjectName(QStringLiteral("cboUrgency"));
    cboUrgency_->addItems(modMetadata::UrgencyItems());
    cboUrgency_->setCurrentText(modMetadata::UrgencyText(0));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* urgencyRow = new QHBoxLayout;
    urgencyRow->addWidget(new QLabel(QStringLiteral("Urgency:"), this));
    urgencyRow->addWidget(cboUrgency_);
    urgencyRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Supplemental Categories:"), this));
    layout->addWidget(editor_, 1);
    layout->addLayout(urgencyRow);
    layout->addWidget(buttons);
    resize(360, 340);
}

void frmIPTCCategory::subSetUp(const ImageBox& engine)
{
    const bool held = engine.HasImage();
    editor_->setItems(held ? modMetadata::SupplementalCategories(engine) : QStringList());
    const QString urgency = modMetadata::UrgencyText(held ? engine.IptcUrgency() : 0);
    // An urgency outside 1..8 that another program wrote stays what it is unless it is changed.
    if (cboUrgency_->findText(urgency) < 0)
        cboUrgency_->addItem(urgency);
    cboUrgency_->setCurrentText(urgency);
}

QStringList frmIPTCCategory::categories() const
{
    return editor_->items();
}

QString frmIPTCCategory::urgencyText() const
{
    return cboUrgency_->currentText();
}

}  // namespace lumora
