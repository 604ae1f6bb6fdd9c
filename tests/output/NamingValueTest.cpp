// Values of the naming tokens for a loaded photo: sizes, file facts, and EXIF and IPTC written by
// exiftool, read through the engine.

#include "OutputTestFiles.h"

#include "engine/ImageBox.h"
#include "output/NamingDateText.h"
#include "output/NamingTokens.h"
#include "output/NamingValue.h"

#include "support/FileBytes.h"
#include "support/TestImages.h"

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
    QString value(const QString& token, const QString& extension = QStringLiteral("jpg"))
    {
        return fncRetrieveNamingString(engine, token, photo, extension);
    }
    QStringList values(const QStringList& tokens)
    {
        QStringList texts;
        for (const QString& token : tokens)
            texts.append(value(token));
        return texts;
    }

    // Loads the photo afresh, with its size in the tag as the batch does.
    void load()
    {
        engine.ClearImage();
        engine.LoadFromFile(photo);
        engine.SetTag(QStringLiteral("%1x%2").arg(engine.ImageWidth()).arg(engine.ImageHeight()));
    }

    QTemporaryDir dir;
    QString photo = makePhoto(dir.path(), QStringLiteral("p.jpg"), 40, 30);
    ImageBox engine{ImageBox::Mode::Batch};
};

TEST_F(NamingValue, EveryListedTokenStandsForAValueOfTheLoadedPhotoOnly)
{
    for (const QString& token : namingTokens())
        EXPECT_EQ(value(token), QString()) << "no image: " << token.toStdString();
    EXPECT_EQ(value(QStringLiteral("Holiday")), QString());

    // A photo with every EXIF and IPTC value the tokens read, none equal to a token's own text:
    // a token the naming does not recognise would come back as itself.
    writeExifTags(photo, {"-Make=Acme", "-Model=One", "-Artist=Ann", "-ImageDescription=Bay", "-ExifIFD:ExifImageWidth=40",
                          "-ExifIFD:ExifImageHeight=30", "-DateTimeOriginal=2020:01:02 03:04:05", "-IPTC:Headline=Head",
                          "-IPTC:Caption-Abstract=Cap", "-IPTC:By-line=Bob", "-IPTC:DateCreated=2020:01:02",
                          "-IPTC:ReleaseDate=2020:01:03", "-IPTC:ReferenceDate=2020:01:04",
                          "-IPTC:ReferenceNumber=12345678"});
    load();
    for (const QString& token : namingTokens().mid(1)) {
        EXPECT_FALSE(value(token).isEmpty()) << token.toStdString();
        EXPECT_NE(value(token), token) << token.toStdString();
    }
    EXPECT_EQ(value(QStringLiteral("[No Prefix]")), QString());
    EXPECT_EQ(value(QStringLiteral("Holiday")), QStringLiteral("Holiday"));
}

TEST_F(NamingValue, ResolutionsAndResultingSize)
{
    photo = makePhoto(dir.path(), QStringLiteral("p.png"), 64, 48);
    load();
    engine.ResampleTo(32, 20);
    EXPECT_EQ(values({"[Resulting resolution]", "[Source resolution]"}), (QStringList{"32x20", "64x48"}));

    // The size of the file the engine writes in that format, in KB rounded half to even.
    engine.SetJpegQuality(95);
    for (const QString& extension : {QStringLiteral("jpg"), QStringLiteral("png"), QStringLiteral("BMP")}) {
        const QString written = dir.filePath(QStringLiteral("size.") + extension);
        engine.SaveToFile(written);
        const double kb = static_cast<double>(QFileInfo(written).size()) / 1024.0;
        const QString text = value(QStringLiteral("[Resulting size]"), extension);
        ASSERT_TRUE(text.endsWith(QStringLiteral("Kb"))) << text.toStdString();
        EXPECT_EQ(text.chopped(2).toLongLong(), static_cast<qint64>(std::nearbyint(kb))) << extension.toStdString();
    }
    EXPECT_EQ(value(QStringLiteral("[Resulting size]"), QStringLiteral("xyz")), QString());
}

TEST_F(NamingValue, SourceFileFacts)
{
    load();
    // Padding makes the file exactly 20480 bytes: "20.0KB" as the file information shows it.
    QByteArray bytes = readBytes(photo);
    ASSERT_LT(bytes.size(), 20480);
    writeBytes(photo, bytes + QByteArray(20480 - bytes.size(), '\0'));
    QFile file(photo);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2021, 11, 5), QTime(14, 3, 9)), QFileDevice::FileModificationTime));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2020, 2, 29), QTime(0, 7, 0)), QFileDevice::FileAccessTime));
    file.close();
    EXPECT_EQ(values({"[Source size]", "[Source Date Modified]", "[Source Date Accessed]"}),
              (QStringList{"20.0KB", "11.5.2021 2.03.09 PM", "2.29.2020 12.07.00 AM"}));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{1,2}\\.\\d{1,2}\\.\\d{4} \\d{1,2}\\.\\d\\d\\.\\d\\d [AP]M$"))
                    .match(value(QStringLiteral("[Source Date Created]")))
                    .hasMatch());
}

TEST_F(NamingValue, ExifTextsAndPairs)
{
    writeExifTags(photo, {"-Artist=Ann Lee", "-ImageDescription=Harbour at dawn"});
    load();
    // Neither half there: nothing, not a lone separator.
    EXPECT_EQ(values({"[EXIF Artist]", "[EXIF Image Description]", "[EXIF Make & Model]", "[EXIF X-Y Dimension]"}),
              (QStringList{"Ann Lee", "Harbour at dawn", "", ""}));
    writeExifTags(photo, {"-Model=EOS 5D", "-ExifIFD:ExifImageWidth=4368"});
    load();
    EXPECT_EQ(values({"[EXIF Make]", "[EXIF Make & Model]", "[EXIF X-Y Dimension]"}), (QStringList{"", "-EOS 5D", "4368x"}));
    writeExifTags(photo, {"-Make=Canon", "-ExifIFD:ExifImageHeight=2912"});
    load();
    EXPECT_EQ(values({"[EXIF Make & Model]", "[EXIF Model]", "[EXIF X-Y Dimension]"}),
              (QStringList{"Canon-EOS 5D", "EOS 5D", "4368x2912"}));
    // A text ends at its first NUL, as EXIF readers take it; a name takes no padding.
    engine.SetExifAttribute("Model", QStringLiteral("ION230") + QChar(0) + QStringLiteral("F"));
    engine.SetExifAttribute("Artist", "Ann Lee   ");
    EXPECT_EQ(engine.ExifValueByName("Model"), "ION230");
    EXPECT_EQ(values({"[EXIF Model]", "[EXIF Artist]"}), (QStringList{"ION230", "Ann Lee"}));
}

TEST_F(NamingValue, ExifDateIsTheFirstDateAttributeOrToday)
{
    load();
    EXPECT_EQ(values({"[EXIF Date]", "[EXIF Date-Time]"}), (QStringList{"", ""}));  // no EXIF at all

    // EXIF without a date: today, as the today tokens give it.
    writeExifTags(photo, {"-Artist=Ann"});
    load();
    const QDate before = QDate::currentDate();
    const QStringList today = values({"[EXIF Date]", "[Date Today]", "[Date Today-Time]"});
    const QDate after = QDate::currentDate();
    for (const QString& text : today)
        EXPECT_TRUE(text.section(u' ', 0, 0) == namingDateText(before) || text.section(u' ', 0, 0) == namingDateText(after))
            << text.toStdString();
    EXPECT_EQ(today[0], today[1]);
    EXPECT_TRUE(today[2].startsWith(today[1] + u' ')) << today[2].toStdString();

    writeExifTags(photo, {"-ExifIFD:DateTimeOriginal=2019:05:06 19:08:09", "-ExifIFD:DateTimeDigitized=2018:01:01 00:00:00"});
    load();
    EXPECT_EQ(values({"[EXIF Date]", "[EXIF Date-Time]"}), (QStringList{"5.6.2019", "5.6.2019 7.08.09 PM"}));
    // IFD0's DateTime comes first in the file.
    writeExifTags(photo, {"-IFD0:ModifyDate=2021:12:31 08:00:01"});
    load();
    EXPECT_EQ(value(QStringLiteral("[EXIF Date-Time]")), QStringLiteral("12.31.2021 8.00.01 AM"));
}

TEST_F(NamingValue, IptcTextsAndDates)
{
    const QStringList tokens{"[IPTC Headline]", "[IPTC Caption]", "[IPTC Author]", "[IPTC Ref. Number]",
                             "[IPTC Date Created]"};
    load();
    EXPECT_EQ(values(tokens), (QStringList{"", "", "", "", ""}));
    writeExifTags(photo, {"-IPTC:Headline=Storm", "-IPTC:Caption-Abstract=Waves", "-IPTC:By-line=Bob Roe",
                          "-IPTC:DateCreated=2020:01:02", "-IPTC:ReferenceNumber=12345678"});
    load();
    EXPECT_EQ(values(tokens), (QStringList{"Storm", "Waves", "Bob Roe", "12345678", "1.2.2020 12.00.00 AM"}));
}

}  // namespace
