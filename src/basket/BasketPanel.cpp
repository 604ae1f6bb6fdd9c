#include "basket/BasketPanel.h"

#include "album/frmAlbumDescription.h"
#include "basket/BasketFileCommands.h"
#include "basket/BasketListView.h"
#include "basket/BasketStatus.h"
#include "basket/ImageBasketFile.h"
#include "core/CurrentOperation.h"
#include "settings/SettingsForm.h"
#include "shell/FileDialogs.h"
#include "shell/MessageBoxes.h"
#include "shell/PaneCaption.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace lumora {

namespace {
constexpr int ColumnCount = 5;
constexpr int DefaultColumnWidth = 100;
}  // namespace

BasketPanel::BasketPanel(QWidget* parent) : QWidget(parent), adder_(basket_)
{
    setObjectName(QStringLiteral("BasketPanel"));

    caption_ = makePaneCaption(QStringLiteral(" Basket"), QStringLiteral("lblQueue"), this);

    cmdNew_ = makeCommand("cmdPagesNew", QStringLiteral("New"), QStyle::SP_FileIcon,
                          QStringLiteral("Start a new, empty basket"));
    cmdDelete_ = makeCommand("cmdPagesDelete", QStringLiteral("Delete"), QStyle::SP_TrashIcon,
                             QStringLiteral("Remove the selected files from the basket"));
    cmdOpen_ = makeCommand("cmdPagesOpen", QStringLiteral("Open"), QStyle::SP_DialogOpenButton,
                           QStringLiteral("Open an image basket file (*.ibf, *.ibd)"));
    cmdSave_ = makeCommand("cmdPagesSave", QStringLiteral("Save"), QStyle::SP_DialogSaveButton,
                           QStringLiteral("Save the basket to an image basket file (*.ibf, *.ibd)"));
    connect(cmdNew_, &QToolButton::clicked, this, &BasketPanel::newBasket);
    connect(cmdDelete_, &QToolButton::clicked, this, &BasketPanel::deleteSelected);
    connect(cmdOpen_, &QToolButton::clicked, this, &BasketPanel::openBasketFile);
    connect(cmdSave_, &QToolButton::clicked, this, &BasketPanel::saveBasketFile);

    list_ = new BasketListView(basket_, this);
    // The window gives the settings record's sizes and widths when it lays itself out.
    setThumbnailSize(40, 40);
    setColumnWidths({});

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("pbQueue"));
    progress_->setTextVisible(false);
    progress_->setMaximumHeight(fontMetrics().height());
    progress_->hide();
    cmdCancel_ = new QToolButton(this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancelAdd"));
    cmdCancel_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    cmdCancel_->setToolTip(QStringLiteral("Stop adding files to the basket"));
    cmdCancel_->setAutoRaise(true);
    cmdCancel_->hide();
    connect(cmdCancel_, &QToolButton::clicked, this, &BasketPanel::cancelAdd);

    contextMenu_ = new QMenu(this);
    contextMenu_->setObjectName(QStringLiteral("mnuContextBasket"));
    QAction* deleteAction = contextMenu_->addAction(QStringLiteral("Delete selected"), this, &BasketPanel::deleteSelected);
    deleteAction->setObjectName(QStringLiteral("mnuBasketDelete"));
    contextMenu_->addAction(QStringLiteral("Add description..."), this, &BasketPanel::describeSelected)
        ->setObjectName(QStringLiteral("mnuBasketDescription"));
    contextMenu_->addSeparator();
    contextMenu_->addAction(QStringLiteral("New Basket"), this, &BasketPanel::newBasket)
        ->setObjectName(QStringLiteral("mnuBasketNew"));
    contextMenu_->addAction(QStringLiteral("Open basket..."), this, &BasketPanel::openBasketFile)
        ->setObjectName(QStringLiteral("mnuBasketOpen"));
    contextMenu_->addAction(QStringLiteral("Save basket..."), this, &BasketPanel::saveBasketFile)
        ->setObjectName(QStringLiteral("mnuBasketSave"));

    auto* commands = new QHBoxLayout;
    commands->setContentsMargins(0, 0, 0, 0);
    commands->setSpacing(2);
    commands->addWidget(caption_, 1);
    for (QToolButton* button : {cmdNew_, cmdDelete_, cmdOpen_, cmdSave_})
        commands->addWidget(button);
    auto* progressRow = new QHBoxLayout;
    progressRow->setContentsMargins(0, 0, 0, 0);
    progressRow->addWidget(progress_, 1);
    progressRow->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(commands);
    layout->addWidget(list_, 1);
    layout->addLayout(progressRow);

    connect(list_, &BasketListView::deleteRequested, this, &BasketPanel::deleteSelected);
    connect(list_, &BasketListView::entryChosen, this, &BasketPanel::chooseEntry);
    connect(list_, &BasketListView::filesDropped, this,
            [this](const QStringList& paths) { addFiles(paths, BasketRoad::Drop); });
    connect(list_, &QWidget::customContextMenuRequested, this, &BasketPanel::showContextMenu);

    // The progress comes from the adder's workers; queued, it reaches the bar on this thread.
    connect(&adder_, &BasketAdder::progress, this, &BasketPanel::onProgress, Qt::QueuedConnection);
    connect(&adder_, &BasketAdder::finished, this, &BasketPanel::onFinished);

    const auto countChanged = [this] {
        updateCommands();
        Q_EMIT basketChanged(basket_.size());
    };
    connect(&basket_, &ImageBasket::rowsInserted, this, countChanged);
    connect(&basket_, &ImageBasket::rowsRemoved, this, countChanged);
    connect(&basket_, &ImageBasket::modelReset, this, countChanged);
    updateCommands();
}

// The adder (declared after the basket) goes first: it waits for its workers.
BasketPanel::~BasketPanel() = default;

QToolButton* BasketPanel::makeCommand(const char* name, const QString& caption, QStyle::StandardPixmap icon,
                                      const QString& toolTip)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setIcon(style()->standardIcon(icon));
    button->setToolTip(toolTip);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

QListView* BasketPanel::basketList() const { return list_; }

void BasketPanel::addFiles(const QStringList& paths, BasketRoad road)
{
    if (paths.isEmpty())
        return;
    pending_.append({paths, road});
    if (!adder_.isRunning())
        startNext();
}

bool BasketPanel::isBusy() const { return adder_.isRunning() || !pending_.isEmpty(); }

void BasketPanel::startNext()
{
    while (!pending_.isEmpty() && !adder_.isRunning()) {
        const PendingAdd next = pending_.takeFirst();
        SetCurrentOperation(basketStatus::operationText(next.road));
        showProgress(static_cast<int>(next.paths.size()));
        if (adder_.start(next.paths, next.road))
            break;
    }
    updateCommands();
}

void BasketPanel::showProgress(int maximum)
{
    progress_->setRange(0, std::max(maximum, 0));
    progress_->setValue(0);
    progress_->show();
    cmdCancel_->show();
}

void BasketPanel::onProgress(int index, int count, const QString& status)
{
    if (!adder_.isRunning())
        return;  // a late report of an add that has already finished
    progress_->setRange(0, std::max(count, 0));
    progress_->setValue(std::clamp(index, 0, std::max(count, 0)));
    Q_EMIT statusText(QStringLiteral("folder"), status);
}

void BasketPanel::onFinished()
{
    if (!pending_.isEmpty()) {
        startNext();
        if (adder_.isRunning())
            return;
    }
    progress_->hide();
    cmdCancel_->hide();
    updateCommands();
    Q_EMIT statusText(QStringLiteral("queue"), basket_.countText());
    Q_EMIT addingFinished();
}

void BasketPanel::cancelAdd()
{
    pending_.clear();
    if (adder_.isRunning())
        adder_.cancel();
}

void BasketPanel::updateCommands()
{
    // A new or reopened basket would pull the pages out from under a running add.
    const bool busy = isBusy();
    cmdNew_->setEnabled(!busy);
    cmdOpen_->setEnabled(!busy);
    cmdSave_->setEnabled(!basket_.isEmpty());
    cmdDelete_->setEnabled(!basket_.isEmpty());
}

void BasketPanel::setThumbnailSize(int width, int height)
{
    // Held to what the adder makes, so a stray record value never blows thumbnails up.
    adder_.setThumbnailSize(QSize(width, height));
    const QSize size = adder_.thumbnailSize();
    if (size == list_->thumbnailSize())
        return;
    list_->setThumbnailSize(size);
    remaker_.remake(size);
}

QSize BasketPanel::thumbnailSize() const { return list_->thumbnailSize(); }

void BasketPanel::setColumnWidths(const QList<int>& widths)
{
    columnWidths_ = widths.mid(0, ColumnCount);
    while (columnWidths_.size() < ColumnCount)
        columnWidths_.append(DefaultColumnWidth);
}

bool BasketPanel::selectAdjacent(int delta)
{
    int row = list_->currentIndex().row();
    const QList<int> selected = list_->selectedRows();
    if (selected.isEmpty())
        return false;
    if (!selected.contains(row))
        row = selected.first();
    const int next = row + delta;
    if (delta == 0 || next < 0 || next >= basket_.size())
        return false;
    list_->selectRows({next});
    chooseEntry(next);
    return true;
}

void BasketPanel::chooseEntry(int row)
{
    if (row >= 0 && row < basket_.size())
        Q_EMIT previewRequested(basket_.at(row).tag);
}

void BasketPanel::deleteSelected()
{
    const QList<int> rows = list_->selectedRows();
    if (rows.isEmpty())
        return;
    basket_.removePositions(rows);
    Q_EMIT statusText(QStringLiteral("queue"), basket_.countText());
}

void BasketPanel::newBasket()
{
    if (isBusy())
        return;
    basket_.newBasket();
    Q_EMIT statusText(QStringLiteral("queue"), basketStatus::NewBasket);
}

void BasketPanel::openBasketFile()
{
    if (isBusy())
        return;
    if (!basket_.isEmpty()
        && ui::ShowMessage(this, basketFileCommands::ReplaceBasketQuestion, QMessageBox::Question,
                           QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
            != QMessageBox::Ok)
        return;
    const ui::FileChoice choice = ui::ChooseOpenFile(this, OpenDialogTitle, OpenDialogFilter);
    if (choice.path.isEmpty())
        return;

    SetCurrentOperation(basketStatus::OpeningImageList);
    showProgress(0);
    if (basketFileCommands::openImageBasket(choice.path, basket_, adder_)) {
        updateCommands();
        return;  // onFinished() closes the run
    }
    progress_->hide();
    cmdCancel_->hide();
    updateCommands();
    ui::ShowMessage(this, modSaveOpenImageList::OpenImageBasketFailedMessage, QMessageBox::Critical);
    Q_EMIT statusText(QStringLiteral("queue"), basket_.countText());
}

void BasketPanel::saveBasketFile()
{
    if (basket_.isEmpty())
        return;
    const ui::FileChoice choice = ui::ChooseSaveFile(this, SaveDialogTitle, SaveDialogFilter);
    if (choice.path.isEmpty())
        return;
    const ImageBasketKind kind = choice.filterIndex == 1 ? ImageBasketKind::Description : ImageBasketKind::Favourite;
    if (!basketFileCommands::saveImageBasket(kind, choice.path, basket_))
        ui::ShowMessage(this, modSaveOpenImageList::SaveImageBasketFailedMessage, QMessageBox::Critical);
}

void BasketPanel::describeSelected()
{
    const QList<int> rows = list_->selectedRows();
    if (rows.size() != 1)
        return;
    const int row = rows.front();
    frmAlbumDescription dialog(basket_.at(row).text, basket_.at(row).description, this);
    // The entry may have gone while the dialog was open (an add or a delete runs meanwhile).
    const QString tag = basket_.at(row).tag;
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (row < basket_.size() && basket_.at(row).tag == tag)
        basket_.setDescription(row, dialog.description());
}

void BasketPanel::showContextMenu(const QPoint& position)
{
    const bool busy = isBusy();
    for (QAction* action : contextMenu_->actions()) {
        const QString name = action->objectName();
        if (name == QLatin1String("mnuBasketDelete"))
            action->setEnabled(!list_->selectedRows().isEmpty());
        else if (name == QLatin1String("mnuBasketDescription"))
            action->setEnabled(list_->selectedRows().size() == 1);
        else if (name == QLatin1String("mnuBasketNew") || name == QLatin1String("mnuBasketOpen"))
            action->setEnabled(!busy);
        else if (name == QLatin1String("mnuBasketSave"))
            action->setEnabled(!basket_.isEmpty());
    }
    contextMenu_->popup(list_->viewport()->mapToGlobal(position));
}

}  // namespace lumora
