#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QVariant>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class QScrollBar;

namespace lumora {

// One picture of the bar's image list: item icons name it by its key or by its position.
struct ExplorerBarImage {
    QString key;
    QIcon icon;
};
using ExplorerBarImageList = QList<ExplorerBarImage>;

// Lumora's task pane: a vertical strip of collapsible groups, each with a caption bar and either
// a list of clickable items (icon and caption) or one hosted widget. The main window keeps one
// (`eb`) for the task chart, the option panel of the chosen task and the Task Basket.
//
// The bar only keeps the structure, draws it and reports clicks and hovering through its signals;
// it does nothing of its own when an item is clicked.
//
// Addressing. Wherever a method takes `Group`, it accepts a whole number (the 1-based position
// among the normal groups) or a text: "Special Group" is the special group, "Details" the details
// group, any other text the first normal group with that key. Items are addressed the same way
// inside their group. Anything else is refused. A call that cannot be carried out shows a
// critical message box titled "isExplorerBar" ("An Error has ocurred!" and the reason) and does
// nothing further.
//
// Every method repaints the bar afterwards, unless updates are disabled (DisableUpdates).
class isExplorerBar : public QWidget {
    Q_OBJECT
    // Expanding and collapsing slide the groups below; tests switch it off to see end states at
    // once. The slide always ends in the state the expanded flags ask for.
    Q_PROPERTY(bool animated READ isAnimated WRITE setAnimated)

public:
    // The key of the special group and the name of the details group from outside.
    static inline const QString SpecialGroupKey = QStringLiteral("Special Group");
    static inline const QString DetailsGroupName = QStringLiteral("Details");
    // The internal key of the details group.
    static inline const QString DetailsGroupKey = QStringLiteral("Details Group");

    explicit isExplorerBar(QWidget* parent = nullptr);
    ~isExplorerBar() override;

    // Appends a normal group, expanded. `imgIcon` is drawn at the left of the caption with
    // `lMaskColor` (when valid) made see-through; `imgBackground` decorates the body.
    void AddGroup(const QString& sKey, const QString& sCaption, qint16 iType = 0, const QPixmap& imgIcon = {},
                  const QPixmap& imgBackground = {}, const QColor& lMaskColor = {});
    // Appends an item to a normal group or to the special group. `iIcon` is a 0-based position or
    // a key in the image list; -1 is no icon.
    void AddItem(const QVariant& Group, const QString& sKey, const QString& sCaption,
                 const QVariant& iIcon = QVariant(-1));
    // The pictures item icons are taken from. Items keep their icon references, so icons follow a
    // new list.
    void SetImageList(const ExplorerBarImageList& ImageListObj);
    // Creates the special group, or replaces it (with no items), expanded.
    void AddSpecialGroup(const QString& Caption, const QPixmap& Icon = {}, const QPixmap& background = {});
    void HideSpecialGroup();
    // Creates the details group, or replaces it, keeping no image.
    void AddDetailsGroup(const QString& Caption, const QString& sTittle, const QString& sDetails);
    void SetDetailsText(const QString& sDetails);
    // Without an image the details group shows none.
    void SetDetailsImage(const QPixmap& detailsImage = {});
    void HideDetailsGroup();
    // Removes every group and item. Hosted widgets are hidden and handed back to the bar itself
    // (which keeps owning them); the groups' inner containers are discarded.
    void ClearStructure();
    // Removes the items of one group.
    void ClearGroup(const QVariant& Group);
    // Makes `pChild` the body of a normal group: it is moved into an inner container of the bar
    // that belongs to that group, as wide as the body and as tall as the widget itself is (its
    // size hint when it was never sized). `pChildPointer` is kept for the caller.
    void SetGroupChild(const QVariant& Group, QWidget* pChild, const QVariant& pChildPointer = {});
    // Sets the expanded flag; without `bExpand` it toggles it.
    void ExpandGroup(const QVariant& Group, std::optional<bool> bExpand = std::nullopt);
    void SetGroupCaption(const QVariant& Group, const QString& sNewCaption);
    void SetItemIcon(const QVariant& Group, const QVariant& Item, const QVariant& iNewIcon, bool bUpdate = true);
    void SetItemText(const QVariant& Group, const QVariant& Item, const QString& sNewCaption);
    // While disabled, changes are recorded but nothing is painted; enabling paints once.
    void DisableUpdates(bool bDisable = true);
    // Opens a document or address with the desktop's handler. Returns 42 when it was handed over
    // and 2 (file not found) when not, as a shell result code.
    int OpenLink(const QString& sLink);
    void Refresh();
    QString GetControlVersion() const;
    // The font of captions and items (the widget's font; QWidget::setFont changes it).
    QFont Font() const { return font(); }
    bool UseUxThemeText() const { return useThemeText_; }
    void setUseUxThemeText(bool use);
    // Accepted for compatibility: Lumora has one kind of image list.
    void EnablevbAcceleratorImagelist(bool bEnable);
    bool vbAcceleratorImagelistEnabled() const { return vbAcceleratorImageList_; }

    // Reading the structure back (for the task panel and for tests). Invalid addresses give the
    // empty value and show no message.
    int GroupCount() const;  // normal groups
    QString GroupKey(int index) const;  // 1-based
    bool HasGroup(const QVariant& Group) const;
    bool IsGroupExpanded(const QVariant& Group) const;
    QString GroupCaption(const QVariant& Group) const;
    qint16 GroupType(const QVariant& Group) const;
    int ItemCount(const QVariant& Group) const;
    QString ItemKey(const QVariant& Group, int index) const;  // 1-based
    QString ItemCaption(const QVariant& Group, const QVariant& Item) const;
    QVariant ItemIcon(const QVariant& Group, const QVariant& Item) const;
    QWidget* GroupChild(const QVariant& Group) const;
    QVariant GroupChildPointer(const QVariant& Group) const;
    QString DetailsTitle() const;
    QString DetailsText() const;
    bool UpdatesDisabled() const { return updatesDisabled_; }
    // Where things are drawn, in the bar's coordinates (scrolling applied); empty when the thing
    // is not laid out (an item of a collapsed group, say).
    QRect GroupCaptionRect(const QVariant& Group) const;
    QRect ItemRect(const QVariant& Group, const QVariant& Item) const;
    // The group and item under the mouse ("" when none).
    QString HoverGroupKey() const;
    QString HoverItemKey() const;
    // The vertical scroll bar, shown while the content is taller than the bar.
    QScrollBar* verticalScrollBar() const { return scrollBar_; }

    bool isAnimated() const { return animated_; }
    void setAnimated(bool animated);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void MouseOver();
    void MouseOut();
    void GroupHover(const QString& group);
    void GroupOut(const QString& group);
    void ItemClick(const QString& groupKey, const QString& itemKey);
    void GroupClick(const QString& group, bool expanded);
    void ItemHover(const QString& groupKey, const QString& itemKey);
    void ItemOut(const QString& groupKey, const QString& itemKey);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ItemData;
    struct GroupData;
    enum class Kind { Normal, Special, Details };
    // What a group address resolved to.
    struct Address {
        GroupData* group = nullptr;
        bool typeError = false;
        bool byIndex = false;
    };

    Address resolve(const QVariant& address) const;
    ItemData* findItem(GroupData& group, const QVariant& address, QString* error) const;
    QString groupMissingText(const QVariant& address) const;
    GroupData* groupFor(const QVariant& address) const;  // nullptr, silently, when not found
    void showError(const QString& message);
    std::vector<GroupData*> drawOrder() const;
    QString publicKey(const GroupData& group) const;
    void releaseChild(GroupData& group);
    void setExpanded(GroupData& group, bool expanded);

    void changed();  // relayout and repaint (unless updates are disabled)
    void relayout();
    int layoutContent(int width);
    int measureBody(GroupData& group, int width) const;
    void stepAnimation();
    QPixmap iconPixmap(const QVariant& icon) const;
    GroupData* groupAtCaption(const QPoint& pos) const;
    std::pair<GroupData*, ItemData*> itemAt(const QPoint& pos) const;
    void setHover(GroupData* captionGroup, GroupData* itemGroup, ItemData* item);
    void clearHover();
    QFont captionFont() const;

    void paintGroup(QPainter& painter, const GroupData& group) const;
    void paintCaption(QPainter& painter, const GroupData& group) const;
    void paintBody(QPainter& painter, const GroupData& group) const;
    void paintDetails(QPainter& painter, const GroupData& group, const QRect& body) const;
    void paintChevron(QPainter& painter, const QRect& box, bool expanded, const QColor& colour) const;

    std::vector<std::unique_ptr<GroupData>> groups_;
    std::unique_ptr<GroupData> special_;
    std::unique_ptr<GroupData> details_;
    ExplorerBarImageList images_;
    bool useThemeText_ = true;
    bool vbAcceleratorImageList_ = false;
    bool updatesDisabled_ = false;
    bool animated_ = true;
    bool mouseInside_ = false;

    // Hover state: the caption under the mouse, and the item under the mouse with its group.
    GroupData* hoverCaption_ = nullptr;
    GroupData* hoverItemGroup_ = nullptr;
    ItemData* hoverItem_ = nullptr;
    GroupData* pressedCaption_ = nullptr;

    QScrollBar* scrollBar_ = nullptr;
    QTimer animation_;
    int contentHeight_ = 0;
};

}  // namespace lumora
