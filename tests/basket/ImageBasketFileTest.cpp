#include "basket/ImageBasketFile.h"
#include "core/LumoraError.h"
#include "support/FileBytes.h"
#include "support/ReportCapture.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::modSaveOpenImageList;
using namespace lumora::test;

namespace {

using Entries = QList<ImageBasketFileEntry>;

const QString SaveRoutine = QStringLiteral("modSaveOpenImageList.fncSaveImageBasket");
const QString OpenRoutine = QStringLiteral("modSaveOpenImageList.fncOpenImageBasket");

// A basket as the window holds it: two pages of one scan, a photo that comes twice.
const Entries Basket{{"/photos/a.jpg", "Sea, sun"},
                     {"/photos/scan.tif", "page one"},
                     {"/photos/b.jpg", ""},
                     {"/photos/scan.tif", "page two"},
                     {"/photos/a.jpg", "again"}};

class ImageBasketFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString path(const QString& name) const { return dir_.filePath(name); }
    QStringList files() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    // Writes the bytes under the name and opens them.
    bool openBytes(const QString& name, const QByteArray& bytes, Entries& entries)
    {
        writeBytes(path(name), bytes);
        return fncOpenImageBasket(path(name), entries);
    }

    QTemporaryDir dir_;
    ReportCapture capture_;
};

}  // namespace

TEST_F(ImageBasketFile, SavesEachSourceOnceInBasketOrderWithItsFirstDescriptionAndReopensIt)
{
    writeBytes(path("set.ibd"), QByteArray(3000, 'x'));  // replaced whole
    ASSERT_TRUE(fncSaveImageBasket(ImageBasketKind::Description, path("set.ibd"), Basket));
    EXPECT_EQ(readBytes(path("set.ibd")),
              "\"/photos/a.jpg\",\"Sea, sun\"\r\n\"/photos/scan.tif\",\"page one\"\r\n\"/photos/b.jpg\",\"\"\r\n");
    ASSERT_TRUE(fncSaveImageBasket(ImageBasketKind::Favourite, path("set"), Basket));
    EXPECT_EQ(readBytes(path("set.ibf")), "\"/photos/a.jpg\"\r\n\"/photos/scan.tif\"\r\n\"/photos/b.jpg\"\r\n");
    EXPECT_EQ(files(), (QStringList{"set.ibd", "set.ibf"}));

    const Entries saved{{QString::fromUtf8(u8"/photos/Grüße/Café, Nice.jpg"), QString::fromUtf8(u8"Sea, sun € 5")},
                        {"/photos/b.jpg", ""}};
    Entries opened{{"/old.jpg", "stays?"}};
    ASSERT_TRUE(fncSaveImageBasket(ImageBasketKind::Description, path("x"), saved));
    ASSERT_TRUE(fncOpenImageBasket(path("x.ibd"), opened));
    EXPECT_EQ(opened, saved);
    ASSERT_TRUE(fncSaveImageBasket(ImageBasketKind::Favourite, path("x"), saved));
    ASSERT_TRUE(fncOpenImageBasket(path("x.ibf"), opened));
    EXPECT_EQ(opened, (Entries{{saved[0].sourcePath, ""}, {"/photos/b.jpg", ""}}));
    EXPECT_TRUE(capture_.reports().empty());
}

TEST(ImageBasketFileName, ExtensionFollowsTheKindUnlessTheNameEndsInItInAnyCase)
{
    using K = ImageBasketKind;
    const std::tuple<K, QString, QString> names[] = {
        {K::Favourite, "/a/list", "/a/list.ibf"},        {K::Description, "/a/list", "/a/list.ibd"},
        {K::Favourite, "/a/x.IBF", "/a/x.IBF"},          {K::Description, "/a/x.iBd", "/a/x.iBd"},
        {K::Favourite, "/a/x.ibd", "/a/x.ibd.ibf"},      {K::Description, "/a/x.ibf", "/a/x.ibf.ibd"},
        {K::Favourite, "/a/xibf", "/a/xibf.ibf"},
    };
    for (const auto& [kind, given, used] : names)
        EXPECT_EQ(imageBasketFileName(kind, given), used);
}

TEST_F(ImageBasketFile, ReadsLinesWhateverTheirLayout)
{
    const struct {
        QString name;
        QByteArray bytes;
        Entries entries;
    } cases[] = {
        {"empty.ibf", "", {}},
        {"empty.ibd", "", {}},
        {"lf.ibf",
         "\"/p/a.jpg\"\n  \"/p/b.jpg\"\t\n\n\"/p/c.jpg\"",
         {{"/p/a.jpg", ""}, {"/p/b.jpg", ""}, {"/p/c.jpg", ""}}},
        {"lf.ibd", "\"/p/a.jpg\",\"one, two\"\n\"/p/b.jpg\",\"\"", {{"/p/a.jpg", "one, two"}, {"/p/b.jpg", ""}}},
        // The first and last character go whatever they are.
        {"bare.ibf", "/p/a.jpg\r\n", {{"p/a.jp", ""}}},
        // Old files from Windows are in Windows-1252.
        {"old.ibd",
         "\"/p/caf\xE9.jpg\",\"\x80 5\"\r\n",
         {{QString::fromUtf8(u8"/p/café.jpg"), QString::fromUtf8(u8"€ 5")}}},
        {"UPPER.IBF", "\"/p/a.jpg\"\r\n", {{"/p/a.jpg", ""}}},
        {"other.txt", "\"/p/a.jpg\"\r\n", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        Entries entries{{"/old.jpg", ""}};
        ASSERT_TRUE(openBytes(c.name, c.bytes, entries));
        EXPECT_EQ(entries, c.entries);
    }
    EXPECT_TRUE(capture_.reports().empty());
}

TEST_F(ImageBasketFile, FailedSaveReportsAndLeavesTheOldFile)
{
    writeBytes(path("set.ibd"), "\"/old.jpg\",\"\"\r\n");
    const Entries quoted{{"/p/a.jpg", "fine"}, {"/p/5\" print.jpg", ""}};
    EXPECT_FALSE(fncSaveImageBasket(ImageBasketKind::Description, path("set"), quoted));
    capture_.expectOne(SaveRoutine, errnum::InvalidProcedureCall, 2);
    EXPECT_FALSE(fncSaveImageBasket(ImageBasketKind::Favourite, path("no/such/folder/set"), Basket));
    capture_.expectOne(SaveRoutine, errnum::PathNotFound, 0);

    EXPECT_EQ(readBytes(path("set.ibd")), "\"/old.jpg\",\"\"\r\n");
    EXPECT_EQ(files(), QStringList{"set.ibd"});  // no temporary file left behind
}

TEST_F(ImageBasketFile, FailedOpenReportsAndKeepsTheEntriesReadBeforeIt)
{
    Entries entries{{"/old.jpg", ""}};
    EXPECT_FALSE(fncOpenImageBasket(path("missing.ibf"), entries));
    capture_.expectOne(OpenRoutine, errnum::FileNotFound, 0);
    EXPECT_TRUE(entries.isEmpty());

    // A last record without its description runs past the end of the file.
    EXPECT_FALSE(openBytes("cut.ibd", "\"/p/a.jpg\",\"d\"\r\n\"/p/b.jpg\"\r\n", entries));
    capture_.expectOne(OpenRoutine, errnum::InputPastEndOfFile, 2);
    EXPECT_EQ(entries, (Entries{{"/p/a.jpg", "d"}}));
}
