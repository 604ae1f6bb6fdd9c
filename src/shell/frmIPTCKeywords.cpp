#include "shell/frmIPTCKeywords.h"

#include "engine/ImageBox.h"
#include "metadata/IptcListEdits.h"
#include "shell/ItemListEditor.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumora {

frmIPTCKeywords::frmIPTCKeywords(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmIPTCKeywords"));
    setWindowTitle(QStringLiteral("Keywords"));
    editor_ = new ItemListEditor(QStringLiteral("lstKeywords"), QStringLiteral("txtKeywordAdd"),
                                 QStringLiteral("cmdAddKeyword"), QStringLiteral("cmdDelKeyword"), this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Keywords:"), this));
    layout->addWidget(editor_, 1);
    layout->addWidget(buttons);
    resize(340, 320);
}

void frmIPTCKeywords::subSetUp(const ImageBox& engine)
{
    editor_->setItems(engine.HasImage() ? modMetadata::Keywords(engine) : QStringList());
}

QStringList frmIPTCKeywords::keywords() const
{
    return editor_->items();
}

}  // namespace lumora
