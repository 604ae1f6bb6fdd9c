// The engine's EXIF: what exiftool and the exiv2 program write into a photo comes back under the
// right names, in file order, with the right value texts; edits reach the file with their proper
// types and places; damaged EXIF blocks cost attributes, never the photo.

#include "MetadataTestFiles.h"

#include <QSize>

#include <algorithm>
#include <tuple>

using namespace lumora;
using namespace lumora::test;
using namespace lumora::test::metafiles;

namespace {

class ExifFiles : public MetadataFiles {
protected:
    QStringList names() const
    {
        QStringList all;
        for (int i = 0; i < box.ExifCount(); ++i)
            all.append(box.ExifNameAt(i));
        return all;
    }

    // A JPEG with a typical camera's attributes, written by exiftool and the exiv2 program (the
    // latter for rationals it must not reduce: 28/10).
    QString cameraJpeg()
    {
        const QString file = path("camera.jpg");
        makePlainJpeg(file);
        EXPECT_TRUE(exiftoolWrite(file, {"-Make=Canon", "-Model=EOS 5D", "-DateTimeOriginal=2021:07:04 10:20:30",
                                         "-ExposureTime=1/250", "-ExposureCompensation=-1/3", "-Orientation#=6",
                                         "-ExifVersion=0220", "-ComponentsConfiguration#=1 2 3 0",
                                         "-UserComment=Hello there", "-GPSLatitude=52.5", "-GPSLatitudeRef=N",
                                         "-ISO=200"}));
        const ToolResult exiv2 = runTool("exiv2", {"-M", "set Exif.Photo.FNumber Rational 28/10", "-M",
                                                   "set Exif.Image.BitsPerSample Short 8 8 8", "-M",
                                                   "set Exif.Photo.DeviceSettingDescription Undefined 171 205 239 0",
                                                   "-M", "set Exif.Photo.0x9999 SShort -7 12", file});
        EXPECT_EQ(exiv2.exitCode, 0) << exiv2.err.toStdString();
        return file;
    }
};

// The engine's name of an exiv2 key of the four listed IFDs; empty for any other key.
QString listedNameOf(const QString& key)
{
    static const QMap<QString, QString> renamed = {{"Exif.Image.ExifTag", "ExifOffset"},
                                                   {"Exif.Image.GPSTag", "GPSInfo"},
                                                   {"Exif.Photo.InteroperabilityTag", "InteroperabilityOffset"},
                                                   {"Exif.Photo.FlashpixVersion", "FlashPixVersion"},
                                                   {"Exif.Photo.RelatedSoundFile", "RelatedAudioFile"}};
    if (renamed.contains(key))
        return renamed[key];
    for (const QString group : {"Exif.Image.", "Exif.Photo.", "Exif.GPSInfo.", "Exif.Iop."})
        if (key.startsWith(group))
            return key.mid(group.size());
    return {};
}

// The engine's text of a value as the exiv2 program prints it plainly: values apart by blanks,
// undefined bytes in decimal, a user comment after its character code ("charset=Ascii text").
QString engineTextOf(const Exiv2Row& row)
{
    if (row.type == u"Ascii" || row.key.endsWith(u".UserComment"))
        return row.key.endsWith(u".UserComment") ? row.value.section(u' ', 1) : row.value;
    QStringList parts = row.value.split(u' ', Qt::SkipEmptyParts);
    if (row.type == u"Undefined")
        for (QString& part : parts)
            part = QStringLiteral("%1").arg(part.toInt(), 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(u',');
}

TEST_F(ExifFiles, AttributesOtherToolsWroteComeBackInFileOrderWithTheirTextsThumbnailsNot)
{
    const QString file = cameraJpeg();
    // An interoperability IFD too, so that all four listed IFDs and their pointers are there, and
    // a thumbnail, whose IFD is not listed.
    makePlainJpeg(path("thumb.jpg"), 8, 6);
    ASSERT_TRUE(exiftoolWrite(file, {"-InteropIndex=R98", "-ThumbnailImage<=" + path("thumb.jpg")}));
    ASSERT_FALSE(exiv2Row(file, "Exif.Thumbnail.JPEGInterchangeFormat").key.isEmpty());
    box.LoadFromFile(file);

    // A few values as the tools were told to write them: rationals unreduced, signed values,
    // undefined bytes in hexadecimal.
    const char* const written[][2] = {{"FNumber", "28/10"}, {"ExposureBiasValue", "-1/3"}, {"0x9999", "-7,12"},
                                      {"DeviceSettingDescription", "AB,CD,EF,00"}, {"UserComment", "Hello there"},
                                      {"GPSLatitude", "52/1,30/1,0/1"}, {"InteroperabilityIndex", "R98"}};
    for (const auto& [name, value] : written)
        EXPECT_EQ(box.ExifValueByName(name), value) << name;

    // Every attribute of the four IFDs, in the exiv2 program's order and with its value.
    std::vector<std::string> expected;
    for (const Exiv2Row& row : exiv2Rows(file))
        if (const QString name = listedNameOf(row.key); !name.isEmpty())
            expected.push_back((name + u'=' + engineTextOf(row)).toStdString());
    EXPECT_EQ(exifRowsOf(box), expected);
    EXPECT_EQ(box.ExifNameAt(-1), QString());
    EXPECT_EQ(box.ExifValueAt(box.ExifCount()), QString());
    EXPECT_EQ(box.ExifValueByName("LensModel"), QString());
}

TEST_F(ExifFiles, TheMakerNoteIsOneRowWhereItStood)
{
    // Exiv2 builds a Canon maker note of its own, which it also parses back into groups; then a
    // maker note nobody parses.
    const QString file = path("maker.jpg");
    makePlainJpeg(file);
    const QStringList canon{"-M", "set Exif.Image.Make Canon", "-M", "set Exif.Canon.OwnerName Ascii Tester", "-M",
                            "set Exif.Photo.UserComment charset=Ascii after"};
    const QStringList nobody{"-M", "set Exif.Image.Make Nobody", "-M", "del Exif.Canon.OwnerName", "-M",
                             "set Exif.Photo.MakerNote Undefined 1 2 3 4 5"};
    for (const QStringList& commands : {canon, nobody}) {
        ASSERT_EQ(runTool("exiv2", commands + QStringList{file}).exitCode, 0);
        const Exiv2Row makerNote = exiv2Row(file, "Exif.Photo.MakerNote");
        ASSERT_EQ(makerNote.type, "Undefined");
        box.LoadFromFile(file);
        EXPECT_EQ(names(), (QStringList{"Make", "ExifOffset", "MakerNote", "UserComment"}));
        EXPECT_EQ(box.ExifValueByName("MakerNote"),
                  QStringLiteral("[Maker note, %1 bytes]").arg(makerNote.value.split(u' ', Qt::SkipEmptyParts).size()));
    }
    EXPECT_EQ(box.ExifValueByName("MakerNote"), "[Maker note, 5 bytes]");
}

TEST_F(ExifFiles, TiffPsdAndPngFilesHaveTheirExifOtherFormatsNone)
{
    writePng(gradientPicture(16, 12), path("source.png"));
    for (const QString name : {"a.tif", "a.psd", "a.png"}) {
        ASSERT_EQ(runTool("convert", {path("source.png"), path(name)}).exitCode, 0);
        ASSERT_TRUE(exiftoolWrite(path(name), {"-EXIF:Artist=Ann Example", "-EXIF:DateTimeOriginal=2020:01:02 03:04:05"}));
        box.LoadFromFile(path(name));
        EXPECT_EQ(box.ExifValueByName("Artist"), "Ann Example") << name.toStdString();
        EXPECT_EQ(box.ExifValueByName("DateTimeOriginal"), "2020:01:02 03:04:05") << name.toStdString();
    }
    // A TIFF's IPTC and XMP tags hold other metadata, not attributes.
    ASSERT_TRUE(exiftoolWrite(path("a.tif"), {"-IPTC:Headline=Inside", "-XMP:Title=X"}));
    box.LoadFromFile(path("a.tif"));
    EXPECT_EQ(box.IptcText(IptcField::Headline), "Inside");
    EXPECT_FALSE(names().contains("IPTCNAA"));
    EXPECT_FALSE(names().contains("XMLPacket"));

    ASSERT_EQ(runTool("convert", {path("source.png"), path("a.gif")}).exitCode, 0);
    box.LoadFromFile(path("a.gif"));
    EXPECT_EQ(box.ExifCount(), 0);
}

TEST(ExifDates, TextsAndDatesConvertBothWaysAndAnythingElseIsTheZeroDate)
{
    EXPECT_EQ(ImageBox::ZeroDate(), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    const QDateTime date(QDate(2021, 7, 4), QTime(10, 20, 30));
    EXPECT_EQ(ImageBox::ExifDateToDate("2021:07:04 10:20:30"), date);
    EXPECT_EQ(ImageBox::DateToExifDate(date), "2021:07:04 10:20:30");
    EXPECT_EQ(ImageBox::ExifDateToDate(QStringLiteral("2021:07:04 10:20:30") + QChar(0)), date);
    EXPECT_EQ(ImageBox::DateToExifDate(QDateTime(QDate(987, 1, 2), QTime(3, 4, 5))), "0987:01:02 03:04:05");
    for (const char* text : {"", "2021-07-04 10:20:30", "2021:02:30 10:20:30", "2021:07:04 24:00:00",
                             "0000:00:00 00:00:00", "    :  :     :  :  ", "2021:07:04", "2021:07:04 10:20:3x",
                             "+021:07:04 10:20:30"})
        EXPECT_EQ(ImageBox::ExifDateToDate(text), ImageBox::ZeroDate()) << text;
    EXPECT_EQ(ImageBox::DateToExifDate(QDateTime()), QString());
}

TEST_F(ExifFiles, EditableAttributesReachTheFileWithTheirTypesAndPlaces)
{
    // Where the exiv2 program finds each (its key without "Exif."), the value, with which type.
    const char* const edits[][3] = {
        {"Image.Make", "Camera maker", "Ascii"},       {"Image.Model", "Camera model", "Ascii"},
        {"Image.DateTime", "2022:03:04 05:06:07", "Ascii"}, {"Image.ImageDescription", "A description", "Ascii"},
        {"Image.Artist", "An artist", "Ascii"},        {"Image.Copyright", "A copyright", "Ascii"},
        {"Image.Software", "Lumora", "Ascii"},         {"Photo.DateTimeOriginal", "2022:01:02 03:04:05", "Ascii"},
        {"Photo.DateTimeDigitized", "2022:01:02 03:04:06", "Ascii"},
        {"Photo.UserComment", "Plain words", "Undefined"},  // after the 8-byte character code
        {"Photo.PixelXDimension", "4000", "Long"},     {"Photo.PixelYDimension", "4294967295", "Long"},
    };
    box.SetBitmapHandle(gradientPicture(40, 30));
    for (const auto& [key, value, type] : edits)
        ASSERT_TRUE(box.SetExifAttribute(QString(key).section(u'.', 1), value)) << key;
    box.SaveToFile(path("edited.jpg"));
    QMap<QString, Exiv2Row> seen;
    for (const Exiv2Row& row : exiv2Rows(path("edited.jpg")))
        seen[row.key] = row;
    for (const auto& [key, value, type] : edits) {
        const Exiv2Row row = seen.value(QStringLiteral("Exif.") + key);
        EXPECT_EQ((row.type + u' ' + engineTextOf(row)).toStdString(), std::string(type) + ' ' + value);
    }
    EXPECT_EQ(seen.value("Exif.Photo.UserComment").value, "charset=Ascii Plain words");
}

TEST_F(ExifFiles, AUserCommentBeyondAsciiIsUnicodeInTheBlocksByteOrder)
{
    const QString text = "Grüße aus 東京";
    for (const QString order : {"MM", "II"}) {
        SCOPED_TRACE(order.toStdString());
        makePlainJpeg(path("in.jpg"));
        ASSERT_TRUE(exiftoolWrite(path("in.jpg"), {"-ExifByteOrder=" + order, "-Make=Order"}));
        box.LoadFromFile(path("in.jpg"));
        ASSERT_TRUE(box.SetExifAttribute("UserComment", text));
        box.SaveToFile(path("out.jpg"));
        EXPECT_EQ(exiftoolValues(path("out.jpg"), {"ExifIFD:UserComment", "IFD0:Make"}), (text + "\nOrder").toStdString());
        const QByteArray g = order == "MM" ? QByteArray("\0G\0r", 4) : QByteArray("G\0r\0", 4);
        EXPECT_TRUE(readBytes(path("out.jpg")).contains(QByteArray("UNICODE\0", 8) + g));
        ImageBox reader;
        reader.LoadFromFile(path("out.jpg"));
        EXPECT_EQ(reader.ExifValueByName("UserComment"), text);
    }
}

TEST_F(ExifFiles, RefusedEditsChangeNothingOthersReplaceRemoveOrClear)
{
    box.LoadFromFile(cameraJpeg());
    std::vector<std::string> rows = exifRowsOf(box);
    for (const char* name : {"ExposureTime", "make", "", "Orientation", "ExifOffset", "MakerNote", "Nonsense"})
        EXPECT_FALSE(box.SetExifAttribute(name, "1")) << name;
    for (const char* value : {"12.5", "-1", "4294967296", "", "1e3", " 12", "12 ", "+5", "0x10", "99999999999"})
        EXPECT_FALSE(box.SetExifAttribute("PixelXDimension", value)) << value;
    EXPECT_FALSE(box.DeleteExifAttribute("NoSuchTag"));
    EXPECT_EQ(exifRowsOf(box), rows);

    // Setting replaces in place, deleting removes, clearing empties.
    ASSERT_TRUE(box.SetExifAttribute("Model", "EOS R"));
    std::replace(rows.begin(), rows.end(), std::string("Model=EOS 5D"), std::string("Model=EOS R"));
    EXPECT_EQ(exifRowsOf(box), rows);
    EXPECT_TRUE(box.DeleteExifAttribute("Model"));
    EXPECT_FALSE(box.DeleteExifAttribute("Model"));
    EXPECT_EQ(exifRowsOf(box).size(), rows.size() - 1);
    EXPECT_TRUE(box.DeleteExifAttribute("GPSLatitude"));
    EXPECT_TRUE(box.SetExifAttribute("PixelXDimension", "0"));
    box.SaveToFile(path("deleted.jpg"));
    EXPECT_EQ(exiftoolValues(path("deleted.jpg"), {"IFD0:Model", "GPS:GPSLatitude", "IFD0:Make"}), "-\n-\nCanon");

    box.ClearExif();
    EXPECT_EQ(box.ExifCount(), 0);
    box.SaveToFile(path("cleared.jpg"));
    EXPECT_TRUE(exiv2Rows(path("cleared.jpg")).isEmpty());
}

// --- damaged blocks ---------------------------------------------------------------------------

TEST_F(ExifFiles, BrokenIfdsGiveFewerAttributesAndThePhotoStillLoads)
{
    const QByteArray original = readBytes(cameraJpeg());
    const qsizetype tiff = original.indexOf(QByteArray("Exif\0\0", 6)) + 6;  // the TIFF structure
    ASSERT_GT(tiff, 6);
    const bool big = original.at(tiff) == 'M';
    const auto number = [&](qsizetype at, int size) {
        quint32 value = 0;
        for (int i = 0; i < size; ++i)
            value = value << 8 | uchar(original.at(at + (big ? i : size - 1 - i)));
        return value;
    };
    const qsizetype ifd0 = tiff + number(tiff + 4, 4);
    const auto entryOf = [&](quint16 tag) {  // where the entry of that tag in IFD0 starts
        for (int i = 0; i < int(number(ifd0, 2)); ++i)
            if (number(ifd0 + 2 + 12 * i, 2) == tag)
                return ifd0 + 2 + 12 * i;
        return qsizetype(-1);
    };
    const qsizetype make = entryOf(0x010F), exifPointer = entryOf(0x8769);
    ASSERT_TRUE(make > 0 && exifPointer > 0);
    box.LoadFromFile(path("camera.jpg"));
    const std::size_t fullCount = exifRowsOf(box).size();
    ASSERT_GT(fullCount, 10u);
    // The segment's length stands just before "Exif\0\0".
    const qsizetype segmentEnd = tiff - 8 + ((uchar(original.at(tiff - 8)) << 8) | uchar(original.at(tiff - 7)));
    const qsizetype half = tiff + (exifPointer - tiff) / 2;

    // Each damage writes a number of `size` bytes in the block's byte order (longer runs repeat
    // its top byte).
    const std::tuple<const char*, qsizetype, qsizetype, quint32> damages[] = {
        {"an entry count far past the block", ifd0, 2, 0xFFFF},
        {"a value offset past the end", make + 8, 4, 0x7FFFFFF0},
        {"a count of a billion", make + 4, 4, 0x40000000},
        {"an unknown type", make + 2, 2, 0x00EE},
        {"a pointer of the wrong type (ASCII)", exifPointer + 2, 2, 2},
        {"an IFD that points back at itself", exifPointer + 8, 4, number(tiff + 4, 4)},
        {"IFD0 past the end", tiff + 4, 4, 0xFFFFFF00},
        {"a block overwritten half way", half, segmentEnd - half, 0xFFFFFFFF},
        {"no byte order", tiff, 1, 'X'},
    };
    for (const auto& [what, at, size, value] : damages) {
        // It opens at its size, its pixels decode, every row reads, and it saves with what is left.
        SCOPED_TRACE(what);
        QByteArray bytes = original;
        for (qsizetype i = 0; i < size; ++i)
            bytes[at + (big ? size - 1 - i : i)] = char(value >> (8 * std::min<qsizetype>(i, 3)));
        ASSERT_NE(bytes, original);
        writeBytes(path("damaged.jpg"), bytes);
        ImageBox reader;
        ASSERT_NO_THROW(reader.LoadFromFile(path("damaged.jpg")));
        EXPECT_EQ(QSize(reader.Picture().width(), reader.Picture().height()), QSize(32, 24));
        EXPECT_LE(exifRowsOf(reader).size(), fullCount);
        EXPECT_NO_THROW(reader.SaveToFile(path("resaved.jpg")));
    }
}

}  // namespace
