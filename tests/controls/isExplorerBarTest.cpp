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

#include <functional>

using namespace lumora;
using lumora::test::ScriptedDialogs;
using lumora::test::waitFor;

namespace {

const QString Special = isExplorerBar::SpecialGroupKey;

// Counts the paint events a widget receives.
struct PaintCounter : QObject {
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
    int count = 0;
};

// A shown window with the bar on the left and a plain label beside it, where the pointer goes to
// leave the bar. The bar is built like the main window's: "Tasks Chart", " Task Options" and
// "Task Basket".
class isExplorerBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QHBoxLayout(&window_);
        layout->addWidget(bar_ = new isExplorerBar);
        layout->addWidget(outside_ = new QLabel("outside"));
        bar_->setAnimated(false);
        bar_->setFixedSize(240, 560);
        outside_->setFixedSize(120, 560);
        buildTaskPane();
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }

    void buildTaskPane()
    {
        bar_->AddSpecialGroup("Tasks Chart");
        bar_->AddItem(Special, "Resize", "Resize", "resize");
        bar_->AddItem(Special, "Crop", "Crop", "crop");
        bar_->AddGroup("Dialog", " Task Options");
        bar_->AddItem("Dialog", "Hint", "Choose a task");
        bar_->AddGroup("Editing", "Task Basket");
        bar_->AddItem("Editing", "New", "New Task Basket", 0);
        bar_->AddItem("Editing", "Open", "Open Task Basket", 1);
    }

    // Lets posted events (update requests among them) run, without waiting for anything.
    static void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::sendPostedEvents(), QCoreApplication::processEvents();
    }

    void click(const QPoint& pos) { QTest::mouseClick(bar_, Qt::LeftButton, {}, pos); }
    int top(const QVariant& group) const { return bar_->GroupCaptionRect(group).top(); }

    QWidget window_;
    isExplorerBar* bar_ = nullptr;
    QLabel* outside_ = nullptr;
};

TEST_F(isExplorerBarTest, FoldingMovesTheGroupsBelowHidesTheBodyAndSlidesToWhereItWouldJump)
{
    // The special group is drawn first and the details group last, whenever they were added.
    bar_->ClearStructure();
    bar_->AddDetailsGroup("Details", "IMG_1.jpg", "JPEG image");
    buildTaskPane();
    EXPECT_TRUE(top(Special) < top("Dialog") && top("Editing") < top("Details"));
    // A hosted panel fills its group's body.
    bar_->ClearGroup("Dialog");
    QPointer<QWidget> panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(new QCheckBox("Flip Horizontal"));
    layout->addWidget(new QCheckBox("Flip Vertical"));
    bar_->SetGroupChild("Dialog", panel);
    ASSERT_TRUE(panel->isVisible());
    const QRect caption = bar_->GroupCaptionRect("Dialog");
    const int expandedTop = top("Editing");
    EXPECT_TRUE(QRect(caption.bottomLeft(), QPoint(caption.right(), expandedTop))
                    .contains(QRect(panel->mapTo(bar_, QPoint(0, 0)), panel->size())));
    EXPECT_GE(panel->height(), panel->sizeHint().height());

    // Without a flag ExpandGroup toggles, with one it sets.
    bar_->ExpandGroup("Dialog");
    EXPECT_FALSE(bar_->IsGroupExpanded("Dialog") || panel->isVisible());
    const int collapsedTop = top("Editing");
    EXPECT_LT(collapsedTop, expandedTop);  // the group below moves up by the collapsed body
    bar_->ExpandGroup("Dialog");
    EXPECT_TRUE(bar_->IsGroupExpanded("Dialog") && panel->isVisible());
    EXPECT_EQ(top("Editing"), expandedTop);
    bar_->ExpandGroup("Dialog", false);
    bar_->ExpandGroup("Dialog", false);
    EXPECT_FALSE(bar_->IsGroupExpanded("Dialog"));

    // Sliding, the flag changes at once; the panel is hidden once the slide has ended.
    bar_->setAnimated(true);
    bar_->ExpandGroup("Dialog");
    EXPECT_TRUE(bar_->IsGroupExpanded("Dialog"));
    ASSERT_TRUE(waitFor([&] { return top("Editing") == expandedTop; }));
    EXPECT_TRUE(panel->isVisible());
    bar_->ExpandGroup("Dialog");
    ASSERT_TRUE(waitFor([&] { return top("Editing") == collapsedTop && !panel->isVisible(); }));

    // The details group shows its texts and picture; it and the special group fold too, the
    // items of a folded group have no place, and both groups can be taken away.
    bar_->setAnimated(false);
    bar_->ExpandGroup("Dialog");
    bar_->SetDetailsText("3264 x 2448");
    EXPECT_EQ(bar_->DetailsTitle() + ", " + bar_->DetailsText(), "IMG_1.jpg, 3264 x 2448");
    const QImage withoutPicture = bar_->grab().toImage();
    bar_->SetDetailsImage(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48));
    EXPECT_NE(bar_->grab().toImage(), withoutPicture);
    bar_->ExpandGroup(Special);
    bar_->ExpandGroup("Details");
    EXPECT_FALSE(bar_->IsGroupExpanded(Special) || bar_->IsGroupExpanded("Details"));
    EXPECT_TRUE(bar_->ItemRect(Special, 1).isEmpty());
    bar_->HideDetailsGroup();
    bar_->HideSpecialGroup();
    EXPECT_FALSE(bar_->HasGroup("Details") || bar_->HasGroup(Special));
    EXPECT_EQ(bar_->GroupCount(), 2);

    bar_->ClearStructure();
    ASSERT_FALSE(panel.isNull());  // the caller's panel survives, hidden
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(isExplorerBarTest, BadAddressesShowTheirErrorAndChangeNothing)
{
    bar_->AddDetailsGroup("Details", "t", "d");
    const QString noItemsThere = "Can't assign items to the Especified group";
    const QString wrongType = "GetGroupsByKeyN: sGroupKey not of required Type (String or Integer)!";
    const std::pair<std::function<void()>, QString> cases[] = {
        {[&] { bar_->AddItem("Nowhere", "X", "X"); }, noItemsThere},
        {[&] { bar_->AddItem("Details", "X", "X"); }, noItemsThere},
        {[&] { bar_->AddItem(0, "X", "X"); }, "The group '0' doesn't exist"},
        {[&] { bar_->AddItem(3, "X", "X"); }, "The group '3' doesn't exist"},
        {[&] { bar_->AddItem(1.5, "X", "X"); }, wrongType},
        {[&] { bar_->ExpandGroup(QVariant()); }, wrongType},
        {[&] { bar_->ExpandGroup(5); }, "The group '5' doesn't exist"},
        {[&] { bar_->ExpandGroup("Nowhere"); }, "The group 'Nowhere' doesn't exist"},
        {[&] { bar_->SetItemText("Details", 1, "X"); }, "Details Group hasn't Child Items!"},
        {[&] { bar_->SetItemText("Nowhere", 1, "X"); }, "The Group 'Nowhere' doesn't exist"},
        {[&] { bar_->SetItemIcon(7, 1, 0); }, "The Group '7' doesn't exist"},
    };
    ScriptedDialogs dialogs;
    for (const auto& [misuse, reason] : cases) {
        SCOPED_TRACE(reason.toStdString());
        dialogs.clear();
        misuse();
        ASSERT_EQ(dialogs.messageTexts(), QStringList("An Error has ocurred!\n" + reason));
        EXPECT_EQ(dialogs.messages()[0].title, "isExplorerBar");
        EXPECT_EQ(dialogs.messages()[0].icon, QMessageBox::Critical);
    }
    const QList<int> itemCounts{bar_->ItemCount(Special), bar_->ItemCount(1), bar_->ItemCount(2),
                                bar_->ItemCount("Details")};
    EXPECT_EQ(itemCounts, QList<int>({2, 1, 2, 0}));
    EXPECT_TRUE(bar_->IsGroupExpanded(1) && bar_->IsGroupExpanded(2));
}

TEST_F(isExplorerBarTest, GroupsAreAddressedByPositionOrByTheFirstEqualKey)
{
    bar_->ClearStructure();
    bar_->AddGroup("A", "First");
    bar_->AddGroup("B", "Second");
    bar_->AddGroup("B", "Third, same key");
    bar_->AddItem(3, "three", "by position");
    bar_->AddItem("B", "two", "by key");
    bar_->AddItem(1, "one", "by position");

    ASSERT_EQ(bar_->GroupCount(), 3);
    EXPECT_EQ(QStringList({bar_->ItemKey(1, 1), bar_->ItemKey(2, 1), bar_->ItemKey(3, 1)}),
              QStringList({"one", "two", "three"}));
    EXPECT_EQ(bar_->ItemCount(3), 1);

    bar_->SetGroupCaption(2, "Renamed");
    EXPECT_EQ(QStringList({bar_->GroupCaption("B"), bar_->GroupCaption(3)}),
              QStringList({"Renamed", "Third, same key"}));

    // Items inside a group: by position or key.
    bar_->AddItem(1, "second", "Second item");
    bar_->SetItemText(1, 2, "Changed by position");
    bar_->SetItemText("A", "one", "Changed by key");
    EXPECT_EQ(QStringList({bar_->ItemCaption(1, "second"), bar_->ItemCaption(1, 1)}),
              QStringList({"Changed by position", "Changed by key"}));

    bar_->ClearGroup("A");
    EXPECT_EQ(QList<int>({bar_->ItemCount(1), bar_->ItemCount(2)}), QList<int>({0, 1}));
}

TEST_F(isExplorerBarTest, ThePointerHighlightsWhatItIsOverAndClicksReportTheItemOrFoldTheGroup)
{
    QSignalSpy itemHover(bar_, &isExplorerBar::ItemHover);
    QSignalSpy itemOut(bar_, &isExplorerBar::ItemOut);
    const QRect item = bar_->ItemRect("Editing", "New");
    const QImage plain = bar_->grab(item).toImage();
    QTest::mouseMove(bar_, item.center());
    ASSERT_TRUE(waitFor([&] { return itemHover.size() == 1; }));
    EXPECT_EQ(itemHover.at(0), QVariantList({"Editing", "New"}));
    EXPECT_NE(bar_->grab(item).toImage(), plain);  // highlighted
    QTest::mouseMove(bar_, bar_->GroupCaptionRect("Dialog").center());
    ASSERT_TRUE(waitFor([&] { return bar_->HoverGroupKey() == "Dialog"; }));
    EXPECT_EQ(itemOut, QList<QVariantList>({{"Editing", "New"}}));
    EXPECT_EQ(bar_->grab(item).toImage(), plain);
    QTest::mouseMove(outside_, outside_->rect().center());
    ASSERT_TRUE(waitFor([&] { return bar_->HoverGroupKey().isEmpty(); }));

    QSignalSpy clicks(bar_, &isExplorerBar::ItemClick);
    QSignalSpy groupClicks(bar_, &isExplorerBar::GroupClick);
    const QPoint resize = bar_->ItemRect(Special, 1).center();
    const QPoint basketItem = bar_->ItemRect("Editing", 2).center();
    click(bar_->ItemRect(Special, "Crop").center());
    click(basketItem);
    click(QPoint(bar_->GroupCaptionRect(Special).center().x(), top("Dialog") - 3));  // a margin: no item
    EXPECT_EQ(clicks, QList<QVariantList>({{"Special Group", "Crop"}, {"Editing", "Open"}}));

    click(bar_->GroupCaptionRect("Editing").center());
    click(basketItem);  // folded away
    click(bar_->GroupCaptionRect("Editing").center());
    EXPECT_EQ(groupClicks, QList<QVariantList>({{"Editing", false}, {"Editing", true}}));
    click(basketItem);
    EXPECT_EQ(clicks.size(), 3);

    // No clicks on a cleared structure until it is built again.
    bar_->ClearStructure();
    click(resize);
    EXPECT_EQ(clicks.size(), 3);
    buildTaskPane();
    click(resize);
    EXPECT_EQ(clicks.size(), 4);
}

TEST_F(isExplorerBarTest, NothingIsPaintedWhileUpdatesAreDisabled)
{
    PaintCounter paints(bar_);
    // The counter sees ordinary changes.
    bar_->AddItem("Dialog", "Seen", "Seen");
    ASSERT_TRUE(waitFor([&] { return paints.count > 0; }));

    const QImage before = bar_->grab().toImage();  // grabbing paints too: before counting
    settle();
    paints.count = 0;
    bar_->DisableUpdates();
    bar_->AddItem("Dialog", "Unseen", "Added while frozen");
    bar_->SetGroupCaption("Editing", "Renamed while frozen");
    bar_->ExpandGroup(Special);
    bar_->Refresh();
    settle();
    EXPECT_EQ(paints.count, 0);
    // The changes were recorded all the same: enabling paints them.
    bar_->DisableUpdates(false);
    ASSERT_TRUE(waitFor([&] { return paints.count > 0; }));
    EXPECT_NE(bar_->grab().toImage(), before);
}

TEST_F(isExplorerBarTest, ScrollsWhenTheContentIsTallerThanThePane)
{
    bar_->ClearStructure();
    bar_->setFixedSize(240, 200);
    bar_->AddGroup("Long", "Long group");
    for (int i = 1; i <= 20; ++i)
        bar_->AddItem("Long", QStringLiteral("i%1").arg(i), QStringLiteral("Item %1").arg(i));
    QScrollBar* scroll = bar_->verticalScrollBar();
    ASSERT_TRUE(scroll->isVisible());
    EXPECT_GT(bar_->ItemRect(1, 20).top(), bar_->height());

    QSignalSpy clicks(bar_, &isExplorerBar::ItemClick);
    scroll->setValue(scroll->maximum());
    const QRect last = bar_->ItemRect(1, 20);
    ASSERT_LE(last.bottom(), bar_->height());
    EXPECT_LT(last.right(), scroll->x());  // items give way to the scroll bar
    click(last.center());
    EXPECT_EQ(clicks, QList<QVariantList>({{"Long", "i20"}}));

    // Folding the group makes everything fit again.
    bar_->ExpandGroup(1, false);
    EXPECT_FALSE(scroll->isVisible());
    EXPECT_GE(top(1), 0);
}

}  // namespace
