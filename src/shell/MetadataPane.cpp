#include "shell/MetadataPane.h"

#include "metadata/MetadataList.h"
#include "shell/MetadataBarIcons.h"
#include "shell/PaneCaption.h"

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace lumora {

namespace {

// What a list view shows of its metadata list: the rows in the order of the column heading last
// clicked (the list's own order until then), and the editable rows marked with a small icon in
// the first column, which the lists only know as a flag.
class MetadataViewModel : public QSortFilterProxyModel {
public:
    MetadataViewModel(MetadataList* list, const QIcon& icon, QObject* parent)
        : QSortFilterProxyModel(parent), icon_(icon)
    {
        setSourceModel(list);
        setSortCaseSensitivity(Qt::CaseInsensitive);
        setSortLocaleAware(true);
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DecorationRole && index.column() == 0) {
            if (QSortFilterProxyModel::data(index, MetadataList::EditableRole).toBool())
                return icon_;
            return {};
        }
        return QSortFilterProxyModel::data(index, role);
    }

private:
    QIcon icon_;
};

// The bars' tool-tips and theme icons, in bar order.
const QList<QPair<QString, QString>> ExifBarCommands = {
    {QStringLiteral("Edit the selected EXIF tag"), QStringLiteral("document-edit")},
    {QStringLiteral("Create a new editable EXIF tag"), QStringLiteral("list-add")},
    {QStringLiteral("Remove the selected EXIF tag from the image"), QStringLiteral("list-remove")},
    {QStringLiteral("Empty all EXIF tags from the image ( all EXIF tags will be discarded)"),
     QStringLiteral("edit-clear-all")},
    {QStringLiteral("Open an existing EXIF file (.XIFF)"), QStringLiteral("document-open")},
    {QStringLiteral("Save the current EXIF tags from the image to file (.XIFF)"), QStringLiteral("document-save")},
};
const QList<QPair<QString, QString>> IptcBarCommands = {
    {QStringLiteral("Edit the selected IPTC tag"), QStringLiteral("document-edit")},
    {QStringLiteral("Open an existing IPTC file (.FFO)"), QStringLiteral("document-open")},
    {QStringLiteral("Save the current IPTC tags from the image to file (.FFO)"), QStringLiteral("document-save")},
    {QStringLiteral("Delete the selected IPTC tag from the image"), QStringLiteral("list-remove")},
    {QStringLiteral("Empty all IPTC tags from the image (all tags will be discarded)"), QStringLiteral("edit-clear-all")},
};

QWidget* page(QToolBar* bar, QTreeView* view, QWidget* parent)
{
    auto* widget = new QWidget(parent);
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(view, 1);
    return widget;
}

}  // namespace

MetadataPane::MetadataPane(QWidget* parent) : QWidget(parent)
{
    exif_ = new MetadataList(QStringLiteral("Attribute"), this);
    iptc_ = new MetadataList(QStringLiteral("Field"), this);

    caption_ = makePaneCaption(QStringLiteral(" Metadata"), QStringLiteral("lblMetadata"), this);

    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("tbsMetadata"));
    tabs_->addTab(QStringLiteral("EXIF Tags"));
    tabs_->addTab(QStringLiteral("IPTC File Info"));
    tabs_->setExpanding(false);

    lvExif_ = makeView(exif_, QStringLiteral("lvExif"));
    lvIPTC_ = makeView(iptc_, QStringLiteral("lvIPTC"));
    cmdEXIFBar_ = makeBar(QStringLiteral("cmdEXIFBar"), ExifBarCommands, exifCommands_);
    cmdIPTCBar_ = makeBar(QStringLiteral("cmdIPTCBar"), IptcBarCommands, iptcCommands_);
    pages_ = new QStackedWidget(this);
    pages_->addWidget(page(cmdEXIFBar_, lvExif_, pages_));
    pages_->addWidget(page(cmdIPTCBar_, lvIPTC_, pages_));
    connect(tabs_, &QTabBar::currentChanged, pages_, &QStackedWidget::setCurrentIndex);
    connect(tabs_, &QTabBar::currentChanged, this, &MetadataPane::stateChanged);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(caption_);
    layout->addWidget(tabs_);
    layout->addWidget(pages_, 1);

    setColumnWidths({100, 200, 100, 200});
}

MetadataPane::~MetadataPane() = default;

QTreeView* MetadataPane::makeView(MetadataList* list, const QString& name)
{
    auto* view = new QTreeView(this);
    view->setObjectName(name);
    view->setModel(new MetadataViewModel(list, style()->standardIcon(QStyle::SP_FileDialogDetailedView), view));
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setAllColumnsShowFocus(true);
    // The names are short and known: their column fits the longest, the values take the rest.
    view->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    view->header()->setStretchLastSection(true);
    view->header()->setSectionsMovable(false);
    // Sorting starts from no column, so the list shows the file's order until a heading is
    // clicked.
    view->header()->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);

    connect(view, &QAbstractItemView::doubleClicked, this, &MetadataPane::rowActivated);
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &MetadataPane::stateChanged);
    connect(list, &QAbstractItemModel::rowsInserted, this, &MetadataPane::stateChanged);
    connect(list, &QAbstractItemModel::rowsRemoved, this, &MetadataPane::stateChanged);
    connect(list, &QAbstractItemModel::modelReset, this, &MetadataPane::stateChanged);
    connect(list, &QAbstractItemModel::dataChanged, this, &MetadataPane::stateChanged);
    return view;
}

QToolBar* MetadataPane::makeBar(const QString& name, const QList<QPair<QString, QString>>& tipsAndIcons,
                                QList<QAction*>& actions)
{
    auto* bar = new QToolBar(this);
    bar->setObjectName(name);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (qsizetype i = 0; i < tipsAndIcons.size(); ++i) {
        QAction* action = bar->addAction(metadataBarIcon(tipsAndIcons[i].second), QString());
        action->setObjectName(name + QString::number(i));
        action->setToolTip(tipsAndIcons[i].first);
        action->setEnabled(false);
        actions.append(action);
    }
    return bar;
}

int MetadataPane::currentTab() const
{
    return tabs_->currentIndex() == IptcTab ? IptcTab : ExifTab;
}

int MetadataPane::selectedRow(int tab) const
{
    const QTreeView* shown = view(tab);
    const QModelIndexList rows = shown->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return -1;
    const auto* model = static_cast<const QSortFilterProxyModel*>(shown->model());
    return model->mapToSource(rows.first()).row();
}

void MetadataPane::selectRow(int tab, int row)
{
    QTreeView* shown = view(tab);
    auto* model = static_cast<QSortFilterProxyModel*>(shown->model());
    const QModelIndex index = model->mapFromSource(list(tab).index(row, 0));
    if (!index.isValid()) {
        shown->selectionModel()->clearSelection();
        return;
    }
    shown->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void MetadataPane::setColumnWidths(const QList<int>&)
{
    // The name column follows its contents and the value column the pane: widths stored by an
    // earlier version would only cut names again.
}

QList<int> MetadataPane::columnWidths() const
{
    return {lvExif_->header()->sectionSize(0), lvExif_->header()->sectionSize(1), lvIPTC_->header()->sectionSize(0),
            lvIPTC_->header()->sectionSize(1)};
}

void MetadataPane::setListToolTips(const QString& exifTip, const QString& iptcTip)
{
    lvExif_->setToolTip(exifTip);
    lvIPTC_->setToolTip(iptcTip);
}

}  // namespace lumora
