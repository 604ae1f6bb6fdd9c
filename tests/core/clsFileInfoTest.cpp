// File information: size texts, the facts of real files and the path helpers.

#include "core/clsFileInfo.h"

#include "support/TestImages.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QMimeDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;

namespace {

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
    return path;
}

QString size(qint64 s, bool detail = false) { return clsFileInfo::formatSize(s, detail); }

TEST(clsFileInfo, SizeTextsAtEachStep)
{
    EXPECT_EQ(size(500), QStringLiteral("500 bytes"));
    EXPECT_EQ(size(1023), QStringLiteral("1,023 bytes"));
    EXPECT_EQ(size(1024), QStringLiteral("1.00KB"));
    EXPECT_EQ(size(1152), QStringLiteral("1.13KB"));  // exactly 1.125: half up
    EXPECT_EQ(size(1536), QStringLiteral("1.50KB"));
    EXPECT_EQ(size(10239), QStringLiteral("10.00KB"));  // k = 9: still two decimals
    EXPECT_EQ(size(10240), QStringLiteral("10.0KB"));
    EXPECT_EQ(size(20480), QStringLiteral("20.0KB"));
    EXPECT_EQ(size(1023999), QStringLiteral("1000.0KB"));  // k = 999
    EXPECT_EQ(size(1024000), QStringLiteral("0.98MB"));
    EXPECT_EQ(size(5 * 1048576), QStringLiteral("5.00MB"));
    EXPECT_EQ(size(10240000), QStringLiteral("9.8MB"));
    EXPECT_EQ(size(1024000000), QStringLiteral("0.95GB"));
    EXPECT_EQ(size(10240000000), QStringLiteral("9.5GB"));  // beyond any 32-bit size
    EXPECT_EQ(size(-1), QStringLiteral("0.0KB (0 bytes)"));

    EXPECT_EQ(size(1536, true), QStringLiteral("1.50KB (1,536 bytes)"));
    EXPECT_EQ(size(5LL * 1073741824, true), QStringLiteral("5.00GB (5,368,709,120 bytes)"));
    EXPECT_EQ(size(500, true), QStringLiteral("500 bytes"));  // already the byte count
}

TEST(clsFileInfo, DetailFlagTakesEffectAtTheNextRefresh)
{
    QTemporaryDir dir;
    clsFileInfo info;
    info.setFilePath(writeFile(dir.filePath(QStringLiteral("a.bin")), QByteArray(1536, 'x')));
    EXPECT_EQ(info.fSizeFormated(1), QStringLiteral("1.50KB"));
    info.RefreshInfo();
    EXPECT_EQ(info.fSizeFormated(1), QStringLiteral("1.50KB (1,536 bytes)"));
    // A request without the argument turns the detail off, again for the next refresh.
    EXPECT_EQ(info.fSizeFormated(), QStringLiteral("1.50KB (1,536 bytes)"));
    info.setFilePath(writeFile(dir.filePath(QStringLiteral("b.bin")), QByteArray(2048, 'x')));
    EXPECT_EQ(info.fSizeFormated(), QStringLiteral("2.00KB"));
}

TEST(clsFileInfo, FactsOfAPng)
{
    QTemporaryDir dir;
    const QString path = test::writePng(test::gradientPicture(8, 6), dir.filePath(QStringLiteral("Photo.1.png")));
    const QDateTime modified(QDate(2001, 2, 3), QTime(4, 5, 6));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    }

    clsFileInfo info;
    info.setFilePath(path);
    EXPECT_EQ(info.fName32bit(), QStringLiteral("Photo.1.png"));
    EXPECT_EQ(info.fPath16bit(), path);
    EXPECT_EQ(info.fLocation(), dir.path() + u'/');
    EXPECT_EQ(info.fFileExtention(), QStringLiteral("png"));
    EXPECT_EQ(info.fSize(), QFile(path).size());
    EXPECT_EQ(info.fType(), QMimeDatabase().mimeTypeForName(QStringLiteral("image/png")).comment());
    EXPECT_EQ(info.fIconName(), QStringLiteral("image-png"));
    const QLocale locale = QLocale::system();
    EXPECT_EQ(info.fDateModified(), locale.toString(modified.date(), QLocale::ShortFormat) + u' '
                                        + locale.toString(modified.time(), QLocale::LongFormat));
    EXPECT_FALSE(info.fDateCreated().isEmpty());
    EXPECT_FALSE(info.fDateAccessed().isEmpty());
    EXPECT_TRUE(info.fATTR_Normal());
    EXPECT_EQ(info.fSizeCompressedFormated(), QStringLiteral("Not Compressed"));
    EXPECT_EQ(info.fTargetOS(), QStringLiteral("Undefined or Unknown"));

    info.ClearFileInfo();
    EXPECT_EQ(info.FilePath(), QString());
    EXPECT_EQ(info.fSize(), 0);
    EXPECT_EQ(info.fType(), QString());
}

TEST(clsFileInfo, HiddenAndReadOnlyFiles)
{
    QTemporaryDir dir;
    clsFileInfo info;
    info.setFilePath(writeFile(dir.filePath(QStringLiteral(".lumorarc")), "x"));
    EXPECT_TRUE(info.fATTR_Hidden());
    EXPECT_FALSE(info.fATTR_ReadOnly());
    EXPECT_FALSE(info.fATTR_Normal());

    const QString locked = writeFile(dir.filePath(QStringLiteral("locked.txt")), "x");
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    info.setFilePath(locked);
    EXPECT_TRUE(info.fATTR_ReadOnly());
    EXPECT_FALSE(info.fATTR_Hidden());
    EXPECT_FALSE(info.fATTR_Normal());
}

TEST(clsFileInfo, TypeNameWhenTheMimeDatabaseCannotTell)
{
    QTemporaryDir dir;
    const struct {
        const char* name;
        const char* extension;
        const char* type;
    } cases[] = {{"rawdata", "", "File"}, {"scan.xyzq", "xyzq", "XYZQ File"}};
    for (const auto& c : cases) {
        const QString path = writeFile(dir.filePath(QString::fromLatin1(c.name)), QByteArray("\0\1\2\xff", 4));
        clsFileInfo info;
        info.setFilePath(path);
        EXPECT_EQ(info.fFileExtention(), QString::fromLatin1(c.extension));
        const QMimeType mime = QMimeDatabase().mimeTypeForFile(path);
        EXPECT_EQ(info.fType(), mime.isDefault() ? QString::fromLatin1(c.type) : mime.comment());
    }
}

TEST(clsFileInfo, PathThatCannotBeReadKeepsThePreviousFacts)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir.filePath(QStringLiteral("kept.txt")), "hello");
    clsFileInfo info;
    info.setFilePath(path);
    info.setFilePath(dir.filePath(QStringLiteral("missing.txt")));
    info.setFilePath(dir.path());  // a folder is no file
    EXPECT_EQ(info.FilePath(), path);
    EXPECT_EQ(info.fName32bit(), QStringLiteral("kept.txt"));
    EXPECT_EQ(info.fSize(), 5);
}

TEST(clsFileInfo, PathHelpers)
{
    EXPECT_EQ(clsFileInfo::StripFileFromPath(QStringLiteral("/home/ann/a.b.jpg")), QStringLiteral("a.b.jpg"));
    EXPECT_EQ(clsFileInfo::StripFileFromPath(QStringLiteral("a.jpg")), QStringLiteral("a.jpg"));
    EXPECT_EQ(clsFileInfo::StripFileExtention(QStringLiteral("a.b.jpg")), QStringLiteral("jpg"));
    EXPECT_EQ(clsFileInfo::StripFileExtention(QStringLiteral("README")), QString());
    EXPECT_EQ(clsFileInfo::targetOSName(0x40004), QStringLiteral("Win32 API on Windows NT"));
    EXPECT_EQ(clsFileInfo::targetOSName(0x40001), QStringLiteral("Undefined or Unknown"));

    QTemporaryDir dir;
    const QString file = writeFile(dir.filePath(QStringLiteral("Long Name.jpeg")), "1");
    QStringList warnings;
    clsFileInfo info;
    info.setWarningHandler([&](const QString& message) { warnings << message; });
    EXPECT_EQ(info.ConvertLong2Short(file), file);
    EXPECT_TRUE(warnings.isEmpty());
    const QString missing = dir.filePath(QStringLiteral("gone.jpg"));
    EXPECT_EQ(info.ConvertLong2Short(missing), QString());
    EXPECT_EQ(warnings, QStringList{QStringLiteral("  File Not Found\r\r") + missing
                                    + QStringLiteral("\r\rCould not find this file to convert to 16bit file name.")});
}

}  // namespace
