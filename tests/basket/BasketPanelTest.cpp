// The basket pane driven as a user drives it: keys, clicks, drops and the file commands, with
// message boxes and file dialogs answered by script.

#include "basket/BasketListView.h"
#include "basket/BasketPanel.h"
#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/ReportCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedDialogs.h"
#include "support/TestImages.h"
#include "support/WaitFor.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
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
    return {name,
            "/pages/" + name + ".tif",
            "10 X 10",
            "1 KB",
            "TIFF image",
            "/photos/" + name + ".jpg",
            "about " + name,
            Picture::filled(48, 36, Rgb{200, 10, 10})};
}

class BasketPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home_.isValid() && photos_.isValid());
        panel_ = std::make_unique<BasketPanel>();
        panel_->adder().setWorkerCount(2);
        panel_->setThumbnailSize(48, 36);
        status_ = std::make_unique<QSignalSpy>(panel_.get(), &BasketPanel::statusText);
    }
    void TearDown() override
    {
        panel_->cancelAdd();
        waitIdle();
    }

    // a..e in the basket.
    void fillFive()
    {
        for (const char* name : {"a", "b", "c", "d", "e"})
            panel_->basket().append(fakeEntry(QString::fromLatin1(name)));
    }

    QStringList labels() const
    {
        QStringList texts;
        for (const BasketEntry& entry : panel_->basket().entries())
            texts.append(entry.text);
        return texts;
    }

    BasketListView* view() const { return qobject_cast<BasketListView*>(panel_->basketList()); }
    QToolButton* button(const char* name) const { return panel_->findChild<QToolButton*>(QString::fromLatin1(name)); }
    void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }

    // The last text the panel gave the status panel with this key.
    QString lastStatus(const QString& key) const
    {
        for (qsizetype i = status_->size() - 1; i >= 0; --i) {
            if (status_->at(i).at(0).toString() == key)
                return status_->at(i).at(1).toString();
        }
        return {};
    }

    void showPanel()
    {
        panel_->resize(640, 420);
        panel_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel_.get()));
    }

    // Runs events until no add runs or waits, at most 20 s.
    void waitIdle()
    {
        ASSERT_TRUE(waitFor([this] { return !panel_->isBusy(); })) << "the basket is still adding";
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
    std::unique_ptr<BasketPanel> panel_;
    std::unique_ptr<QSignalSpy> status_;
};

TEST_F(BasketPanelTest, ShowsItsCaptionCommandsAndAHiddenProgressBar)
{
    EXPECT_EQ(panel_->findChild<QLabel*>("lblQueue")->text(), " Basket");
    for (const char* name : {"cmdPagesNew", "cmdPagesDelete", "cmdPagesOpen", "cmdPagesSave"}) {
        ASSERT_NE(button(name), nullptr) << name;
        EXPECT_FALSE(button(name)->icon().isNull()) << name;
        EXPECT_FALSE(button(name)->toolTip().isEmpty()) << name;
    }
    EXPECT_EQ(panel_->basketList()->objectName(), "lvPages");
    EXPECT_EQ(panel_->basketList()->viewMode(), QListView::IconMode);
    EXPECT_TRUE(panel_->findChild<QProgressBar*>("pbQueue")->isHidden());
    // The basket thumbnail size of the settings record.
    EXPECT_EQ(panel_->thumbnailSize(), QSize(48, 36));
}

TEST_F(BasketPanelTest, DeleteRemovesExactlyTheSelectedEntries)
{
    fillFive();
    QSignalSpy changed(panel_.get(), &BasketPanel::basketChanged);
    view()->selectRows({1, 3});
    QTest::keyClick(panel_->basketList(), Qt::Key_Delete);
    EXPECT_EQ(labels(), QStringList({"a", "c", "e"}));
    EXPECT_EQ(lastStatus("queue"), "3 file(s) in basket");
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_EQ(changed.last().at(0).toInt(), 3);

    // The button does the same.
    view()->selectRows({2});
    click("cmdPagesDelete");
    EXPECT_EQ(labels(), QStringList({"a", "c"}));
    EXPECT_EQ(lastStatus("queue"), "2 file(s) in basket");

    // With nothing selected nothing goes.
    view()->selectRows({});
    QTest::keyClick(panel_->basketList(), Qt::Key_Delete);
    EXPECT_EQ(labels(), QStringList({"a", "c"}));
}

TEST_F(BasketPanelTest, EntriesDroppedOnAnotherEntryMoveThereAndStaySelected)
{
    fillFive();
    showPanel();
    BasketListView* list = view();
    // What the list's drag of these rows carries, dropped at the position.
    const auto dropAt = [&](const QList<int>& rows, const QPoint& position) {
        std::unique_ptr<QMimeData> data(list->entriesMimeData(rows));
        return list->takeDrop(data.get(), position);
    };

    // a and b onto e: they land just before it.
    list->selectRows({0, 1});
    EXPECT_TRUE(dropAt(list->selectedRows(), list->visualRect(panel_->basket().index(4)).center()));
    EXPECT_EQ(labels(), QStringList({"c", "d", "a", "b", "e"}));
    EXPECT_EQ(list->selectedRows(), QList<int>({2, 3}));
    // Every column travels with its entry.
    EXPECT_EQ(panel_->basket().at(2), fakeEntry("a"));

    // e onto c, the first entry.
    list->selectRows({4});
    EXPECT_TRUE(dropAt({4}, list->visualRect(panel_->basket().index(0)).center()));
    EXPECT_EQ(labels(), QStringList({"e", "c", "d", "a", "b"}));
    EXPECT_EQ(list->selectedRows(), QList<int>({0}));

    // Dropped where there is no entry: to the end.
    const QPoint empty(list->viewport()->width() - 4, list->viewport()->height() - 4);
    ASSERT_FALSE(list->indexAt(empty).isValid());
    EXPECT_TRUE(dropAt({1, 2}, empty));
    EXPECT_EQ(labels(), QStringList({"e", "a", "b", "c", "d"}));
    EXPECT_EQ(list->selectedRows(), QList<int>({3, 4}));
    EXPECT_TRUE(dropAt({3, 4}, list->visualRect(panel_->basket().index(1)).center()));  // back as it was

    // Other data is not taken.
    QMimeData text;
    text.setText("c");
    EXPECT_FALSE(list->takeDrop(&text, list->visualRect(panel_->basket().index(0)).center()));

    // Entries dragged out of another basket list never reorder this one.
    ImageBasket otherBasket;
    otherBasket.append(fakeEntry("x"));
    BasketListView other(otherBasket);
    std::unique_ptr<QMimeData> foreign(other.entriesMimeData({0}));
    EXPECT_FALSE(list->takeDrop(foreign.get(), list->visualRect(panel_->basket().index(4)).center()));
    EXPECT_EQ(labels(), QStringList({"e", "c", "d", "a", "b"}));
}

TEST_F(BasketPanelTest, FilesDroppedFromOutsideAreAdded)
{
    showPanel();
    const QString path = photo("dropped.png");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    EXPECT_TRUE(view()->takeDrop(&data, QPoint(20, 20)));
    waitIdle();
    ASSERT_EQ(panel_->basket().size(), 1);
    EXPECT_EQ(panel_->basket().at(0).tag, path);
    EXPECT_EQ(lastStatus("folder"), "Adding file to basket - 'dropped.png'");
    EXPECT_EQ(lastStatus("queue"), "1 file(s) in basket");
}

TEST_F(BasketPanelTest, AMultipageTiffBecomesOneEntryPerPage)
{
    QStringList pages;
    for (int page = 0; page < 3; ++page)
        pages.append(photo(QStringLiteral("page%1.png").arg(page), 60 + 10 * page, 40));
    const QString tiff = photos_.filePath("three.tif");
    ASSERT_EQ(runTool("convert", pages + QStringList{tiff}).exitCode, 0);
    ASSERT_EQ(identify(tiff, "%n,"), "3,3,3,");

    QSignalSpy finished(&panel_->adder(), &BasketAdder::finished);
    QSignalSpy changed(panel_.get(), &BasketPanel::basketChanged);
    panel_->addFiles({tiff});
    EXPECT_TRUE(panel_->isBusy());
    EXPECT_FALSE(panel_->findChild<QProgressBar*>("pbQueue")->isHidden());
    EXPECT_FALSE(button("cmdPagesNew")->isEnabled());  // a new basket would delete the pages being made
    ASSERT_TRUE(finished.wait(20000));

    ASSERT_EQ(panel_->basket().size(), 3);
    for (const BasketEntry& entry : panel_->basket().entries()) {
        EXPECT_EQ(entry.sourcePath, tiff);
        EXPECT_EQ(QFileInfo(entry.tag).absolutePath(), home_.filePath("temp"));
    }
    EXPECT_TRUE(panel_->findChild<QProgressBar*>("pbQueue")->isHidden());
    EXPECT_TRUE(button("cmdPagesNew")->isEnabled());
    EXPECT_EQ(lastStatus("queue"), "3 file(s) in basket");
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_EQ(changed.last().at(0).toInt(), 3);

    // Adding it again adds nothing.
    panel_->addFiles({tiff});
    waitIdle();
    EXPECT_EQ(panel_->basket().size(), 3);
    EXPECT_EQ(lastStatus("queue"), "3 file(s) in basket");
}

TEST_F(BasketPanelTest, AnAddDuringAnAddWaitsItsTurnAndDuplicatesAreAddedOnce)
{
    const QString first = photo("first.png");
    const QString second = photo("second.png");
    panel_->addFiles({first});
    panel_->addFiles({second, first});
    panel_->addFiles({first});
    waitIdle();
    EXPECT_EQ(labels(), QStringList({"first", "second"}));
    EXPECT_EQ(lastStatus("queue"), "2 file(s) in basket");
}

TEST_F(BasketPanelTest, CancelStopsTheAddAndDropsTheWaitingOnes)
{
    QStringList many;
    for (int i = 0; i < 12; ++i)
        many.append(photo(QStringLiteral("p%1.png").arg(i, 2, 10, QChar(u'0')), 400, 300));
    const QString later = photo("later.png");
    showPanel();
    panel_->addFiles(many);
    panel_->addFiles({later});
    ASSERT_FALSE(button("cmdCancelAdd")->isHidden());
    click("cmdCancelAdd");
    waitIdle();

    // The basket holds the first files of the list, whatever had started, and nothing else.
    const QStringList added = labels();
    EXPECT_LE(added.size(), many.size());
    for (qsizetype i = 0; i < added.size(); ++i)
        EXPECT_EQ(added[i], QFileInfo(many[i]).completeBaseName());
    EXPECT_TRUE(button("cmdCancelAdd")->isHidden());
    EXPECT_TRUE(panel_->findChild<QProgressBar*>("pbQueue")->isHidden());
    EXPECT_EQ(lastStatus("queue"), QString::number(added.size()) + " file(s) in basket");
}

TEST_F(BasketPanelTest, OpeningOverAFullBasketAsksAndCancelKeepsIt)
{
    fillFive();
    dialogs_.answerNextMessage(QMessageBox::Cancel);
    click("cmdPagesOpen");
    ASSERT_EQ(dialogs_.messages().size(), 1);
    EXPECT_EQ(dialogs_.messages()[0].text, "There are currently files in the Basket!.\r\nDo you want to continue?");
    EXPECT_EQ(dialogs_.messages()[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_TRUE(dialogs_.fileDialogs().isEmpty());
    EXPECT_EQ(panel_->basket().size(), 5);
}

TEST_F(BasketPanelTest, OpeningShowsTheOpenDialogAndReportsAFileThatCannotBeRead)
{
    // An empty basket opens without asking.
    dialogs_.answerNextFileDialog({photos_.filePath("missing.ibf"), 0});
    click("cmdPagesOpen");
    ASSERT_EQ(dialogs_.fileDialogs().size(), 1);
    const ui::FileDialogRequest& request = dialogs_.fileDialogs()[0];
    EXPECT_EQ(request.kind, ui::FileDialogRequest::Kind::OpenFile);
    EXPECT_EQ(request.title, "Open Image Basket");
    EXPECT_EQ(request.filter,
              "Image basket formats (*.ibf;*.ibd)|*.ibf;*.ibd|Image basket favorite file (*.ibf)|*.ibf|"
              "Image basket description file (*.ibd)|*.ibd|");
    ASSERT_EQ(dialogs_.messages().size(), 1);
    EXPECT_EQ(dialogs_.messages()[0].text, "Error opening image basket!\r\nPlease select a valid image basket file.");
    EXPECT_EQ(dialogs_.messages()[0].icon, QMessageBox::Critical);
    EXPECT_FALSE(panel_->isBusy());
    EXPECT_TRUE(panel_->findChild<QProgressBar*>("pbQueue")->isHidden());
    capture_.clear();

    // Cancelling the dialog changes nothing.
    fillFive();
    dialogs_.clear();
    dialogs_.answerNextMessage(QMessageBox::Ok);
    click("cmdPagesOpen");
    EXPECT_EQ(dialogs_.fileDialogs().size(), 1);
    EXPECT_EQ(dialogs_.messages().size(), 1);  // only the question
    EXPECT_EQ(panel_->basket().size(), 5);
}

TEST_F(BasketPanelTest, OpeningAFavouriteFileReplacesTheBasket)
{
    fillFive();
    const QString one = photo("one.png");
    const QString two = photo("two.png");
    const QString list = photos_.filePath("set.ibf");
    writeBytes(list, ("\"" + two + "\"\r\n\"" + photos_.filePath("gone.png") + "\"\r\n\"" + one + "\"\r\n").toUtf8());
    dialogs_.answerNextMessage(QMessageBox::Ok);
    dialogs_.answerNextFileDialog({list, 1});
    click("cmdPagesOpen");
    waitIdle();
    EXPECT_EQ(labels(), QStringList({"two", "one"}));
    EXPECT_EQ(dialogs_.messages().size(), 1);
    EXPECT_EQ(lastStatus("queue"), "2 file(s) in basket");
}

TEST_F(BasketPanelTest, SavingWritesTheKindOfTheChosenFilter)
{
    // An empty basket is not saved.
    click("cmdPagesSave");
    EXPECT_TRUE(dialogs_.fileDialogs().isEmpty());

    fillFive();
    dialogs_.answerNextFileDialog({photos_.filePath("list"), 1});
    click("cmdPagesSave");
    ASSERT_EQ(dialogs_.fileDialogs().size(), 1);
    EXPECT_EQ(dialogs_.fileDialogs()[0].kind, ui::FileDialogRequest::Kind::SaveFile);
    EXPECT_EQ(dialogs_.fileDialogs()[0].title, "Save image basket");
    EXPECT_EQ(dialogs_.fileDialogs()[0].filter,
              "Image basket favorite file (*.ibf)|*.ibf|Image basket description file (*.ibd)|*.ibd|");
    QByteArray expected;
    for (const char* name : {"a", "b", "c", "d", "e"})
        expected += QStringLiteral("\"/photos/%1.jpg\",\"about %1\"\r\n").arg(QLatin1String(name)).toUtf8();
    EXPECT_EQ(readBytes(photos_.filePath("list.ibd")), expected);
    EXPECT_FALSE(QFileInfo::exists(photos_.filePath("list.ibf")));

    dialogs_.answerNextFileDialog({photos_.filePath("list"), 0});
    click("cmdPagesSave");
    EXPECT_TRUE(readBytes(photos_.filePath("list.ibf")).startsWith("\"/photos/a.jpg\"\r\n\"/photos/b.jpg\"\r\n"));
    EXPECT_TRUE(dialogs_.messages().isEmpty());

    // A folder that does not exist cannot be written.
    dialogs_.answerNextFileDialog({photos_.filePath("no/such/folder/list"), 0});
    click("cmdPagesSave");
    ASSERT_EQ(dialogs_.messages().size(), 1);
    EXPECT_EQ(dialogs_.messages()[0].text, "Error saving image basket!\r\nPlease try again!");
    EXPECT_EQ(dialogs_.messages()[0].icon, QMessageBox::Critical);
}

TEST_F(BasketPanelTest, ANewBasketEmptiesItAndDeletesTheExtractedPages)
{
    fillFive();
    ASSERT_TRUE(QDir(home_.path()).mkpath("temp"));
    writeBytes(home_.filePath("temp/page1_17.tif"), "page");
    writeBytes(home_.filePath("temp/keep.txt"), "other");
    click("cmdPagesNew");
    EXPECT_TRUE(panel_->basket().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(home_.filePath("temp/page1_17.tif")));
    EXPECT_TRUE(QFileInfo::exists(home_.filePath("temp/keep.txt")));
    EXPECT_EQ(lastStatus("queue"), "New Basket");
}

TEST_F(BasketPanelTest, ClicksAndArrowKeysAskForThePreviewAndTheRightButtonForTheMenu)
{
    fillFive();
    showPanel();
    QListView* list = panel_->basketList();
    QSignalSpy preview(panel_.get(), &BasketPanel::previewRequested);

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(panel_->basket().index(2)).center());
    ASSERT_EQ(preview.size(), 1);
    EXPECT_EQ(preview.last().at(0).toString(), "/pages/c.tif");

    QTest::keyClick(list, Qt::Key_Right);
    ASSERT_EQ(preview.size(), 2);
    EXPECT_EQ(preview.last().at(0).toString(), "/pages/d.tif");
    EXPECT_EQ(view()->selectedRows(), QList<int>({3}));

    // Previous / next from the preview pane.
    EXPECT_TRUE(panel_->selectAdjacent(1));
    EXPECT_EQ(preview.last().at(0).toString(), "/pages/e.tif");
    EXPECT_FALSE(panel_->selectAdjacent(1));
    EXPECT_TRUE(panel_->selectAdjacent(-1));
    EXPECT_EQ(view()->selectedRows(), QList<int>({3}));
    EXPECT_EQ(preview.size(), 4);

    auto* menu = panel_->findChild<QMenu*>("mnuContextBasket");
    ASSERT_NE(menu, nullptr);
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, list->visualRect(panel_->basket().index(1)).center());
    EXPECT_EQ(preview.size(), 4);  // the right button does not preview
    const QPoint at = list->visualRect(panel_->basket().index(1)).center();
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(list->viewport(), &request);
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 20000));
    QAction* remove = menu->findChild<QAction*>("mnuBasketDelete");
    ASSERT_NE(remove, nullptr);
    menu->hide();
    remove->trigger();
    EXPECT_EQ(labels(), QStringList({"a", "c", "d", "e"}));
}

TEST_F(BasketPanelTest, ANewThumbnailSizeLaysTheListOutAgain)
{
    fillFive();
    showPanel();
    QListView* list = panel_->basketList();
    const QRect before = list->visualRect(panel_->basket().index(0));
    (void)list->viewport()->grab();  // paints every entry once
    BasketItemDelegate* delegate = view()->itemDelegate();
    EXPECT_EQ(delegate->cachedCount(), 5);
    const qint64 key = delegate->thumbnail(panel_->basket().index(2)).cacheKey();
    panel_->setThumbnailSize(120, 90);
    (void)list->viewport()->grab();
    // Drawn larger, converted once: the pixmap made at 48 x 36 is the one still drawn.
    EXPECT_EQ(delegate->thumbnail(panel_->basket().index(2)).cacheKey(), key);
    EXPECT_EQ(delegate->thumbnail(panel_->basket().index(2)).size(), QSize(48, 36));
    view()->selectRows({0});
    panel_->deleteSelected();
    EXPECT_EQ(delegate->cachedCount(), 4);
    EXPECT_EQ(panel_->thumbnailSize(), QSize(120, 90));
    const QRect after = list->visualRect(panel_->basket().index(0));
    EXPECT_GE(after.height() - before.height(), 90 - 36);
    EXPECT_GE(after.width(), 120);

    panel_->setColumnWidths({10, 20, 30});
    EXPECT_EQ(panel_->columnWidths(), QList<int>({10, 20, 30, 100, 100}));
    panel_->setColumnWidths({1, 2, 3, 4, 5, 6});
    EXPECT_EQ(panel_->columnWidths(), QList<int>({1, 2, 3, 4, 5}));
}

}  // namespace
