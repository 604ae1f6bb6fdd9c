// The engine's EXIF: what exiftool and the exiv2 program write into a photo comes back under the
// right names, in file order, with the right value texts; edits reach the file with their proper
// types and places; damaged EXIF blocks cost attributes, never the photo.

#include "MetadataTestFiles.h"
#include "engine/EngineError.h"
#include "engine/ImageBox.h"
#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/TestImages.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;
using namespace lumora::test::metafiles;

namespace {

class ExifFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ImageBox box;

    QString path(const QString& name) const { return dir.filePath(name); }

    QStringList names() const
    {
        QStringList all;
        for (int i = 0; i < box.ExifCount(); ++i)
            all.append(box.ExifNameAt(i));
        return all;
    }

    // A JPEG with a typical camera's attributes, written by exiftool and the exiv2 program (the
    // latter for rationals it must not reduce: 28/10).
    QString cameraJpeg(const QString& name = QStringLiteral("camera.jpg"))
    {
        const QString file = path(name);
        makePlainJpeg(file);
        EXPECT_TRUE(exiftoolWrite(file, {QStringLiteral("-Make=Canon"), QStringLiteral("-Model=EOS 5D"),
                                         QStringLiteral("-DateTimeOriginal=2021:07:04 10:20:30"),
                                         QStringLiteral("-ExposureTime=1/250"), QStringLiteral("-ExposureCompensation=-1/3"),
                                         QStringLiteral("-Orientation#=6"), QStringLiteral("-ExifVersion=0220"),
                                         QStringLiteral("-ComponentsConfiguration#=1 2 3 0"),
                                         QStringLiteral("-UserComment=Hello there"), QStringLiteral("-GPSLatitude=52.5"),
                                         QStringLiteral("-GPSLatitudeRef=N"), QStringLiteral("-ISO=200")}));
        const ToolResult exiv2 = runTool(QStringLiteral("exiv2"),
                                         {QStringLiteral("-M"), QStringLiteral("set Exif.Photo.FNumber Rational 28/10"),
                                          QStringLiteral("-M"), QStringLiteral("set Exif.Image.BitsPerSample Short 8 8 8"),
                                          QStringLiteral("-M"),
                                          QStringLiteral("set Exif.Photo.DeviceSettingDescription Undefined 171 205 239 0"),
                                          QStringLiteral("-M"), QStringLiteral("set Exif.Photo.0x9999 SShort -7 12"), file});
        EXPECT_EQ(exiv2.exitCode, 0) << exiv2.err.toStdString();
        return file;
    }
};

// The engine's name of an exiv2 key of the four listed IFDs; empty for any other key.
QString listedNameOf(const QString& key)
{
    static const QStringList groups = {QStringLiteral("Exif.Image."), QStringLiteral("Exif.Photo."),
                                       QStringLiteral("Exif.GPSInfo."), QStringLiteral("Exif.Iop.")};
    if (key == u"Exif.Image.ExifTag")
        return QStringLiteral("ExifOffset");
    if (key == u"Exif.Image.GPSTag")
        return QStringLiteral("GPSInfo");
    if (key == u"Exif.Photo.InteroperabilityTag")
        return QStringLiteral("InteroperabilityOffset");
    if (key == u"Exif.Photo.FlashpixVersion")
        return QStringLiteral("FlashPixVersion");
    if (key == u"Exif.Photo.RelatedSoundFile")
        return QStringLiteral("RelatedAudioFile");
    for (const QString& group : groups)
        if (key.startsWith(group))
            return key.mid(group.size());
    return {};
}

// The engine's text of a value as the exiv2 program prints it plainly: values apart by blanks,
// undefined bytes in decimal.
QString engineTextOf(const Exiv2Row& row)
{
    if (row.type == u"Ascii")
        return row.value;
    const QStringList parts = row.value.split(u' ', Qt::SkipEmptyParts);
    if (row.type != u"Undefined")
        return parts.join(u',');
    QStringList hex;
    for (const QString& part : parts)
        hex.append(QStringLiteral("%1").arg(part.toInt(), 2, 16, QLatin1Char('0')).toUpper());
    return hex.join(u',');
}

TEST_F(ExifFiles, AttributesOtherToolsWroteComeBackWithTheirNamesAndTexts)
{
    box.LoadFromFile(cameraJpeg());
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("Make")), QStringLiteral("Canon"));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("Model")), QStringLiteral("EOS 5D"));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("DateTimeOriginal")), QStringLiteral("2021:07:04 10:20:30"));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("ExposureTime")), QStringLiteral("1/250"));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("FNumber")), QStringLiteral("28/10"));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("ExposureBiasValue")), QStringLiteral("-1/3"));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("Orientation")), QStringLiteral("6"));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("ISOSpeedRatings")), QStringLiteral("200"));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("BitsPerSample")), QStringLiteral("8,8,8"));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("ExifVersion")), QStringLiteral("30,32,32,30"));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("ComponentsConfiguration")), QStringLiteral("01,02,03,00"));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("DeviceSettingDescription")), QStringLiteral("AB,CD,EF,00"));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("0x9999")), QStringLiteral("-7,12"));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("UserComment")), QStringLiteral("Hello there"));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("GPSLatitude")), QStringLiteral("52/1,30/1,0/1"));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("GPSLatitudeRef")), QStringLiteral("N"));
    EXPECT_FALSE(box.ExifValueByName(QStringLiteral("ExifOffset")).isEmpty());
    EXPECT_FALSE(box.ExifValueByName(QStringLiteral("GPSInfo")).isEmpty());
}

TEST_F(ExifFiles, EveryAttributeFollowsTheFileOrderWithTheExiv2ProgramsValue)
{
    const QString file = cameraJpeg();
    // An interoperability IFD too, so that all four listed IFDs and their pointers are there.
    ASSERT_TRUE(exiftoolWrite(file, {QStringLiteral("-InteropIndex=R98")}));
    box.LoadFromFile(file);

    QStringList expectedNames;
    for (const Exiv2Row& row : exiv2Rows(file)) {
        const QString name = listedNameOf(row.key);
        if (name.isEmpty())
            continue;
        expectedNames.append(name);
        if (name != u"UserComment") {
            EXPECT_EQ(box.ExifValueByName(name), engineTextOf(row)) << row.key.toStdString();
        }
    }
    EXPECT_TRUE(expectedNames.contains(QStringLiteral("InteroperabilityOffset")));
    EXPECT_TRUE(expectedNames.contains(QStringLiteral("InteroperabilityIndex")));
    EXPECT_EQ(names(), expectedNames);
}

TEST_F(ExifFiles, IndexesOutsideTheListAndMissingNamesGiveEmptyTexts)
{
    box.LoadFromFile(cameraJpeg());
    ASSERT_GT(box.ExifCount(), 10);
    EXPECT_EQ(box.ExifNameAt(-1), QString());
    EXPECT_EQ(box.ExifValueAt(box.ExifCount()), QString());
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("LensModel")), QString());
    EXPECT_EQ(box.ExifNameAt(0), names().first());
}

TEST_F(ExifFiles, TheMakerNoteIsOneRowWhereItStood)
{
    const QString file = path("maker.jpg");
    makePlainJpeg(file);
    // Exiv2 builds a Canon maker note of its own, which it also parses back into groups.
    const ToolResult made = runTool(QStringLiteral("exiv2"),
                                    {QStringLiteral("-M"), QStringLiteral("set Exif.Image.Make Canon"), QStringLiteral("-M"),
                                     QStringLiteral("set Exif.Canon.OwnerName Ascii Tester"), QStringLiteral("-M"),
                                     QStringLiteral("set Exif.Photo.UserComment charset=Ascii after"), file});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    const Exiv2Row makerNote = exiv2Row(file, QStringLiteral("Exif.Photo.MakerNote"));
    ASSERT_EQ(makerNote.type, QStringLiteral("Undefined"));
    const qsizetype size = makerNote.value.split(u' ', Qt::SkipEmptyParts).size();

    box.LoadFromFile(file);
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Make"), QStringLiteral("ExifOffset"), QStringLiteral("MakerNote"),
                                    QStringLiteral("UserComment")}));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("MakerNote")), QStringLiteral("[Maker note, %1 bytes]").arg(size));

    // A maker note nobody parses is one row as well.
    ASSERT_EQ(runTool(QStringLiteral("exiv2"), {QStringLiteral("-M"), QStringLiteral("set Exif.Image.Make Nobody"),
                                                QStringLiteral("-M"), QStringLiteral("del Exif.Canon.OwnerName"),
                                                QStringLiteral("-M"),
                                                QStringLiteral("set Exif.Photo.MakerNote Undefined 1 2 3 4 5"), file})
                  .exitCode,
              0);
    box.LoadFromFile(file);
    EXPECT_EQ(names().count(QStringLiteral("MakerNote")), 1);
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("MakerNote")), QStringLiteral("[Maker note, 5 bytes]"));
}

TEST_F(ExifFiles, TheThumbnailsIfdIsNotListed)
{
    const QString file = cameraJpeg();
    makePlainJpeg(path("thumb.jpg"), 8, 6);
    ASSERT_TRUE(exiftoolWrite(file, {QStringLiteral("-ThumbnailImage<=") + path("thumb.jpg")}));
    ASSERT_FALSE(exiv2Row(file, QStringLiteral("Exif.Thumbnail.JPEGInterchangeFormat")).key.isEmpty());
    box.LoadFromFile(file);
    EXPECT_FALSE(names().contains(QStringLiteral("JPEGInterchangeFormat")));
    EXPECT_FALSE(names().contains(QStringLiteral("Compression")));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("Make")), QStringLiteral("Canon"));
}

TEST_F(ExifFiles, TiffPsdAndPngFilesHaveTheirExifOtherFormatsNone)
{
    writePng(gradientPicture(16, 12), path("source.png"));
    for (const char* name : {"a.tif", "a.psd", "a.png"}) {
        const QString file = path(QString::fromLatin1(name));
        ASSERT_EQ(runTool(QStringLiteral("convert"), {path("source.png"), file}).exitCode, 0);
        ASSERT_TRUE(exiftoolWrite(file, {QStringLiteral("-EXIF:Artist=Ann Example"),
                                         QStringLiteral("-EXIF:DateTimeOriginal=2020:01:02 03:04:05")}));
        box.LoadFromFile(file);
        EXPECT_EQ(box.ExifValueByName(QStringLiteral("Artist")), QStringLiteral("Ann Example")) << name;
        EXPECT_EQ(box.ExifValueByName(QStringLiteral("DateTimeOriginal")), QStringLiteral("2020:01:02 03:04:05")) << name;
    }
    // A TIFF's IPTC and XMP tags hold other metadata, not attributes.
    ASSERT_TRUE(exiftoolWrite(path("a.tif"), {QStringLiteral("-IPTC:Headline=Inside"), QStringLiteral("-XMP:Title=X")}));
    box.LoadFromFile(path("a.tif"));
    EXPECT_EQ(box.IptcText(IptcField::Headline), QStringLiteral("Inside"));
    EXPECT_FALSE(names().contains(QStringLiteral("IPTCNAA")));
    EXPECT_FALSE(names().contains(QStringLiteral("XMLPacket")));

    ASSERT_EQ(runTool(QStringLiteral("convert"), {path("source.png"), path("a.gif")}).exitCode, 0);
    box.LoadFromFile(path("a.gif"));
    EXPECT_EQ(box.ExifCount(), 0);
}

TEST(ExifDates, TextsAndDatesConvertBothWaysAndAnythingElseIsTheZeroDate)
{
    EXPECT_EQ(ImageBox::ZeroDate(), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    const QDateTime date(QDate(2021, 7, 4), QTime(10, 20, 30));
    EXPECT_EQ(ImageBox::ExifDateToDate(QStringLiteral("2021:07:04 10:20:30")), date);
    EXPECT_EQ(ImageBox::DateToExifDate(date), QStringLiteral("2021:07:04 10:20:30"));
    EXPECT_EQ(ImageBox::ExifDateToDate(QStringLiteral("2021:07:04 10:20:30") + QChar(0)), date);
    EXPECT_EQ(ImageBox::DateToExifDate(QDateTime(QDate(987, 1, 2), QTime(3, 4, 5))), QStringLiteral("0987:01:02 03:04:05"));
    for (const char* text : {"", "2021-07-04 10:20:30", "2021:02:30 10:20:30", "2021:07:04 24:00:00",
                             "0000:00:00 00:00:00", "    :  :     :  :  ", "2021:07:04", "2021:07:04 10:20:3x",
                             "+021:07:04 10:20:30"})
        EXPECT_EQ(ImageBox::ExifDateToDate(QString::fromLatin1(text)), ImageBox::ZeroDate()) << text;
    EXPECT_EQ(ImageBox::DateToExifDate(QDateTime()), QString());
}

TEST_F(ExifFiles, EditableAttributesReachTheFileWithTheirTypesAndPlaces)
{
    box.SetBitmapHandle(gradientPicture(40, 30));
    const QStringList ascii = {QStringLiteral("Make"),   QStringLiteral("Model"),     QStringLiteral("DateTime"),
                               QStringLiteral("ImageDescription"), QStringLiteral("Artist"),
                               QStringLiteral("Copyright"), QStringLiteral("Software")};
    for (const QString& name : ascii)
        ASSERT_TRUE(box.SetExifAttribute(name, QStringLiteral("Text of ") + name));
    ASSERT_TRUE(box.SetExifAttribute(QStringLiteral("DateTime"), QStringLiteral("2022:03:04 05:06:07")));
    ASSERT_TRUE(box.SetExifAttribute(QStringLiteral("DateTimeOriginal"), QStringLiteral("2022:01:02 03:04:05")));
    ASSERT_TRUE(box.SetExifAttribute(QStringLiteral("DateTimeDigitized"), QStringLiteral("2022:01:02 03:04:06")));
    ASSERT_TRUE(box.SetExifAttribute(QStringLiteral("UserComment"), QStringLiteral("Plain words")));
    ASSERT_TRUE(box.SetExifAttribute(QStringLiteral("PixelXDimension"), QStringLiteral("4000")));
    ASSERT_TRUE(box.SetExifAttribute(QStringLiteral("PixelYDimension"), QStringLiteral("4294967295")));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("UserComment")), QStringLiteral("Plain words"));
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("PixelXDimension")), QStringLiteral("4000"));
    box.SaveToFile(path("edited.jpg"));

    for (const QString& name : ascii) {
        if (name == u"DateTime")
            continue;
        const Exiv2Row row = exiv2Row(path("edited.jpg"), QStringLiteral("Exif.Image.") + name);
        EXPECT_EQ(row.type, QStringLiteral("Ascii")) << name.toStdString();
        EXPECT_EQ(row.value, QStringLiteral("Text of ") + name);
    }
    EXPECT_EQ(exiv2Row(path("edited.jpg"), QStringLiteral("Exif.Image.DateTime")).value,
              QStringLiteral("2022:03:04 05:06:07"));
    const Exiv2Row original = exiv2Row(path("edited.jpg"), QStringLiteral("Exif.Photo.DateTimeOriginal"));
    EXPECT_EQ(original.type, QStringLiteral("Ascii"));
    EXPECT_EQ(original.value, QStringLiteral("2022:01:02 03:04:05"));
    EXPECT_EQ(exiv2Row(path("edited.jpg"), QStringLiteral("Exif.Photo.DateTimeDigitized")).value,
              QStringLiteral("2022:01:02 03:04:06"));
    const Exiv2Row width = exiv2Row(path("edited.jpg"), QStringLiteral("Exif.Photo.PixelXDimension"));
    EXPECT_EQ(width.type, QStringLiteral("Long"));
    EXPECT_EQ(width.value, QStringLiteral("4000"));
    EXPECT_EQ(exiv2Row(path("edited.jpg"), QStringLiteral("Exif.Photo.PixelYDimension")).value,
              QStringLiteral("4294967295"));
    const Exiv2Row comment = exiv2Row(path("edited.jpg"), QStringLiteral("Exif.Photo.UserComment"));
    EXPECT_EQ(comment.type, QStringLiteral("Undefined"));
    // The 8-byte character code, then the text.
    EXPECT_TRUE(readBytes(path("edited.jpg")).contains(QByteArray("ASCII\0\0\0Plain words", 19)));

    const QJsonObject seen = exiftoolJson(path("edited.jpg"), {QStringLiteral("-EXIF:all")});
    EXPECT_EQ(seen.value(QStringLiteral("IFD0:Software")).toString(), QStringLiteral("Text of Software"));
    EXPECT_EQ(seen.value(QStringLiteral("IFD0:Copyright")).toString(), QStringLiteral("Text of Copyright"));
    EXPECT_EQ(seen.value(QStringLiteral("ExifIFD:DateTimeOriginal")).toString(), QStringLiteral("2022:01:02 03:04:05"));
    EXPECT_EQ(seen.value(QStringLiteral("ExifIFD:UserComment")).toString(), QStringLiteral("Plain words"));
    EXPECT_EQ(seen.value(QStringLiteral("ExifIFD:ExifImageWidth")).toInt(), 4000);
}

TEST_F(ExifFiles, AUserCommentBeyondAsciiIsUnicodeInTheBlocksByteOrder)
{
    const QString text = QStringLiteral("Grüße aus 東京");
    for (const char* order : {"MM", "II"}) {
        const QString file = path(QStringLiteral("order-%1.jpg").arg(QLatin1String(order)));
        makePlainJpeg(file);
        ASSERT_TRUE(exiftoolWrite(file, {QStringLiteral("-ExifByteOrder=") + QLatin1String(order),
                                         QStringLiteral("-Make=Order")}));
        box.LoadFromFile(file);
        ASSERT_TRUE(box.SetExifAttribute(QStringLiteral("UserComment"), text));
        EXPECT_EQ(box.ExifValueByName(QStringLiteral("UserComment")), text);
        box.SaveToFile(path("out.jpg"));
        const QJsonObject seen = exiftoolJson(path("out.jpg"), {QStringLiteral("-n"), QStringLiteral("-EXIF:all")});
        EXPECT_EQ(seen.value(QStringLiteral("ExifIFD:UserComment")).toString(), text) << order;
        EXPECT_EQ(seen.value(QStringLiteral("IFD0:Make")).toString(), QStringLiteral("Order"));
        const QByteArray g = QByteArray(order) == "MM" ? QByteArray("\0G\0r", 4) : QByteArray("G\0r\0", 4);
        EXPECT_TRUE(readBytes(path("out.jpg")).contains(QByteArray("UNICODE\0", 8) + g)) << order;
        ImageBox reader;
        reader.LoadFromFile(path("out.jpg"));
        EXPECT_EQ(reader.ExifValueByName(QStringLiteral("UserComment")), text) << order;
    }
}

TEST_F(ExifFiles, RefusedNamesAndValuesChangeNothing)
{
    box.LoadFromFile(cameraJpeg());
    const int count = box.ExifCount();
    for (const char* name : {"ExposureTime", "make", "", "Orientation", "ExifOffset", "MakerNote", "Nonsense"})
        EXPECT_FALSE(box.SetExifAttribute(QString::fromLatin1(name), QStringLiteral("1"))) << name;
    for (const char* value : {"12.5", "-1", "4294967296", "", "1e3", " 12", "12 ", "+5", "0x10", "99999999999"})
        EXPECT_FALSE(box.SetExifAttribute(QStringLiteral("PixelXDimension"), QString::fromLatin1(value))) << value;
    EXPECT_EQ(box.ExifCount(), count);
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("PixelXDimension")), QString());
    EXPECT_EQ(box.ExifValueByName(QStringLiteral("ExposureTime")), QStringLiteral("1/250"));
    EXPECT_TRUE(box.SetExifAttribute(QStringLiteral("PixelXDimension"), QStringLiteral("0")));
}

TEST_F(ExifFiles, SettingReplacesInPlaceDeletingRemovesAndClearingEmpties)
{
    box.LoadFromFile(cameraJpeg());
    const int count = box.ExifCount();
    const int model = int(names().indexOf(QStringLiteral("Model")));
    ASSERT_GE(model, 0);
    ASSERT_TRUE(box.SetExifAttribute(QStringLiteral("Model"), QStringLiteral("EOS R")));
    EXPECT_EQ(box.ExifCount(), count);
    EXPECT_EQ(box.ExifNameAt(model), QStringLiteral("Model"));
    EXPECT_EQ(box.ExifValueAt(model), QStringLiteral("EOS R"));

    EXPECT_TRUE(box.DeleteExifAttribute(QStringLiteral("Model")));
    EXPECT_FALSE(box.DeleteExifAttribute(QStringLiteral("Model")));
    EXPECT_FALSE(box.DeleteExifAttribute(QStringLiteral("NoSuchTag")));
    EXPECT_EQ(box.ExifCount(), count - 1);
    EXPECT_TRUE(box.DeleteExifAttribute(QStringLiteral("GPSLatitude")));
    box.SaveToFile(path("deleted.jpg"));
    const QJsonObject seen = exiftoolJson(path("deleted.jpg"), {QStringLiteral("-EXIF:all")});
    EXPECT_FALSE(seen.contains(QStringLiteral("IFD0:Model")));
    EXPECT_FALSE(seen.contains(QStringLiteral("GPS:GPSLatitude")));
    EXPECT_EQ(seen.value(QStringLiteral("IFD0:Make")).toString(), QStringLiteral("Canon"));

    box.ClearExif();
    EXPECT_EQ(box.ExifCount(), 0);
    box.SaveToFile(path("cleared.jpg"));
    EXPECT_TRUE(exiv2Row(path("cleared.jpg"), QStringLiteral("Exif.Image.Make")).key.isEmpty());
    EXPECT_TRUE(exiftoolJson(path("cleared.jpg"), {QStringLiteral("-EXIF:all")}).keys().filter(QStringLiteral("IFD0:")).isEmpty());
}

// --- damaged blocks ---------------------------------------------------------------------------

class DamagedExif : public ExifFiles {
protected:
    QByteArray original;
    qsizetype tiff = -1;
    bool bigEndian = false;
    int fullCount = 0;

    void SetUp() override
    {
        const QString file = cameraJpeg(QStringLiteral("intact.jpg"));
        original = readBytes(file);
        tiff = exifTiffStart(original);
        ASSERT_GT(tiff, 0);
        bigEndian = original.at(tiff) == 'M';
        box.LoadFromFile(file);
        fullCount = box.ExifCount();
    }

    quint32 number(qsizetype at, int size) const
    {
        quint32 value = 0;
        for (int i = 0; i < size; ++i) {
            const quint32 byte = uchar(original.at(at + (bigEndian ? i : size - 1 - i)));
            value = value << 8 | byte;
        }
        return value;
    }
    static void put(QByteArray& bytes, qsizetype at, int size, quint32 value, bool big)
    {
        for (int i = 0; i < size; ++i)
            bytes[at + (big ? size - 1 - i : i)] = char((value >> (8 * i)) & 0xFF);
    }
    qsizetype ifd0() const { return tiff + number(tiff + 4, 4); }
    // Where the entry of that tag in IFD0 starts; -1 if there is none.
    qsizetype entryOf(quint16 tag) const
    {
        const qsizetype ifd = ifd0();
        const int entries = int(number(ifd, 2));
        for (int i = 0; i < entries; ++i)
            if (number(ifd + 2 + 12 * i, 2) == tag)
                return ifd + 2 + 12 * i;
        return -1;
    }

    // Loads the damaged photo: it opens at its size, its pixels decode, every row reads, and it
    // saves with what is left.
    void expectStillLoads(const QByteArray& damaged, const char* what)
    {
        writeBytes(path("damaged.jpg"), damaged);
        ImageBox reader;
        ASSERT_NO_THROW(reader.LoadFromFile(path("damaged.jpg"))) << what;
        EXPECT_EQ(reader.ImageWidth(), 32) << what;
        EXPECT_EQ(reader.Picture().height(), 24) << what;
        EXPECT_LE(reader.ExifCount(), fullCount) << what;
        for (int i = 0; i < reader.ExifCount(); ++i) {
            (void)reader.ExifNameAt(i);
            (void)reader.ExifValueAt(i);
        }
        EXPECT_NO_THROW(reader.SaveToFile(path("resaved.jpg"))) << what;
    }
};

TEST_F(DamagedExif, BrokenIfdsGiveFewerAttributesAndThePhotoStillLoads)
{
    ASSERT_GT(fullCount, 10);
    const qsizetype make = entryOf(0x010F);
    const qsizetype exifPointer = entryOf(0x8769);
    ASSERT_GT(make, 0);
    ASSERT_GT(exifPointer, 0);

    QByteArray bytes = original;
    put(bytes, ifd0(), 2, 0xFFFF, bigEndian);
    expectStillLoads(bytes, "an entry count far past the block");

    bytes = original;
    put(bytes, make + 8, 4, 0x7FFFFFF0, bigEndian);
    expectStillLoads(bytes, "a value offset past the end");

    bytes = original;
    put(bytes, make + 4, 4, 0x40000000, bigEndian);
    expectStillLoads(bytes, "a count of a billion");

    bytes = original;
    put(bytes, make + 2, 2, 0x00EE, bigEndian);
    expectStillLoads(bytes, "an unknown type");

    bytes = original;
    put(bytes, exifPointer + 2, 2, 2, bigEndian);  // the pointer as ASCII
    expectStillLoads(bytes, "a pointer of the wrong type");

    bytes = original;
    put(bytes, exifPointer + 8, 4, number(tiff + 4, 4), bigEndian);  // the Exif IFD is IFD0 again
    expectStillLoads(bytes, "an IFD that points back at itself");

    bytes = original;
    put(bytes, tiff + 4, 4, 0xFFFFFF00, bigEndian);
    expectStillLoads(bytes, "IFD0 past the end");

    bytes = original;
    // The segment's length stands just before "Exif\0\0".
    const qsizetype segmentEnd = tiff - 8 + ((uchar(original.at(tiff - 8)) << 8) | uchar(original.at(tiff - 7)));
    for (qsizetype i = tiff + (exifPointer - tiff) / 2; i < segmentEnd; ++i)
        bytes[i] = char(0xFF);
    expectStillLoads(bytes, "a block overwritten half way");

    bytes = original;
    bytes[tiff] = 'X';
    expectStillLoads(bytes, "no byte order");
}

}  // namespace
