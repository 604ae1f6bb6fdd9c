// The folder browser as the window uses it: listing a selected folder, stopping a listing for the
// next folder, the two views, sorting, and the requests to preview and to add to the basket.
// What a listing reads from the files is FolderLister's and is tested with it.

#include "browse/FolderListModel.h"
#include "shell/FolderBrowser.h"

#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/ScopedEnvironment.h"
#include "support/TestImages.h"
#include "support/WaitFor.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QListView>
#include <QMenu>
#include <QPixmap>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

class FolderBrowsing : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home_.isValid() && photos_.isValid());
        browser_.resize(600, 700);
        browser_.show();
        // The progress bar's maximum each time the browser shows it.
        QObject::connect(&browser_, &FolderBrowser::listingProgress, [this](int, int maximum, bool visible) {
            if (visible)
                progressShown_.append(maximum);
        });
    }

    // A sub-folder of the photo folder holding `count` copies of one picture.
    QString folderOf(const QString& name, int count, int width, int height)
    {
        const QString folder = photos_.filePath(name);
        EXPECT_TRUE(QDir().mkpath(folder));
        const QString source = writePng(gradientPicture(width, height), folder + "/source.png");
        for (int i = 0; i < count; ++i)
            QFile::copy(source, folder + QStringLiteral("/photo%1.png").arg(i, 3, 10, QLatin1Char('0')));
        QFile::remove(source);
        return folder;
    }

    void listAndWait(const QString& folder)
    {
        QSignalSpy finished(&browser_, &FolderBrowser::listingFinished);
        browser_.selectFolder(folder);
        ASSERT_TRUE(finished.count() > 0 || finished.wait(20000));
        ASSERT_FALSE(browser_.isListing());
    }

    QStringList listedPaths() const
    {
        QStringList paths;
        for (int i = 0; i < browser_.listModel()->rowCount(); ++i)
            paths.append(browser_.listModel()->pathAt(i));
        return paths;
    }

    // Collects the paths of the rows the list takes in from now on.
    void collectInsertedRows(QStringList& inserted)
    {
        const FolderListModel* model = browser_.listModel();
        QObject::connect(model, &QAbstractItemModel::rowsInserted, [&inserted, model](const QModelIndex&, int from, int to) {
            for (int row = from; row <= to; ++row)
                inserted.append(model->pathAt(row));
        });
    }

    QPoint rowCentre(int row) const
    {
        QAbstractItemView* view = browser_.fileList();
        return view->visualRect(view->model()->index(row, 0)).center();
    }

    QTemporaryDir home_;
    ScopedEnvironment homeVariable_{"LUMORA_HOME", home_.path().toUtf8()};
    QTemporaryDir photos_;
    FolderBrowser browser_;
    QList<int> progressShown_;
};

TEST_F(FolderBrowsing, ASecondFolderChosenWhileTheFirstIsListingIsTheOnlyOneListed)
{
    const QString first = folderOf("first", 60, 1200, 900);
    const QString second = folderOf("second", 3, 90, 60);
    browser_.selectFolder(first);
    ASSERT_TRUE(waitFor([&] { return browser_.listModel()->rowCount() > 0; }));
    EXPECT_EQ(progressShown_.value(0), 60);

    QStringList inserted;
    collectInsertedRows(inserted);
    progressShown_.clear();
    listAndWait(second);
    EXPECT_EQ(listedPaths(), (QStringList{second + "/photo000.png", second + "/photo001.png", second + "/photo002.png"}));
    EXPECT_EQ(inserted, listedPaths());
    EXPECT_FALSE(progressShown_.isEmpty());
    EXPECT_EQ(progressShown_.count(3), progressShown_.size()) << "every maximum the second folder's";
}

TEST_F(FolderBrowsing, QuickSelectionsInTheTreeListOnlyTheLastFolder)
{
    const QString first = folderOf("quick1", 5, 50, 50);
    const QString second = folderOf("quick2", 2, 50, 50);
    auto* folders = qobject_cast<QFileSystemModel*>(browser_.folderTree()->model());
    ASSERT_NE(folders, nullptr);
    QStringList inserted;
    collectInsertedRows(inserted);
    QSignalSpy finished(&browser_, &FolderBrowser::listingFinished);

    // Both selections come before the delay is over.
    browser_.folderTree()->setCurrentIndex(folders->index(first));
    browser_.folderTree()->setCurrentIndex(folders->index(second));
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(inserted, (QStringList{second + "/photo000.png", second + "/photo001.png"}));
    EXPECT_EQ(browser_.currentFolder(), second);
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(FolderBrowsing, ThumbnailsAtTheSizeSetThenTheDetailTableKeepingItsWidthsAndSortingByTheClickedHeader)
{
    const QString folder = photos_.filePath("mixed");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString jpeg = folder + "/A-photo.JPG";
    const QString tiff = folder + "/b-three.tif";
    const QString gif = folder + "/c-small.gif";
    for (const QStringList& arguments : {QStringList{"-size", "40x30", "xc:red", "xc:lime", "xc:blue", tiff},
                                         QStringList{"-size", "123x45", "xc:red", jpeg},
                                         QStringList{"-size", "20x10", "xc:green", gif}}) {
        const ToolResult made = runTool("convert", arguments);
        ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    }
    const QList<int> widths{11, 22, 33, 44, 55, 66, 77, 88};
    browser_.setColumnWidths(widths);
    browser_.setThumbnailSize(48, 36);
    listAndWait(folder);
    auto* list = qobject_cast<QListView*>(browser_.fileList());
    ASSERT_TRUE(list && list->viewMode() == QListView::IconMode);
    EXPECT_EQ(listedPaths(), (QStringList{jpeg, tiff, gif}));
    // Wider than the default 40 pixels, within the size set.
    const QPixmap thumbnail = list->model()->data(list->model()->index(0, 0), Qt::DecorationRole).value<QPixmap>();
    EXPECT_GT(thumbnail.width(), 40);
    EXPECT_LE(thumbnail.width(), 48);
    EXPECT_LE(thumbnail.height(), 36);

    QSignalSpy finished(&browser_, &FolderBrowser::listingFinished);
    browser_.findChild<QAbstractButton*>("cmdDetailFolder")->click();
    EXPECT_EQ(browser_.viewMode(), FolderDetails);
    ASSERT_TRUE(finished.wait(20000));
    auto* table = qobject_cast<QTreeView*>(browser_.fileList());
    ASSERT_TRUE(table && table->isVisible());
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(browser_.columnWidths(), widths);
    EXPECT_EQ(listedPaths(), (QStringList{jpeg, tiff, gif}));
    EXPECT_EQ(browser_.rowPages(tiff), 3);
    EXPECT_EQ(browser_.rowResolution(jpeg), "123 X 45 X 24");

    // Header clicks: by pages ascending as text ("1" < "3"), then reversed, then by name.
    const auto clickHeader = [&](int column) {
        QTest::mouseClick(table->header()->viewport(), Qt::LeftButton, {},
                          QPoint(table->header()->sectionViewportPosition(column) + 5, table->header()->height() / 2));
    };
    clickHeader(FolderListModel::Pages);
    EXPECT_EQ(listedPaths().constLast(), tiff);
    clickHeader(FolderListModel::Pages);
    EXPECT_EQ(listedPaths().constFirst(), tiff);
    clickHeader(FolderListModel::FileName);
    EXPECT_EQ(listedPaths(), (QStringList{jpeg, tiff, gif}));
}

TEST_F(FolderBrowsing, EnterDoubleClickAndTheMenuAskToAddTheSelectedFiles)
{
    listAndWait(folderOf("basket", 4, 60, 40));
    const QStringList paths = listedPaths();
    QAbstractItemView* list = browser_.fileList();
    list->setFocus();
    QSignalSpy add(&browser_, &FolderBrowser::addToBasketRequested);
    const auto added = [&] { return add.count() == 1 ? add.takeFirst().at(0).toStringList() : QStringList{"<not one request>"}; };

    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(browser_.selectedPaths(), paths);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(added(), paths);

    // Two rows picked in reverse order still come in list order.
    auto* selection = list->selectionModel();
    selection->clearSelection();
    selection->select(list->model()->index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection->select(list->model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(added(), (QStringList{paths[1], paths[3]}));

    // A double-click as the window system delivers it: a click, then the double-click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(2));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(2));
    EXPECT_EQ(added(), QStringList{paths[2]});

    // The context menu's one item.
    auto* menu = browser_.findChild<QMenu*>("mnuFolder");
    ASSERT_NE(menu, nullptr);
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, rowCentre(2));
    ASSERT_TRUE(waitFor([&] { return menu->isVisible(); }));
    ASSERT_EQ(menu->actions().size(), 1);
    menu->actions().constFirst()->trigger();
    menu->hide();
    EXPECT_EQ(added(), QStringList{paths[2]});
}

TEST_F(FolderBrowsing, ClicksArrowsAndAdjacentRowsAskForThePreview)
{
    listAndWait(folderOf("preview", 3, 60, 40));
    const QStringList paths = listedPaths();
    QAbstractItemView* list = browser_.fileList();
    QSignalSpy preview(&browser_, &FolderBrowser::previewRequested);
    const auto previewed = [&] { return preview.count() == 1 ? preview.takeFirst().at(0).toString() : QString(); };

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(1));
    EXPECT_EQ(previewed(), paths[1]);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Right);
    EXPECT_EQ(previewed(), paths[2]);

    // At the end nothing moves; back one selects only that row.
    EXPECT_FALSE(browser_.selectAdjacent(1));
    EXPECT_EQ(preview.count(), 0);
    EXPECT_TRUE(browser_.selectAdjacent(-1));
    EXPECT_EQ(previewed(), paths[1]);
    EXPECT_EQ(browser_.selectedPaths(), QStringList{paths[1]});
    EXPECT_TRUE(browser_.selectAdjacent(-1));
    EXPECT_EQ(previewed(), paths[0]);
    EXPECT_FALSE(browser_.selectAdjacent(-1));
    EXPECT_EQ(browser_.selectedPaths(), QStringList{paths[0]});
}

TEST_F(FolderBrowsing, AFolderChosenByTheProgramIsOpenedInTheTreeAndListedWithoutProgressWhenEmpty)
{
    const QString deep = photos_.filePath("a/b/c/holiday");
    ASSERT_TRUE(QDir().mkpath(deep));
    writeBytes(deep + "/notes.txt", "no picture");
    // A short tree, so that the folder is far below the first rows.
    browser_.resize(400, 300);
    listAndWait(deep);
    EXPECT_EQ(browser_.listModel()->rowCount(), 0);
    EXPECT_TRUE(progressShown_.isEmpty());

    // The tree reads folders in the background; every ancestor must end up expanded and the
    // folder current and on screen.
    QTreeView* tree = browser_.folderTree();
    auto* folders = qobject_cast<QFileSystemModel*>(tree->model());
    ASSERT_TRUE(folders);
    EXPECT_TRUE(waitFor([&] {
        const QModelIndex index = folders->index(deep);
        if (!index.isValid() || tree->currentIndex() != index)
            return false;
        for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
            if (!tree->isExpanded(parent))
                return false;
        const QRect shown = tree->visualRect(index);
        return shown.isValid() && tree->viewport()->rect().contains(shown.center());
    }));
    EXPECT_EQ(browser_.currentFolder(), deep);
}

}  // namespace
