#include "album/frmAlbumMetadataBasket.h"

#include "album/MetadataBasketFile.h"
#include "shell/FileDialogs.h"
#include "shell/MessageBoxes.h"
#include "shell/frmInsertMetadata.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace lumora {

frmAlbumMetadataBasket::frmAlbumMetadataBasket(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmAlbumMetadataBasket"));
    auto* hint = new QLabel(QStringLiteral("These will be inserted to individual page of the image."), this);
    hint->setWordWrap(true);
    lstMetadata_ = new QListWidget(this);
    lstMetadata_->setObjectName(QStringLiteral("lstMetadata"));
    lstMetadata_->setSelectionMode(QAbstractItemView::SingleSelection);
    hint->setBuddy(lstMetadata_);

    cmdChooseMetadata_ = new QPushButton(QStringLiteral("Choose .."), this);
    cmdChooseMetadata_->setObjectName(QStringLiteral("cmdChooseMetadata"));
    cmdNew_ = makeCommand("cmdNew", QStringLiteral("New"), QStringLiteral("Make a new metadata basket"),
                          QStyle::SP_FileIcon);
    cmdRemove_ = makeCommand("cmdRemove", QStringLiteral("Remove"), QStringLiteral("Remove the selected basket item"),
                             QStyle::SP_TrashIcon);
    cmdSave_ = makeCommand("cmdSave", QStringLiteral("Save"),
                           QStringLiteral("Save the metadata basket to file (*.mbf)"), QStyle::SP_DialogSaveButton);
    cmdOpen_ = makeCommand("cmdOpen", QStringLiteral("Open"),
                           QStringLiteral("Open an existing metadata basket (*.mbf)"), QStyle::SP_DialogOpenButton);

    connect(cmdChooseMetadata_, &QPushButton::clicked, this, &frmAlbumMetadataBasket::cmdChooseMetadata_Click);
    connect(cmdNew_, &QToolButton::clicked, this, &frmAlbumMetadataBasket::cmdNew_Click);
    connect(cmdRemove_, &QToolButton::clicked, this, &frmAlbumMetadataBasket::cmdRemove_Click);
    connect(cmdSave_, &QToolButton::clicked, this, &frmAlbumMetadataBasket::cmdSave_Click);
    connect(cmdOpen_, &QToolButton::clicked, this, &frmAlbumMetadataBasket::cmdOpen_Click);
    connect(lstMetadata_, &QListWidget::itemSelectionChanged, this, &frmAlbumMetadataBasket::updateCommands);

    auto* commands = new QHBoxLayout;
    commands->setSpacing(2);
    commands->addWidget(cmdChooseMetadata_);
    commands->addStretch(1);
    for (QToolButton* button : {cmdNew_, cmdRemove_, cmdSave_, cmdOpen_})
        commands->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(hint);
    layout->addWidget(lstMetadata_, 1);
    layout->addLayout(commands);
    updateCommands();
}

QToolButton* frmAlbumMetadataBasket::makeCommand(const char* name, const QString& caption, const QString& toolTip,
                                                 QStyle::StandardPixmap icon)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolTip(toolTip);
    button->setIcon(style()->standardIcon(icon));
    button->setAutoRaise(true);
    return button;
}

QStringList frmAlbumMetadataBasket::entries() const
{
    QStringList list;
    for (int row = 0; row < lstMetadata_->count(); ++row)
        list << lstMetadata_->item(row)->text();
    return list;
}

void frmAlbumMetadataBasket::addEntries(const QStringList& entries)
{
    QStringList listed = this->entries();
    for (const QString& entry : entries) {
        if (listed.contains(entry))
            continue;
        listed << entry;
        lstMetadata_->addItem(entry);
    }
    updateCommands();
}

void frmAlbumMetadataBasket::updateCommands()
{
    const bool empty = lstMetadata_->count() == 0;
    cmdRemove_->setEnabled(!lstMetadata_->selectedItems().isEmpty());
    cmdSave_->setEnabled(!empty);
}

void frmAlbumMetadataBasket::cmdChooseMetadata_Click()
{
    frmInsertMetadata chooser(this);
    chooser.exec();
    // The chooser's Cancel has cleared its selection, so nothing comes of it.
    addEntries(chooser.selectedItems());
}

void frmAlbumMetadataBasket::cmdNew_Click()
{
    lstMetadata_->clear();
    updateCommands();
}

void frmAlbumMetadataBasket::cmdRemove_Click()
{
    const QList<QListWidgetItem*> selected = lstMetadata_->selectedItems();
    if (selected.isEmpty())
        return;
    delete selected.front();
    updateCommands();
}

void frmAlbumMetadataBasket::cmdSave_Click()
{
    const QStringList list = entries();
    if (list.isEmpty())
        return;
    const ui::FileChoice choice = ui::ChooseSaveFile(this, SaveDialogTitle, DialogFilter);
    if (choice.path.isEmpty())
        return;
    if (!fncSaveMetadataBasket(choice.path, list))
        ui::ShowMessage(this, SaveMetadataBasketFailedMessage, QMessageBox::Information);
}

void frmAlbumMetadataBasket::cmdOpen_Click()
{
    const ui::FileChoice choice = ui::ChooseOpenFile(this, OpenDialogTitle, DialogFilter);
    if (choice.path.isEmpty())
        return;
    QStringList read;
    const bool ok = fncOpenMetadataBasket(choice.path, read);
    // After a failure the list shows what was read before it.
    lstMetadata_->clear();
    lstMetadata_->addItems(read);
    updateCommands();
    if (!ok)
        ui::ShowMessage(this, OpenMetadataBasketFailedMessage, QMessageBox::Information);
}

}  // namespace lumora
