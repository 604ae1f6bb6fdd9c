#include "album/MetadataBasketFile.h"
#include "core/LumoraError.h"
#include "shell/ErrorReporter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

using namespace lumora;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class MetadataBasketFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        previous_ = SetErrorSink([this](const ErrorReport& report) { reports_.push_back(report); });
    }
    void TearDown() override { SetErrorSink(std::move(previous_)); }

    QString path(const QString& name) const { return dir_.filePath(name); }

    bool openBytes(const QByteArray& bytes, QStringList& entries)
    {
        writeBytes(path("in.mbf"), bytes);
        return fncOpenMetadataBasket(path("in.mbf"), entries);
    }

    void expectOneReport(const QString& routine, int number, int line)
    {
        ASSERT_EQ(reports_.size(), 1u);
        EXPECT_EQ(reports_.front().routine, routine);
        EXPECT_EQ(reports_.front().number, number);
        EXPECT_EQ(reports_.front().line, line);
        reports_.clear();
    }

    QTemporaryDir dir_;
    std::vector<ErrorReport> reports_;
    ErrorSink previous_;
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
    EXPECT_TRUE(reports_.empty());
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
    EXPECT_TRUE(reports_.empty());
}

TEST_F(MetadataBasketFile, FailuresAreReportedAndLeaveTheOldFile)
{
    writeBytes(path("b.mbf"), "\"EXIF - Make\"\r\n");
    EXPECT_FALSE(fncSaveMetadataBasket(path("b.mbf"), {"EXIF - Model", "IPTC - \"Title\""}));
    expectOneReport("frmAlbum.fncSaveMetadataBasket", errnum::InvalidProcedureCall, 2);
    EXPECT_EQ(readBytes(path("b.mbf")), "\"EXIF - Make\"\r\n");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"b.mbf"});

    QStringList opened{"EXIF - Model"};
    EXPECT_FALSE(fncOpenMetadataBasket(path("missing.mbf"), opened));
    expectOneReport("frmAlbum.fncOpenMetadataBasket", errnum::FileNotFound, 0);
    EXPECT_TRUE(opened.isEmpty());
}
