// Values of the naming tokens for a loaded photo: sizes, file facts, and EXIF and IPTC written by
// exiftool, read through the engine.

#include "OutputTestFiles.h"

#include "engine/ImageBox.h"
#include "output/NamingDateText.h"
#include "output/NamingTokens.h"
#include "output/NamingValue.h"

#include "support/FileBytes.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace lumora;
using namespace lumora::test;

namespace {

class NamingValue : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    QString value(const QString& token, const QString& source, const QString& extension = QStringLiteral("jpg"))
    {
        return fncRetrieveNamingString(engine, token, source, extension);
    }

    void load(const QString& file)
    {
        engine.ClearImage();
        engine.LoadFromFile(file);
        engine.SetTag(QStringLiteral("%1x%2").arg(engine.ImageWidth()).arg(engine.ImageHeight()));
    }

    QTemporaryDir dir;
    ImageBox engine{ImageBox::Mode::Batch};
};

TEST_F(NamingValue, WithoutAnImageEveryTokenIsEmpty)
{
    const QString photo = makePhoto(dir.path(), QStringLiteral("p.png"), 10, 10);
    for (const QString& token : namingTokens())
        EXPECT_EQ(value(token, photo), QString()) << token.toStdString();
    EXPECT_EQ(value(QStringLiteral("Holiday"), photo), QString());
}

TEST_F(NamingValue, EveryListedTokenStandsForAValue)
{
    // A photo with every EXIF and IPTC value the tokens read, none equal to a token's own text:
    // a token the naming does not recognise would come back as itself.
    const QString photo = makePhoto(dir.path(), QStringLiteral("p.jpg"), 40, 30);
    writeExifTags(photo, {QStringLiteral("-Make=Acme"), QStringLiteral("-Model=One"), QStringLiteral("-Artist=Ann"),
                          QStringLiteral("-ImageDescription=Bay"), QStringLiteral("-ExifIFD:ExifImageWidth=40"),
                          QStringLiteral("-ExifIFD:ExifImageHeight=30"),
                          QStringLiteral("-DateTimeOriginal=2020:01:02 03:04:05"),
                          QStringLiteral("-IPTC:Headline=Head"), QStringLiteral("-IPTC:Caption-Abstract=Cap"),
                          QStringLiteral("-IPTC:By-line=Bob"), QStringLiteral("-IPTC:DateCreated=2020:01:02"),
                          QStringLiteral("-IPTC:ReleaseDate=2020:01:03"), QStringLiteral("-IPTC:ReferenceDate=2020:01:04"),
                          QStringLiteral("-IPTC:ReferenceNumber=12345678")});
    load(photo);
    for (const QString& token : namingTokens()) {
        if (token == u"[No Prefix]")
            continue;
        const QString v = value(token, photo);
        EXPECT_FALSE(v.isEmpty()) << token.toStdString();
        EXPECT_NE(v, token) << token.toStdString();
    }
    EXPECT_EQ(value(QStringLiteral("[No Prefix]"), photo), QString());
    EXPECT_EQ(value(QStringLiteral("Holiday"), photo), QStringLiteral("Holiday"));
}

TEST_F(NamingValue, ResolutionsAndResultingSize)
{
    const QString photo = makePhoto(dir.path(), QStringLiteral("p.png"), 64, 48);
    load(photo);
    engine.ResampleTo(32, 20);
    EXPECT_EQ(value(QStringLiteral("[Resulting resolution]"), photo), QStringLiteral("32x20"));
    EXPECT_EQ(value(QStringLiteral("[Source resolution]"), photo), QStringLiteral("64x48"));

    // The size of the file the engine writes in that format, in KB rounded half to even.
    engine.SetJpegQuality(95);
    for (const QString& extension : {QStringLiteral("jpg"), QStringLiteral("png"), QStringLiteral("BMP")}) {
        const QString written = path(QStringLiteral("size.") + extension);
        engine.SaveToFile(written);
        const double kb = static_cast<double>(QFileInfo(written).size()) / 1024.0;
        const QString text = value(QStringLiteral("[Resulting size]"), photo, extension);
        ASSERT_TRUE(text.endsWith(QStringLiteral("Kb"))) << text.toStdString();
        EXPECT_EQ(text.chopped(2).toLongLong(), static_cast<qint64>(std::nearbyint(kb))) << extension.toStdString();
    }
    EXPECT_EQ(value(QStringLiteral("[Resulting size]"), photo, QStringLiteral("xyz")), QString());
}

TEST_F(NamingValue, SourceFileFacts)
{
    const QString photo = makePhoto(dir.path(), QStringLiteral("p.png"), 64, 48);
    load(photo);
    // Padding makes the file exactly 20480 bytes: "20.0KB" as the file information shows it.
    QByteArray bytes = readBytes(photo);
    ASSERT_LT(bytes.size(), 20480);
    bytes.append(QByteArray(20480 - bytes.size(), '\0'));
    writeBytes(photo, bytes);
    EXPECT_EQ(value(QStringLiteral("[Source size]"), photo), QStringLiteral("20.0KB"));

    QFile file(photo);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2021, 11, 5), QTime(14, 3, 9)), QFileDevice::FileModificationTime));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2020, 2, 29), QTime(0, 7, 0)), QFileDevice::FileAccessTime));
    file.close();
    EXPECT_EQ(value(QStringLiteral("[Source Date Modified]"), photo), QStringLiteral("11.5.2021 2.03.09 PM"));
    EXPECT_EQ(value(QStringLiteral("[Source Date Accessed]"), photo), QStringLiteral("2.29.2020 12.07.00 AM"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{1,2}\\.\\d{1,2}\\.\\d{4} \\d{1,2}\\.\\d\\d\\.\\d\\d [AP]M$"))
                    .match(value(QStringLiteral("[Source Date Created]"), photo))
                    .hasMatch());
}

TEST_F(NamingValue, TodayTokens)
{
    const QString photo = makePhoto(dir.path(), QStringLiteral("p.png"), 8, 8);
    load(photo);
    const QDate before = QDate::currentDate();
    const QString today = value(QStringLiteral("[Date Today]"), photo);
    const QString now = value(QStringLiteral("[Date Today-Time]"), photo);
    const QDate after = QDate::currentDate();
    EXPECT_TRUE(today == namingDateText(before) || today == namingDateText(after)) << today.toStdString();
    EXPECT_TRUE(now.startsWith(namingDateText(before) + u' ') || now.startsWith(namingDateText(after) + u' '))
        << now.toStdString();
}

TEST_F(NamingValue, ExifTextsAndPairs)
{
    const QString photo = makePhoto(dir.path(), QStringLiteral("p.jpg"), 40, 30);
    writeExifTags(photo, {QStringLiteral("-Artist=Ann Lee"), QStringLiteral("-ImageDescription=Harbour at dawn")});
    load(photo);
    EXPECT_EQ(value(QStringLiteral("[EXIF Artist]"), photo), QStringLiteral("Ann Lee"));
    EXPECT_EQ(value(QStringLiteral("[EXIF Image Description]"), photo), QStringLiteral("Harbour at dawn"));
    // Neither half there: nothing, not a lone separator.
    EXPECT_EQ(value(QStringLiteral("[EXIF Make & Model]"), photo), QString());
    EXPECT_EQ(value(QStringLiteral("[EXIF X-Y Dimension]"), photo), QString());

    writeExifTags(photo, {QStringLiteral("-Model=EOS 5D"), QStringLiteral("-ExifIFD:ExifImageWidth=4368")});
    load(photo);
    EXPECT_EQ(value(QStringLiteral("[EXIF Make]"), photo), QString());
    EXPECT_EQ(value(QStringLiteral("[EXIF Make & Model]"), photo), QStringLiteral("-EOS 5D"));
    EXPECT_EQ(value(QStringLiteral("[EXIF X-Y Dimension]"), photo), QStringLiteral("4368x"));

    writeExifTags(photo, {QStringLiteral("-Make=Canon"), QStringLiteral("-ExifIFD:ExifImageHeight=2912")});
    load(photo);
    EXPECT_EQ(value(QStringLiteral("[EXIF Make & Model]"), photo), QStringLiteral("Canon-EOS 5D"));
    EXPECT_EQ(value(QStringLiteral("[EXIF Model]"), photo), QStringLiteral("EOS 5D"));
    EXPECT_EQ(value(QStringLiteral("[EXIF X-Y Dimension]"), photo), QStringLiteral("4368x2912"));
}

TEST_F(NamingValue, ExifDateIsTheFirstDateAttributeOrToday)
{
    const QString photo = makePhoto(dir.path(), QStringLiteral("p.jpg"), 40, 30);
    load(photo);
    EXPECT_EQ(value(QStringLiteral("[EXIF Date]"), photo), QString());  // no EXIF at all
    EXPECT_EQ(value(QStringLiteral("[EXIF Date-Time]"), photo), QString());

    writeExifTags(photo, {QStringLiteral("-Artist=Ann")});
    load(photo);
    const QDate before = QDate::currentDate();
    const QString today = value(QStringLiteral("[EXIF Date]"), photo);  // EXIF without a date: today
    const QDate after = QDate::currentDate();
    EXPECT_TRUE(today == namingDateText(before) || today == namingDateText(after)) << today.toStdString();

    writeExifTags(photo, {QStringLiteral("-ExifIFD:DateTimeOriginal=2019:05:06 19:08:09"),
                          QStringLiteral("-ExifIFD:DateTimeDigitized=2018:01:01 00:00:00")});
    load(photo);
    EXPECT_EQ(value(QStringLiteral("[EXIF Date]"), photo), QStringLiteral("5.6.2019"));
    EXPECT_EQ(value(QStringLiteral("[EXIF Date-Time]"), photo), QStringLiteral("5.6.2019 7.08.09 PM"));

    // IFD0's DateTime comes first in the file.
    writeExifTags(photo, {QStringLiteral("-IFD0:ModifyDate=2021:12:31 08:00:01")});
    load(photo);
    EXPECT_EQ(value(QStringLiteral("[EXIF Date-Time]"), photo), QStringLiteral("12.31.2021 8.00.01 AM"));
}

TEST_F(NamingValue, IptcTextsAndDates)
{
    const QString photo = makePhoto(dir.path(), QStringLiteral("p.jpg"), 40, 30);
    load(photo);
    for (const QString& token : {QStringLiteral("[IPTC Headline]"), QStringLiteral("[IPTC Date Created]"),
                                QStringLiteral("[IPTC Ref. Number]")})
        EXPECT_EQ(value(token, photo), QString()) << token.toStdString();

    writeExifTags(photo, {QStringLiteral("-IPTC:Headline=Storm"), QStringLiteral("-IPTC:Caption-Abstract=Waves"),
                          QStringLiteral("-IPTC:By-line=Bob Roe"), QStringLiteral("-IPTC:DateCreated=2020:01:02"),
                          QStringLiteral("-IPTC:ReferenceNumber=12345678")});
    load(photo);
    EXPECT_EQ(value(QStringLiteral("[IPTC Headline]"), photo), QStringLiteral("Storm"));
    EXPECT_EQ(value(QStringLiteral("[IPTC Caption]"), photo), QStringLiteral("Waves"));
    EXPECT_EQ(value(QStringLiteral("[IPTC Author]"), photo), QStringLiteral("Bob Roe"));
    EXPECT_EQ(value(QStringLiteral("[IPTC Ref. Number]"), photo), QStringLiteral("12345678"));
    EXPECT_EQ(value(QStringLiteral("[IPTC Date Created]"), photo), QStringLiteral("1.2.2020 12.00.00 AM"));
}

}  // namespace
