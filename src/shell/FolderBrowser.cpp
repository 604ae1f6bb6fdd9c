#include "shell/FolderBrowser.h"

#include "browse/FolderListModel.h"
#include "core/CurrentOperation.h"
#include "core/ProgramFolder.h"
#include "core/ReportFailures.h"
#include "shell/FolderIconDelegate.h"
#include "shell/PictureImage.h"

#include <QAction>
#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace lumora {

namespace {
const QString ListingRoutine = QStringLiteral("FrmMain.subShowFilesInFolder");
constexpr int ShowFilesDelayMs = 200;
}  // namespace

// The rows as the views draw them: the thumbnails (pictures in the list model, which knows no
// widgets) become pixmaps here, each once.
class FolderThumbnailModel : public QIdentityProxyModel {
public:
    explicit FolderThumbnailModel(QObject* parent) : QIdentityProxyModel(parent) {}

    void setSourceModel(QAbstractItemModel* model) override
    {
        QIdentityProxyModel::setSourceModel(model);
        connect(model, &QAbstractItemModel::modelReset, this, [this] { pixmaps_.clear(); });
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        QVariant value = QIdentityProxyModel::data(index, role);
        if (role != Qt::DecorationRole || value.metaType() != QMetaType::fromType<Picture>())
            return value;
        const QString path = QIdentityProxyModel::data(index, FolderListModel::PathRole).toString();
        auto cached = pixmaps_.constFind(path);
        if (cached == pixmaps_.constEnd())
            cached = pixmaps_.insert(path, QPixmap::fromImage(toQImage(value.value<Picture>())));
        return *cached;
    }

private:
    mutable QHash<QString, QPixmap> pixmaps_;
};

FolderBrowser::FolderBrowser(QWidget* parent)
    : QWidget(parent),
      folders_(new QFileSystemModel(this)),
      tree_(new QTreeView),
      thumbnailButton_(new QToolButton),
      detailButton_(new QToolButton),
      stack_(new QStackedWidget),
      icons_(new QListView),
      details_(new QTreeView),
      menu_(new QMenu(this)),
      timer_(new QTimer(this)),
      model_(new FolderListModel(this)),
      shown_(new FolderThumbnailModel(this)),
      lister_(new FolderLister(this)),
      widths_(FolderListModel::ColumnCount, 100)
{
    setObjectName(QStringLiteral("FolderBrowser"));

    // The tree: folders only, from the root of the file system.
    folders_->setObjectName(QStringLiteral("ftvBrowseModel"));
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setRootPath(QStringLiteral("/"));
    // The tree reads folders in the background and inserts their rows a little later: a folder
    // chosen before its parents were read can only be expanded to and scrolled into view as
    // their rows arrive. Until the user takes the tree over, every arrival under one of its
    // ancestors moves the view again, once the tree has laid the new rows out.
    auto revealLater = [this](const QString& parentPath) {
        if (!revealPending_ || folder_.isEmpty())
            return;
        const QString ancestor = QDir::cleanPath(parentPath);
        if (ancestor != QStringLiteral("/") && !(folder_ + QLatin1Char('/')).startsWith(ancestor + QLatin1Char('/')))
            return;
        QTimer::singleShot(0, this, &FolderBrowser::revealFolderInTree);
    };
    connect(folders_, &QFileSystemModel::directoryLoaded, this, revealLater);
    connect(folders_, &QFileSystemModel::rowsInserted, this,
            [this, revealLater](const QModelIndex& under) { revealLater(folders_->filePath(under)); });
    // The model sorts newly read folders a moment later, which moves rows without inserting any.
    connect(folders_, &QFileSystemModel::layoutChanged, this, [revealLater] { revealLater(QStringLiteral("/")); });
    tree_->setObjectName(QStringLiteral("ftvBrowse"));
    tree_->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column)
        tree_->hideColumn(column);
    tree_->setHeaderHidden(true);
    tree_->setUniformRowHeights(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { folderSelectionChanged(); });

    timer_->setObjectName(QStringLiteral("timerShowFiles"));
    timer_->setSingleShot(true);
    timer_->setInterval(ShowFilesDelayMs);
    connect(timer_, &QTimer::timeout, this, &FolderBrowser::subShowFilesInFolder);

    thumbnailButton_->setObjectName(QStringLiteral("cmdThumbnailFolder"));
    thumbnailButton_->setText(QStringLiteral("Thumbnails"));
    thumbnailButton_->setIcon(QIcon::fromTheme(QStringLiteral("view-list-icons")));
    thumbnailButton_->setCheckable(true);
    detailButton_->setObjectName(QStringLiteral("cmdDetailFolder"));
    detailButton_->setText(QStringLiteral("Details"));
    detailButton_->setIcon(QIcon::fromTheme(QStringLiteral("view-list-details")));
    detailButton_->setCheckable(true);
    connect(thumbnailButton_, &QToolButton::clicked, this, [this] { setViewMode(FolderThumbnails); });
    connect(detailButton_, &QToolButton::clicked, this, [this] { setViewMode(FolderDetails); });

    shown_->setSourceModel(model_);

    // Thumbnails: every item the same size and laid out in batches, so that rows arriving while
    // the folder is listed never make the view measure every item again.
    icons_->setViewMode(QListView::IconMode);
    icons_->setMovement(QListView::Static);
    icons_->setResizeMode(QListView::Adjust);
    icons_->setFlow(QListView::LeftToRight);
    icons_->setWrapping(true);
    icons_->setUniformItemSizes(true);
    icons_->setLayoutMode(QListView::Batched);
    icons_->setBatchSize(64);
    // Names wrap onto a second line rather than being cut to a few letters.
    icons_->setWordWrap(true);
    icons_->setTextElideMode(Qt::ElideMiddle);
    icons_->setModel(shown_);
    icons_->setItemDelegate(new FolderIconDelegate(icons_));

    details_->setRootIsDecorated(false);
    details_->setItemsExpandable(false);
    details_->setUniformRowHeights(true);
    details_->setModel(shown_);
    // One selection for both views, so switching views keeps it.
    QItemSelectionModel* ownSelection = details_->selectionModel();
    details_->setSelectionModel(icons_->selectionModel());
    delete ownSelection;
    QHeaderView* header = details_->header();
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    connect(header, &QHeaderView::sectionClicked, this, &FolderBrowser::headerClicked);
    connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (!applyingWidths_ && column >= 0 && column < widths_.size())
            widths_[column] = size;
    });
    setColumnWidths(widths_);

    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(icons_), static_cast<QAbstractItemView*>(details_)}) {
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setDragEnabled(true);
        view->setDragDropMode(QAbstractItemView::DragOnly);
        view->setDefaultDropAction(Qt::CopyAction);
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
        connect(view, &QAbstractItemView::doubleClicked, this, [this] { addSelectedToBasket(); });
    }
    tree_->viewport()->installEventFilter(this);
    setFullRowSelect(false);

    menu_->setObjectName(QStringLiteral("mnuFolder"));
    QAction* add = menu_->addAction(QStringLiteral("Add to basket"));
    add->setObjectName(QStringLiteral("mnuFolderAddToBasket"));
    connect(add, &QAction::triggered, this, [this] { addSelectedToBasket(); });

    stack_->addWidget(icons_);
    stack_->addWidget(details_);

    connect(lister_, &FolderLister::rowsReady, model_, &FolderListModel::appendRows);
    connect(lister_, &FolderLister::progress, this,
            [this](int done, int count) { Q_EMIT listingProgress(done, count, true); });
    connect(lister_, &FolderLister::finished, this, [this] {
        Q_EMIT listingProgress(0, 0, false);
        Q_EMIT listingFinished();
    });

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(thumbnailButton_);
    buttons->addWidget(detailButton_);
    buttons->addStretch();
    auto* files = new QWidget;
    auto* filesLayout = new QVBoxLayout(files);
    filesLayout->setContentsMargins(0, 0, 0, 0);
    filesLayout->addLayout(buttons);
    filesLayout->addWidget(stack_);
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(tree_);
    split->addWidget(files);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);

    showCurrentView();
}

FolderBrowser::~FolderBrowser()
{
    timer_->stop();
    lister_->stop();
}

void FolderBrowser::selectFolder(const QString& path)
{
    const QString folder = QDir::cleanPath(QDir(path).absolutePath());
    timer_->stop();
    folder_ = folder;
    revealPending_ = true;
    revealFolderInTree();
    subShowFilesInFolder();
}

void FolderBrowser::revealFolderInTree()
{
    if (!revealPending_)
        return;
    const QModelIndex index = folders_->index(folder_);
    if (!index.isValid())
        return;
    selectingProgrammatically_ = true;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        tree_->expand(parent);
    if (tree_->currentIndex() != index)
        tree_->setCurrentIndex(index);
    tree_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    selectingProgrammatically_ = false;
}

QString FolderBrowser::currentFolder() const { return folder_; }

QString FolderBrowser::folderStatus(const QString& folder) { return QStringLiteral("Current Folder - ") + folder; }

void FolderBrowser::folderSelectionChanged()
{
    if (selectingProgrammatically_)
        return;
    revealPending_ = false;
    // The old listing ends now; the new one waits for the selection to settle.
    lister_->stop();
    const QModelIndex current = tree_->currentIndex();
    if (current.isValid())
        folder_ = folders_->filePath(current);
    timer_->start();
}

void FolderBrowser::subShowFilesInFolder()
{
    timer_->stop();
    SetCurrentOperation(QStringLiteral("Showing files from selected folder"));
    int line = 1;
    reportFailures(ListingRoutine, line, [&] {
        line = 2;
        QDir().mkpath(ProgramFolder::tempFolder());
        line = 3;
        Q_EMIT statusText(QStringLiteral("folder"), folderStatus(folder_));
        line = 4;
        lister_->stop();
        model_->clear();
        details_->header()->setSortIndicatorShown(false);
        applyIconGeometry();
        if (folder_.isEmpty()) {
            Q_EMIT listingProgress(0, 0, false);
            return;
        }
        line = 5;
        const int count = lister_->start(folder_, viewMode_, thumbnailWidth_, thumbnailHeight_, shortSizes_);
        Q_EMIT listingProgress(0, count, count > 0);
    });
}

void FolderBrowser::setViewMode(int mode)
{
    viewMode_ = mode == FolderDetails ? FolderDetails : FolderThumbnails;
    showCurrentView();
    if (!folder_.isEmpty())
        subShowFilesInFolder();
}

void FolderBrowser::showCurrentView()
{
    const bool details = viewMode_ == FolderDetails;
    stack_->setCurrentWidget(details ? static_cast<QWidget*>(details_) : static_cast<QWidget*>(icons_));
    // The view on show carries the list's name, so the window and its tests find the one in use.
    icons_->setObjectName(details ? QStringLiteral("lvFolderThumbnails") : QStringLiteral("lvFolder"));
    details_->setObjectName(details ? QStringLiteral("lvFolder") : QStringLiteral("lvFolderDetails"));
    thumbnailButton_->setChecked(!details);
    detailButton_->setChecked(details);
}

void FolderBrowser::applyIconGeometry()
{
    const QSize icon(thumbnailWidth_, thumbnailHeight_);
    icons_->setIconSize(icon);
    // A fixed cell: the thumbnail with its name on up to two lines below.
    const int textHeight = icons_->fontMetrics().height();
    // Wide enough for a usual photo name ("IMG_20240803_1042.jpg" shows its start and end).
    icons_->setGridSize(QSize(std::max(thumbnailWidth_ + 16, 112), thumbnailHeight_ + 2 * textHeight + 14));
}

void FolderBrowser::setThumbnailSize(int width, int height)
{
    thumbnailWidth_ = std::max(1, width);
    thumbnailHeight_ = std::max(1, height);
}

void FolderBrowser::setShortFileSize(bool shortSizes) { shortSizes_ = shortSizes; }

void FolderBrowser::setFullRowSelect(bool fullRow)
{
    details_->setSelectionBehavior(fullRow ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    details_->setAllColumnsShowFocus(fullRow);
}

void FolderBrowser::setColumnWidths(const QList<int>& eightWidths)
{
    applyingWidths_ = true;
    for (int column = 0; column < FolderListModel::ColumnCount && column < eightWidths.size(); ++column) {
        widths_[column] = eightWidths.at(column);
        details_->header()->resizeSection(column, std::max(0, eightWidths.at(column)));
    }
    applyingWidths_ = false;
}

QList<int> FolderBrowser::columnWidths() const { return widths_; }

QStringList FolderBrowser::selectedPaths() const
{
    std::set<int> rows;
    const QModelIndexList selected = icons_->selectionModel()->selectedIndexes();
    for (const QModelIndex& index : selected)
        rows.insert(index.row());
    QStringList paths;
    for (int row : rows)
        paths.append(model_->pathAt(row));
    return paths;
}

QString FolderBrowser::rowResolution(const QString& path) const
{
    const int row = model_->rowOf(path);
    return row >= 0 ? model_->row(row).resolution : QString();
}

void FolderBrowser::setRowResolution(const QString& path, const QString& text) { model_->setResolution(path, text); }

int FolderBrowser::rowPages(const QString& path) const
{
    const int row = model_->rowOf(path);
    return row >= 0 ? model_->row(row).pages : 0;
}

bool FolderBrowser::selectAdjacent(int delta)
{
    QItemSelectionModel* selection = icons_->selectionModel();
    int row = selection->currentIndex().isValid() ? selection->currentIndex().row() : -1;
    if (row < 0) {
        const QModelIndexList selected = selection->selectedIndexes();
        if (selected.isEmpty())
            return false;
        row = selected.constFirst().row();
    }
    const int target = row + delta;
    if (delta == 0 || target < 0 || target >= model_->rowCount())
        return false;
    const QModelIndex index = shown_->index(target, 0);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    fileList()->scrollTo(index);
    Q_EMIT previewRequested(model_->pathAt(target));
    return true;
}

QAbstractItemView* FolderBrowser::fileList() const
{
    return viewMode_ == FolderDetails ? static_cast<QAbstractItemView*>(details_) : static_cast<QAbstractItemView*>(icons_);
}

void FolderBrowser::setListToolTips(const QString& treeTip, const QString& listTip)
{
    tree_->setToolTip(treeTip);
    icons_->setToolTip(listTip);
    details_->setToolTip(listTip);
}

bool FolderBrowser::isListing() const { return lister_->isRunning(); }

void FolderBrowser::previewSelected()
{
    // The row with the focus when it is selected, else the first selected one.
    QItemSelectionModel* selection = icons_->selectionModel();
    const QModelIndex current = selection->currentIndex();
    QString path;
    if (current.isValid() && selection->isSelected(current))
        path = model_->pathAt(current.row());
    else if (const QStringList selected = selectedPaths(); !selected.isEmpty())
        path = selected.constFirst();
    if (!path.isEmpty())
        Q_EMIT previewRequested(path);
}

void FolderBrowser::addSelectedToBasket()
{
    const QStringList paths = selectedPaths();
    if (!paths.isEmpty())
        Q_EMIT addToBasketRequested(paths);
}

void FolderBrowser::headerClicked(int column)
{
    const Qt::SortOrder order = model_->sortByHeader(column);
    details_->header()->setSortIndicatorShown(true);
    details_->header()->setSortIndicator(column, order);
}

bool FolderBrowser::eventFilter(QObject* watched, QEvent* event)
{
    // The user's own scrolling or clicking in the tree ends bringing the chosen folder into view.
    if (watched == tree_->viewport() &&
        (event->type() == QEvent::Wheel || event->type() == QEvent::MouseButtonPress))
        revealPending_ = false;
    QAbstractItemView* view = nullptr;
    bool onViewport = false;
    for (QAbstractItemView* candidate : {static_cast<QAbstractItemView*>(icons_), static_cast<QAbstractItemView*>(details_)}) {
        if (watched == candidate)
            view = candidate;
        else if (watched == candidate->viewport()) {
            view = candidate;
            onViewport = true;
        }
    }
    if (!view)
        return QWidget::eventFilter(watched, event);

    if (!onViewport && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            addSelectedToBasket();
            return true;
        }
        if (key->matches(QKeySequence::SelectAll)) {
            view->selectAll();
            return true;
        }
    } else if (!onViewport && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool arrow = key->key() == Qt::Key_Left || key->key() == Qt::Key_Up || key->key() == Qt::Key_Right
            || key->key() == Qt::Key_Down;
        if (arrow && !key->isAutoRepeat())
            previewSelected();
    } else if (onViewport && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            if (view->indexAt(mouse->position().toPoint()).isValid())
                previewSelected();
        } else if (mouse->button() == Qt::RightButton) {
            menu_->popup(mouse->globalPosition().toPoint());
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace lumora
