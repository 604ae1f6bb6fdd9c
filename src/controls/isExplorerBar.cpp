#include "controls/isExplorerBar.h"

#include "shell/MessageBoxes.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QStyle>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace lumora {

namespace {

// Geometry, in pixels. Caption and row heights follow the font.
constexpr int OuterMargin = 10;
constexpr int GroupSpacing = 12;
constexpr int Radius = 6;
constexpr int BodyPadX = 10;
constexpr int BodyPadY = 8;
constexpr int ItemIconSize = 16;
constexpr int ItemGap = 6;   // between icon and caption
constexpr int RowSpacing = 2;
constexpr int DetailsImageMaxHeight = 120;
constexpr int AnimationTickMs = 15;
constexpr double AnimationStep = AnimationTickMs / 180.0;  // a full slide takes about 180 ms

const QString ErrorTitle = QStringLiteral("isExplorerBar");
const QString ErrorLead = QStringLiteral("An Error has ocurred!");
const QString GroupTypeError =
    QStringLiteral("GetGroupsByKeyN: sGroupKey not of required Type (String or Integer)!");
const QString ItemTypeError =
    QStringLiteral("GetItemsByKeyN: sItemKey not of required Type (String or Integer)!");
const QString NoItemsHere = QStringLiteral("Can't assign items to the Especified group");
const QString DetailsHasNoItems = QStringLiteral("Details Group hasn't Child Items!");

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

bool isWholeNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool isText(const QVariant& value)
{
    return value.typeId() == QMetaType::QString;
}

// A path with rounded top corners, and rounded bottom corners when asked.
QPainterPath roundedPath(const QRectF& r, bool roundTop, bool roundBottom)
{
    const qreal rad = std::min<qreal>(Radius, std::min(r.width(), r.height()) / 2);
    QPainterPath path;
    path.moveTo(r.left(), r.top() + (roundTop ? rad : 0));
    if (roundTop)
        path.arcTo(QRectF(r.left(), r.top(), 2 * rad, 2 * rad), 180, -90);
    path.lineTo(r.right() - (roundTop ? rad : 0), r.top());
    if (roundTop)
        path.arcTo(QRectF(r.right() - 2 * rad, r.top(), 2 * rad, 2 * rad), 90, -90);
    path.lineTo(r.right(), r.bottom() - (roundBottom ? rad : 0));
    if (roundBottom)
        path.arcTo(QRectF(r.right() - 2 * rad, r.bottom() - 2 * rad, 2 * rad, 2 * rad), 0, -90);
    path.lineTo(r.left() + (roundBottom ? rad : 0), r.bottom());
    if (roundBottom)
        path.arcTo(QRectF(r.left(), r.bottom() - 2 * rad, 2 * rad, 2 * rad), 270, -90);
    path.closeSubpath();
    return path;
}

}  // namespace

struct isExplorerBar::ItemData {
    QString key;
    QString caption;
    QVariant icon;
    QRect rect;  // content coordinates, as if the group were fully open
};

struct isExplorerBar::GroupData {
    Kind kind = Kind::Normal;
    QString key;
    QString caption;
    qint16 type = 0;
    QPixmap icon;
    QPixmap background;
    bool expanded = true;
    double openness = 1.0;  // how much of the body shows: slides toward 0 or 1
    std::vector<std::unique_ptr<ItemData>> items;
    QPointer<QWidget> child;
    QVariant childPointer;
    QPointer<QWidget> container;
    // The details group's content.
    QString title;
    QString details;
    QPixmap image;
    // Layout, in content coordinates (before scrolling).
    QRect captionRect;
    QRect bodyRect;  // the part of the body that shows
    int bodyFull = 0;
};

isExplorerBar::isExplorerBar(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("isExplorerBar"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);

    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setObjectName(QStringLiteral("isExplorerBarScroll"));
    scrollBar_->hide();
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this] {
        relayout();
        update();
    });

    animation_.setInterval(AnimationTickMs);
    connect(&animation_, &QTimer::timeout, this, &isExplorerBar::stepAnimation);

    // The bar's own face, as Lumora has always drawn it; the desktop substitutes its nearest sans.
    QFont face = font();
    face.setFamily(QStringLiteral("Verdana"));
    QWidget::setFont(face);
}

isExplorerBar::~isExplorerBar() = default;

// ---- addressing -------------------------------------------------------------------------------

isExplorerBar::Address isExplorerBar::resolve(const QVariant& address) const
{
    Address result;
    if (isWholeNumber(address)) {
        result.byIndex = true;
        const qlonglong index = address.toLongLong();
        if (index >= 1 && index <= static_cast<qlonglong>(groups_.size()))
            result.group = groups_[static_cast<size_t>(index - 1)].get();
        return result;
    }
    if (!isText(address)) {
        result.typeError = true;
        return result;
    }
    const QString key = address.toString();
    if (key == SpecialGroupKey)
        result.group = special_.get();
    else if (key == DetailsGroupName)
        result.group = details_.get();
    else {
        auto found = std::find_if(groups_.begin(), groups_.end(), [&](const auto& g) { return g->key == key; });
        if (found != groups_.end())
            result.group = found->get();
    }
    return result;
}

isExplorerBar::GroupData* isExplorerBar::groupFor(const QVariant& address) const
{
    return resolve(address).group;
}

QString isExplorerBar::groupMissingText(const QVariant& address) const
{
    return QStringLiteral("The group '%1' doesn't exist").arg(address.toString());
}

isExplorerBar::ItemData* isExplorerBar::findItem(GroupData& group, const QVariant& address, QString* error) const
{
    ItemData* item = nullptr;
    if (isWholeNumber(address)) {
        const qlonglong index = address.toLongLong();
        if (index >= 1 && index <= static_cast<qlonglong>(group.items.size()))
            item = group.items[static_cast<size_t>(index - 1)].get();
    } else if (isText(address)) {
        const QString key = address.toString();
        auto found = std::find_if(group.items.begin(), group.items.end(), [&](const auto& i) { return i->key == key; });
        if (found != group.items.end())
            item = found->get();
    } else {
        if (error)
            *error = ItemTypeError;
        return nullptr;
    }
    if (!item && error)
        *error = QStringLiteral("The Item '%1' doesn't exist").arg(address.toString());
    return item;
}

QString isExplorerBar::publicKey(const GroupData& group) const
{
    return group.kind == Kind::Details ? DetailsGroupName : group.key;
}

void isExplorerBar::showError(const QString& message)
{
    ui::ShowMessage(this, ErrorTitle, ErrorLead + QLatin1Char('\n') + message, QMessageBox::Critical);
}

std::vector<isExplorerBar::GroupData*> isExplorerBar::drawOrder() const
{
    std::vector<GroupData*> order;
    if (special_)
        order.push_back(special_.get());
    for (const auto& group : groups_)
        order.push_back(group.get());
    if (details_)
        order.push_back(details_.get());
    return order;
}

// ---- structure --------------------------------------------------------------------------------

void isExplorerBar::AddGroup(const QString& sKey, const QString& sCaption, qint16 iType, const QPixmap& imgIcon,
                             const QPixmap& imgBackground, const QColor& lMaskColor)
{
    auto group = std::make_unique<GroupData>();
    group->kind = Kind::Normal;
    group->key = sKey;
    group->caption = sCaption;
    group->type = iType;
    group->icon = imgIcon;
    if (!imgIcon.isNull() && lMaskColor.isValid())
        group->icon.setMask(imgIcon.createMaskFromColor(lMaskColor, Qt::MaskInColor));
    group->background = imgBackground;
    groups_.push_back(std::move(group));
    changed();
}

void isExplorerBar::AddItem(const QVariant& Group, const QString& sKey, const QString& sCaption, const QVariant& iIcon)
{
    const Address address = resolve(Group);
    if (address.typeError)
        return showError(GroupTypeError);
    if (!address.group)
        return showError(address.byIndex ? groupMissingText(Group) : NoItemsHere);
    if (address.group->kind == Kind::Details)
        return showError(NoItemsHere);
    auto item = std::make_unique<ItemData>();
    item->key = sKey;
    item->caption = sCaption;
    item->icon = iIcon.isValid() ? iIcon : QVariant(-1);
    address.group->items.push_back(std::move(item));
    changed();
}

void isExplorerBar::SetImageList(const ExplorerBarImageList& ImageListObj)
{
    images_ = ImageListObj;
    changed();
}

void isExplorerBar::AddSpecialGroup(const QString& Caption, const QPixmap& Icon, const QPixmap& background)
{
    clearHover();
    special_ = std::make_unique<GroupData>();
    special_->kind = Kind::Special;
    special_->key = SpecialGroupKey;
    special_->caption = Caption;
    special_->icon = Icon;
    special_->background = background;
    changed();
}

void isExplorerBar::HideSpecialGroup()
{
    clearHover();
    special_.reset();
    changed();
}

void isExplorerBar::AddDetailsGroup(const QString& Caption, const QString& sTittle, const QString& sDetails)
{
    clearHover();
    details_ = std::make_unique<GroupData>();
    details_->kind = Kind::Details;
    details_->key = DetailsGroupKey;
    details_->caption = Caption;
    details_->title = sTittle;
    details_->details = sDetails;
    changed();
}

void isExplorerBar::SetDetailsText(const QString& sDetails)
{
    if (!details_)
        return showError(groupMissingText(DetailsGroupName));
    details_->details = sDetails;
    changed();
}

void isExplorerBar::SetDetailsImage(const QPixmap& detailsImage)
{
    if (!details_)
        return showError(groupMissingText(DetailsGroupName));
    details_->image = detailsImage;
    changed();
}

void isExplorerBar::HideDetailsGroup()
{
    clearHover();
    details_.reset();
    changed();
}

void isExplorerBar::releaseChild(GroupData& group)
{
    if (group.child) {
        group.child->removeEventFilter(this);
        group.child->hide();
        // The caller still refers to its panel: it stays alive, owned by the bar, hidden.
        group.child->setParent(this);
    }
    group.child = nullptr;
    if (group.container)
        delete group.container.data();
}

void isExplorerBar::ClearStructure()
{
    clearHover();
    pressedCaption_ = nullptr;
    for (auto& group : groups_)
        releaseChild(*group);
    groups_.clear();
    special_.reset();
    details_.reset();
    changed();
}

void isExplorerBar::ClearGroup(const QVariant& Group)
{
    const Address address = resolve(Group);
    if (address.typeError)
        return showError(GroupTypeError);
    if (!address.group)
        return showError(groupMissingText(Group));
    clearHover();
    address.group->items.clear();
    changed();
}

void isExplorerBar::SetGroupChild(const QVariant& Group, QWidget* pChild, const QVariant& pChildPointer)
{
    const Address address = resolve(Group);
    if (address.typeError)
        return showError(GroupTypeError);
    if (!address.group)
        return showError(groupMissingText(Group));
    if (address.group->kind != Kind::Normal)
        return showError(NoItemsHere);
    isExplorerBar::GroupData& group = *address.group;
    // A widget hosts in one group at a time.
    for (auto& other : groups_)
        if (other.get() != &group && other->child == pChild)
            releaseChild(*other);
    if (group.child && group.child != pChild)
        releaseChild(group);
    group.childPointer = pChildPointer;
    if (!pChild) {
        releaseChild(group);
        return changed();
    }
    if (!group.container) {
        group.container = new QWidget(this);
        group.container->setObjectName(QStringLiteral("isExplorerBarGroup_%1").arg(group.key));
        group.container->installEventFilter(this);
        scrollBar_->raise();
    }
    if (!pChild->testAttribute(Qt::WA_Resized) && pChild->sizeHint().isValid())
        pChild->resize(pChild->width(), pChild->sizeHint().height());
    pChild->setParent(group.container);
    pChild->move(0, 0);
    pChild->installEventFilter(this);
    pChild->show();
    group.child = pChild;
    changed();
}

void isExplorerBar::ExpandGroup(const QVariant& Group, std::optional<bool> bExpand)
{
    const Address address = resolve(Group);
    if (address.typeError)
        return showError(GroupTypeError);
    if (!address.group)
        return showError(groupMissingText(Group));
    setExpanded(*address.group, bExpand.value_or(!address.group->expanded));
}

void isExplorerBar::setExpanded(GroupData& group, bool expanded)
{
    group.expanded = expanded;
    if (!animated_ || updatesDisabled_ || !isVisible())
        group.openness = expanded ? 1.0 : 0.0;
    else if (!animation_.isActive())
        animation_.start();
    changed();
}

void isExplorerBar::SetGroupCaption(const QVariant& Group, const QString& sNewCaption)
{
    const Address address = resolve(Group);
    if (address.typeError)
        return showError(GroupTypeError);
    if (!address.group)
        return showError(groupMissingText(Group));
    address.group->caption = sNewCaption;
    changed();
}

void isExplorerBar::SetItemIcon(const QVariant& Group, const QVariant& Item, const QVariant& iNewIcon, bool bUpdate)
{
    const Address address = resolve(Group);
    if (address.typeError)
        return showError(GroupTypeError);
    if (address.group && address.group->kind == Kind::Details)
        return showError(DetailsHasNoItems);
    if (!address.group)
        return showError(QStringLiteral("The Group '%1' doesn't exist").arg(Group.toString()));
    QString error;
    isExplorerBar::ItemData* item = findItem(*address.group, Item, &error);
    if (!item)
        return showError(error);
    item->icon = iNewIcon;
    if (bUpdate)
        changed();
}

void isExplorerBar::SetItemText(const QVariant& Group, const QVariant& Item, const QString& sNewCaption)
{
    const Address address = resolve(Group);
    if (address.typeError)
        return showError(GroupTypeError);
    if (address.group && address.group->kind == Kind::Details)
        return showError(DetailsHasNoItems);
    if (!address.group)
        return showError(QStringLiteral("The Group '%1' doesn't exist").arg(Group.toString()));
    QString error;
    isExplorerBar::ItemData* item = findItem(*address.group, Item, &error);
    if (!item)
        return showError(error);
    item->caption = sNewCaption;
    changed();
}

void isExplorerBar::DisableUpdates(bool bDisable)
{
    if (bDisable == updatesDisabled_)
        return;
    updatesDisabled_ = bDisable;
    if (bDisable) {
        // Qt's own switch also keeps the hosted panels from painting, as the whole pane freezes.
        setUpdatesEnabled(false);
        return;
    }
    // Slides requested meanwhile end at once: the frozen pane shows the final state.
    for (GroupData* group : drawOrder())
        group->openness = group->expanded ? 1.0 : 0.0;
    animation_.stop();
    relayout();
    setUpdatesEnabled(true);  // schedules the one repaint
}

int isExplorerBar::OpenLink(const QString& sLink)
{
    QUrl url = QUrl::fromUserInput(sLink);
    // ShellExecute's codes: above 32 is success, 2 is "file not found".
    return QDesktopServices::openUrl(url) ? 42 : 2;
}

void isExplorerBar::Refresh()
{
    changed();
}

QString isExplorerBar::GetControlVersion() const
{
    return QStringLiteral("1.91");
}

void isExplorerBar::setUseUxThemeText(bool use)
{
    useThemeText_ = use;
    changed();
}

void isExplorerBar::EnablevbAcceleratorImagelist(bool bEnable)
{
    vbAcceleratorImageList_ = bEnable;
}

void isExplorerBar::setAnimated(bool animated)
{
    animated_ = animated;
    if (!animated) {
        for (GroupData* group : drawOrder())
            group->openness = group->expanded ? 1.0 : 0.0;
        animation_.stop();
        changed();
    }
}

// ---- reading back -----------------------------------------------------------------------------

int isExplorerBar::GroupCount() const
{
    return static_cast<int>(groups_.size());
}

QString isExplorerBar::GroupKey(int index) const
{
    return index >= 1 && index <= GroupCount() ? groups_[static_cast<size_t>(index - 1)]->key : QString();
}

bool isExplorerBar::HasGroup(const QVariant& Group) const
{
    return groupFor(Group) != nullptr;
}

bool isExplorerBar::IsGroupExpanded(const QVariant& Group) const
{
    const isExplorerBar::GroupData* group = groupFor(Group);
    return group && group->expanded;
}

QString isExplorerBar::GroupCaption(const QVariant& Group) const
{
    const isExplorerBar::GroupData* group = groupFor(Group);
    return group ? group->caption : QString();
}

qint16 isExplorerBar::GroupType(const QVariant& Group) const
{
    const isExplorerBar::GroupData* group = groupFor(Group);
    return group ? group->type : qint16(0);
}

int isExplorerBar::ItemCount(const QVariant& Group) const
{
    const isExplorerBar::GroupData* group = groupFor(Group);
    return group ? static_cast<int>(group->items.size()) : 0;
}

QString isExplorerBar::ItemKey(const QVariant& Group, int index) const
{
    const isExplorerBar::GroupData* group = groupFor(Group);
    if (!group || index < 1 || index > static_cast<int>(group->items.size()))
        return {};
    return group->items[static_cast<size_t>(index - 1)]->key;
}

QString isExplorerBar::ItemCaption(const QVariant& Group, const QVariant& Item) const
{
    isExplorerBar::GroupData* group = groupFor(Group);
    const isExplorerBar::ItemData* item = group ? findItem(*group, Item, nullptr) : nullptr;
    return item ? item->caption : QString();
}

QVariant isExplorerBar::ItemIcon(const QVariant& Group, const QVariant& Item) const
{
    isExplorerBar::GroupData* group = groupFor(Group);
    const isExplorerBar::ItemData* item = group ? findItem(*group, Item, nullptr) : nullptr;
    return item ? item->icon : QVariant();
}

QWidget* isExplorerBar::GroupChild(const QVariant& Group) const
{
    const isExplorerBar::GroupData* group = groupFor(Group);
    return group ? group->child.data() : nullptr;
}

QVariant isExplorerBar::GroupChildPointer(const QVariant& Group) const
{
    const isExplorerBar::GroupData* group = groupFor(Group);
    return group ? group->childPointer : QVariant();
}

QString isExplorerBar::DetailsTitle() const
{
    return details_ ? details_->title : QString();
}

QString isExplorerBar::DetailsText() const
{
    return details_ ? details_->details : QString();
}

QRect isExplorerBar::GroupCaptionRect(const QVariant& Group) const
{
    const isExplorerBar::GroupData* group = groupFor(Group);
    if (!group)
        return {};
    return group->captionRect.translated(0, -scrollBar_->value());
}

QRect isExplorerBar::ItemRect(const QVariant& Group, const QVariant& Item) const
{
    isExplorerBar::GroupData* group = groupFor(Group);
    const isExplorerBar::ItemData* item = group ? findItem(*group, Item, nullptr) : nullptr;
    if (!item || group->child || !group->bodyRect.contains(item->rect))
        return {};
    return item->rect.translated(0, -scrollBar_->value());
}

QString isExplorerBar::HoverGroupKey() const
{
    if (hoverItemGroup_)
        return publicKey(*hoverItemGroup_);
    return hoverCaption_ ? publicKey(*hoverCaption_) : QString();
}

QString isExplorerBar::HoverItemKey() const
{
    return hoverItem_ ? hoverItem_->key : QString();
}

// ---- layout -----------------------------------------------------------------------------------

QFont isExplorerBar::captionFont() const
{
    QFont bold = font();
    bold.setBold(true);
    return bold;
}

QPixmap isExplorerBar::iconPixmap(const QVariant& icon) const
{
    const ExplorerBarImage* image = nullptr;
    if (isText(icon)) {
        const QString key = icon.toString();
        auto found = std::find_if(images_.begin(), images_.end(), [&](const auto& i) { return i.key == key; });
        if (found != images_.end())
            image = &*found;
    } else if (isWholeNumber(icon)) {
        // Positions count from 0, as the image list draws them; -1 is no icon.
        const qlonglong index = icon.toLongLong();
        if (index >= 0 && index < images_.size())
            image = &images_[static_cast<qsizetype>(index)];
    }
    if (!image)
        return {};
    return image->icon.pixmap(QSize(ItemIconSize, ItemIconSize), devicePixelRatioF(),
                              isEnabled() ? QIcon::Normal : QIcon::Disabled);
}

int isExplorerBar::measureBody(GroupData& group, int width) const
{
    if (group.kind == Kind::Details) {
        const int inner = width - 2 * BodyPadX;
        int h = BodyPadY;
        if (!group.image.isNull()) {
            const QSize size = group.image.size().scaled(inner, DetailsImageMaxHeight, Qt::KeepAspectRatio);
            h += std::min(size.height(), group.image.height()) + BodyPadY;
        }
        const QFontMetrics bold(captionFont());
        if (!group.title.isEmpty())
            h += bold.boundingRect(QRect(0, 0, inner, 100000), Qt::TextWordWrap, group.title).height() + 4;
        if (!group.details.isEmpty())
            h += fontMetrics().boundingRect(QRect(0, 0, inner, 100000), Qt::TextWordWrap, group.details).height();
        return h + BodyPadY;
    }
    if (group.child)
        return group.child->height() + 2;  // the border lines above and below the hosted panel
    if (group.items.empty())
        return 0;
    const QFontMetrics metrics(font());
    const int textWidth = std::max(10, width - 2 * BodyPadX - ItemIconSize - ItemGap);
    int y = group.captionRect.bottom() + 1 + BodyPadY;
    for (auto& item : group.items) {
        const int textHeight =
            metrics.boundingRect(QRect(0, 0, textWidth, 100000), Qt::TextWordWrap, item->caption).height();
        const int rowHeight = std::max(ItemIconSize, textHeight) + 4;
        item->rect = QRect(group.captionRect.left() + BodyPadX - 3, y,
                           width - 2 * BodyPadX + 6, rowHeight);
        y += rowHeight + RowSpacing;
    }
    return y - RowSpacing - (group.captionRect.bottom() + 1) + BodyPadY;
}

int isExplorerBar::layoutContent(int width)
{
    const int captionHeight = std::max(26, QFontMetrics(captionFont()).height() + 12);
    const int inner = std::max(40, width - 2 * OuterMargin);
    int y = OuterMargin;
    for (GroupData* group : drawOrder()) {
        group->captionRect = QRect(OuterMargin, y, inner, captionHeight);
        y += captionHeight;
        group->bodyFull = measureBody(*group, inner);
        const int shown = static_cast<int>(std::lround(group->bodyFull * group->openness));
        group->bodyRect = QRect(OuterMargin, y, inner, shown);
        y += shown + GroupSpacing;
    }
    return y - GroupSpacing + OuterMargin;
}

void isExplorerBar::relayout()
{
    int width = this->width();
    contentHeight_ = layoutContent(width);
    const bool needScroll = contentHeight_ > height();
    if (needScroll) {
        const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollBar_);
        width -= barWidth;
        contentHeight_ = layoutContent(width);
        scrollBar_->setGeometry(width, 0, barWidth, height());
        const QSignalBlocker quiet(scrollBar_);
        scrollBar_->setRange(0, std::max(0, contentHeight_ - height()));
        scrollBar_->setPageStep(height());
        scrollBar_->setSingleStep(std::max(8, fontMetrics().height()));
    } else {
        const QSignalBlocker quiet(scrollBar_);
        scrollBar_->setRange(0, 0);
    }
    scrollBar_->setVisible(needScroll);

    const int offset = scrollBar_->value();
    for (GroupData* group : drawOrder()) {
        if (!group->container)
            continue;
        const QRect body = group->bodyRect.translated(0, -offset);
        const bool shows = group->child && body.height() > 2;
        if (shows) {
            group->container->setGeometry(body.left() + 1, body.top() + 1, body.width() - 2, body.height() - 2);
            if (group->child->width() != body.width() - 2)
                group->child->resize(body.width() - 2, group->child->height());
        }
        group->container->setVisible(shows);
    }
}

void isExplorerBar::changed()
{
    relayout();
    if (!updatesDisabled_)
        update();
}

void isExplorerBar::stepAnimation()
{
    bool moving = false;
    for (GroupData* group : drawOrder()) {
        const double target = group->expanded ? 1.0 : 0.0;
        if (group->openness < target)
            group->openness = std::min(target, group->openness + AnimationStep);
        else if (group->openness > target)
            group->openness = std::max(target, group->openness - AnimationStep);
        moving = moving || group->openness != target;
    }
    if (!moving)
        animation_.stop();
    changed();
}

QSize isExplorerBar::sizeHint() const
{
    return {220, 400};
}

QSize isExplorerBar::minimumSizeHint() const
{
    return {120, 80};
}

// ---- hit testing and hover --------------------------------------------------------------------

isExplorerBar::GroupData* isExplorerBar::groupAtCaption(const QPoint& pos) const
{
    if (scrollBar_->isVisible() && pos.x() >= scrollBar_->x())
        return nullptr;
    const QPoint content = pos + QPoint(0, scrollBar_->value());
    for (GroupData* group : drawOrder())
        if (group->captionRect.contains(content))
            return group;
    return nullptr;
}

std::pair<isExplorerBar::GroupData*, isExplorerBar::ItemData*> isExplorerBar::itemAt(const QPoint& pos) const
{
    if (scrollBar_->isVisible() && pos.x() >= scrollBar_->x())
        return {};
    const QPoint content = pos + QPoint(0, scrollBar_->value());
    for (GroupData* group : drawOrder()) {
        if (group->child || !group->bodyRect.contains(content))
            continue;
        for (auto& item : group->items)
            if (item->rect.contains(content))
                return {group, item.get()};
    }
    return {};
}

void isExplorerBar::setHover(GroupData* captionGroup, GroupData* itemGroup, ItemData* item)
{
    if (captionGroup != hoverCaption_) {
        GroupData* old = std::exchange(hoverCaption_, captionGroup);
        if (old)
            Q_EMIT GroupOut(publicKey(*old));
        if (captionGroup)
            Q_EMIT GroupHover(publicKey(*captionGroup));
    }
    if (item != hoverItem_) {
        GroupData* oldGroup = std::exchange(hoverItemGroup_, itemGroup);
        ItemData* oldItem = std::exchange(hoverItem_, item);
        if (oldItem)
            Q_EMIT ItemOut(publicKey(*oldGroup), oldItem->key);
        if (item)
            Q_EMIT ItemHover(publicKey(*itemGroup), item->key);
    }
    setCursor(captionGroup || item ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (!updatesDisabled_)
        update();
}

void isExplorerBar::clearHover()
{
    // Also called before groups or items go away: the Out signals name what is still there.
    setHover(nullptr, nullptr, nullptr);
}

void isExplorerBar::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    auto [itemGroup, item] = itemAt(pos);
    setHover(groupAtCaption(pos), itemGroup, item);
}

void isExplorerBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        pressedCaption_ = groupAtCaption(event->position().toPoint());
}

void isExplorerBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    GroupData* pressed = std::exchange(pressedCaption_, nullptr);
    if (GroupData* caption = groupAtCaption(pos)) {
        if (caption != pressed)
            return;
        const QString key = publicKey(*caption);
        setExpanded(*caption, !caption->expanded);
        Q_EMIT GroupClick(key, caption->expanded);
        return;
    }
    auto [group, item] = itemAt(pos);
    if (item)
        Q_EMIT ItemClick(publicKey(*group), item->key);
}

void isExplorerBar::wheelEvent(QWheelEvent* event)
{
    if (!scrollBar_->isVisible())
        return QWidget::wheelEvent(event);
    scrollBar_->setValue(scrollBar_->value() - event->angleDelta().y() / 120 * 3 * scrollBar_->singleStep());
    event->accept();
}

// Qt tells the bar when the pointer enters and leaves it, so no timer has to poll the cursor
// position against the window rectangle to find out. Moving onto a hosted panel is not leaving.
void isExplorerBar::enterEvent(QEnterEvent* event)
{
    mouseInside_ = true;
    if (!updatesDisabled_)
        update();
    Q_EMIT MouseOver();
    QWidget::enterEvent(event);
}

void isExplorerBar::leaveEvent(QEvent* event)
{
    mouseInside_ = false;
    clearHover();
    Q_EMIT MouseOut();
    QWidget::leaveEvent(event);
}

void isExplorerBar::resizeEvent(QResizeEvent* event)
{
    relayout();
    QWidget::resizeEvent(event);
}

void isExplorerBar::changeEvent(QEvent* event)
{
    if (!scrollBar_)
        return QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
        changed();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

bool isExplorerBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter && qobject_cast<QWidget*>(watched) && watched->parent() == this)
        clearHover();  // the pointer went onto a hosted panel
    if (event->type() == QEvent::Resize) {
        for (GroupData* group : drawOrder()) {
            // A hosted panel that changed its height changes its group's body.
            if (group->child == watched && group->child->height() + 2 != group->bodyFull) {
                changed();
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- painting ---------------------------------------------------------------------------------

void isExplorerBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& pal = palette();
    // The strip behind the groups: the window colour leaning a little toward the highlight,
    // so the white-ish group bodies stand apart from it.
    const QColor back = mix(pal.color(QPalette::Window), pal.color(QPalette::Highlight), 0.10);
    painter.fillRect(rect(), back);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (scrollBar_->isVisible())
        painter.setClipRect(QRect(0, 0, scrollBar_->x(), height()));
    painter.translate(0, -scrollBar_->value());
    for (const GroupData* group : drawOrder())
        paintGroup(painter, *group);
}

void isExplorerBar::paintGroup(QPainter& painter, const GroupData& group) const
{
    paintBody(painter, group);
    paintCaption(painter, group);
}

void isExplorerBar::paintCaption(QPainter& painter, const GroupData& group) const
{
    const QPalette& pal = palette();
    const QRectF r = QRectF(group.captionRect).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool special = group.kind == Kind::Special;
    const bool hovered = hoverCaption_ == &group;
    const bool open = group.bodyRect.height() > 0;

    QColor top;
    QColor bottom;
    QColor text;
    if (special) {
        const QColor highlight = pal.color(QPalette::Highlight);
        top = highlight.lighter(hovered ? 140 : 125);
        bottom = hovered ? highlight.lighter(110) : highlight;
        text = pal.color(QPalette::HighlightedText);
    } else {
        const QColor button = pal.color(QPalette::Button);
        top = mix(button, pal.color(QPalette::Base), 0.55);
        bottom = mix(button, pal.color(QPalette::Highlight), 0.18);
        text = pal.color(QPalette::ButtonText);
    }
    QLinearGradient gradient(r.topLeft(), r.topRight());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    const QPainterPath path = roundedPath(r, true, !open);
    painter.fillPath(path, gradient);
    painter.setPen(QPen(mix(bottom, pal.color(QPalette::Shadow), 0.35), 1));
    painter.drawPath(path);

    QRect content = group.captionRect.adjusted(8, 0, -6, 0);
    if (!group.icon.isNull()) {
        const int side = group.captionRect.height() - 6;
        const QSize size = group.icon.size().scaled(side, side, Qt::KeepAspectRatio);
        const QRect iconRect(content.left(), group.captionRect.top() + (group.captionRect.height() - size.height()) / 2,
                             size.width(), size.height());
        painter.drawPixmap(iconRect, group.icon);
        content.setLeft(iconRect.right() + 6);
    }
    const int chevronSide = group.captionRect.height() - 8;
    const QRect chevron(content.right() - chevronSide, group.captionRect.top() + 4, chevronSide, chevronSide);
    content.setRight(chevron.left() - 4);

    QColor captionColour = text;
    if (hovered && !special)
        captionColour = mix(text, pal.color(QPalette::Highlight), 0.65);
    painter.setFont(captionFont());
    const QString caption =
        painter.fontMetrics().elidedText(group.caption, Qt::ElideRight, std::max(0, content.width()));
    if (useThemeText_) {
        QPalette captionPalette = pal;
        captionPalette.setColor(QPalette::WindowText, captionColour);
        style()->drawItemText(&painter, content, Qt::AlignVCenter | Qt::AlignLeft, captionPalette, isEnabled(),
                              caption, QPalette::WindowText);
    } else {
        painter.setPen(captionColour);
        painter.drawText(content, Qt::AlignVCenter | Qt::AlignLeft, caption);
    }
    paintChevron(painter, chevron, group.expanded, hovered ? captionColour : text);
}

void isExplorerBar::paintChevron(QPainter& painter, const QRect& box, bool expanded, const QColor& colour) const
{
    const QPalette& pal = palette();
    const QRectF circle = QRectF(box).adjusted(1, 1, -1, -1);
    QColor fill = pal.color(QPalette::Base);
    fill.setAlphaF(0.65f);
    painter.setPen(QPen(mix(colour, fill, 0.5), 1));
    painter.setBrush(fill);
    painter.drawEllipse(circle);
    painter.setBrush(Qt::NoBrush);

    // Two stacked chevrons: pointing up while open (a click closes), down while closed.
    const qreal cx = circle.center().x();
    const qreal cy = circle.center().y();
    const qreal half = circle.width() * 0.2;
    const qreal rise = half * 0.75;
    const qreal gap = half * 0.85;
    painter.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (int n = 0; n < 2; ++n) {
        const qreal y = cy + (n == 0 ? -gap / 2 : gap / 2);
        const qreal tip = expanded ? y - rise / 2 : y + rise / 2;
        const qreal ends = expanded ? y + rise / 2 : y - rise / 2;
        QPainterPath arrow;
        arrow.moveTo(cx - half, ends);
        arrow.lineTo(cx, tip);
        arrow.lineTo(cx + half, ends);
        painter.drawPath(arrow);
    }
}

void isExplorerBar::paintBody(QPainter& painter, const GroupData& group) const
{
    if (group.bodyRect.height() <= 0)
        return;
    const QPalette& pal = palette();
    const QRectF r = QRectF(group.bodyRect).adjusted(0.5, -0.5, -0.5, -0.5);
    const QPainterPath path = roundedPath(r, false, true);
    const QColor base = pal.color(QPalette::Base);
    const QColor fill = group.kind == Kind::Special ? mix(base, pal.color(QPalette::Highlight), 0.07)
                                                    : mix(base, pal.color(QPalette::Button), 0.25);
    painter.fillPath(path, fill);

    painter.save();
    painter.setClipRect(group.bodyRect, Qt::IntersectClip);
    if (!group.background.isNull()) {
        // The decoration sits in the lower right corner, behind the items.
        const QSize size = group.background.size().scaled(group.bodyRect.size(), Qt::KeepAspectRatio);
        const QSize drawn = size.width() < group.background.width() ? size : group.background.size();
        painter.setOpacity(0.35);
        painter.drawPixmap(QRect(group.bodyRect.right() - drawn.width(), group.bodyRect.bottom() - drawn.height(),
                                 drawn.width(), drawn.height()),
                           group.background);
        painter.setOpacity(1.0);
    }
    if (group.kind == Kind::Details) {
        paintDetails(painter, group, group.bodyRect);
    } else if (!group.child) {
        painter.setFont(font());
        const QColor itemText = mix(pal.color(QPalette::Link), pal.color(QPalette::Text), 0.45);
        for (const auto& item : group.items) {
            const bool hovered = hoverItem_ == item.get();
            if (hovered) {
                QColor glow = pal.color(QPalette::Highlight);
                glow.setAlphaF(0.16f);
                painter.setPen(Qt::NoPen);
                painter.setBrush(glow);
                painter.drawRoundedRect(QRectF(item->rect).adjusted(0, 0, 0, 0), 3, 3);
                painter.setBrush(Qt::NoBrush);
            }
            const QRect inner = item->rect.adjusted(3, 2, -3, -2);
            const QPixmap icon = iconPixmap(item->icon);
            if (!icon.isNull())
                painter.drawPixmap(QRect(inner.left(), inner.top() + (std::min(inner.height(), 20) - ItemIconSize) / 2,
                                         ItemIconSize, ItemIconSize),
                                   icon);
            const QRect textRect = inner.adjusted(ItemIconSize + ItemGap, 0, 0, 0);
            QFont face = font();
            face.setUnderline(hovered);
            painter.setFont(face);
            painter.setPen(hovered ? pal.color(QPalette::Link) : itemText);
            painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, item->caption);
        }
    }
    painter.restore();
    painter.setPen(QPen(mix(fill, pal.color(QPalette::Shadow), 0.3), 1));
    painter.drawPath(path);
}

void isExplorerBar::paintDetails(QPainter& painter, const GroupData& group, const QRect& body) const
{
    const QPalette& pal = palette();
    // Laid out from the full body, so that a sliding group cuts its content instead of squeezing it.
    const QRect full(body.left(), body.top(), body.width(), group.bodyFull);
    const int inner = full.width() - 2 * BodyPadX;
    int y = full.top() + BodyPadY;
    if (!group.image.isNull()) {
        QSize size = group.image.size().scaled(inner, DetailsImageMaxHeight, Qt::KeepAspectRatio);
        if (size.height() > group.image.height())
            size = group.image.size();
        painter.drawPixmap(QRect(full.left() + (full.width() - size.width()) / 2, y, size.width(), size.height()),
                           group.image);
        y += size.height() + BodyPadY;
    }
    painter.setPen(pal.color(QPalette::Text));
    if (!group.title.isEmpty()) {
        painter.setFont(captionFont());
        const QRect titleRect = painter.fontMetrics().boundingRect(QRect(full.left() + BodyPadX, y, inner, 100000),
                                                                   Qt::TextWordWrap, group.title);
        painter.drawText(QRect(full.left() + BodyPadX, y, inner, titleRect.height()), Qt::TextWordWrap, group.title);
        y += titleRect.height() + 4;
    }
    if (!group.details.isEmpty()) {
        painter.setFont(font());
        painter.setPen(mix(pal.color(QPalette::Text), pal.color(QPalette::Base), 0.2));
        painter.drawText(QRect(full.left() + BodyPadX, y, inner, 100000), Qt::TextWordWrap, group.details);
    }
}

}  // namespace lumora
