#include "shell/MetadataPane.h"

#include "metadata/MetadataList.h"
#include "shell/PaneCaption.h"

#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace lumora {

namespace {

// The metadata lists know which rows are editable; the window shows that as a small icon in the
// first column.
class EditableIconModel : public QIdentityProxyModel {
public:
    EditableIconModel(const QIcon& icon, QObject* parent) : QIdentityProxyModel(parent), icon_(icon) {}

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DecorationRole && index.column() == 0) {
            if (QIdentityProxyModel::data(index, MetadataList::EditableRole).toBool())
                return icon_;
            return {};
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    QIcon icon_;
};

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
    pages_ = new QStackedWidget(this);
    pages_->addWidget(lvExif_);
    pages_->addWidget(lvIPTC_);
    connect(tabs_, &QTabBar::currentChanged, pages_, &QStackedWidget::setCurrentIndex);

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
    view->setModel(new EditableIconModel(style()->standardIcon(QStyle::SP_FileDialogDetailedView), view));
    static_cast<QIdentityProxyModel*>(view->model())->setSourceModel(list);
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
    return view;
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
