// The folder listing without a window: the browse filter, which files a folder lists and in what
// order, the facts of each row, the lister's delivery order and stop, and the list model.

#include "browse/FolderListModel.h"
#include "browse/FolderLister.h"
#include "browse/FolderListing.h"
#include "core/clsFileInfo.h"

#include "support/Oracles.h"
#include "support/TestImages.h"
#include "support/WaitFor.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

// ImageMagick, not Lumora, makes the fixtures whose sizes are checked.
void convert(const QStringList& arguments)
{
    const ToolResult result = runTool(QStringLiteral("convert"), arguments);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
}

TEST(FolderListing, FilterTakesTheExtensionFollowedByAnythingInAnyCase)
{
    for (const char* name : {"photo.jpg", "photo.JPG", "a.jpg.bak", "scan.Tif", "SCAN.TIFF", "x.jpeg2", "logo.png",
                             "old.Pcx", "pic.jp2", "a.b.gif", "frame.TGA", "draw.wmf", "art.lbm", "image.psdx"})
        EXPECT_TRUE(FolderListing::matchesBrowseFilter(QString::fromLatin1(name))) << name;
    for (const char* name : {"notes.txt", "jpg", "photo_jpg", "archive.zip", "image.webp", "a.jp", "movie.mp4",
                             "tiff", "readme", ""})
        EXPECT_FALSE(FolderListing::matchesBrowseFilter(QString::fromLatin1(name))) << name;

    EXPECT_EQ(FolderListing::browseFilter(),
              QStringLiteral("*.jpg*;*.jpeg*;*.tif*;*.tiff*;*.gif*;*.bmp*;*.pcx*;*.png*;*.wbm*;*.wbmp*;*.psd*;*.psp*;"
                             "*.pic*;*.pix*;*.pxr*;*.xpm*;*.raw*;*.dcx*;*.sgi*;*.tga*;*.wmf*;*.emf*;*.pbm*;*.pgm*;"
                             "*.ppm*;*.jng*;*.mng*;*.koa*;*.jp2*;*.jpc*;*.pcd*;*.ras*;*.tga*;*.cut*;*.iff*;*.lbm*"));
}

TEST(FolderListing, ListsMatchingFilesOfTheFolderOnlyByNameRegardlessOfCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"b.jpg", "A.png", "c.GIF", "readme.txt", "a.jpg.bak", ".hidden.jpg", "D.Tif"})
        writeBytes(dir.filePath(QString::fromLatin1(name)), "x");
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("folder.jpg")));       // a sub-folder
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("sub")));
    writeBytes(dir.filePath(QStringLiteral("sub/inner.jpg")), "x");

    EXPECT_EQ(FolderListing::listFiles(dir.path()),
              (QStringList{QStringLiteral("a.jpg.bak"), QStringLiteral("A.png"), QStringLiteral("b.jpg"),
                           QStringLiteral("c.GIF"), QStringLiteral("D.Tif")}));

    QTemporaryDir empty;
    writeBytes(empty.filePath(QStringLiteral("notes.txt")), "x");
    EXPECT_TRUE(FolderListing::listFiles(empty.path()).isEmpty());
    EXPECT_TRUE(FolderListing::listFiles(empty.filePath(QStringLiteral("missing"))).isEmpty());
}

TEST(FolderListing, DetailRowsTakeTheResolutionFromTheHeader)
{
    QTemporaryDir dir;
    convert({QStringLiteral("-size"), QStringLiteral("123x45"), QStringLiteral("xc:red"), dir.filePath("photo.JPG")});
    convert({QStringLiteral("-size"), QStringLiteral("70x20"), QStringLiteral("xc:blue"),
             QStringLiteral("BMP3:") + dir.filePath("plain.bmp")});
    convert({QStringLiteral("-size"), QStringLiteral("33x11"), QStringLiteral("xc:blue"), dir.filePath("drawing.png")});
    ASSERT_EQ(identify(dir.filePath("photo.JPG")), QStringLiteral("123x45"));

    const FolderRow jpeg = FolderListing::makeRow(dir.path(), QStringLiteral("photo.JPG"), FolderDetails, {40, 40}, false);
    EXPECT_EQ(jpeg.name, QStringLiteral("photo.JPG"));
    EXPECT_EQ(jpeg.path, dir.filePath("photo.JPG"));
    EXPECT_EQ(jpeg.resolution, QStringLiteral("123 X 45 X 24"));
    EXPECT_EQ(jpeg.pages, 1);
    EXPECT_TRUE(jpeg.thumbnail.isNull());  // no pictures in the table

    EXPECT_EQ(FolderListing::makeRow(dir.path(), QStringLiteral("plain.bmp"), FolderDetails, {40, 40}, false).resolution,
              QStringLiteral("70 X 20 X 24"));
    // Only TIFF, JPEG, BMP and GIF headers are read for the table; the preview fills the others.
    EXPECT_EQ(FolderListing::makeRow(dir.path(), QStringLiteral("drawing.png"), FolderDetails, {40, 40}, false).resolution,
              QString());
}

TEST(FolderListing, ThumbnailRowsFitTheThumbnailAndTellTheSourceSize)
{
    QTemporaryDir dir;
    writePng(gradientPicture(200, 100), dir.filePath("wide.png"));
    writeBytes(dir.filePath("broken.jpg"), "not a picture at all");

    const FolderRow row = FolderListing::makeRow(dir.path() + u'/', QStringLiteral("wide.png"), FolderThumbnails,
                                                 {48, 36}, false);
    EXPECT_EQ(row.path, dir.filePath("wide.png"));  // no doubled "/"
    ASSERT_FALSE(row.thumbnail.isNull());
    EXPECT_LE(row.thumbnail.width(), 48);
    EXPECT_LE(row.thumbnail.height(), 36);
    EXPECT_EQ(row.resolution, QStringLiteral("200 X 100 X 24"));

    const FolderRow broken = FolderListing::makeRow(dir.path(), QStringLiteral("broken.jpg"), FolderThumbnails,
                                                    {48, 36}, false);
    EXPECT_TRUE(broken.thumbnail.isNull());
    EXPECT_EQ(broken.path, dir.filePath("broken.jpg"));  // still listed
}

TEST(FolderListing, PagesSizesTypesAndDates)
{
    QTemporaryDir dir;
    QStringList pages;
    for (int page = 0; page < 3; ++page)
        pages.append(writePng(gradientPicture(30 + page, 20), dir.filePath(QStringLiteral("p%1.png").arg(page))));
    convert(QStringList(pages) << dir.filePath("three.tif"));
    ASSERT_EQ(identify(dir.filePath("three.tif"), QStringLiteral("%p,")), QStringLiteral("0,1,2,"));
    writeBytes(dir.filePath("data.raw"), QByteArray(1536, 'r'));

    EXPECT_EQ(FolderListing::makeRow(dir.path(), QStringLiteral("three.tif"), FolderDetails, {40, 40}, false).pages, 3);
    EXPECT_EQ(FolderListing::makeRow(dir.path(), QStringLiteral("three.tif"), FolderThumbnails, {40, 40}, false).pages, 3);
    EXPECT_EQ(FolderListing::makeRow(dir.path(), QStringLiteral("p0.png"), FolderDetails, {40, 40}, false).pages, 1);

    const FolderRow longSize = FolderListing::makeRow(dir.path(), QStringLiteral("data.raw"), FolderDetails, {40, 40}, false);
    const FolderRow shortSize = FolderListing::makeRow(dir.path(), QStringLiteral("data.raw"), FolderDetails, {40, 40}, true);
    EXPECT_EQ(longSize.size, QStringLiteral("1.50KB (1,536 bytes)"));
    EXPECT_EQ(shortSize.size, QStringLiteral("1.50KB"));

    clsFileInfo info;
    info.setFilePath(dir.filePath("data.raw"));
    EXPECT_EQ(longSize.type, info.fType());
    EXPECT_FALSE(longSize.modified.isEmpty());
    EXPECT_EQ(longSize.created, info.fDateCreated());
    EXPECT_EQ(longSize.modified, info.fDateModified());
    EXPECT_EQ(longSize.accessed, info.fDateAccessed());
}

// A folder of `count` copies of one picture, named photo000.png ...
QStringList fillFolder(const QString& folder, int count, int width, int height)
{
    const QString source = writePng(gradientPicture(width, height), folder + QStringLiteral("/source.png"));
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString path = folder + QStringLiteral("/photo%1.png").arg(i, 3, 10, QLatin1Char('0'));
        QFile::copy(source, path);
        paths.append(path);
    }
    QFile::remove(source);
    return paths;
}

TEST(FolderLister, DeliversEveryRowInFolderOrderWithProgress)
{
    QTemporaryDir dir;
    const QStringList paths = fillFolder(dir.path(), 25, 160, 120);
    FolderLister lister;
    lister.setWorkerCount(3);
    QStringList delivered;
    QList<int> done;
    int finished = 0;
    QObject::connect(&lister, &FolderLister::rowsReady, [&](const QList<FolderRow>& rows) {
        EXPECT_EQ(finished, 0);
        for (const FolderRow& row : rows) {
            delivered.append(row.path);
            EXPECT_FALSE(row.thumbnail.isNull());
            EXPECT_EQ(row.resolution, QStringLiteral("160 X 120 X 24"));
        }
    });
    QObject::connect(&lister, &FolderLister::progress, [&](int value, int count) {
        EXPECT_EQ(count, 25);
        EXPECT_EQ(value, delivered.size());
        done.append(value);
    });
    QObject::connect(&lister, &FolderLister::finished, [&] { ++finished; });

    EXPECT_EQ(lister.start(dir.path(), FolderThumbnails, 40, 40, false), 25);
    EXPECT_TRUE(lister.isRunning());
    ASSERT_TRUE(waitFor([&] { return finished > 0; }));
    EXPECT_FALSE(lister.isRunning());
    EXPECT_EQ(delivered, paths);
    ASSERT_FALSE(done.isEmpty());
    EXPECT_EQ(done.constLast(), 25);
    EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
    QCoreApplication::processEvents();
    EXPECT_EQ(finished, 1);
}

TEST(FolderLister, ASlowWindowDoesNotEndTheListingBeforeItsLastRows)
{
    // The first photo is tiny and the second large, so the first row reaches the window alone.
    // While the window is busy with it, the workers finish every file: rows still waiting in the
    // event queue must not be taken for the end of the listing.
    QTemporaryDir dir;
    writePng(gradientPicture(8, 8), dir.filePath(QStringLiteral("a-tiny.png")));
    writePng(gradientPicture(2400, 1800), dir.filePath(QStringLiteral("b-large.png")));
    writePng(gradientPicture(8, 8), dir.filePath(QStringLiteral("c-tiny.png")));
    FolderLister lister;
    lister.setWorkerCount(2);
    QStringList delivered;
    int finished = 0;
    QObject::connect(&lister, &FolderLister::rowsReady, [&](const QList<FolderRow>& rows) {
        for (const FolderRow& row : rows)
            delivered.append(QFileInfo(row.path).fileName());
        if (delivered.size() == 1) {
            // Busy long enough for both workers to finish and post their rows.
            QDeadlineTimer busy(1500);
            while (!busy.hasExpired())
                QThread::msleep(10);
        }
    });
    QObject::connect(&lister, &FolderLister::finished, [&] { ++finished; });
    ASSERT_EQ(lister.start(dir.path(), FolderThumbnails, 40, 40, false), 3);
    ASSERT_TRUE(waitFor([&] { return finished > 0; }));
    EXPECT_EQ(delivered, (QStringList{"a-tiny.png", "b-large.png", "c-tiny.png"}));
}

TEST(FolderLister, AnEmptyFolderFinishesWithoutRowsOrProgress)
{
    QTemporaryDir dir;
    writeBytes(dir.filePath("notes.txt"), "x");
    FolderLister lister;
    int rows = 0;
    int progress = 0;
    int finished = 0;
    QObject::connect(&lister, &FolderLister::rowsReady, [&] { ++rows; });
    QObject::connect(&lister, &FolderLister::progress, [&] { ++progress; });
    QObject::connect(&lister, &FolderLister::finished, [&] { ++finished; });
    EXPECT_EQ(lister.start(dir.path(), FolderThumbnails, 40, 40, false), 0);
    ASSERT_TRUE(waitFor([&] { return finished > 0; }));
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(progress, 0);
}

TEST(FolderLister, ANewStartEndsTheOldListingAtOnce)
{
    QTemporaryDir first;
    QTemporaryDir second;
    const QStringList firstPaths = fillFolder(first.path(), 60, 1200, 900);
    const QStringList secondPaths = fillFolder(second.path(), 4, 100, 80);

    FolderLister lister;
    bool restarted = false;
    QStringList afterRestart;
    int firstRows = 0;
    int finished = 0;
    QObject::connect(&lister, &FolderLister::rowsReady, [&](const QList<FolderRow>& rows) {
        for (const FolderRow& row : rows) {
            if (restarted)
                afterRestart.append(row.path);
            else
                ++firstRows;
        }
    });
    QObject::connect(&lister, &FolderLister::finished, [&] { ++finished; });

    lister.start(first.path(), FolderThumbnails, 40, 40, false);
    ASSERT_TRUE(waitFor([&] { return firstRows > 0; }));
    restarted = true;
    const bool firstStillRunning = lister.isRunning();
    lister.start(second.path(), FolderThumbnails, 40, 40, false);
    ASSERT_TRUE(waitFor([&] { return finished > 0; }));
    EXPECT_EQ(afterRestart, secondPaths);
    EXPECT_EQ(finished, 1);  // the first listing never finishes
    if (firstStillRunning) {
        EXPECT_LT(firstRows, firstPaths.size());
    }

    // A stop ends it too: no row, progress or finished() afterwards.
    lister.start(first.path(), FolderThumbnails, 40, 40, false);
    lister.stop();
    EXPECT_FALSE(lister.isRunning());
    int emitted = 0;
    QObject::connect(&lister, &FolderLister::rowsReady, [&] { ++emitted; });
    QObject::connect(&lister, &FolderLister::progress, [&] { ++emitted; });
    QObject::connect(&lister, &FolderLister::finished, [&] { ++emitted; });
    lister.start(second.path(), FolderDetails, 40, 40, false);
    lister.stop();
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(emitted, 0);
}

FolderRow row(const QString& name, int pages = 1, const QString& size = {})
{
    FolderRow made;
    made.name = name;
    made.path = QStringLiteral("/photos/") + name;
    made.pages = pages;
    made.size = size;
    return made;
}

TEST(FolderListModel, ColumnsTagsAndHeaderSorting)
{
    FolderListModel model;
    ASSERT_EQ(model.columnCount(), 8);
    QStringList titles;
    for (int column = 0; column < 8; ++column)
        titles.append(model.headerData(column, Qt::Horizontal).toString());
    EXPECT_EQ(titles, (QStringList{"File Name", "Resolution", "Size", "Pages", "Type", "Date Created",
                                   "Date Modified", "Date Accessed"}));

    model.appendRows({row("b.jpg", 9), row("A.jpg", 10), row("c.jpg", 2)});
    EXPECT_EQ(model.data(model.index(1, FolderListModel::Pages)).toString(), QStringLiteral("10"));
    EXPECT_EQ(model.data(model.index(1, 5), FolderListModel::PathRole).toString(), QStringLiteral("/photos/A.jpg"));

    const auto names = [&] {
        QStringList list;
        for (int i = 0; i < model.rowCount(); ++i)
            list.append(model.data(model.index(i, 0)).toString());
        return list;
    };
    EXPECT_EQ(model.sortByHeader(FolderListModel::FileName), Qt::AscendingOrder);
    EXPECT_EQ(names(), (QStringList{"A.jpg", "b.jpg", "c.jpg"}));
    EXPECT_EQ(model.sortByHeader(FolderListModel::FileName), Qt::DescendingOrder);
    EXPECT_EQ(names(), (QStringList{"c.jpg", "b.jpg", "A.jpg"}));
    // Another column starts ascending again; numbers sort as text.
    EXPECT_EQ(model.sortByHeader(FolderListModel::Pages), Qt::AscendingOrder);
    EXPECT_EQ(names(), (QStringList{"A.jpg", "c.jpg", "b.jpg"}));  // "10" < "2" < "9"
    EXPECT_EQ(model.sortByHeader(FolderListModel::Pages), Qt::DescendingOrder);
    EXPECT_EQ(names(), (QStringList{"b.jpg", "c.jpg", "A.jpg"}));

    // Tags follow their rows.
    EXPECT_EQ(model.rowOf(QStringLiteral("/photos/A.jpg")), 2);
    int changed = 0;
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&] { ++changed; });
    model.setResolution(QStringLiteral("/photos/A.jpg"), QStringLiteral("640 X 480 X 24"));
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(model.data(model.index(2, FolderListModel::Resolution)).toString(), QStringLiteral("640 X 480 X 24"));

    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.sortColumn(), -1);
}

TEST(FolderListModel, DraggedRowsCarryTheirFilesInListOrder)
{
    FolderListModel model;
    model.appendRows({row("one.jpg"), row("two.jpg"), row("three.jpg")});
    EXPECT_TRUE(model.flags(model.index(0, 0)) & Qt::ItemIsDragEnabled);
    EXPECT_TRUE(model.mimeTypes().contains(QStringLiteral("text/uri-list")));
    // Cells of the same row count once; the order is the list's, not the selection's.
    std::unique_ptr<QMimeData> mime(model.mimeData({model.index(2, 0), model.index(0, 3), model.index(0, 0)}));
    ASSERT_TRUE(mime->hasUrls());
    EXPECT_EQ(mime->urls(), (QList<QUrl>{QUrl::fromLocalFile("/photos/one.jpg"), QUrl::fromLocalFile("/photos/three.jpg")}));
}

}  // namespace
