// The task pane: its structure and addressing, the error box, clicks, hovering, hosted panels,
// frozen painting and scrolling, driven through the mouse as a user drives it.

#include "controls/isExplorerBar.h"

#include "support/ScriptedDialogs.h"
#include "support/WaitFor.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace lumora;
using lumora::test::ScriptedDialogs;
using lumora::test::waitFor;

namespace {

const QString Lead = QStringLiteral("An Error has ocurred!\n");

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// A shown window with the bar on the left and a plain label beside it, where the pointer goes
// to leave the bar. The bar is built like the main window's: "Tasks Chart", " Task Options"
// and "Task Basket".
class isExplorerBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QHBoxLayout(&window_);
        bar_ = new isExplorerBar;
        bar_->setAnimated(false);
        bar_->setFixedSize(240, 560);
        outside_ = new QLabel(QStringLiteral("outside"));
        outside_->setFixedSize(120, 560);
        layout->addWidget(bar_);
        layout->addWidget(outside_);
        QStyle* style = QApplication::style();
        bar_->SetImageList({{QStringLiteral("resize"), style->standardIcon(QStyle::SP_TitleBarMaxButton)},
                            {QStringLiteral("crop"), style->standardIcon(QStyle::SP_DialogSaveButton)}});
    }

    void buildTaskPane()
    {
        bar_->AddSpecialGroup(QStringLiteral("Tasks Chart"));
        bar_->AddItem(isExplorerBar::SpecialGroupKey, QStringLiteral("Resize"), QStringLiteral("Resize"),
                      QStringLiteral("resize"));
        bar_->AddItem(isExplorerBar::SpecialGroupKey, QStringLiteral("Crop"), QStringLiteral("Crop"),
                      QStringLiteral("crop"));
        bar_->AddGroup(QStringLiteral("Dialog"), QStringLiteral(" Task Options"));
        bar_->AddItem(QStringLiteral("Dialog"), QStringLiteral("Hint"), QStringLiteral("Choose a task"));
        bar_->AddGroup(QStringLiteral("Editing"), QStringLiteral("Task Basket"));
        bar_->AddItem(QStringLiteral("Editing"), QStringLiteral("New"), QStringLiteral("New Task Basket"), 0);
        bar_->AddItem(QStringLiteral("Editing"), QStringLiteral("Open"), QStringLiteral("Open Task Basket"), 1);
    }

    void show()
    {
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }

    // Lets posted events (update requests among them) run, without waiting for anything.
    static void settle()
    {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }

    void click(const QPoint& pos) { QTest::mouseClick(bar_, Qt::LeftButton, {}, pos); }

    QWidget window_;
    isExplorerBar* bar_ = nullptr;
    QLabel* outside_ = nullptr;
};

TEST_F(isExplorerBarTest, ReportsItsVersion)
{
    EXPECT_EQ(bar_->GetControlVersion(), QStringLiteral("1.91"));
    EXPECT_EQ(bar_->objectName(), QStringLiteral("isExplorerBar"));
}

TEST_F(isExplorerBarTest, ExpandGroupTogglesWithoutAFlagAndSetsWithOne)
{
    buildTaskPane();
    show();
    const int basketTop = bar_->GroupCaptionRect(QStringLiteral("Editing")).top();
    ASSERT_TRUE(bar_->IsGroupExpanded(QStringLiteral("Dialog")));  // groups are born expanded

    bar_->ExpandGroup(QStringLiteral("Dialog"));
    EXPECT_FALSE(bar_->IsGroupExpanded(QStringLiteral("Dialog")));
    // The group below moves up by the collapsed body.
    EXPECT_LT(bar_->GroupCaptionRect(QStringLiteral("Editing")).top(), basketTop);
    EXPECT_TRUE(bar_->ItemRect(QStringLiteral("Dialog"), 1).isEmpty());

    bar_->ExpandGroup(QStringLiteral("Dialog"));
    EXPECT_TRUE(bar_->IsGroupExpanded(QStringLiteral("Dialog")));
    EXPECT_EQ(bar_->GroupCaptionRect(QStringLiteral("Editing")).top(), basketTop);

    bar_->ExpandGroup(QStringLiteral("Dialog"), true);
    EXPECT_TRUE(bar_->IsGroupExpanded(QStringLiteral("Dialog")));
    bar_->ExpandGroup(QStringLiteral("Dialog"), false);
    bar_->ExpandGroup(QStringLiteral("Dialog"), false);
    EXPECT_FALSE(bar_->IsGroupExpanded(QStringLiteral("Dialog")));

    // The special group and the details group fold the same way.
    bar_->AddDetailsGroup(QStringLiteral("Details"), QStringLiteral("IMG_1.jpg"), QStringLiteral("JPEG image"));
    bar_->ExpandGroup(isExplorerBar::SpecialGroupKey);
    bar_->ExpandGroup(QStringLiteral("Details"));
    EXPECT_FALSE(bar_->IsGroupExpanded(isExplorerBar::SpecialGroupKey));
    EXPECT_FALSE(bar_->IsGroupExpanded(QStringLiteral("Details")));
}

TEST_F(isExplorerBarTest, AnimatedFoldingEndsWhereAnInstantOneDoes)
{
    buildTaskPane();
    show();
    bar_->ExpandGroup(QStringLiteral("Dialog"));
    const int collapsedTop = bar_->GroupCaptionRect(QStringLiteral("Editing")).top();
    bar_->ExpandGroup(QStringLiteral("Dialog"));
    const int expandedTop = bar_->GroupCaptionRect(QStringLiteral("Editing")).top();
    ASSERT_LT(collapsedTop, expandedTop);

    bar_->setAnimated(true);
    bar_->ExpandGroup(QStringLiteral("Dialog"));
    EXPECT_FALSE(bar_->IsGroupExpanded(QStringLiteral("Dialog")));  // the flag changes at once
    ASSERT_TRUE(waitFor([&] { return bar_->GroupCaptionRect(QStringLiteral("Editing")).top() == collapsedTop; }));
    bar_->ExpandGroup(QStringLiteral("Dialog"));
    ASSERT_TRUE(waitFor([&] { return bar_->GroupCaptionRect(QStringLiteral("Editing")).top() == expandedTop; }));
    EXPECT_FALSE(bar_->ItemRect(QStringLiteral("Dialog"), 1).isEmpty());
}

TEST_F(isExplorerBarTest, AddItemToAGroupThatDoesNotExistShowsTheErrorAndAddsNothing)
{
    buildTaskPane();
    bar_->AddDetailsGroup(QStringLiteral("Details"), QStringLiteral("t"), QStringLiteral("d"));
    ScriptedDialogs dialogs;

    bar_->AddItem(QStringLiteral("Nowhere"), QStringLiteral("X"), QStringLiteral("X"));
    ASSERT_EQ(dialogs.messages().size(), 1);
    const ui::ShownMessage& shown = dialogs.messages().first();
    EXPECT_EQ(shown.title, QStringLiteral("isExplorerBar"));
    EXPECT_EQ(shown.text, Lead + QStringLiteral("Can't assign items to the Especified group"));
    EXPECT_EQ(shown.icon, QMessageBox::Critical);

    bar_->AddItem(QStringLiteral("Details"), QStringLiteral("X"), QStringLiteral("X"));
    bar_->AddItem(0, QStringLiteral("X"), QStringLiteral("X"));
    bar_->AddItem(3, QStringLiteral("X"), QStringLiteral("X"));
    EXPECT_EQ(dialogs.messageTexts(),
              QStringList({Lead + QStringLiteral("Can't assign items to the Especified group"),
                           Lead + QStringLiteral("Can't assign items to the Especified group"),
                           Lead + QStringLiteral("The group '0' doesn't exist"),
                           Lead + QStringLiteral("The group '3' doesn't exist")}));

    EXPECT_EQ(bar_->ItemCount(isExplorerBar::SpecialGroupKey), 2);
    EXPECT_EQ(bar_->ItemCount(1), 1);
    EXPECT_EQ(bar_->ItemCount(2), 2);
    EXPECT_EQ(bar_->ItemCount(QStringLiteral("Details")), 0);
}

TEST_F(isExplorerBarTest, GroupsAreAddressedByPositionOrByTheFirstEqualKey)
{
    bar_->AddGroup(QStringLiteral("A"), QStringLiteral("First"));
    bar_->AddGroup(QStringLiteral("B"), QStringLiteral("Second"));
    bar_->AddGroup(QStringLiteral("B"), QStringLiteral("Third, same key"));
    bar_->AddItem(3, QStringLiteral("three"), QStringLiteral("by position"));
    bar_->AddItem(QStringLiteral("B"), QStringLiteral("two"), QStringLiteral("by key"));
    bar_->AddItem(1, QStringLiteral("one"), QStringLiteral("by position"));

    ASSERT_EQ(bar_->GroupCount(), 3);
    EXPECT_EQ(bar_->ItemKey(1, 1), QStringLiteral("one"));
    EXPECT_EQ(bar_->ItemKey(2, 1), QStringLiteral("two"));
    EXPECT_EQ(bar_->ItemKey(3, 1), QStringLiteral("three"));
    EXPECT_EQ(bar_->ItemCount(3), 1);

    bar_->SetGroupCaption(2, QStringLiteral("Renamed"));
    EXPECT_EQ(bar_->GroupCaption(QStringLiteral("B")), QStringLiteral("Renamed"));
    EXPECT_EQ(bar_->GroupCaption(3), QStringLiteral("Third, same key"));

    // Items inside a group: by position or key.
    bar_->AddItem(1, QStringLiteral("second"), QStringLiteral("Second item"));
    bar_->SetItemText(1, 2, QStringLiteral("Changed by position"));
    bar_->SetItemText(QStringLiteral("A"), QStringLiteral("one"), QStringLiteral("Changed by key"));
    EXPECT_EQ(bar_->ItemCaption(1, QStringLiteral("second")), QStringLiteral("Changed by position"));
    EXPECT_EQ(bar_->ItemCaption(1, 1), QStringLiteral("Changed by key"));
    bar_->SetItemIcon(1, 1, QStringLiteral("crop"));
    EXPECT_EQ(bar_->ItemIcon(1, 1), QVariant(QStringLiteral("crop")));
    EXPECT_EQ(bar_->ItemIcon(1, 2), QVariant(-1));  // none given

    bar_->ClearGroup(QStringLiteral("A"));
    EXPECT_EQ(bar_->ItemCount(1), 0);
    EXPECT_EQ(bar_->ItemCount(2), 1);
}

TEST_F(isExplorerBarTest, BadAddressesShowTheirErrorsAndChangeNothing)
{
    buildTaskPane();
    bar_->AddDetailsGroup(QStringLiteral("Details"), QStringLiteral("t"), QStringLiteral("d"));
    ScriptedDialogs dialogs;
    const QString typeError =
        Lead + QStringLiteral("GetGroupsByKeyN: sGroupKey not of required Type (String or Integer)!");

    bar_->AddItem(QVariant(1.5), QStringLiteral("X"), QStringLiteral("X"));
    bar_->ExpandGroup(QVariant(QPoint(1, 1)));
    bar_->ExpandGroup(QVariant());
    EXPECT_EQ(dialogs.messageTexts(), QStringList({typeError, typeError, typeError}));
    dialogs.clear();

    bar_->SetItemText(QStringLiteral("Details"), 1, QStringLiteral("X"));
    bar_->SetItemIcon(QStringLiteral("Details"), 1, 0);
    bar_->SetItemText(QStringLiteral("Nowhere"), 1, QStringLiteral("X"));
    bar_->SetItemIcon(7, 1, 0);
    EXPECT_EQ(dialogs.messageTexts(), QStringList({Lead + QStringLiteral("Details Group hasn't Child Items!"),
                                                   Lead + QStringLiteral("Details Group hasn't Child Items!"),
                                                   Lead + QStringLiteral("The Group 'Nowhere' doesn't exist"),
                                                   Lead + QStringLiteral("The Group '7' doesn't exist")}));
    dialogs.clear();

    bar_->ExpandGroup(5);
    bar_->ExpandGroup(QStringLiteral("Nowhere"));
    EXPECT_EQ(dialogs.messageTexts(), QStringList({Lead + QStringLiteral("The group '5' doesn't exist"),
                                                   Lead + QStringLiteral("The group 'Nowhere' doesn't exist")}));
    for (const ui::ShownMessage& message : dialogs.messages()) {
        EXPECT_EQ(message.title, QStringLiteral("isExplorerBar"));
        EXPECT_EQ(message.icon, QMessageBox::Critical);
    }
    EXPECT_TRUE(bar_->IsGroupExpanded(1));
    EXPECT_TRUE(bar_->IsGroupExpanded(2));
    EXPECT_EQ(bar_->ItemCaption(2, 1), QStringLiteral("New Task Basket"));
}

TEST_F(isExplorerBarTest, ClickingAnItemReportsItsGroupAndKey)
{
    buildTaskPane();
    show();
    QSignalSpy clicks(bar_, &isExplorerBar::ItemClick);

    click(bar_->ItemRect(isExplorerBar::SpecialGroupKey, QStringLiteral("Crop")).center());
    click(bar_->ItemRect(QStringLiteral("Editing"), 2).center());
    ASSERT_EQ(clicks.size(), 2);
    EXPECT_EQ(clicks.at(0), QVariantList({QStringLiteral("Special Group"), QStringLiteral("Crop")}));
    EXPECT_EQ(clicks.at(1), QVariantList({QStringLiteral("Editing"), QStringLiteral("Open")}));

    // The empty margin between groups is no item.
    const QRect special = bar_->GroupCaptionRect(isExplorerBar::SpecialGroupKey);
    click(QPoint(special.center().x(), bar_->GroupCaptionRect(QStringLiteral("Dialog")).top() - 3));
    EXPECT_EQ(clicks.size(), 2);
}

TEST_F(isExplorerBarTest, ClickingACaptionFoldsTheGroupAndReportsTheNewState)
{
    buildTaskPane();
    show();
    QSignalSpy groupClicks(bar_, &isExplorerBar::GroupClick);
    QSignalSpy itemClicks(bar_, &isExplorerBar::ItemClick);
    const QPoint itemCentre = bar_->ItemRect(QStringLiteral("Editing"), 1).center();

    click(bar_->GroupCaptionRect(QStringLiteral("Editing")).center());
    ASSERT_EQ(groupClicks.size(), 1);
    EXPECT_EQ(groupClicks.at(0), QVariantList({QStringLiteral("Editing"), false}));
    EXPECT_FALSE(bar_->IsGroupExpanded(QStringLiteral("Editing")));

    click(itemCentre);  // the item is folded away
    EXPECT_EQ(itemClicks.size(), 0);

    click(bar_->GroupCaptionRect(QStringLiteral("Editing")).center());
    ASSERT_EQ(groupClicks.size(), 2);
    EXPECT_EQ(groupClicks.at(1), QVariantList({QStringLiteral("Editing"), true}));
    click(itemCentre);
    EXPECT_EQ(itemClicks.size(), 1);
}

TEST_F(isExplorerBarTest, NoItemClickAfterClearStructureUntilGroupsComeBack)
{
    buildTaskPane();
    show();
    QSignalSpy clicks(bar_, &isExplorerBar::ItemClick);
    const QPoint resize = bar_->ItemRect(isExplorerBar::SpecialGroupKey, 1).center();
    click(resize);
    ASSERT_EQ(clicks.size(), 1);

    bar_->ClearStructure();
    EXPECT_EQ(bar_->GroupCount(), 0);
    EXPECT_FALSE(bar_->HasGroup(isExplorerBar::SpecialGroupKey));
    click(resize);
    EXPECT_EQ(clicks.size(), 1);

    buildTaskPane();
    click(resize);
    EXPECT_EQ(clicks.size(), 2);
}

TEST_F(isExplorerBarTest, NothingIsPaintedWhileUpdatesAreDisabled)
{
    buildTaskPane();
    show();
    PaintCounter paints(bar_);

    // The counter sees ordinary changes.
    bar_->AddItem(QStringLiteral("Dialog"), QStringLiteral("Seen"), QStringLiteral("Seen"));
    ASSERT_TRUE(waitFor([&] { return paints.count > 0; }));

    const QImage before = bar_->grab().toImage();  // grabbing paints too: before counting
    settle();
    paints.count = 0;
    bar_->DisableUpdates();
    EXPECT_TRUE(bar_->UpdatesDisabled());
    bar_->AddItem(QStringLiteral("Dialog"), QStringLiteral("Unseen"), QStringLiteral("Added while frozen"));
    bar_->SetGroupCaption(QStringLiteral("Editing"), QStringLiteral("Renamed while frozen"));
    bar_->ExpandGroup(isExplorerBar::SpecialGroupKey);
    bar_->Refresh();
    settle();
    EXPECT_EQ(paints.count, 0);
    // The changes are recorded all the same.
    EXPECT_EQ(bar_->ItemCount(QStringLiteral("Dialog")), 3);
    EXPECT_FALSE(bar_->IsGroupExpanded(isExplorerBar::SpecialGroupKey));

    bar_->DisableUpdates(false);
    ASSERT_TRUE(waitFor([&] { return paints.count > 0; }));
    EXPECT_NE(bar_->grab().toImage(), before);
}

TEST_F(isExplorerBarTest, HoveringHighlightsAndLeavingClears)
{
    buildTaskPane();
    show();
    QSignalSpy over(bar_, &isExplorerBar::MouseOver);
    QSignalSpy out(bar_, &isExplorerBar::MouseOut);
    QSignalSpy itemHover(bar_, &isExplorerBar::ItemHover);
    QSignalSpy itemOut(bar_, &isExplorerBar::ItemOut);
    QSignalSpy groupHover(bar_, &isExplorerBar::GroupHover);
    QSignalSpy groupOut(bar_, &isExplorerBar::GroupOut);

    const QRect item = bar_->ItemRect(QStringLiteral("Editing"), QStringLiteral("New"));
    const QImage plain = bar_->grab(item).toImage();
    QTest::mouseMove(bar_, item.center());
    ASSERT_TRUE(waitFor([&] { return itemHover.size() == 1; }));
    EXPECT_EQ(itemHover.at(0), QVariantList({QStringLiteral("Editing"), QStringLiteral("New")}));
    EXPECT_EQ(bar_->HoverItemKey(), QStringLiteral("New"));
    EXPECT_GE(over.size(), 1);
    EXPECT_NE(bar_->grab(item).toImage(), plain);  // highlighted

    QTest::mouseMove(bar_, bar_->GroupCaptionRect(QStringLiteral("Dialog")).center());
    ASSERT_TRUE(waitFor([&] { return groupHover.size() == 1; }));
    EXPECT_EQ(groupHover.at(0), QVariantList({QStringLiteral("Dialog")}));
    ASSERT_EQ(itemOut.size(), 1);
    EXPECT_EQ(itemOut.at(0), QVariantList({QStringLiteral("Editing"), QStringLiteral("New")}));
    EXPECT_EQ(bar_->grab(item).toImage(), plain);

    QTest::mouseMove(outside_, outside_->rect().center());
    ASSERT_TRUE(waitFor([&] { return out.size() == 1; }));
    ASSERT_EQ(groupOut.size(), 1);
    EXPECT_EQ(groupOut.at(0), QVariantList({QStringLiteral("Dialog")}));
    EXPECT_TRUE(bar_->HoverGroupKey().isEmpty());
    EXPECT_TRUE(bar_->HoverItemKey().isEmpty());
}

TEST_F(isExplorerBarTest, AHostedPanelFillsItsGroupsBodyWhileExpanded)
{
    buildTaskPane();
    bar_->ClearGroup(QStringLiteral("Dialog"));
    QPointer<QWidget> panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(new QCheckBox(QStringLiteral("Flip Horizontal")));
    layout->addWidget(new QCheckBox(QStringLiteral("Flip Vertical")));
    bar_->SetGroupChild(QStringLiteral("Dialog"), panel, 42);
    show();

    EXPECT_EQ(bar_->GroupChild(QStringLiteral("Dialog")), panel.data());
    EXPECT_EQ(bar_->GroupChildPointer(QStringLiteral("Dialog")), QVariant(42));
    ASSERT_TRUE(panel->isVisible());
    const QRect placed(panel->mapTo(bar_, QPoint(0, 0)), panel->size());
    const QRect caption = bar_->GroupCaptionRect(QStringLiteral("Dialog"));
    EXPECT_GE(placed.top(), caption.bottom());
    EXPECT_LE(placed.bottom(), bar_->GroupCaptionRect(QStringLiteral("Editing")).top());
    EXPECT_GE(placed.left(), caption.left());
    EXPECT_LE(placed.right(), caption.right());
    EXPECT_GE(panel->height(), panel->sizeHint().height());

    bar_->ExpandGroup(QStringLiteral("Dialog"));
    EXPECT_FALSE(panel->isVisible());
    bar_->ExpandGroup(QStringLiteral("Dialog"));
    EXPECT_TRUE(panel->isVisible());

    // Folded with the slide: hidden once it has ended.
    bar_->setAnimated(true);
    bar_->ExpandGroup(QStringLiteral("Dialog"));
    ASSERT_TRUE(waitFor([&] { return !panel->isVisible(); }));

    bar_->ClearStructure();
    ASSERT_FALSE(panel.isNull());  // the caller's panel survives, hidden
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(isExplorerBarTest, ScrollsWhenTheContentIsTallerThanThePane)
{
    bar_->setFixedSize(240, 200);
    bar_->AddGroup(QStringLiteral("Long"), QStringLiteral("Long group"));
    for (int i = 1; i <= 20; ++i)
        bar_->AddItem(QStringLiteral("Long"), QStringLiteral("i%1").arg(i), QStringLiteral("Item %1").arg(i));
    show();
    QScrollBar* scroll = bar_->verticalScrollBar();
    ASSERT_TRUE(scroll->isVisible());
    EXPECT_GT(scroll->maximum(), 0);
    EXPECT_GT(bar_->ItemRect(1, 20).top(), bar_->height());

    QSignalSpy clicks(bar_, &isExplorerBar::ItemClick);
    scroll->setValue(scroll->maximum());
    const QRect last = bar_->ItemRect(1, 20);
    ASSERT_LE(last.bottom(), bar_->height());
    EXPECT_LT(last.right(), scroll->x());  // items give way to the scroll bar
    click(last.center());
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks.at(0).at(1), QVariant(QStringLiteral("i20")));

    // Folding the group makes everything fit again.
    bar_->ExpandGroup(1, false);
    EXPECT_FALSE(scroll->isVisible());
    EXPECT_GE(bar_->GroupCaptionRect(1).top(), 0);
}

TEST_F(isExplorerBarTest, TheDetailsGroupIsDrawnLastAndTheSpecialGroupFirst)
{
    bar_->AddDetailsGroup(QStringLiteral("Details"), QStringLiteral("IMG_7.jpg"), QStringLiteral("JPEG image"));
    buildTaskPane();
    show();
    const int special = bar_->GroupCaptionRect(isExplorerBar::SpecialGroupKey).top();
    const int dialog = bar_->GroupCaptionRect(QStringLiteral("Dialog")).top();
    const int details = bar_->GroupCaptionRect(QStringLiteral("Details")).top();
    EXPECT_LT(special, dialog);
    EXPECT_LT(dialog, details);
    EXPECT_GT(details, bar_->GroupCaptionRect(QStringLiteral("Editing")).top());

    bar_->SetDetailsText(QStringLiteral("3264 x 2448"));
    EXPECT_EQ(bar_->DetailsTitle(), QStringLiteral("IMG_7.jpg"));
    EXPECT_EQ(bar_->DetailsText(), QStringLiteral("3264 x 2448"));
    const QImage without = bar_->grab().toImage();
    bar_->SetDetailsImage(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48));
    EXPECT_NE(bar_->grab().toImage(), without);

    bar_->HideDetailsGroup();
    bar_->HideSpecialGroup();
    EXPECT_FALSE(bar_->HasGroup(QStringLiteral("Details")));
    EXPECT_FALSE(bar_->HasGroup(isExplorerBar::SpecialGroupKey));
    EXPECT_EQ(bar_->GroupCount(), 2);
}

}  // namespace
