// The basket pane driven as a user drives it: keys, clicks, drops and the file commands, with
// message boxes and file dialogs answered by script.

#include "basket/BasketListView.h"
#include "basket/BasketPanel.h"
#include "support/FileBytes.h"
#include "support/ReportCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedDialogs.h"
#include "support/TestImages.h"
#include "support/WaitFor.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

using namespace lumora;
using namespace lumora::test;

namespace {

// An entry whose columns tell which one it is; none of its files exist.
BasketEntry fakeEntry(const QString& name)
{
    return {name, "/pages/" + name + ".tif", "10 X 10", "1 KB", "TIFF image", "/photos/" + name + ".jpg",
            "about " + name, Picture::filled(48, 36, Rgb{200, 10, 10})};
}

class BasketPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel_.adder().setWorkerCount(2);
        panel_.setThumbnailSize(48, 36);
        panel_.resize(640, 420);
        panel_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel_));
    }

    // a..e in the basket.
    void fillFive()
    {
        for (const char* name : {"a", "b", "c", "d", "e"})
            panel_.basket().append(fakeEntry(QString::fromLatin1(name)));
    }

    QStringList labels() const
    {
        QStringList texts;
        for (const BasketEntry& entry : panel_.basket().entries())
            texts.append(entry.text);
        return texts;
    }

    BasketListView* view() const { return qobject_cast<BasketListView*>(panel_.basketList()); }
    QToolButton* button(const char* name) const { return panel_.findChild<QToolButton*>(QString::fromLatin1(name)); }
    void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    QPoint centreOf(int row) const { return view()->visualRect(panel_.basket().index(row)).center(); }

    void waitIdle()
    {
        ASSERT_TRUE(waitFor([this] { return !panel_.isBusy(); })) << "the basket is still adding";
    }

    QString photo(const QString& name, int width = 64, int height = 48)
    {
        return writePng(gradientPicture(width, height), photos_.filePath(name));
    }

    QTemporaryDir home_;
    ScopedEnvironment homeVariable_{"LUMORA_HOME", home_.path().toUtf8()};
    QTemporaryDir photos_;
    ReportCapture capture_;
    ScriptedDialogs dialogs_;
    BasketPanel panel_;
    QSignalSpy status_{&panel_, &BasketPanel::statusText};
};

TEST_F(BasketPanelTest, ClicksAndKeysChooseEntriesAndDeleteExactlyTheSelectedOnes)
{
    fillFive();
    // A click or an arrow key asks for the preview; so do previous / next from the preview pane.
    QSignalSpy preview(&panel_, &BasketPanel::previewRequested);
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, centreOf(2));
    QTest::keyClick(view(), Qt::Key_Right);
    EXPECT_EQ(view()->selectedRows(), QList<int>({3}));
    EXPECT_TRUE(panel_.selectAdjacent(1));
    EXPECT_FALSE(panel_.selectAdjacent(1));
    EXPECT_TRUE(panel_.selectAdjacent(-1));
    EXPECT_EQ(view()->selectedRows(), QList<int>({3}));
    QStringList asked;
    for (const QList<QVariant>& call : preview)
        asked.append(call.at(0).toString());
    EXPECT_EQ(asked, (QStringList{"/pages/c.tif", "/pages/d.tif", "/pages/e.tif", "/pages/d.tif"}));

    QSignalSpy changed(&panel_, &BasketPanel::basketChanged);
    view()->selectRows({1, 3});
    QTest::keyClick(view(), Qt::Key_Delete);
    EXPECT_EQ(labels(), QStringList({"a", "c", "e"}));
    EXPECT_EQ(status_.last(), (QVariantList{"queue", "3 file(s) in basket"}));
    EXPECT_EQ(changed.value(changed.size() - 1), QVariantList{3});

    view()->selectRows({2});
    click("cmdPagesDelete");
    EXPECT_EQ(labels(), QStringList({"a", "c"}));

    view()->selectRows({});  // nothing selected, nothing goes
    QTest::keyClick(view(), Qt::Key_Delete);
    EXPECT_EQ(labels(), QStringList({"a", "c"}));

    // The right button opens the menu over an entry, whose Delete removes the selection.
    auto* menu = panel_.findChild<QMenu*>("mnuContextBasket");
    ASSERT_NE(menu, nullptr);
    QTest::mouseClick(view()->viewport(), Qt::RightButton, {}, centreOf(1));
    QContextMenuEvent request(QContextMenuEvent::Mouse, centreOf(1), view()->viewport()->mapToGlobal(centreOf(1)));
    QCoreApplication::sendEvent(view()->viewport(), &request);
    ASSERT_TRUE(waitFor([menu] { return menu->isVisible(); }));
    menu->hide();
    menu->findChild<QAction*>("mnuBasketDelete")->trigger();
    EXPECT_EQ(labels(), QStringList({"a"}));
    EXPECT_EQ(preview.size(), 4);  // the right button does not preview
}

TEST_F(BasketPanelTest, EntriesDroppedOnAnotherEntryMoveThereAndStaySelected)
{
    fillFive();
    BasketListView* list = view();
    // What the list's drag of these rows carries, dropped at the position.
    const auto dropAt = [&](const QList<int>& rows, const QPoint& position) {
        std::unique_ptr<QMimeData> data(list->entriesMimeData(rows));
        return list->takeDrop(data.get(), position);
    };

    // a and b onto e: they land just before it, every column with them.
    list->selectRows({0, 1});
    EXPECT_TRUE(dropAt(list->selectedRows(), centreOf(4)));
    EXPECT_EQ(labels(), QStringList({"c", "d", "a", "b", "e"}));
    EXPECT_EQ(list->selectedRows(), QList<int>({2, 3}));
    EXPECT_EQ(panel_.basket().at(2), fakeEntry("a"));
    // Where there is no entry: to the end.
    const QPoint empty(list->viewport()->width() - 4, list->viewport()->height() - 4);
    ASSERT_FALSE(list->indexAt(empty).isValid());
    EXPECT_TRUE(dropAt({0, 1}, empty));
    EXPECT_EQ(labels(), QStringList({"a", "b", "e", "c", "d"}));
    EXPECT_EQ(list->selectedRows(), QList<int>({3, 4}));

    // Other data, and entries dragged out of another basket list, never reorder this one.
    QMimeData text;
    text.setText("c");
    EXPECT_FALSE(list->takeDrop(&text, centreOf(0)));
    ImageBasket otherBasket;
    otherBasket.append(fakeEntry("x"));
    BasketListView other(otherBasket);
    std::unique_ptr<QMimeData> foreign(other.entriesMimeData({0}));
    EXPECT_FALSE(list->takeDrop(foreign.get(), centreOf(4)));
    EXPECT_EQ(labels(), QStringList({"a", "b", "e", "c", "d"}));
}

TEST_F(BasketPanelTest, DroppedFilesAndAddsDuringAnAddWaitTheirTurnAndDuplicatesAreAddedOnce)
{
    const QString first = photo("first.png");
    const QString second = photo("second.png");
    const QString dropped = photo("dropped.png");
    panel_.addFiles({first});
    panel_.addFiles({second, first});
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(dropped), QUrl::fromLocalFile(second)});
    EXPECT_TRUE(view()->takeDrop(&data, QPoint(20, 20)));
    waitIdle();
    EXPECT_EQ(labels(), QStringList({"first", "second", "dropped"}));
}

TEST_F(BasketPanelTest, CancelStopsTheAddAndDropsTheWaitingOnes)
{
    QStringList many;
    for (int i = 0; i < 12; ++i)
        many.append(photo(QStringLiteral("p%1.png").arg(i, 2, 10, QChar(u'0')), 400, 300));
    auto* progress = panel_.findChild<QProgressBar*>("pbQueue");
    EXPECT_TRUE(progress->isHidden());
    panel_.addFiles(many);
    panel_.addFiles({photo("later.png")});
    EXPECT_TRUE(panel_.isBusy());
    EXPECT_FALSE(progress->isHidden());
    EXPECT_FALSE(button("cmdPagesNew")->isEnabled());  // a new basket would delete the pages being made
    ASSERT_FALSE(button("cmdCancelAdd")->isHidden());
    click("cmdCancelAdd");
    waitIdle();

    // The basket holds the first files of the list, whatever had started, and nothing else.
    const QStringList added = labels();
    EXPECT_LE(added.size(), many.size());
    for (qsizetype i = 0; i < added.size(); ++i)
        EXPECT_EQ(added[i], QFileInfo(many[i]).completeBaseName());
    EXPECT_TRUE(button("cmdCancelAdd")->isHidden());
    EXPECT_TRUE(progress->isHidden());
    EXPECT_TRUE(button("cmdPagesNew")->isEnabled());
}

TEST_F(BasketPanelTest, OpeningAsksOverAFullBasketAndReplacesIt)
{
    // An empty basket opens without asking; a file that cannot be read is an error.
    dialogs_.answerNextFileDialog({photos_.filePath("missing.ibf"), 0});
    click("cmdPagesOpen");
    EXPECT_EQ(dialogs_.fileDialogs().size(), 1);
    ASSERT_EQ(dialogs_.messages().size(), 1);
    EXPECT_EQ(dialogs_.messages()[0].icon, QMessageBox::Critical);
    EXPECT_FALSE(panel_.isBusy());

    // Over a full basket: Cancel to the question, or to the file dialog, keeps it.
    fillFive();
    dialogs_.clear();
    dialogs_.answerNextMessage(QMessageBox::Cancel);
    click("cmdPagesOpen");
    ASSERT_EQ(dialogs_.messages().size(), 1);
    EXPECT_EQ(dialogs_.messages()[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_TRUE(dialogs_.fileDialogs().isEmpty());
    dialogs_.answerNextMessage(QMessageBox::Ok);
    click("cmdPagesOpen");
    EXPECT_EQ(dialogs_.fileDialogs().size(), 1);
    EXPECT_EQ(panel_.basket().size(), 5);

    const QString one = photo("one.png");
    const QString two = photo("two.png");
    writeBytes(photos_.filePath("set.ibf"),
               ("\"" + two + "\"\r\n\"" + photos_.filePath("gone.png") + "\"\r\n\"" + one + "\"\r\n").toUtf8());
    dialogs_.answerNextMessage(QMessageBox::Ok);
    dialogs_.answerNextFileDialog({photos_.filePath("set.ibf"), 1});
    click("cmdPagesOpen");
    waitIdle();
    EXPECT_EQ(labels(), QStringList({"two", "one"}));
    EXPECT_EQ(dialogs_.messages().size(), 3);  // the questions only
}

TEST_F(BasketPanelTest, SavingWritesTheKindOfTheChosenFilterAndNewDeletesThePages)
{
    click("cmdPagesSave");  // an empty basket is not saved
    EXPECT_TRUE(dialogs_.fileDialogs().isEmpty());

    fillFive();
    for (const auto& [filter, file] : {std::pair{1, "list.ibd"}, {0, "list.ibf"}}) {
        dialogs_.answerNextFileDialog({photos_.filePath("list"), filter});
        click("cmdPagesSave");
        EXPECT_EQ(dialogs_.fileDialogs().last().kind, ui::FileDialogRequest::Kind::SaveFile);
        EXPECT_TRUE(readBytes(photos_.filePath(file)).startsWith("\"/photos/a.jpg\"")) << file;
    }
    EXPECT_EQ(readBytes(photos_.filePath("list.ibd")).count("about"), 5);  // descriptions in the .ibd only
    EXPECT_EQ(readBytes(photos_.filePath("list.ibf")).count("about"), 0);
    EXPECT_TRUE(dialogs_.messages().isEmpty());
    dialogs_.answerNextFileDialog({photos_.filePath("no/such/folder/list"), 0});
    click("cmdPagesSave");
    ASSERT_EQ(dialogs_.messages().size(), 1);
    EXPECT_EQ(dialogs_.messages()[0].icon, QMessageBox::Critical);

    // New empties the basket and deletes the extracted pages only.
    ASSERT_TRUE(QDir(home_.path()).mkpath("temp"));
    writeBytes(home_.filePath("temp/page1_17.tif"), "page");
    writeBytes(home_.filePath("temp/keep.txt"), "other");
    click("cmdPagesNew");
    EXPECT_TRUE(panel_.basket().isEmpty());
    EXPECT_EQ(QDir(home_.filePath("temp")).entryList(QDir::Files), QStringList{"keep.txt"});
}

// The selected entry stands out as in every list: the highlight fills its cell, under a label in
// the highlighted text colour.
TEST_F(BasketPanelTest, TheSelectedEntryIsHighlighted)
{
    fillFive();
    view()->selectRows({1});
    const QImage shot = view()->viewport()->grab().toImage().scaled(view()->viewport()->size());
    const QRgb highlight = view()->palette().color(QPalette::Active, QPalette::Highlight).rgb();
    const auto highlightedShare = [&](int row) {  // of the entry's cell, in percent
        const QRect cell = view()->visualRect(panel_.basket().index(row));
        int fill = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                fill += shot.pixel(x, y) == highlight;
        return fill * 100 / (cell.width() * cell.height());
    };
    EXPECT_GT(highlightedShare(1), 33);
    EXPECT_EQ(highlightedShare(0), 0);
}

TEST_F(BasketPanelTest, ANewThumbnailSizeLaysTheListOutAgainAndRemakesTheThumbnails)
{
    // Entries of real photos get thumbnails made at the new size, not their old ones stretched.
    panel_.addFiles({photo("one.png", 160, 120), photo("two.png", 90, 160)});
    waitIdle();
    panel_.setThumbnailSize(120, 90);
    const auto thumbnailSizes = [this] {
        QList<QSize> sizes;
        for (const BasketEntry& entry : panel_.basket().entries())
            sizes.append({entry.thumbnail.width(), entry.thumbnail.height()});
        return sizes;
    };
    EXPECT_TRUE(waitFor([&] { return thumbnailSizes() == QList<QSize>({{120, 90}, {120, 90}}); }));
    panel_.basket().removeAll();
    panel_.setThumbnailSize(48, 36);

    fillFive();
    const QRect before = view()->visualRect(panel_.basket().index(0));
    panel_.setThumbnailSize(120, 90);
    view()->selectRows({0});
    panel_.deleteSelected();
    const QRect after = view()->visualRect(panel_.basket().index(0));
    EXPECT_GE(after.height() - before.height(), 90 - 36);
    EXPECT_GE(after.width(), 120);

    panel_.setColumnWidths({10, 20, 30});
    EXPECT_EQ(panel_.columnWidths(), QList<int>({10, 20, 30, 100, 100}));
    panel_.setColumnWidths({1, 2, 3, 4, 5, 6});
    EXPECT_EQ(panel_.columnWidths(), QList<int>({1, 2, 3, 4, 5}));
}

}  // namespace
