#include "basket/BasketAdder.h"
#include "basket/BasketFileCommands.h"
#include "basket/ImageBasket.h"
#include "core/LumoraError.h"
#include "core/clsFileInfo.h"
#include "settings/SetupFile.h"
#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/ReportCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

// The pages of three.tif, each of its own size so an entry shows which page it holds.
const QStringList PageSizes{"40x30", "50x20", "30x60"};

// Makes page 2 of a little-endian TIFF unreadable by giving it a compression scheme no decoder
// knows; the file still names its three pages.
void breakSecondPage(const QString& path)
{
    QByteArray bytes = readBytes(path);
    ASSERT_TRUE(bytes.startsWith("II"));
    const auto u16 = [&](qsizetype at) { return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8); };
    const auto u32 = [&](qsizetype at) { return quint32(u16(at) | quint32(u16(at + 2)) << 16); };
    const qsizetype first = u32(4);
    const qsizetype second = u32(first + 2 + 12 * u16(first));
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

// Splits pages into a program folder of its own, with the basket thumbnail size 48 x 36.
class Multipage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home_.isValid() && photos_.isValid());

        // ImageMagick, not Lumora's engine, makes the multipage file.
        QStringList arguments;
        for (int page = 0; page < PageSizes.size(); ++page) {
            const QStringList size = PageSizes[page].split(u'x');
            arguments.append(writePng(gradientPicture(size[0].toInt(), size[1].toInt()),
                                      photos_.filePath(QStringLiteral("page%1.png").arg(page))));
        }
        tiff_ = photos_.filePath("three.tif");
        ASSERT_EQ(runTool("convert", arguments << tiff_).exitCode, 0);
        ASSERT_EQ(identify(tiff_, "%wx%h,"), PageSizes.join(u',') + u',');

        adder_.setThumbnailSize(QSize(48, 36));
        QObject::connect(&adder_, &BasketAdder::progress, &basket_, [this](int index, int count, const QString& status) {
            progress_.append(QStringLiteral("%1/%2 ").arg(index).arg(count) + status);
        });
    }

    void add(const QStringList& paths, BasketRoad road = BasketRoad::AddButton)
    {
        ASSERT_TRUE(adder_.start(paths, road));
        adder_.waitForFinished();
    }

    QString temp() const { return home_.filePath("temp"); }
    QStringList tempFiles() const { return QDir(temp()).entryList(QDir::Files, QDir::Name); }

    // Checks every entry as a page of three.tif: label, page file name (the number N in order),
    // the page file itself (one page of the right size), every column and the thumbnail.
    void expectPages(const QString& stem, const QString& labelPattern)
    {
        ASSERT_EQ(basket_.size(), 3);
        const QRegularExpression name("^" + QRegularExpression::escape(stem) + "([123])_(\\d{1,4})\\.tif$");
        QSet<QString> tags;
        for (int row = 0; row < 3; ++row) {
            SCOPED_TRACE(row);
            const BasketEntry& entry = basket_.at(row);
            EXPECT_EQ(entry.text, labelPattern.arg(row + 1));
            const QFileInfo page(entry.tag);
            EXPECT_EQ(page.absolutePath(), temp());
            const QRegularExpressionMatch match = name.match(page.fileName());
            ASSERT_TRUE(match.hasMatch()) << page.fileName().toStdString();
            EXPECT_EQ(match.captured(1).toInt(), row + 1);
            EXPECT_LE(match.captured(2).toInt(), 9998);
            EXPECT_EQ(identify(entry.tag, "%n %wx%h"), "1 " + PageSizes[row]);
            EXPECT_EQ(entry.sourceSize, QString(PageSizes[row]).replace("x", " X "));
            EXPECT_EQ(entry.fileSize, clsFileInfo::formatSize(page.size(), false));
            clsFileInfo info;
            info.setFilePath(entry.tag);
            EXPECT_EQ(entry.fileType, info.fType());
            EXPECT_EQ(entry.sourcePath, tiff_);
            EXPECT_EQ(entry.thumbnail.width(), 48);
            EXPECT_EQ(entry.thumbnail.height(), 36);
            tags.insert(entry.tag);
        }
        EXPECT_EQ(tags.size(), 3);
    }

    QTemporaryDir home_;
    ScopedEnvironment homeVariable_{"LUMORA_HOME", home_.path().toUtf8()};
    QTemporaryDir photos_;
    QString tiff_;
    ReportCapture capture_;
    ImageBasket basket_;
    BasketAdder adder_{basket_};
    QStringList progress_;
};

}  // namespace

TEST_F(Multipage, TheAddButtonMakesOneEntryAndOnePageFilePerPage)
{
    ASSERT_FALSE(QFileInfo::exists(temp()));  // made when first needed
    add({tiff_});
    expectPages("three.tif", "three%1");
    EXPECT_EQ(tempFiles().size(), 3);
    EXPECT_EQ(progress_, (QStringList{"0/1 Adding file to basket - 'three.tif'",
                                      "0/3 Please wait... extracting multipage file - 'three.tif' Pages 1 of 3",
                                      "1/3 Please wait... extracting multipage file - 'three.tif' Pages 2 of 3",
                                      "2/3 Please wait... extracting multipage file - 'three.tif' Pages 3 of 3"}));
    EXPECT_TRUE(capture_.reports().empty());
}

TEST_F(Multipage, TheDropRoadNamesPagesWithoutTheSourceExtension)
{
    add({tiff_}, BasketRoad::Drop);
    expectPages("three", "three(%1)");
    EXPECT_EQ(progress_.last(), "2/3 Please wait... extracting multipage document - 'three.tif' Pages 3 of 3");
    EXPECT_TRUE(capture_.reports().empty());
}

TEST_F(Multipage, AOnePageTiffIsAnOrdinaryEntry)
{
    const QString single = photos_.filePath("single.TIFF");
    ASSERT_EQ(runTool("convert", {photos_.filePath("page1.png"), "tiff:" + single}).exitCode, 0);
    add({single});
    ASSERT_EQ(basket_.size(), 1);
    EXPECT_EQ(basket_.at(0).text, "single");
    EXPECT_EQ(basket_.at(0).tag, single);
    EXPECT_EQ(basket_.at(0).sourcePath, single);
    EXPECT_EQ(basket_.at(0).sourceSize, "50 X 20");
    EXPECT_TRUE(tempFiles().isEmpty());
}

TEST_F(Multipage, AFileAlreadySplitIsNotSplitAgain)
{
    add({tiff_});
    const QStringList pages = tempFiles();
    add({tiff_}, BasketRoad::Drop);
    EXPECT_EQ(basket_.size(), 3);
    EXPECT_EQ(tempFiles(), pages);
}

TEST_F(Multipage, NewBasketDeletesThePageFilesOnly)
{
    add({tiff_});
    writeBytes(temp() + "/notes.txt", "kept");
    ASSERT_EQ(tempFiles().size(), 4);

    basket_.newBasket();
    EXPECT_TRUE(basket_.isEmpty());
    EXPECT_EQ(tempFiles(), QStringList{"notes.txt"});
    EXPECT_TRUE(QFileInfo::exists(tiff_));
}

TEST_F(Multipage, ASavedBasketNamesTheSourceOnceAndReopeningSplitsItAgain)
{
    add({tiff_});
    basket_.setDescription(0, "Scan, 1998");
    const QStringList firstPages = tempFiles();
    ASSERT_TRUE(basketFileCommands::saveImageBasket(ImageBasketKind::Description, photos_.filePath("scans"), basket_));
    EXPECT_EQ(readBytes(photos_.filePath("scans.ibd")), ("\"" + tiff_ + "\",\"Scan, 1998\"\r\n").toUtf8());

    progress_.clear();
    ASSERT_TRUE(basketFileCommands::openImageBasket(photos_.filePath("scans.ibd"), basket_, adder_));
    adder_.waitForFinished();
    expectPages("three.tif", "three%1");
    for (const BasketEntry& entry : basket_.entries()) {
        EXPECT_EQ(entry.description, "Scan, 1998");
        EXPECT_FALSE(firstPages.contains(QFileInfo(entry.tag).fileName()));  // the old pages stay untouched
    }
    EXPECT_EQ(tempFiles().size(), 6);
    EXPECT_EQ(progress_.first(), "0/1 Opening image list from file!");
    EXPECT_TRUE(capture_.reports().empty());
}

TEST_F(Multipage, AnUnreadablePageEndsTheAddButOnReopeningOnlyItsFile)
{
    breakSecondPage(tiff_);
    const QString before = writePng(gradientPicture(20, 20), photos_.filePath("before.png"));
    const QString after = writePng(gradientPicture(20, 20), photos_.filePath("after.png"));

    add({before, tiff_, after});
    QStringList texts;
    for (const BasketEntry& entry : basket_.entries())
        texts.append(entry.text);
    EXPECT_EQ(texts, (QStringList{"before", "three1"}));
    capture_.expectOne("FrmMain.cmdAddToQueue_Click", errnum::EngineFailure, 2, "Adding selected files to basket!");

    writeBytes(photos_.filePath("set.ibf"), ("\"" + before + "\"\r\n\"" + tiff_ + "\"\r\n\"" + after + "\"\r\n").toUtf8());
    ASSERT_TRUE(basketFileCommands::openImageBasket(photos_.filePath("set.ibf"), basket_, adder_));
    adder_.waitForFinished();
    texts.clear();
    for (const BasketEntry& entry : basket_.entries())
        texts.append(entry.text);
    EXPECT_EQ(texts, (QStringList{"before", "three1", "after"}));
    capture_.expectOne("modSaveOpenImageList.subAddEntryToListView", errnum::EngineFailure, 2,
                       "Opening image list from file!");
}
