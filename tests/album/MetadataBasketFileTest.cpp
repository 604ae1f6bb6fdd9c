#include "album/MetadataBasketFile.h"
#include "core/LumoraError.h"
#include "support/FileBytes.h"
#include "support/ReportCapture.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

class MetadataBasketFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString path(const QString& name) const { return dir_.filePath(name); }

    bool openBytes(const QByteArray& bytes, QStringList& entries)
    {
        writeBytes(path("in.mbf"), bytes);
        return fncOpenMetadataBasket(path("in.mbf"), entries);
    }

    QTemporaryDir dir_;
    ReportCapture capture_;
};

}  // namespace

TEST_F(MetadataBasketFile, SavesOneQuotedLinePerEntryAndReopensThem)
{
    const QStringList basket{"EXIF - Make", "IPTC - By Title (Author's Position)", "IPTC - Custom Field 1"};
    ASSERT_TRUE(fncSaveMetadataBasket(path("album"), basket));
    EXPECT_EQ(readBytes(path("album.mbf")),
              "\"EXIF - Make\"\r\n\"IPTC - By Title (Author's Position)\"\r\n\"IPTC - Custom Field 1\"\r\n");

    QStringList opened{"EXIF - Model"};  // opening replaces the list
    ASSERT_TRUE(fncOpenMetadataBasket(path("album.mbf"), opened));
    EXPECT_EQ(opened, basket);
    EXPECT_TRUE(capture_.reports().empty());
}

TEST_F(MetadataBasketFile, ExtensionIsAppendedUnlessTheNameEndsInMbfInAnyCase)
{
    const std::pair<QString, QString> names[] = {
        {"/a/b", "/a/b.mbf"}, {"/a/b.mbf", "/a/b.mbf"}, {"/a/b.MbF", "/a/b.MbF"}, {"/a/b.mbfx", "/a/b.mbfx.mbf"}};
    for (const auto& [given, used] : names)
        EXPECT_EQ(metadataBasketFileName(given), used);
}

TEST_F(MetadataBasketFile, EachLineLosesItsBlanksAndFirstAndLastCharacter)
{
    const std::pair<QByteArray, QStringList> cases[] = {
        {"", {}},
        {"EXIF - Make\r\n", {"XIF - Mak"}},  // written without quotes
        {"  \"EXIF - Make\" \n\n\"IPTC - City\"", {"EXIF - Make", "IPTC - City"}},
        // Lines that leave nothing hold no entry.
        {"\"\"\r\nx\r\n\t\r\n\"IPTC - City\"\r\n\r\n", {"IPTC - City"}},
        {"\"IPTC - Caf\xE9\"\r\n", {QString::fromUtf8(u8"IPTC - Café")}},  // Windows-1252
    };
    for (const auto& [bytes, entries] : cases) {
        SCOPED_TRACE(bytes.toStdString());
        QStringList opened{"EXIF - Model"};
        ASSERT_TRUE(openBytes(bytes, opened));
        EXPECT_EQ(opened, entries);
    }
    EXPECT_TRUE(capture_.reports().empty());
}

TEST_F(MetadataBasketFile, FailuresAreReportedAndLeaveTheOldFile)
{
    writeBytes(path("b.mbf"), "\"EXIF - Make\"\r\n");
    EXPECT_FALSE(fncSaveMetadataBasket(path("b.mbf"), {"EXIF - Model", "IPTC - \"Title\""}));
    capture_.expectOne("frmAlbum.fncSaveMetadataBasket", errnum::InvalidProcedureCall, 2);
    EXPECT_EQ(readBytes(path("b.mbf")), "\"EXIF - Make\"\r\n");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"b.mbf"});

    QStringList opened{"EXIF - Model"};
    EXPECT_FALSE(fncOpenMetadataBasket(path("missing.mbf"), opened));
    capture_.expectOne("frmAlbum.fncOpenMetadataBasket", errnum::FileNotFound, 0);
    EXPECT_TRUE(opened.isEmpty());
}
