// The folder listing without a window: the browse filter, which files a folder lists and in what
// order, the facts of each row, the lister's delivery order and stop, and the list model.

#include "browse/FolderListModel.h"
#include "browse/FolderLister.h"
#include "browse/FolderListing.h"
#include "core/clsFileInfo.h"

#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/TestImages.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <tuple>

using namespace lumora;
using namespace lumora::test;

namespace {

TEST(FolderListing, ListsTheFolderFilesTheBrowseFilterTakesByNameRegardlessOfCase)
{
    // The extension followed by anything, in any case; no hidden files, no sub-folders.
    QTemporaryDir dir;
    for (const char* name : {"photo.JPG", "a.jpg.bak", "SCAN.TIFF", "x.jpeg2", "old.Pcx", "a.b.gif", "B.png",
                             "image.psdx", "notes.txt", "jpg", "photo_jpg", "image.webp", "a.jp", "tiff", ".hidden.jpg"})
        writeBytes(dir.filePath(QString::fromLatin1(name)), "x");
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("folder.jpg")));
    EXPECT_EQ(FolderListing::listFiles(dir.path()), (QStringList{"a.b.gif", "a.jpg.bak", "B.png", "image.psdx", "old.Pcx",
                                                                 "photo.JPG", "SCAN.TIFF", "x.jpeg2"}));
    EXPECT_TRUE(FolderListing::listFiles(dir.filePath(QStringLiteral("missing"))).isEmpty());
    EXPECT_EQ(FolderListing::browseFilter(),
              QStringLiteral("*.jpg*;*.jpeg*;*.tif*;*.tiff*;*.gif*;*.bmp*;*.pcx*;*.png*;*.wbm*;*.wbmp*;*.psd*;*.psp*;"
                             "*.pic*;*.pix*;*.pxr*;*.xpm*;*.raw*;*.dcx*;*.sgi*;*.tga*;*.wmf*;*.emf*;*.pbm*;*.pgm*;"
                             "*.ppm*;*.jng*;*.mng*;*.koa*;*.jp2*;*.jpc*;*.pcd*;*.ras*;*.tga*;*.cut*;*.iff*;*.lbm*;"
                             "*.heic*;*.heif*;*.hif*;*.avif*;*.jxl*"));
}

TEST(FolderListing, RowsTellResolutionPagesAndSize)
{
    QTemporaryDir dir;
    // ImageMagick, not Lumora, makes the photos whose sizes and pages are checked.
    for (const QStringList& arguments : {QStringList{"-size", "123x45", "xc:red", dir.filePath("photo.JPG")},
                                         {"-size", "70x20", "xc:blue", "BMP3:" + dir.filePath("plain.bmp")},
                                         {"-size", "33x11", "xc:blue", dir.filePath("drawing.png")},
                                         {"-size", "30x20", "xc:red", "xc:green", "xc:blue", dir.filePath("three.tif")}})
        ASSERT_EQ(runTool(QStringLiteral("convert"), arguments).exitCode, 0);
    ASSERT_EQ(identify(dir.filePath("three.tif"), QStringLiteral("%p,")), QStringLiteral("0,1,2,"));
    writePng(gradientPicture(200, 100), dir.filePath("wide.png"));
    writeBytes(dir.filePath("broken.jpg"), "not a picture at all");
    writeBytes(dir.filePath("data.raw"), QByteArray(1536, 'r'));
    const auto row = [&](const char* name, int mode = FolderDetails, bool shortSizes = false) {
        return FolderListing::makeRow(dir.path() + u'/', QString::fromLatin1(name), mode, {48, 36}, shortSizes);
    };

    // The details view reads the header of TIFF, JPEG, BMP and GIF only; the preview fills the others.
    const FolderRow jpeg = row("photo.JPG");
    EXPECT_EQ(jpeg.path, dir.filePath("photo.JPG"));  // no doubled "/"
    EXPECT_EQ(jpeg.resolution, QStringLiteral("123 X 45 X 24"));
    EXPECT_TRUE(jpeg.thumbnail.isNull());
    EXPECT_EQ(row("plain.bmp").resolution, QStringLiteral("70 X 20 X 24"));
    EXPECT_EQ(row("drawing.png").resolution, QString());
    // The thumbnail view fits the thumbnail and tells the source size; a file no loader reads stays.
    const FolderRow wide = row("wide.png", FolderThumbnails);
    EXPECT_TRUE(!wide.thumbnail.isNull() && wide.thumbnail.width() <= 48 && wide.thumbnail.height() <= 36);
    EXPECT_EQ(wide.resolution, QStringLiteral("200 X 100 X 24"));
    EXPECT_TRUE(row("broken.jpg", FolderThumbnails).thumbnail.isNull());
    EXPECT_EQ(row("broken.jpg", FolderThumbnails).path, dir.filePath("broken.jpg"));

    EXPECT_EQ(row("three.tif").pages, 3);
    EXPECT_EQ(row("three.tif", FolderThumbnails).pages, 3);
    EXPECT_EQ(jpeg.pages, 1);
    const FolderRow data = row("data.raw");
    EXPECT_EQ(data.size, QStringLiteral("1.50KB (1,536 bytes)"));
    EXPECT_EQ(row("data.raw", FolderDetails, true).size, QStringLiteral("1.50KB"));
    clsFileInfo info;  // each fact in its own column
    info.setFilePath(dir.filePath("data.raw"));
    EXPECT_EQ((QStringList{data.type, data.created, data.modified, data.accessed}),
              (QStringList{info.fType(), info.fDateCreated(), info.fDateModified(), info.fDateAccessed()}));
}

// A folder of `count` copies of one picture, named photo000.png ...
QStringList fillFolder(const QString& folder, int count, int width, int height)
{
    const QString source = writePng(gradientPicture(width, height), folder + QStringLiteral("/source.png"));
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        paths.append(folder + QStringLiteral("/photo%1.png").arg(i, 3, 10, QLatin1Char('0')));
        QFile::copy(source, paths.last());
    }
    QFile::remove(source);
    return paths;
}

// What a lister delivers: the rows' paths, the progress values and how often it finished.
struct Delivered {
    explicit Delivered(FolderLister& lister)
    {
        QObject::connect(&lister, &FolderLister::rowsReady, [this](const QList<FolderRow>& rows) {
            EXPECT_EQ(finished, 0) << "a row after the end";
            for (const FolderRow& row : rows)
                paths.append(row.path);
        });
        QObject::connect(&lister, &FolderLister::progress, [this](int done, int count) {
            EXPECT_EQ(done, paths.size());
            progress.append(QStringLiteral("%1/%2").arg(done).arg(count));
        });
        QObject::connect(&lister, &FolderLister::finished, [this] { ++finished; });
    }
    QStringList paths;
    QStringList progress;
    int finished = 0;
};

TEST(FolderLister, DeliversEveryRowInFolderOrderWithProgress)
{
    QTemporaryDir dir;
    const QStringList paths = fillFolder(dir.path(), 25, 160, 120);
    FolderLister lister;
    lister.setWorkerCount(3);
    Delivered delivered(lister);
    EXPECT_EQ(lister.start(dir.path(), FolderThumbnails, 40, 40, false), 25);
    ASSERT_TRUE(waitFor([&] { return delivered.finished > 0; }));
    EXPECT_FALSE(lister.isRunning());
    EXPECT_EQ(delivered.paths, paths);
    EXPECT_EQ(delivered.progress.value(delivered.progress.size() - 1), "25/25");

    // A folder without photos finishes without rows or progress.
    QTemporaryDir empty;
    const qsizetype progressSeen = delivered.progress.size();
    delivered.finished = 0;
    EXPECT_EQ(lister.start(empty.path(), FolderThumbnails, 40, 40, false), 0);
    ASSERT_TRUE(waitFor([&] { return delivered.finished > 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(delivered.finished, 1);
    EXPECT_EQ(delivered.paths, paths);
    EXPECT_EQ(delivered.progress.size(), progressSeen);
}

TEST(FolderLister, ANewStartOrAStopEndsTheOldListingAtOnce)
{
    QTemporaryDir first;
    QTemporaryDir second;
    fillFolder(first.path(), 60, 1200, 900);
    const QStringList secondPaths = fillFolder(second.path(), 4, 100, 80);
    FolderLister lister;
    Delivered delivered(lister);
    lister.start(first.path(), FolderThumbnails, 40, 40, false);
    ASSERT_TRUE(waitFor([&] { return !delivered.paths.isEmpty(); }));
    const qsizetype firstRows = delivered.paths.size();
    const bool firstStillRunning = lister.isRunning();
    delivered.paths.clear();
    lister.start(second.path(), FolderThumbnails, 40, 40, false);
    ASSERT_TRUE(waitFor([&] { return delivered.finished > 0; }));
    EXPECT_EQ(delivered.paths, secondPaths);
    EXPECT_EQ(delivered.finished, 1);  // the first listing never finishes
    EXPECT_TRUE(!firstStillRunning || firstRows < 60);

    // After a stop: no row, no progress, no finished().
    const qsizetype progressSeen = delivered.progress.size();
    lister.start(first.path(), FolderThumbnails, 40, 40, false);
    lister.stop();
    EXPECT_FALSE(lister.isRunning());
    lister.start(second.path(), FolderDetails, 40, 40, false);
    lister.stop();
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(delivered.paths, secondPaths);
    EXPECT_EQ(delivered.progress.size(), progressSeen);
    EXPECT_EQ(delivered.finished, 1);
}

TEST(FolderListModel, HeaderSortingTagsAndDraggedFiles)
{
    FolderListModel model;
    ASSERT_EQ(model.columnCount(), 8);
    const auto row = [](const QString& name, int pages) {
        FolderRow made;
        std::tie(made.name, made.path, made.pages) = std::tuple(name, "/photos/" + name, pages);
        return made;
    };
    model.appendRows({row("b.jpg", 9), row("A.jpg", 10), row("c.jpg", 2)});
    const auto names = [&] {
        QStringList list;
        for (int i = 0; i < model.rowCount(); ++i)
            list.append(model.data(model.index(i, 0)).toString());
        return list.join(u' ');
    };
    EXPECT_EQ(model.sortByHeader(FolderListModel::FileName), Qt::AscendingOrder);
    EXPECT_EQ(names(), QStringLiteral("A.jpg b.jpg c.jpg"));
    EXPECT_EQ(model.sortByHeader(FolderListModel::FileName), Qt::DescendingOrder);
    EXPECT_EQ(names(), QStringLiteral("c.jpg b.jpg A.jpg"));
    // Another column starts ascending again; numbers sort as text: "10" < "2" < "9".
    EXPECT_EQ(model.sortByHeader(FolderListModel::Pages), Qt::AscendingOrder);
    EXPECT_EQ(names(), QStringLiteral("A.jpg c.jpg b.jpg"));
    EXPECT_EQ(model.data(model.index(0, FolderListModel::Pages)).toString(), QStringLiteral("10"));

    // Tags follow their rows.
    EXPECT_EQ(model.data(model.index(2, 5), FolderListModel::PathRole).toString(), QStringLiteral("/photos/b.jpg"));
    EXPECT_EQ(model.rowOf(QStringLiteral("/photos/c.jpg")), 1);
    model.setResolution(QStringLiteral("/photos/c.jpg"), QStringLiteral("640 X 480 X 24"));
    EXPECT_EQ(model.data(model.index(1, FolderListModel::Resolution)).toString(), QStringLiteral("640 X 480 X 24"));

    // Dragged rows carry their files once each, in list order, not in selection order.
    std::unique_ptr<QMimeData> mime(model.mimeData({model.index(2, 0), model.index(0, 3), model.index(0, 0)}));
    EXPECT_EQ(mime->urls(), (QList<QUrl>{QUrl::fromLocalFile("/photos/A.jpg"), QUrl::fromLocalFile("/photos/b.jpg")}));

    model.clear();
    EXPECT_TRUE(model.rowCount() == 0 && model.sortColumn() == -1);  // the next header click sorts ascending
}

}  // namespace
