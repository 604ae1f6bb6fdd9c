// The folder browser as the window uses it: listing a selected folder, stopping a listing for the
// next folder, the two views, sorting, and the requests to preview and to add to the basket.

#include "browse/FolderListModel.h"
#include "shell/FolderBrowser.h"

#include "support/Oracles.h"
#include "support/ScopedEnvironment.h"
#include "support/TestImages.h"
#include "support/WaitFor.h"

#include <QAbstractButton>
#include <QApplication>
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
        QObject::connect(&browser_, &FolderBrowser::listingProgress, [this](int, int, bool visible) {
            if (visible)
                ++progressShown_;
        });
        QObject::connect(&browser_, &FolderBrowser::statusText, [this](const QString& key, const QString& text) {
            status_[key] = text;
        });
    }

    // A sub-folder of the photo folder holding `count` copies of one picture.
    QString folderOf(const QString& name, int count, int width, int height)
    {
        const QString folder = photos_.filePath(name);
        EXPECT_TRUE(QDir().mkpath(folder));
        const QString source = writePng(gradientPicture(width, height), folder + QStringLiteral("/source.png"));
        for (int i = 0; i < count; ++i)
            QFile::copy(source, folder + QStringLiteral("/photo%1.png").arg(i, 3, 10, QLatin1Char('0')));
        QFile::remove(source);
        return folder;
    }

    void convert(const QStringList& arguments)
    {
        const ToolResult result = runTool(QStringLiteral("convert"), arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
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
        const FolderListModel* model = browser_.listModel();
        for (int i = 0; i < model->rowCount(); ++i)
            paths.append(model->pathAt(i));
        return paths;
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
    int progressShown_ = 0;
    QMap<QString, QString> status_;
};

TEST_F(FolderBrowsing, AFolderWithoutImagesListsNothingAndShowsNoProgress)
{
    const QString folder = photos_.filePath("documents");
    ASSERT_TRUE(QDir().mkpath(folder + "/inner.jpg"));
    QFile text(folder + "/notes.txt");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.close();

    listAndWait(folder);
    EXPECT_EQ(browser_.listModel()->rowCount(), 0);
    EXPECT_EQ(progressShown_, 0);
    EXPECT_EQ(status_.value("folder"), QStringLiteral("Current Folder - ") + folder);
    EXPECT_EQ(browser_.currentFolder(), folder);
    // The tree shows the folder selected.
    auto* folders = qobject_cast<QFileSystemModel*>(browser_.folderTree()->model());
    ASSERT_NE(folders, nullptr);
    EXPECT_EQ(folders->filePath(browser_.folderTree()->currentIndex()), folder);
    EXPECT_TRUE(QDir(home_.filePath("temp")).exists());
}

TEST_F(FolderBrowsing, ASecondFolderChosenWhileTheFirstIsListingIsTheOnlyOneListed)
{
    const QString first = folderOf("first", 60, 1200, 900);
    const QString second = folderOf("second", 3, 90, 60);
    bool secondChosen = false;
    QStringList insertedAfter;
    const FolderListModel* model = browser_.listModel();
    QObject::connect(model, &QAbstractItemModel::rowsInserted, [&](const QModelIndex&, int from, int to) {
        for (int row = from; row <= to; ++row) {
            if (secondChosen)
                insertedAfter.append(model->pathAt(row));
        }
    });
    QList<int> progressMaximum;
    QObject::connect(&browser_, &FolderBrowser::listingProgress,
                     [&](int, int maximum, bool visible) { if (visible) progressMaximum.append(maximum); });

    browser_.selectFolder(first);
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount() > 0; }, 20000));
    EXPECT_EQ(progressMaximum.constFirst(), 60);
    secondChosen = true;
    progressMaximum.clear();
    listAndWait(second);

    EXPECT_EQ(listedPaths(), (QStringList{second + "/photo000.png", second + "/photo001.png", second + "/photo002.png"}));
    EXPECT_EQ(insertedAfter, listedPaths());
    for (int maximum : progressMaximum)
        EXPECT_EQ(maximum, 3);
    // Nothing of the first folder arrives later either.
    QTest::qWait(300);
    EXPECT_EQ(insertedAfter, listedPaths());
}

TEST_F(FolderBrowsing, QuickSelectionsInTheTreeListOnlyTheLastFolder)
{
    const QString first = folderOf("quick1", 5, 50, 50);
    const QString second = folderOf("quick2", 2, 50, 50);
    auto* folders = qobject_cast<QFileSystemModel*>(browser_.folderTree()->model());
    ASSERT_NE(folders, nullptr);
    QStringList inserted;
    const FolderListModel* model = browser_.listModel();
    QObject::connect(model, &QAbstractItemModel::rowsInserted, [&](const QModelIndex&, int from, int to) {
        for (int row = from; row <= to; ++row)
            inserted.append(model->pathAt(row));
    });
    QSignalSpy finished(&browser_, &FolderBrowser::listingFinished);

    // Both selections come before the delay is over.
    browser_.folderTree()->setCurrentIndex(folders->index(first));
    browser_.folderTree()->setCurrentIndex(folders->index(second));
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(inserted, (QStringList{second + "/photo000.png", second + "/photo001.png"}));
    EXPECT_EQ(browser_.currentFolder(), second);
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(FolderBrowsing, TheDetailTableShowsHeaderFactsPagesAndSortsByHeader)
{
    const QString folder = photos_.filePath("mixed");
    ASSERT_TRUE(QDir().mkpath(folder));
    QStringList pages;
    for (int page = 0; page < 3; ++page)
        pages.append(writePng(gradientPicture(40, 30), photos_.filePath(QStringLiteral("page%1.png").arg(page))));
    convert(QStringList(pages) << folder + "/b-three.tif");
    convert({"-size", "123x45", "xc:red", folder + "/A-photo.JPG"});
    convert({"-size", "20x10", "xc:green", folder + "/c-small.gif"});

    browser_.setViewMode(FolderDetails);
    EXPECT_EQ(browser_.viewMode(), FolderDetails);
    listAndWait(folder);
    QAbstractItemView* table = browser_.fileList();
    EXPECT_EQ(table->objectName(), QStringLiteral("lvFolder"));
    EXPECT_TRUE(table->isVisible());
    EXPECT_NE(qobject_cast<QTreeView*>(table), nullptr);

    const QString tiff = folder + "/b-three.tif";
    const QString jpeg = folder + "/A-photo.JPG";
    EXPECT_EQ(listedPaths(), (QStringList{jpeg, tiff, folder + "/c-small.gif"}));
    EXPECT_EQ(browser_.rowPages(tiff), 3);
    EXPECT_EQ(browser_.listModel()->data(browser_.listModel()->index(1, FolderListModel::Pages)).toString(), "3");
    EXPECT_EQ(browser_.rowResolution(jpeg), QStringLiteral("123 X 45 X 24"));
    EXPECT_EQ(browser_.rowResolution(folder + "/c-small.gif").section(" X ", 0, 1), QStringLiteral("20 X 10"));
    EXPECT_EQ(progressShown_ > 0, true);

    browser_.setRowResolution(jpeg, QStringLiteral("1 X 2 X 8"));
    EXPECT_EQ(browser_.rowResolution(jpeg), QStringLiteral("1 X 2 X 8"));

    // Header clicks: by pages ascending as text ("1" < "3"), then reversed.
    auto* header = static_cast<QTreeView*>(table)->header();
    const auto clickHeader = [&](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    };
    clickHeader(FolderListModel::Pages);
    EXPECT_EQ(listedPaths().constLast(), tiff);
    clickHeader(FolderListModel::Pages);
    EXPECT_EQ(listedPaths().constFirst(), tiff);
    clickHeader(FolderListModel::FileName);
    EXPECT_EQ(listedPaths(), (QStringList{jpeg, tiff, folder + "/c-small.gif"}));
}

TEST_F(FolderBrowsing, ThumbnailsAtTheFolderThumbnailSizeAndColumnWidthsKept)
{
    const QString folder = folderOf("thumbs", 2, 300, 200);
    browser_.setColumnWidths({11, 22, 33, 44, 55, 66, 77, 88});
    browser_.setThumbnailSize(48, 36);
    listAndWait(folder);
    QAbstractItemView* list = browser_.fileList();
    EXPECT_EQ(list->objectName(), QStringLiteral("lvFolder"));
    ASSERT_NE(qobject_cast<QListView*>(list), nullptr);
    EXPECT_EQ(qobject_cast<QListView*>(list)->viewMode(), QListView::IconMode);
    const QVariant decoration = list->model()->data(list->model()->index(0, 0), Qt::DecorationRole);
    const QPixmap thumbnail = decoration.value<QPixmap>();
    ASSERT_FALSE(thumbnail.isNull());
    EXPECT_LE(thumbnail.width(), 48);
    EXPECT_LE(thumbnail.height(), 36);
    EXPECT_EQ(browser_.rowResolution(folder + "/photo000.png"), QStringLiteral("300 X 200 X 24"));
    EXPECT_EQ(browser_.columnWidths(), (QList<int>{11, 22, 33, 44, 55, 66, 77, 88}));

    QSignalSpy finished(&browser_, &FolderBrowser::listingFinished);
    browser_.findChild<QAbstractButton*>("cmdDetailFolder")->click();
    EXPECT_EQ(browser_.viewMode(), FolderDetails);
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(browser_.columnWidths(), (QList<int>{11, 22, 33, 44, 55, 66, 77, 88}));
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(browser_.fileList()->objectName(), QStringLiteral("lvFolder"));
}

TEST_F(FolderBrowsing, EnterDoubleClickAndTheMenuAskToAddTheSelectedFiles)
{
    const QString folder = folderOf("basket", 4, 60, 40);
    listAndWait(folder);
    QAbstractItemView* list = browser_.fileList();
    list->setFocus();
    QSignalSpy add(&browser_, &FolderBrowser::addToBasketRequested);

    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(browser_.selectedPaths(), listedPaths());
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_EQ(add.count(), 1);
    EXPECT_EQ(add.takeFirst().at(0).toStringList(), listedPaths());

    // Two rows picked in reverse order still come in list order.
    auto* selection = list->selectionModel();
    selection->clearSelection();
    selection->select(list->model()->index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection->select(list->model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(add.count(), 1);
    EXPECT_EQ(add.takeFirst().at(0).toStringList(), (QStringList{listedPaths()[1], listedPaths()[3]}));

    // A double-click as the window system delivers it: a click, then the double-click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(2));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(2));
    ASSERT_EQ(add.count(), 1);
    EXPECT_EQ(add.takeFirst().at(0).toStringList(), QStringList{listedPaths()[2]});

    auto* menu = browser_.findChild<QMenu*>("mnuFolder");
    ASSERT_NE(menu, nullptr);
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, rowCentre(2));
    EXPECT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 5000));
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions().constFirst()->text(), QStringLiteral("Add to basket"));
    menu->actions().constFirst()->trigger();
    menu->hide();
    ASSERT_EQ(add.count(), 1);
    EXPECT_EQ(add.takeFirst().at(0).toStringList(), QStringList{listedPaths()[2]});
}

TEST_F(FolderBrowsing, ClicksArrowsAndAdjacentRowsAskForThePreview)
{
    const QString folder = folderOf("preview", 3, 60, 40);
    listAndWait(folder);
    QAbstractItemView* list = browser_.fileList();
    QSignalSpy preview(&browser_, &FolderBrowser::previewRequested);
    const QStringList paths = listedPaths();

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(1));
    ASSERT_EQ(preview.count(), 1);
    EXPECT_EQ(preview.takeFirst().at(0).toString(), paths[1]);

    list->setFocus();
    QTest::keyClick(list, Qt::Key_Right);
    ASSERT_EQ(preview.count(), 1);
    EXPECT_EQ(preview.takeFirst().at(0).toString(), paths[2]);

    // At the end nothing moves; back one selects only that row.
    EXPECT_FALSE(browser_.selectAdjacent(1));
    EXPECT_EQ(preview.count(), 0);
    EXPECT_TRUE(browser_.selectAdjacent(-1));
    ASSERT_EQ(preview.count(), 1);
    EXPECT_EQ(preview.takeFirst().at(0).toString(), paths[1]);
    EXPECT_EQ(browser_.selectedPaths(), QStringList{paths[1]});
    EXPECT_TRUE(browser_.selectAdjacent(-1));
    EXPECT_EQ(preview.takeFirst().at(0).toString(), paths[0]);
    EXPECT_FALSE(browser_.selectAdjacent(-1));
    EXPECT_EQ(browser_.selectedPaths(), QStringList{paths[0]});

    browser_.setListToolTips(QStringLiteral("tree tip"), QStringLiteral("list tip"));
    EXPECT_EQ(browser_.folderTree()->toolTip(), QStringLiteral("tree tip"));
    EXPECT_EQ(list->toolTip(), QStringLiteral("list tip"));
}

}  // namespace

namespace {

TEST_F(FolderBrowsing, AFolderChosenByTheProgramIsOpenedAndShownInTheTree)
{
    const QString deep = photos_.filePath("a/b/c/holiday");
    ASSERT_TRUE(QDir().mkpath(deep));
    // A short tree, so that the folder is far below the first rows.
    browser_.resize(400, 300);
    browser_.selectFolder(deep);
    QTreeView* tree = browser_.folderTree();
    auto* folders = qobject_cast<QFileSystemModel*>(tree->model());
    ASSERT_TRUE(folders);
    // The tree reads folders in the background; every ancestor must end up expanded and the
    // folder current and on screen.
    const bool revealed = waitFor([&] {
        const QModelIndex index = folders->index(deep);
        if (!index.isValid() || tree->currentIndex() != index)
            return false;
        for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
            if (!tree->isExpanded(parent))
                return false;
        const QRect shown = tree->visualRect(index);
        return shown.isValid() && tree->viewport()->rect().contains(shown.center());
    });
    EXPECT_TRUE(revealed);
}

}  // namespace
