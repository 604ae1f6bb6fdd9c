// The Image Basket without a window: the model's order, moves and columns, adding files side by
// side with duplicates, unreadable files and cancel, multipage TIFF files split into pages
// (checked by ImageMagick), and reopening basket files.

#include "basket/BasketAdder.h"
#include "basket/BasketFileCommands.h"
#include "basket/ImageBasket.h"
#include "core/LumoraError.h"
#include "core/clsFileInfo.h"
#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/ReportCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPersistentModelIndex>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace lumora;
using namespace lumora::test;

namespace {

// An entry whose every column, and thumbnail, tells which one it is.
BasketEntry fakeEntry(const QString& name, std::uint8_t shade)
{
    return {name, "/pages/" + name + ".tif", QString::number(shade) + " X 10", QString::number(shade) + " bytes",
            "type " + name, "/photos/" + name + ".jpg", "about " + name, Picture::filled(4, 3, Rgb{shade, 0, 0})};
}

QStringList labels(const ImageBasket& basket)
{
    QStringList texts;
    for (const BasketEntry& entry : basket.entries())
        texts.append(entry.text);
    return texts;
}

// Entries a..f, and a basket holding them.
class ImageBasketModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 6; ++i)
            entries_.append(fakeEntry(QString(QChar(u'a' + i)), static_cast<std::uint8_t>(10 * i)));
        basket_.append(entries_);
    }

    // The entries at these positions of a..f.
    QList<BasketEntry> pick(const QList<int>& rows) const
    {
        QList<BasketEntry> picked;
        for (const int row : rows)
            picked.append(entries_.at(row));
        return picked;
    }

    QList<BasketEntry> entries_;
    ImageBasket basket_;
};

// Adds with a program folder of its own and the basket thumbnail size 48 x 36.
class ImageBasketAdding : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home_.isValid() && photos_.isValid());
        adder_.setWorkerCount(4);
        adder_.setThumbnailSize(QSize(48, 36));
        QObject::connect(&adder_, &BasketAdder::progress, &basket_, [this](int index, int count, const QString& status) {
            progress_.append(QStringLiteral("%1/%2 ").arg(index).arg(count) + status);
        });
    }

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

    QString temp() const { return home_.filePath("temp"); }
    QStringList tempFiles() const { return QDir(temp()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir home_;
    ScopedEnvironment homeVariable_{"LUMORA_HOME", home_.path().toUtf8()};
    QTemporaryDir photos_;
    ReportCapture capture_;
    ImageBasket basket_;
    BasketAdder adder_{basket_};
    QStringList progress_;
};

// The pages of three.tif, each of its own size so an entry shows which page it holds.
const QStringList PageSizes{"40x30", "50x20", "30x60"};

// Adds three.tif, made by ImageMagick, not by Lumora's engine.
class Multipage : public ImageBasketAdding {
protected:
    void SetUp() override
    {
        ImageBasketAdding::SetUp();
        const ToolResult made = runTool("convert", {"-size", "40x30", "xc:red", "-size", "50x20", "xc:green", "-size",
                                                    "30x60", "xc:blue", tiff_});
        ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
        ASSERT_EQ(identify(tiff_, "%wx%h,"), PageSizes.join(u',') + u',');
    }

    // Checks every entry as a page of three.tif: label, page file name (the number N in order),
    // the page file itself (one page of the right size), the columns and the thumbnail.
    void expectPages(const QString& stem, const QString& labelPattern)
    {
        ASSERT_EQ(basket_.size(), 3);
        const QRegularExpression name("^" + QRegularExpression::escape(stem) + "([123])_(\\d{1,4})\\.tif$");
        QSet<QString> tags;
        for (int row = 0; row < 3; ++row) {
            SCOPED_TRACE(row);
            const BasketEntry& entry = basket_.at(row);
            const QFileInfo page(entry.tag);
            const QRegularExpressionMatch match = name.match(page.fileName());
            ASSERT_TRUE(match.hasMatch() && page.absolutePath() == temp()) << entry.tag.toStdString();
            EXPECT_EQ(match.captured(1).toInt(), row + 1);
            EXPECT_LE(match.captured(2).toInt(), 9998);
            EXPECT_EQ(identify(entry.tag, "%n %wx%h"), "1 " + PageSizes[row]);
            EXPECT_EQ((QStringList{entry.text, entry.sourceSize, entry.fileSize, entry.sourcePath}),
                      (QStringList{labelPattern.arg(row + 1), QString(PageSizes[row]).replace("x", " X "),
                                   clsFileInfo::formatSize(page.size(), false), tiff_}));
            EXPECT_EQ(QSize(entry.thumbnail.width(), entry.thumbnail.height()), QSize(48, 36));
            tags.insert(entry.tag);
        }
        EXPECT_EQ(tags.size(), 3);
    }

    const QString tiff_ = photos_.filePath("three.tif");
};

// Makes page 2 of a little-endian TIFF unreadable by giving it a compression scheme no decoder
// knows; the file still names its three pages.
void breakSecondPage(const QString& path)
{
    QByteArray bytes = readBytes(path);
    ASSERT_TRUE(bytes.startsWith("II"));
    const auto u16 = [&](qsizetype at) { return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8); };
    const auto u32 = [&](qsizetype at) { return quint32(u16(at) | quint32(u16(at + 2)) << 16); };
    const qsizetype second = u32(u32(4) + 2 + 12 * u16(u32(4)));
    ASSERT_GT(second, 0);
    for (int i = 0; i < u16(second); ++i) {
        const qsizetype entry = second + 2 + 12 * i;
        if (u16(entry) == 259) {  // Compression, a SHORT held in the entry
            bytes[entry + 8] = char(0x0F);
            bytes[entry + 9] = char(0x27);  // 9999
            writeBytes(path, bytes);
            return;
        }
    }
    FAIL() << "no compression tag";
}

}  // namespace

TEST_F(ImageBasketModel, RemovesExactlyTheSelectedPositionsAndKeepsTheOrder)
{
    basket_.removePositions({4, 1, 3, 1, 9, -1});
    EXPECT_EQ(basket_.entries(), pick({0, 2, 5}));
    EXPECT_EQ(basket_.countText(), "3 file(s) in basket");
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
        {{0, 5}, 6, {1, 2, 3, 4, 0, 5}, {4, 5}},        // past the end: appended
        {{1, 2, 4}, 2, {0, 1, 2, 4, 3, 5}, {1, 2, 3}},  // onto a selected entry: the block stays there
        {{3}, 3, {0, 1, 2, 3, 4, 5}, {3}},
        {{}, 2, {0, 1, 2, 3, 4, 5}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        ImageBasket basket;
        basket.append(entries_);
        // Views' persistent indexes follow: the first selected entry, and one that is not moved.
        const int first = c.selected.isEmpty() ? 0 : *std::min_element(c.selected.begin(), c.selected.end());
        const QPersistentModelIndex followed = basket.index(first);
        const QPersistentModelIndex other = basket.index(first == 0 ? 1 : 0);
        const QString otherText = other.data().toString();

        EXPECT_EQ(basket.moveEntries(c.selected, c.target), c.newPositions);
        EXPECT_EQ(basket.entries(), pick(c.order));
        EXPECT_EQ(followed.row(), c.newPositions.value(0, first));
        EXPECT_EQ(other.data().toString(), otherText);
    }
}

TEST_F(ImageBasketModel, ShowsLabelTagAndThumbnailAndKeepsSourceAndDescription)
{
    // What the thumbnail view draws and previews.
    const QModelIndex c = basket_.index(2);
    EXPECT_EQ(c.data(Qt::DisplayRole).toString() + u' ' + c.data(ImageBasket::TagRole).toString(), "c /pages/c.tif");
    EXPECT_EQ(c.data(ImageBasket::ThumbnailRole).value<Picture>(), entries_[2].thumbnail);
    EXPECT_EQ(c.data(Qt::DecorationRole).value<Picture>(), entries_[2].thumbnail);

    // Only the description can be edited.
    EXPECT_TRUE(basket_.setData(c, "Sea, sun", ImageBasket::DescriptionRole));
    EXPECT_FALSE(basket_.setData(c, "renamed", Qt::DisplayRole));
    EXPECT_EQ(basket_.at(2).text, "c");
    // Duplicates are told by column 4 alone; basket files keep columns 4 and 5.
    EXPECT_TRUE(basket_.containsSource("/photos/c.jpg"));
    EXPECT_FALSE(basket_.containsSource("/pages/c.tif"));
    const QList<ImageBasketFileEntry> kept = basket_.fileEntries();
    ASSERT_EQ(kept.size(), 6);
    EXPECT_EQ(kept[2], (ImageBasketFileEntry{"/photos/c.jpg", "Sea, sun"}));
}

TEST_F(ImageBasketAdding, MakesOneEntryPerPhotoWithItsColumnsAndTheThumbnailSize)
{
    const QString path = photo("Sea view.2024.png", 90, 30);
    add({path});
    ASSERT_EQ(basket_.size(), 1);
    const BasketEntry& entry = basket_.at(0);
    clsFileInfo info;
    info.setFilePath(path);
    EXPECT_EQ((QStringList{entry.text, entry.tag, entry.sourcePath, entry.sourceSize, entry.fileSize, entry.fileType,
                           entry.description}),
              (QStringList{"Sea view.2024", path, path, "90 X 30", clsFileInfo::formatSize(QFileInfo(path).size(), false),
                           info.fType(), ""}));
    // A wide photo leaves white bands above and below it in the box.
    EXPECT_EQ(QSize(entry.thumbnail.width(), entry.thumbnail.height()), QSize(48, 36));
    EXPECT_EQ(entry.thumbnail.rgbAt(24, 0), (Rgb{255, 255, 255}));

    // A settings file is not trusted: the size is held to 20..300. A one-page TIFF file is an
    // ordinary entry.
    const QString single = photos_.filePath("single.TIFF");
    ASSERT_EQ(runTool("convert", {"-size", "50x20", "xc:green", "tiff:" + single}).exitCode, 0);
    adder_.setThumbnailSize(QSize(1000, 3));
    add({single});
    EXPECT_EQ((QStringList{basket_.at(1).text, basket_.at(1).tag, basket_.at(1).sourcePath, basket_.at(1).sourceSize}),
              (QStringList{"single", single, single, "50 X 20"}));
    EXPECT_EQ(QSize(basket_.at(1).thumbnail.width(), basket_.at(1).thumbnail.height()), QSize(300, 20));
    EXPECT_FALSE(QFileInfo::exists(temp()));
    EXPECT_FALSE(adder_.isRunning() || adder_.wasCancelled());
    EXPECT_TRUE(capture_.reports().empty());
}

TEST_F(ImageBasketAdding, SkipsFilesAlreadyInTheBasketAndFilesThatCannotBeRead)
{
    const QString a = photo("a.png");
    const QString b = photo("b.png");
    writeBytes(photos_.filePath("text.png"), "not a picture at all");
    writeBytes(photos_.filePath("empty.jpg"), "");
    writeBytes(photos_.filePath("noise.tif"), QByteArray(300, '\x5a'));
    add({a, a});
    add({photos_.filePath("text.png"), photos_.filePath("empty.jpg"), photos_.filePath("missing.png"),
         photos_.filePath("noise.tif"), b, a});
    add({a, b});
    EXPECT_EQ(labels(basket_), (QStringList{"a", "b"}));
    EXPECT_TRUE(capture_.reports().empty());
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
    ASSERT_TRUE(basketFileCommands::openImageBasket(list, basket_, adder_));
    adder_.waitForFinished();
    EXPECT_EQ(labels(basket_), (QStringList{"c", "a"}));
    EXPECT_TRUE(capture_.reports().empty());

    // Saving writes back what was opened, less the deleted file.
    ASSERT_TRUE(basketFileCommands::saveImageBasket(ImageBasketKind::Description, photos_.filePath("again"), basket_));
    EXPECT_EQ(readBytes(photos_.filePath("again.ibd")), ("\"" + c + "\",\"Sea, sun\"\r\n\"" + a + "\",\"\"\r\n").toUtf8());

    // A basket file that cannot be read leaves an empty basket.
    ASSERT_TRUE(QDir(photos_.path()).mkdir("folder.ibf"));
    EXPECT_FALSE(basketFileCommands::openImageBasket(photos_.filePath("folder.ibf"), basket_, adder_));
    EXPECT_TRUE(basket_.isEmpty());
    EXPECT_FALSE(adder_.isRunning());
    ASSERT_EQ(capture_.reports().size(), 1u);
    EXPECT_EQ(capture_.reports()[0].routine, "modSaveOpenImageList.fncOpenImageBasket");
}

TEST_F(Multipage, TheAddButtonMakesOneEntryPerPageAndReopeningASavedBasketSplitsItAgain)
{
    ASSERT_FALSE(QFileInfo::exists(temp()));  // made when first needed
    add({tiff_});
    expectPages("three.tif", "three%1");
    EXPECT_EQ(progress_, (QStringList{"0/1 Adding file to basket - 'three.tif'",
                                      "0/3 Please wait... extracting multipage file - 'three.tif' Pages 1 of 3",
                                      "1/3 Please wait... extracting multipage file - 'three.tif' Pages 2 of 3",
                                      "2/3 Please wait... extracting multipage file - 'three.tif' Pages 3 of 3"}));

    // The basket file names the source once; reopening makes new pages and leaves the old ones.
    basket_.setDescription(0, "Scan, 1998");
    const QStringList firstPages = tempFiles();
    ASSERT_TRUE(basketFileCommands::saveImageBasket(ImageBasketKind::Description, photos_.filePath("scans"), basket_));
    EXPECT_EQ(readBytes(photos_.filePath("scans.ibd")), ("\"" + tiff_ + "\",\"Scan, 1998\"\r\n").toUtf8());
    ASSERT_TRUE(basketFileCommands::openImageBasket(photos_.filePath("scans.ibd"), basket_, adder_));
    adder_.waitForFinished();
    expectPages("three.tif", "three%1");
    for (const BasketEntry& entry : basket_.entries()) {
        EXPECT_EQ(entry.description, "Scan, 1998");
        EXPECT_FALSE(firstPages.contains(QFileInfo(entry.tag).fileName()));
    }
    EXPECT_EQ(tempFiles().size(), 6);
    EXPECT_TRUE(capture_.reports().empty());
}

TEST_F(Multipage, TheDropRoadNamesPagesWithoutTheExtensionAndNewBasketDeletesThePagesOnly)
{
    add({tiff_}, BasketRoad::Drop);
    expectPages("three", "three(%1)");
    EXPECT_EQ(progress_.last(), "2/3 Please wait... extracting multipage document - 'three.tif' Pages 3 of 3");
    // A file already split is not split again.
    const QStringList pages = tempFiles();
    add({tiff_});
    EXPECT_EQ(basket_.size(), 3);
    EXPECT_EQ(tempFiles(), pages);

    writeBytes(temp() + "/notes.txt", "kept");
    basket_.newBasket();
    EXPECT_TRUE(basket_.isEmpty());
    EXPECT_EQ(tempFiles(), QStringList{"notes.txt"});
    EXPECT_TRUE(QFileInfo::exists(tiff_));
    EXPECT_TRUE(capture_.reports().empty());
}

TEST_F(Multipage, AnUnreadablePageEndsTheAddButOnReopeningOnlyItsFile)
{
    breakSecondPage(tiff_);
    const QString before = writePng(gradientPicture(20, 20), photos_.filePath("before.png"));
    const QString after = writePng(gradientPicture(20, 20), photos_.filePath("after.png"));

    add({before, tiff_, after});
    EXPECT_EQ(labels(basket_), (QStringList{"before", "three1"}));
    capture_.expectOne("FrmMain.cmdAddToQueue_Click", errnum::EngineFailure, 2, "Adding selected files to basket!");

    writeBytes(photos_.filePath("set.ibf"), ("\"" + before + "\"\r\n\"" + tiff_ + "\"\r\n\"" + after + "\"\r\n").toUtf8());
    ASSERT_TRUE(basketFileCommands::openImageBasket(photos_.filePath("set.ibf"), basket_, adder_));
    adder_.waitForFinished();
    EXPECT_EQ(labels(basket_), (QStringList{"before", "three1", "after"}));
    capture_.expectOne("modSaveOpenImageList.subAddEntryToListView", errnum::EngineFailure, 2,
                       "Opening image list from file!");
}
