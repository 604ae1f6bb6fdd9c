#include "basket/BasketAdder.h"
#include "basket/BasketFileCommands.h"
#include "basket/ImageBasket.h"
#include "core/clsFileInfo.h"
#include "settings/SetupFile.h"
#include "support/FileBytes.h"
#include "support/ReportCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPersistentModelIndex>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace lumora;
using namespace lumora::test;

namespace {

// An entry whose every column, and thumbnail, tells which one it is.
BasketEntry fakeEntry(const QString& name, std::uint8_t shade)
{
    return {name,
            "/pages/" + name + ".tif",
            QString::number(shade) + " X 10",
            QString::number(shade) + " bytes",
            "type " + name,
            "/photos/" + name + ".jpg",
            "about " + name,
            Picture::filled(4, 3, Rgb{shade, 0, 0})};
}

QStringList labels(const ImageBasket& basket)
{
    QStringList texts;
    for (const BasketEntry& entry : basket.entries())
        texts.append(entry.text);
    return texts;
}

// A basket holding a..f.
class ImageBasketModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 6; ++i)
            entries_.append(fakeEntry(QString(QChar(u'a' + i)), static_cast<std::uint8_t>(10 * i)));
        basket_.append(entries_);
    }

    // The entries at these positions of a..f.
    QList<BasketEntry> pick(std::initializer_list<int> rows) const
    {
        QList<BasketEntry> picked;
        for (const int row : rows)
            picked.append(entries_.at(row));
        return picked;
    }

    QList<BasketEntry> entries_;
    ImageBasket basket_;
};

// Runs adds with its own program folder and the basket thumbnail size 48 x 36.
class ImageBasketAdding : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home_.isValid() && photos_.isValid());
        adder_.setWorkerCount(4);
        adder_.setThumbnailSize(QSize(48, 36));
    }

    void setThumbnailSize(int width, int height) { adder_.setThumbnailSize(QSize(width, height)); }

    // A PNG of its own size, so each entry's column 1 tells which file it came from.
    QString photo(const QString& name, int width = 60, int height = 40) const
    {
        return writePng(gradientPicture(width, height), photos_.filePath(name));
    }

    void add(const QStringList& paths, BasketRoad road = BasketRoad::AddButton)
    {
        ASSERT_TRUE(adder_.start(paths, road));
        adder_.waitForFinished();
    }

    QTemporaryDir home_;
    ScopedEnvironment homeVariable_{"LUMORA_HOME", home_.path().toUtf8()};
    QTemporaryDir photos_;
    ReportCapture capture_;
    ImageBasket basket_;
    BasketAdder adder_{basket_};
};

}  // namespace

TEST_F(ImageBasketModel, RemovesExactlyTheSelectedPositionsAndKeepsTheOrder)
{
    basket_.removePositions({4, 1, 3, 1, 9, -1});
    EXPECT_EQ(basket_.entries(), pick({0, 2, 5}));
    EXPECT_EQ(basket_.countText(), "3 file(s) in basket");

    basket_.removePositions({0, 1, 2});
    EXPECT_TRUE(basket_.isEmpty());
    EXPECT_EQ(basket_.countText(), "0 file(s) in basket");
}

TEST_F(ImageBasketModel, MovesTheSelectedEntriesWithEveryColumnBeforeTheTarget)
{
    const struct {
        QList<int> selected;
        int target;
        QList<int> order;
        QList<int> newPositions;
    } cases[] = {
        {{1, 3}, 5, {0, 2, 4, 1, 3, 5}, {3, 4}},
        {{4, 2}, 0, {2, 4, 0, 1, 3, 5}, {0, 1}},
        {{0, 5}, 6, {1, 2, 3, 4, 0, 5}, {4, 5}},  // past the end: appended
        {{1, 2, 4}, 2, {0, 1, 2, 4, 3, 5}, {1, 2, 3}},  // onto a selected entry: the block stays there
        {{3}, 3, {0, 1, 2, 3, 4, 5}, {3}},
    };
    for (const auto& c : cases) {
        ImageBasket basket;
        basket.append(entries_);
        // The first selected entry, and an entry that is not moved.
        const int first = *std::min_element(c.selected.begin(), c.selected.end());
        const QPersistentModelIndex followed = basket.index(first);
        const QPersistentModelIndex other = basket.index(first == 0 ? 1 : 0);
        const QString otherText = other.data().toString();

        EXPECT_EQ(basket.moveEntries(c.selected, c.target), c.newPositions);
        QList<BasketEntry> expected;
        for (const int row : c.order)
            expected.append(entries_.at(row));
        EXPECT_EQ(basket.entries(), expected);
        EXPECT_EQ(followed.row(), c.newPositions.first());
        EXPECT_EQ(other.data().toString(), otherText);
    }
    EXPECT_TRUE(basket_.moveEntries({}, 2).isEmpty());
    EXPECT_EQ(basket_.entries(), entries_);
}

TEST_F(ImageBasketModel, AnswersEveryColumnThroughItsRole)
{
    const QModelIndex c = basket_.index(2);
    EXPECT_EQ(c.data(Qt::DisplayRole).toString(), "c");
    EXPECT_EQ(c.data(ImageBasket::TagRole).toString(), "/pages/c.tif");
    EXPECT_EQ(c.data(ImageBasket::SourceSizeRole).toString(), "20 X 10");
    EXPECT_EQ(c.data(ImageBasket::FileSizeRole).toString(), "20 bytes");
    EXPECT_EQ(c.data(ImageBasket::FileTypeRole).toString(), "type c");
    EXPECT_EQ(c.data(ImageBasket::SourcePathRole).toString(), "/photos/c.jpg");
    EXPECT_EQ(c.data(ImageBasket::DescriptionRole).toString(), "about c");
    EXPECT_EQ(c.data(ImageBasket::ThumbnailRole).value<Picture>(), entries_[2].thumbnail);
    EXPECT_EQ(c.data(Qt::DecorationRole).value<Picture>(), entries_[2].thumbnail);

    EXPECT_TRUE(basket_.setData(c, "Sea, sun", ImageBasket::DescriptionRole));
    EXPECT_FALSE(basket_.setData(c, "renamed", Qt::DisplayRole));
    EXPECT_EQ(basket_.at(2).description, "Sea, sun");
    EXPECT_EQ(basket_.at(2).text, "c");
    EXPECT_TRUE(basket_.containsSource("/photos/c.jpg"));
    EXPECT_FALSE(basket_.containsSource("/pages/c.tif"));  // the duplicate test looks at column 4 only

    const QList<ImageBasketFileEntry> kept = basket_.fileEntries();
    ASSERT_EQ(kept.size(), 6);
    EXPECT_EQ(kept[2], (ImageBasketFileEntry{"/photos/c.jpg", "Sea, sun"}));
}

TEST_F(ImageBasketAdding, MakesOneEntryPerPhotoWithItsColumns)
{
    const QString path = photo("Sea view.2024.png", 90, 30);
    add({path});
    ASSERT_EQ(basket_.size(), 1);
    const BasketEntry& entry = basket_.at(0);
    EXPECT_EQ(entry.text, "Sea view.2024");
    EXPECT_EQ(entry.tag, path);
    EXPECT_EQ(entry.sourcePath, path);
    EXPECT_EQ(entry.sourceSize, "90 X 30");
    EXPECT_EQ(entry.fileSize, clsFileInfo::formatSize(QFileInfo(path).size(), false));
    clsFileInfo info;
    info.setFilePath(path);
    EXPECT_EQ(entry.fileType, info.fType());
    EXPECT_TRUE(entry.description.isEmpty());
    // A wide photo leaves white bands above and below it in the box.
    EXPECT_EQ(entry.thumbnail.rgbAt(24, 0), (Rgb{255, 255, 255}));
    EXPECT_FALSE(adder_.isRunning());
    EXPECT_FALSE(adder_.wasCancelled());
    EXPECT_TRUE(capture_.reports().empty());
}

TEST_F(ImageBasketAdding, SkipsFilesAlreadyInTheBasket)
{
    const QString a = photo("a.png");
    const QString b = photo("b.png");
    add({a, a});
    add({b, a});
    add({a, b});
    EXPECT_EQ(labels(basket_), (QStringList{"a", "b"}));
    EXPECT_TRUE(capture_.reports().empty());
}

TEST_F(ImageBasketAdding, UnreadableFilesMakeNoEntryAndNoReport)
{
    writeBytes(photos_.filePath("text.png"), "not a picture at all");
    writeBytes(photos_.filePath("empty.jpg"), "");
    writeBytes(photos_.filePath("noise.tif"), QByteArray(300, '\x5a'));
    const QString good = photo("good.png");
    add({photos_.filePath("text.png"), photos_.filePath("empty.jpg"), photos_.filePath("missing.png"),
         photos_.filePath("noise.tif"), good});
    EXPECT_EQ(labels(basket_), QStringList{"good"});
    EXPECT_TRUE(capture_.reports().empty());
}

TEST_F(ImageBasketAdding, ThumbnailsAreTheBasketSizeOfTheSettings)
{
    add({photo("wide.png", 200, 20), photo("tall.png", 20, 200)});
    setThumbnailSize(1000, 3);  // a settings file is not trusted: held to 20..300
    add({photo("later.png")});
    ASSERT_EQ(basket_.size(), 3);
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(basket_.at(row).thumbnail.width(), 48);
        EXPECT_EQ(basket_.at(row).thumbnail.height(), 36);
    }
    EXPECT_EQ(basket_.at(2).thumbnail.width(), 300);
    EXPECT_EQ(basket_.at(2).thumbnail.height(), 20);
}

TEST_F(ImageBasketAdding, KeepsTheListOrderWhileFilesRunSideBySide)
{
    QStringList paths;
    QStringList names;
    for (int i = 0; i < 30; ++i) {
        names.append(QStringLiteral("p%1").arg(i, 2, 10, QChar(u'0')));
        // Sizes vary so the files take different times and each entry shows whose it is.
        paths.append(photo(names.last() + ".png", 40 + (i * 37) % 300, 20 + i));
    }
    QList<int> startedFiles;
    QObject::connect(&adder_, &BasketAdder::progress, &basket_, [&](int index, int, const QString& status) {
        if (status.startsWith("Adding file to basket - '"))
            startedFiles.append(index);
    });
    add(paths);

    EXPECT_EQ(labels(basket_), names);
    for (int i = 0; i < basket_.size(); ++i) {
        EXPECT_EQ(basket_.at(i).tag, paths[i]);
        EXPECT_EQ(basket_.at(i).sourceSize, QStringLiteral("%1 X %2").arg(40 + (i * 37) % 300).arg(20 + i));
    }
    ASSERT_FALSE(startedFiles.isEmpty());
    EXPECT_EQ(startedFiles.first(), 0);
    // In list order, each file once.
    EXPECT_EQ(std::adjacent_find(startedFiles.begin(), startedFiles.end(), std::greater_equal<int>()),
              startedFiles.end());
}

TEST_F(ImageBasketAdding, CancelFinishesTheFilesInProgressAndStartsNoOther)
{
    QStringList paths;
    for (int i = 0; i < 40; ++i)
        paths.append(photo(QStringLiteral("p%1.png").arg(i, 2, 10, QChar(u'0')), 300, 200));

    for (const int workers : {1, 4}) {
        SCOPED_TRACE(workers);
        ImageBasket basket;
        BasketAdder adder(basket);
        adder.setWorkerCount(workers);
        adder.setThumbnailSize(QSize(48, 36));
        // Cancels from the worker that reports the first file from the fourth on, so the test
        // does not depend on how fast the files go.
        int cancelledAt = -1;
        QObject::connect(
            &adder, &BasketAdder::progress, &basket,
            [&](int index, int, const QString& status) {
                if (cancelledAt < 0 && index >= 3 && status.startsWith("Adding file")) {
                    cancelledAt = index;
                    adder.cancel();
                }
            },
            Qt::DirectConnection);
        ASSERT_TRUE(adder.start(paths, BasketRoad::AddButton));
        adder.waitForFinished();

        EXPECT_TRUE(adder.wasCancelled());
        ASSERT_GE(cancelledAt, 3);
        // The files before the reporting one were done and it was in progress; whatever else was
        // started finished too, so the basket holds the beginning of the list without gaps.
        EXPECT_GE(basket.size(), cancelledAt + 1);
        for (int i = 0; i < basket.size(); ++i)
            EXPECT_EQ(basket.at(i).tag, paths[i]);
        if (workers == 1) {
            EXPECT_EQ(cancelledAt, 3);
            EXPECT_EQ(basket.size(), 4);
        }

        // The next add starts afresh.
        ASSERT_TRUE(adder.start({photo("after.png")}, BasketRoad::AddButton));
        adder.waitForFinished();
        EXPECT_EQ(basket.at(basket.size() - 1).text, "after");
        EXPECT_FALSE(adder.wasCancelled());
    }
}

TEST_F(ImageBasketAdding, ReopeningSkipsDeletedFilesAndRestoresDescriptions)
{
    const QString a = photo("a.png");
    const QString b = photo("b.png");
    const QString c = photo("c.png");
    const QString list = photos_.filePath("set.ibd");
    writeBytes(list, ("\"" + c + "\",\"Sea, sun\"\r\n\"" + b + "\",\"gone\"\r\n\"" + a + "\",\"\"\r\n").toUtf8());
    ASSERT_TRUE(QFile::remove(b));
    basket_.append(fakeEntry("old", 1));

    QStringList statuses;
    QObject::connect(&adder_, &BasketAdder::progress, &basket_, [&](int index, int count, const QString& status) {
        statuses.append(QStringLiteral("%1/%2 ").arg(index).arg(count) + status);
    });
    ASSERT_TRUE(basketFileCommands::openImageBasket(list, basket_, adder_));
    adder_.waitForFinished();

    EXPECT_EQ(labels(basket_), (QStringList{"c", "a"}));
    EXPECT_EQ(basket_.at(0).description, "Sea, sun");
    EXPECT_EQ(basket_.at(1).description, "");
    // Whether the last file shows depends on whether it is still at work when the first is done.
    ASSERT_FALSE(statuses.isEmpty());
    EXPECT_EQ(statuses.first(), "0/3 Opening image list from file!");
    EXPECT_LE(statuses.size(), 2);
    EXPECT_EQ(statuses.last().mid(4), "Opening image list from file!");
    EXPECT_TRUE(capture_.reports().empty());

    // Saving writes back what was opened, less the deleted file.
    ASSERT_TRUE(basketFileCommands::saveImageBasket(ImageBasketKind::Description, photos_.filePath("again"), basket_));
    EXPECT_EQ(readBytes(photos_.filePath("again.ibd")),
              ("\"" + c + "\",\"Sea, sun\"\r\n\"" + a + "\",\"\"\r\n").toUtf8());
}

TEST_F(ImageBasketAdding, ABasketFileThatCannotBeReadLeavesAnEmptyBasket)
{
    ASSERT_TRUE(QDir(photos_.path()).mkdir("folder.ibf"));
    basket_.append(fakeEntry("old", 1));
    EXPECT_FALSE(basketFileCommands::openImageBasket(photos_.filePath("folder.ibf"), basket_, adder_));
    EXPECT_TRUE(basket_.isEmpty());
    EXPECT_FALSE(adder_.isRunning());
    ASSERT_EQ(capture_.reports().size(), 1u);
    EXPECT_EQ(capture_.reports()[0].routine, "modSaveOpenImageList.fncOpenImageBasket");
}
