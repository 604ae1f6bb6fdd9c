// File information: size texts, the facts of real files and the path helpers.

#include "core/clsFileInfo.h"

#include "support/FileBytes.h"
#include "support/TestImages.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QMimeDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>

using namespace lumora;
using lumora::test::writeBytes;

namespace {

class clsFileInfoTest : public ::testing::Test {
protected:
    QString file(const QString& name, const QByteArray& bytes) { return writeBytes(dir.filePath(name), bytes); }

    QTemporaryDir dir;
    clsFileInfo info;
};

TEST(clsFileInfo, SizeTextsAtEachStep)
{
    // 1152 is exactly 1.125 KB: half up. Up to 9 KB two decimals, up to 999 KB one; sizes beyond
    // any 32-bit number too.
    const std::pair<qint64, const char*> plain[] = {
        {500, "500 bytes"}, {1023, "1,023 bytes"}, {1024, "1.00KB"},      {1152, "1.13KB"},
        {1536, "1.50KB"},   {10239, "10.00KB"},    {10240, "10.0KB"},     {1023999, "1000.0KB"},
        {1024000, "0.98MB"}, {5 * 1048576, "5.00MB"}, {10240000, "9.8MB"}, {1024000000, "0.95GB"},
        {10240000000, "9.5GB"}, {-1, "0.0KB (0 bytes)"}};
    for (const auto& [size, text] : plain)
        EXPECT_EQ(clsFileInfo::formatSize(size, false), text) << size;
    EXPECT_EQ(clsFileInfo::formatSize(5LL * 1073741824, true), "5.00GB (5,368,709,120 bytes)");
    EXPECT_EQ(clsFileInfo::formatSize(500, true), "500 bytes");  // already the byte count
}

TEST_F(clsFileInfoTest, DetailFlagTakesEffectAtTheNextRefresh)
{
    info.setFilePath(file("a.bin", QByteArray(1536, 'x')));
    EXPECT_EQ(info.fSizeFormated(1), "1.50KB");
    info.RefreshInfo();
    EXPECT_EQ(info.fSizeFormated(1), "1.50KB (1,536 bytes)");
    // A request without the argument turns the detail off, again for the next refresh.
    EXPECT_EQ(info.fSizeFormated(), "1.50KB (1,536 bytes)");
    info.setFilePath(file("b.bin", QByteArray(2048, 'x')));
    EXPECT_EQ(info.fSizeFormated(), "2.00KB");
}

TEST_F(clsFileInfoTest, FactsOfAPngStayUntilAReadablePathReplacesThem)
{
    const QString path = test::writePng(test::gradientPicture(8, 6), dir.filePath("Photo.1.png"));
    const QDateTime modified(QDate(2001, 2, 3), QTime(4, 5, 6));
    {
        QFile png(path);
        ASSERT_TRUE(png.open(QIODevice::ReadWrite));
        ASSERT_TRUE(png.setFileTime(modified, QFileDevice::FileModificationTime));
    }
    info.setFilePath(path);
    info.setFilePath(dir.filePath("missing.txt"));
    info.setFilePath(dir.path());  // a folder is no file
    EXPECT_EQ(info.FilePath(), path);
    EXPECT_EQ(info.fName32bit(), "Photo.1.png");
    EXPECT_EQ(info.fPath16bit(), path);
    EXPECT_EQ(info.fLocation(), dir.path() + u'/');
    EXPECT_EQ(info.fFileExtention(), "png");
    EXPECT_EQ(info.fSize(), QFile(path).size());
    EXPECT_EQ(info.fType(), QMimeDatabase().mimeTypeForName("image/png").comment());
    EXPECT_EQ(info.fIconName(), "image-png");
    const QLocale locale = QLocale::system();
    EXPECT_EQ(info.fDateModified(), locale.toString(modified.date(), QLocale::ShortFormat) + u' ' +
                                        locale.toString(modified.time(), QLocale::LongFormat));
    EXPECT_FALSE(info.fDateCreated().isEmpty() || info.fDateAccessed().isEmpty());
    EXPECT_TRUE(info.fATTR_Normal());

    info.ClearFileInfo();
    EXPECT_EQ(info.FilePath(), QString());
    EXPECT_EQ(info.fSize(), 0);
    EXPECT_EQ(info.fType(), QString());
}

TEST_F(clsFileInfoTest, HiddenReadOnlyAndUntypedFiles)
{
    info.setFilePath(file(".lumorarc", "x"));
    EXPECT_TRUE(info.fATTR_Hidden());
    EXPECT_FALSE(info.fATTR_ReadOnly() || info.fATTR_Normal());
    const QString locked = file("locked.txt", "x");
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    info.setFilePath(locked);
    EXPECT_TRUE(info.fATTR_ReadOnly());
    EXPECT_FALSE(info.fATTR_Hidden() || info.fATTR_Normal());

    // When the MIME database cannot tell, the type is named after the extension.
    for (const auto& [name, extension, type] :
         {std::array{"rawdata", "", "File"}, std::array{"scan.xyzq", "xyzq", "XYZQ File"}}) {
        info.setFilePath(file(name, QByteArray("\0\1\2\xff", 4)));
        ASSERT_TRUE(QMimeDatabase().mimeTypeForFile(info.FilePath()).isDefault()) << name;
        EXPECT_EQ(info.fFileExtention(), extension);
        EXPECT_EQ(info.fType(), type);
    }
}

TEST_F(clsFileInfoTest, PathHelpers)
{
    EXPECT_EQ(clsFileInfo::StripFileFromPath("/home/ann/a.b.jpg"), "a.b.jpg");
    EXPECT_EQ(clsFileInfo::StripFileFromPath("a.jpg"), "a.jpg");
    EXPECT_EQ(clsFileInfo::StripFileExtention("a.b.jpg"), "jpg");
    EXPECT_EQ(clsFileInfo::StripFileExtention("README"), QString());

    const QString jpeg = file("Long Name.jpeg", "1");
    QStringList warnings;
    info.setWarningHandler([&](const QString& message) { warnings << message; });
    EXPECT_EQ(info.ConvertLong2Short(jpeg), jpeg);
    const QString missing = dir.filePath("gone.jpg");  // the only one to warn
    EXPECT_EQ(info.ConvertLong2Short(missing), QString());
    EXPECT_EQ(warnings, QStringList{"  File Not Found\r\r" + missing +
                                    "\r\rCould not find this file to convert to 16bit file name."});
}

}  // namespace
