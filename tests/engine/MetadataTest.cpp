// The engine's EXIF and IPTC, judged by exiftool and the exiv2 program: what the tools wrote comes
// back (names, file order, value texts; UTF-8 or code page text, lists, dates); edits and every
// field reach the file with their types, places and datasets; .ffo files round-trip; damaged
// blocks cost metadata, never the photo. JPEG, TIFF and PSD outputs carry the metadata,
// snapshots, shared images and threads keep it; failures leave files as they were.

#include "engine/EngineError.h"
#include "engine/ImageBox.h"
#include "support/EngineFixtures.h"
#include "support/FileBytes.h"
#include "support/FullDisk.h"
#include "support/Oracles.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QSize>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

using namespace lumora;
using namespace lumora::test;

namespace {

// A small JPEG made by ImageMagick, without any metadata.
void makePlainJpeg(const QString& path, int width = 32, int height = 24)
{
    const ToolResult made = runTool("convert", {"-size", QStringLiteral("%1x%2").arg(width).arg(height),
                                                "gradient:orange-navy", "-strip", path});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
}

// Runs exiftool over the file in place; false (with exiftool's message printed) when it fails.
bool exiftoolWrite(const QString& path, const QStringList& arguments)
{
    const ToolResult result = runTool("exiftool", QStringList{"-q", "-m", "-overwrite_original"} + arguments << path);
    EXPECT_EQ(result.exitCode, 0) << "exiftool: " << result.err.toStdString();
    return result.exitCode == 0;
}

// exiftool's values of these tags, unknown ones too ("IFD0:Model"; "IPTC:Urgency#" for the plain
// number), in their order a line each: "-" for a missing one, the items of a list apart by '|'.
std::string exiftoolValues(const QString& path, const QStringList& tags)
{
    QStringList arguments{"-s3", "-f", "-u", "-sep", "|"};
    for (const QString& tag : tags)
        arguments << u'-' + tag;
    return runTool("exiftool", arguments << path).out.trimmed().toStdString();
}

// The lines of `exiv2 -u -Pkyv` (unknown tags too): key ("Exif.Image.Make"), type ("Ascii") and
// plain value.
struct Exiv2Row {
    QString key, type, value;
};
QList<Exiv2Row> exiv2Rows(const QString& path)
{
    static const QRegularExpression line("^(\\S+)\\s+(\\S+)(?:\\s(.*))?$");
    QList<Exiv2Row> rows;
    for (const QString& text : runTool("exiv2", {"-u", "-Pkyv", path}).out.split(u'\n', Qt::SkipEmptyParts))
        if (const QRegularExpressionMatch match = line.match(text); match.hasMatch())
            rows.append({match.captured(1), match.captured(2), match.captured(3).trimmed()});
    return rows;
}

// An engine's metadata as lines (UTF-8, so that failures print them): the EXIF attributes as
// "name=value" in list order; the IPTC fields with a value as "dataset=text", in the order of the
// field table.
std::vector<std::string> exifRowsOf(const ImageBox& engine)
{
    std::vector<std::string> rows;
    for (int i = 0; i < engine.ExifCount(); ++i)
        rows.push_back((engine.ExifNameAt(i) + u'=' + engine.ExifValueAt(i)).toStdString());
    return rows;
}
std::vector<std::string> iptcTextsOf(const ImageBox& engine)
{
    std::vector<std::string> texts;
    for (const IptcFieldInfo& info : IptcFields())
        if (!engine.IptcText(info.field).isEmpty())
            texts.push_back(std::to_string(info.dataset) + '=' + engine.IptcText(info.field).toStdString());
    return texts;
}

// An engine and a folder for its files, with the photos of the tests.
class MetadataFiles : public ::testing::Test {
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

    QString jpegWith(const QStringList& exiftoolArguments, const QString& name = "iptc.jpg")
    {
        makePlainJpeg(path(name));
        EXPECT_TRUE(exiftoolWrite(path(name), exiftoolArguments));
        return path(name);
    }
    // exiftool's copy of a photo's IPTC block: the raw datasets.
    QByteArray iimBlock(const QString& photo)
    {
        const QString block = photo + ".iim";
        EXPECT_EQ(runTool("sh", {"-c", QStringLiteral("exiftool -b -IPTC '%1' > '%2'").arg(photo, block)}).exitCode, 0);
        return readBytes(block);
    }
    QStringList keywords() const
    {
        QStringList all;
        for (int i = 0; i < box.KeywordCount(); ++i)
            all.append(box.Keyword(i));
        return all;
    }

    // A photo with EXIF (and a thumbnail), IPTC and another Photoshop resource, XMP, a colour
    // profile (libvips' own sRGB) and a comment.
    QString richJpeg()
    {
        const QString file = path("photo.jpg");
        EXPECT_EQ(runTool("convert", {"-size", "64x48", "plasma:", path("plasma.png")}).exitCode, 0);
        EXPECT_EQ(runTool("vips", {"icc_transform", path("plasma.png"), file, "srgb"}).exitCode, 0);
        makePlainJpeg(path("thumb.jpg"), 8, 6);
        EXPECT_TRUE(exiftoolWrite(file, {"-Make=Canon", "-Model=Old model", "-ExposureTime=1/60",
                                         "-IPTC:Headline=Old headline", "-Photoshop:CopyrightFlag=true", "-XMP:Title=Kept title",
                                         "-Comment=kept comment",
                                         "-ThumbnailImage<=" + path("thumb.jpg")}));
        return file;
    }

    void editMetadata()
    {
        ASSERT_TRUE(box.SetExifAttribute("Model", "New model"));
        ASSERT_TRUE(box.SetExifAttribute("Artist", "Jörg"));
        box.SetIptcText(IptcField::Headline, "Neue Überschrift");
        box.AddKeyword("k1");
        box.SetIptcUrgency(4);
    }
};

using ExifFiles = MetadataFiles;
using IptcFiles = MetadataFiles;
using MetadataWrites = MetadataFiles;

// The engine's name of an exiv2 key of the four listed IFDs; empty for any other key.
QString listedNameOf(const QString& key)
{
    static const QMap<QString, QString> renamed = {
        {"Exif.Image.ExifTag", "ExifOffset"}, {"Exif.Image.GPSTag", "GPSInfo"},
        {"Exif.Photo.InteroperabilityTag", "InteroperabilityOffset"}, {"Exif.Photo.FlashpixVersion", "FlashPixVersion"},
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
    ASSERT_EQ(exiftoolValues(file, {"IFD1:Compression"}), "JPEG (old-style)");
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
    EXPECT_TRUE(box.ExifNameAt(-1).isEmpty() && box.ExifValueAt(box.ExifCount()).isEmpty() &&
                box.ExifValueByName("LensModel").isEmpty());
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
        const QList<Exiv2Row> rows = exiv2Rows(file);
        const auto makerNote = std::find_if(rows.begin(), rows.end(), [](auto& r) { return r.key.endsWith(".MakerNote"); });
        ASSERT_TRUE(makerNote != rows.end() && makerNote->type == "Undefined");
        box.LoadFromFile(file);
        EXPECT_EQ(names(), (QStringList{"Make", "ExifOffset", "MakerNote", "UserComment"}));
        EXPECT_EQ(box.ExifValueByName("MakerNote"),
                  QStringLiteral("[Maker note, %1 bytes]").arg(makerNote->value.split(u' ', Qt::SkipEmptyParts).size()));
    }
    EXPECT_EQ(box.ExifValueByName("MakerNote"), "[Maker note, 5 bytes]");
}

TEST_F(ExifFiles, TiffPsdAndPngFilesHaveTheirExifOtherFormatsNone)
{
    // IPTC and XMP tags hold other metadata, not attributes.
    writePng(gradientPicture(16, 12), path("source.png"));
    for (const QString name : {"a.tif", "a.psd", "a.png"}) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_EQ(runTool("convert", {path("source.png"), path(name)}).exitCode, 0);
        ASSERT_TRUE(exiftoolWrite(path(name), {"-EXIF:Artist=Ann Example", "-EXIF:DateTimeOriginal=2020:01:02 03:04:05",
                                               "-IPTC:Headline=Inside", "-XMP:Title=X"}));
        box.LoadFromFile(path(name));
        EXPECT_EQ(box.ExifValueByName("Artist") + u'|' + box.ExifValueByName("DateTimeOriginal"),
                  "Ann Example|2020:01:02 03:04:05");
        EXPECT_FALSE(names().contains("IPTCNAA") || names().contains("XMLPacket"));
        EXPECT_TRUE(name != "a.tif" || box.IptcText(IptcField::Headline) == "Inside");
    }

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

TEST_F(ExifFiles, EditableAttributesReachTheFileWithTheirTypesAndPlacesUnicodeInTheBlocksByteOrder)
{
    // Where the exiv2 program finds each (its key without "Exif."), the value, with which type.
    const char* const edits[][3] = {
        {"Image.Make", "Camera maker", "Ascii"},       {"Image.Model", "Camera model", "Ascii"},
        {"Image.DateTime", "2022:03:04 05:06:07", "Ascii"}, {"Image.ImageDescription", "A description", "Ascii"},
        {"Image.Artist", "An artist", "Ascii"},        {"Image.Copyright", "A copyright", "Ascii"},
        {"Image.Software", "Lumora", "Ascii"},         {"Photo.DateTimeOriginal", "2022:01:02 03:04:05", "Ascii"},
        {"Photo.DateTimeDigitized", "2022:01:02 03:04:06", "Ascii"},
        {"Photo.UserComment", "Plain words", "Undefined"},  // after the 8-byte character code
        // The written image's size: what else could they say.
        {"Photo.PixelXDimension", "40", "Long"},       {"Photo.PixelYDimension", "30", "Long"},
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

    // A user comment beyond ASCII is Unicode in the byte order of the block.
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
        // Turned upright (Orientation 6) where the damage left the orientation readable.
        const QSize read(reader.Picture().width(), reader.Picture().height());
        EXPECT_TRUE(read == QSize(32, 24) || read == QSize(24, 32));
        EXPECT_LE(exifRowsOf(reader).size(), fullCount);
        EXPECT_NO_THROW(reader.SaveToFile(path("resaved.jpg")));
    }
}

// The JPEG with an APP13 Photoshop block right after its start marker that holds these IIM bytes
// as its IPTC resource (type, id 0x0404, an empty name padded, the size, the data padded to even).
QByteArray jpegWithIptcBlock(const QByteArray& jpeg, const QByteArray& iim)
{
    const auto be = [](quint32 value, int bytes) {
        QByteArray out;
        for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
            out += char(value >> shift);
        return out;
    };
    const QByteArray payload = QByteArray("Photoshop 3.0\0" "8BIM\x04\x04\0\0", 22) + be(quint32(iim.size()), 4) + iim +
                               QByteArray(iim.size() % 2, '\0');
    return jpeg.left(2) + QByteArray("\xFF\xED", 2) + be(quint32(payload.size() + 2), 2) + payload + jpeg.mid(2);
}

TEST_F(IptcFiles, FieldsExiftoolWroteComeBackInUtf8OrTheWindowsCodePage)
{
    box.LoadFromFile(jpegWith({"-charset", "iptc=UTF8", "-IPTC:CodedCharacterSet=UTF8",
                               "-IPTC:Caption-Abstract=Grüße aus Köln", "-IPTC:Headline=Ünïcode headline",
                               "-IPTC:By-line=Ann", "-IPTC:City=Zürich", "-IPTC:ObjectName=Title", "-IPTC:Keywords=eins",
                               "-IPTC:Keywords=zwei", "-IPTC:Keywords=drei", "-IPTC:SupplementalCategories=Sport",
                               "-IPTC:SupplementalCategories=Fußball", "-IPTC:Urgency=3", "-IPTC:DateCreated=2021:07:04",
                               "-IPTC:TimeCreated=10:20:30+02:00", "-IPTC:ReferenceDate=1999:12:31"}));
    EXPECT_TRUE(box.HasIptc());
    // Each text under its dataset number: lists joined, dates and times as the IIM stores them.
    EXPECT_EQ(iptcTextsOf(box), (std::vector<std::string>{"120=Grüße aus Köln", "105=Ünïcode headline",
                                                          "25=eins, zwei, drei", "20=Sport, Fußball", "80=Ann",
                                                          "5=Title", "90=Zürich", "55=20210704", "47=19991231",
                                                          "60=102030+0200"}));
    EXPECT_EQ(keywords(), (QStringList{"eins", "zwei", "drei"}));
    EXPECT_EQ(box.Keyword(3), QString());
    ASSERT_EQ(box.SupplementalCategoryCount(), 2);
    EXPECT_EQ(box.SupplementalCategory(1), "Fußball");
    EXPECT_EQ(box.SupplementalCategory(-1), QString());
    EXPECT_EQ(box.IptcUrgency(), 3);
    EXPECT_EQ(box.IptcDate(IptcField::DateCreated), QDateTime(QDate(2021, 7, 4), QTime(0, 0)));
    EXPECT_EQ(box.IptcDate(IptcField::TimeCreated), QDateTime(QDate(1899, 12, 30), QTime(10, 20, 30)));
    EXPECT_EQ(box.IptcDate(IptcField::DateReleased), ImageBox::ZeroDate());

    // Without the UTF-8 marker: UTF-8 where it is valid, else the Windows code page.
    box.LoadFromFile(jpegWith({"-charset", "iptc=Latin", "-IPTC:Caption-Abstract=Grüße – 50 €", "-IPTC:City=Köln"},
                              "latin.jpg"));
    ASSERT_TRUE(readBytes(path("latin.jpg")).contains("Gr\xFC\xDF" "e \x96 50 \x80"));
    EXPECT_EQ(box.IptcText(IptcField::Caption), "Grüße – 50 €");
    EXPECT_EQ(box.IptcText(IptcField::City), "Köln");
    // Written back under the UTF-8 marker, the code page's text moves over to UTF-8.
    box.SaveToFile(path("latin-out.jpg"));
    EXPECT_EQ(exiftoolValues(path("latin-out.jpg"), {"IPTC:Caption-Abstract", "IPTC:City"}), "Grüße – 50 €\nKöln");

    box.LoadFromFile(jpegWith({"-charset", "iptc=UTF8", "-IPTC:Caption-Abstract=Grüße ohne Marke"}, "unmarked.jpg"));
    EXPECT_EQ(box.IptcText(IptcField::Caption), "Grüße ohne Marke");
}

TEST_F(IptcFiles, EveryFieldHasItsOwnDatasetWhichTheEngineWritesForTheOtherTools)
{
    const auto textOf = [](const IptcFieldInfo& info) { return QStringLiteral("%1 – ä").arg(QLatin1String(info.label)); };
    box.SetBitmapHandle(gradientPicture(20, 10));
    for (const IptcFieldInfo& info : IptcFields())
        if (info.kind == IptcKind::Text)
            box.SetIptcText(info.field, textOf(info));
    box.SaveToFile(path("all.jpg"));

    // The block holds each field as a dataset of its number with the text in UTF-8, unknown
    // numbers included, and the record version. Fields are found by their labels.
    const QByteArray block = iimBlock(path("all.jpg"));
    EXPECT_TRUE(block.contains(QByteArray("\x1C\x02\x00\x00\x02\x00\x04", 7)));
    QSet<int> datasets;
    for (int i = 0; i < kIptcFieldCount; ++i) {
        const IptcFieldInfo& info = IptcFields()[std::size_t(i)];
        IptcField found{};
        EXPECT_TRUE(int(info.field) == i && IptcFieldByLabel(info.label, found) && found == info.field) << info.label;
        EXPECT_FALSE(datasets.contains(info.dataset)) << info.label;
        datasets.insert(info.dataset);
        const QByteArray text = textOf(info).toUtf8();
        const QByteArray dataset =
            QByteArray("\x1C\x02", 2) + char(info.dataset) + char(text.size() >> 8) + char(text.size());
        EXPECT_TRUE(info.kind != IptcKind::Text || block.contains(dataset + text)) << info.label;
    }
    ImageBox reader;
    reader.LoadFromFile(path("all.jpg"));
    EXPECT_EQ(iptcTextsOf(reader), iptcTextsOf(box));

    // exiftool's names for a few of the datasets.
    QStringList expected{"UTF8", "4"};
    for (const IptcField field : {IptcField::Caption, IptcField::ByLineTitle, IptcField::OriginalTransmissionReference,
                                  IptcField::CustomField20})
        expected << textOf(IptcFieldInfoOf(field));
    EXPECT_EQ(exiftoolValues(path("all.jpg"), {"IPTC:CodedCharacterSet", "IPTC:ApplicationRecordVersion",
                                               "IPTC:Caption-Abstract", "IPTC:By-lineTitle",
                                               "IPTC:OriginalTransmissionReference", "IPTC:IPTC_ApplicationRecord_219"}),
              expected.join(u'\n').toStdString());
}

TEST_F(IptcFiles, ListsDatesUrgencyAndTextsReachTheFileAndSettersReplaceRemoveAndSplit)
{
    box.SetBitmapHandle(gradientPicture(20, 10));
    box.AddKeyword("stale");
    box.ClearKeywords();
    for (const char* word : {"Berge", "Schnee", "Ski", ""})
        box.AddKeyword(word);
    box.AddSupplementalCategory("Winter");
    box.AddSupplementalCategory("Sport");
    box.SetIptcUrgency(5);
    box.SetIptcDate(IptcField::DateCreated, QDateTime(QDate(2023, 2, 14), QTime(15, 16, 17)));
    box.SetIptcDate(IptcField::TimeCreated, QDateTime(QDate(2023, 2, 14), QTime(15, 16, 17)));
    box.SetIptcDate(IptcField::DateReleased, QDateTime(QDate(2023, 3, 1), QTime(0, 0)));
    box.SetIptcDate(IptcField::TimeReleased, QDateTime(QDate(1899, 12, 30), QTime(8, 0, 1)));
    EXPECT_EQ(box.KeywordCount(), 3);
    EXPECT_EQ(box.IptcDate(IptcField::DateCreated), QDateTime(QDate(2023, 2, 14), QTime(0, 0)));
    EXPECT_EQ(box.IptcDate(IptcField::TimeCreated), QDateTime(QDate(1899, 12, 30), QTime(15, 16, 17)));
    box.SaveToFile(path("lists.jpg"));

    EXPECT_EQ(exiftoolValues(path("lists.jpg"), {"IPTC:Keywords", "IPTC:SupplementalCategories", "IPTC:Urgency#",
                                                 "IPTC:DateCreated", "IPTC:TimeCreated", "IPTC:DateSent",
                                                 "IPTC:ReleaseDate", "IPTC:ReleaseTime"}),
              "Berge|Schnee|Ski\nWinter|Sport\n5\n2023:02:14\n15:16:17+00:00\n-\n2023:03:01\n08:00:01+00:00");

    box.SetIptcUrgency(0);
    box.SetIptcDate(IptcField::DateCreated, ImageBox::ZeroDate());
    box.ClearSupplementalCategories();
    EXPECT_EQ(box.IptcUrgency(), 0);
    EXPECT_EQ(box.IptcDate(IptcField::DateCreated), ImageBox::ZeroDate());
    EXPECT_EQ(box.SupplementalCategoryCount(), 0);
    EXPECT_THROW(box.SetIptcUrgency(9), EngineError);
    EXPECT_THROW(box.SetIptcUrgency(-1), EngineError);
    box.SaveToFile(path("fewer.jpg"));
    EXPECT_EQ(exiftoolValues(path("fewer.jpg"),
                             {"IPTC:Urgency", "IPTC:DateCreated", "IPTC:SupplementalCategories", "IPTC:TimeCreated"}),
              "-\n-\n-\n15:16:17+00:00");

    // Texts replace, split into lists and take dates only as the IIM writes them; "" removes.
    box.ClearIptc();
    EXPECT_FALSE(box.HasIptc());
    box.SetIptcText(IptcField::Caption, "first");
    box.SetIptcText(IptcField::Caption, "second");
    box.SetIptcText(IptcField::Keywords, "a, b ,c");
    box.SetIptcText(IptcField::DateCreated, "20200131");
    box.SetIptcText(IptcField::DateCreated, "not a date");
    EXPECT_EQ(iptcTextsOf(box), (std::vector<std::string>{"120=second", "25=a, b, c", "55=20200131"}));
    EXPECT_EQ(keywords(), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(box.IptcDate(IptcField::DateCreated), QDateTime(QDate(2020, 1, 31), QTime(0, 0)));
    for (const IptcField field : {IptcField::Caption, IptcField::Keywords, IptcField::DateCreated})
        box.SetIptcText(field, QString());
    EXPECT_FALSE(box.HasIptc());
    EXPECT_THROW(box.SetIptcText(static_cast<IptcField>(kIptcFieldCount), "x"), EngineError);
    box.SaveToFile(path("none.jpg"));
    EXPECT_TRUE(exiv2Rows(path("none.jpg")).isEmpty());
}

TEST_F(IptcFiles, AFloodOfDatasetsIsReadUpToTheLimitAndTheRestLeftOut)
{
    QByteArray block;
    for (int i = 0; i < 12000; ++i) {
        const QByteArray keyword = "k" + QByteArray::number(i);
        block += QByteArray("\x1C\x02\x19\x00", 4) + char(keyword.size()) + keyword;
    }
    writeBytes(path("flood.ffo"), block);
    box.LoadIptcFromFile(path("flood.ffo"));
    EXPECT_EQ(box.KeywordCount(), 10000);
    EXPECT_EQ(box.Keyword(9999), "k9999");
    EXPECT_EQ(box.IptcText(IptcField::Keywords).count(u','), 9999);
}

TEST_F(IptcFiles, FfoFilesHoldTheRawDatasetsBothWaysAndOthersThrowKeepingTheFields)
{
    const QString source = jpegWith({"-charset", "iptc=UTF8", "-IPTC:CodedCharacterSet=UTF8",
                                     "-IPTC:Caption-Abstract=Grüße", "-IPTC:Keywords=k1", "-IPTC:Keywords=k2",
                                     "-IPTC:Urgency=2"});
    // exiftool's copy of the block is an .ffo file of another program.
    writeBytes(path("exiftool.ffo"), iimBlock(source));
    box.LoadIptcFromFile(path("exiftool.ffo"));
    EXPECT_EQ(iptcTextsOf(box), (std::vector<std::string>{"120=Grüße", "25=k1, k2"}));
    EXPECT_EQ(box.IptcUrgency(), 2);

    box.SetIptcText(IptcField::Headline, "Überschrift");
    box.SaveIptcToFile(path("engine.ffo"));
    const QByteArray written = readBytes(path("engine.ffo"));
    EXPECT_TRUE(written.startsWith(QByteArray("\x1C\x01\x5A\x00\x03\x1B%G", 8)) &&
                written.contains(QByteArray("\x1C\x02\x00\x00\x02\x00\x04", 7)))
        << "the UTF-8 marker first, the record version";

    // Put inside a photo as its IPTC block, the file reads as IPTC to exiftool.
    makePlainJpeg(path("carrier.jpg"));
    writeBytes(path("carrier.jpg"), jpegWithIptcBlock(readBytes(path("carrier.jpg")), written));
    EXPECT_EQ(exiftoolValues(path("carrier.jpg"), {"IPTC:Headline", "IPTC:Caption-Abstract", "IPTC:Keywords"}),
              "Überschrift\nGrüße\nk1|k2");

    ImageBox other;
    other.LoadIptcFromFile(path("engine.ffo"));
    EXPECT_EQ(other.IptcText(IptcField::Headline), "Überschrift");
    other.SaveIptcToFile(path("again.ffo"));
    EXPECT_EQ(readBytes(path("again.ffo")), written);

    // A file that is not IIM throws and keeps the fields.
    box.ClearIptc();
    box.SetIptcText(IptcField::Caption, "kept");
    const std::pair<const char*, QByteArray> files[] = {{"text.ffo", "Caption: not IIM at all\r\n"},
                                                        {"empty.ffo", ""},
                                                        {"cut.ffo", QByteArray("\x1C\x02\x78\x00\x20short", 10)},
                                                        {"trailing.ffo", QByteArray("\x1C\x02\x78\x00\x02okJUNK", 11)},
                                                        {"record.ffo", QByteArray("\x1C\x00\x78\x00\x02ok", 7)}};
    for (const auto& [name, bytes] : files) {
        writeBytes(path(name), bytes);
        EXPECT_THROW(box.LoadIptcFromFile(path(name)), EngineError) << name;
    }
    EXPECT_THROW(box.LoadIptcFromFile(path("missing.ffo")), EngineError);
    EXPECT_THROW(box.LoadIptcFromFile("/dev/zero"), EngineError) << "endless, read with a bound";
    EXPECT_EQ(box.IptcText(IptcField::Caption), "kept");

    writeBytes(path("padded.ffo"), QByteArray("\x1C\x02\x78\x00\x03new\0", 9));
    box.LoadIptcFromFile(path("padded.ffo"));
    EXPECT_EQ(box.IptcText(IptcField::Caption), "new");
    EXPECT_THROW(box.SaveIptcToFile(path("no/such/folder/x.ffo")), EngineError);
}

TEST_F(IptcFiles, ADamagedIptcBlockGivesFewerFieldsAndThePhotoStillLoads)
{
    makePlainJpeg(path("plain.jpg"));
    const QByteArray plain = readBytes(path("plain.jpg"));
    const QByteArray good("\x1C\x02\x00\x00\x02\x00\x04\x1C\x02\x69\x00\x04Head", 16);
    const QList<QByteArray> damaged = {
        good + QByteArray("\x1C\x02\x78\x7F\xF0toolong", 12),            // a length past the block
        good + QByteArray("\x1C\x02\x78\x80\x04\xFF\xFF\xFF\xFFx", 10),  // a huge extended length
        good + QByteArray("\x1C\x02\x78\x80\x09", 5),                    // a length of nine bytes
        QByteArray("\x01\x02\x03garbage\x1C"),
        good.left(9),
    };
    for (const QByteArray& iim : damaged) {
        writeBytes(path("damaged.jpg"), jpegWithIptcBlock(plain, iim));
        ImageBox reader;
        ASSERT_NO_THROW(reader.LoadFromFile(path("damaged.jpg")));
        EXPECT_EQ(reader.Picture().width(), 32);
        (void)iptcTextsOf(reader);  // every field reads
        EXPECT_NO_THROW(reader.SaveToFile(path("resaved.jpg")));
    }
}

// The metadata that editMetadata() leaves, as exiftoolValues() lists it.
const QStringList kEditedTags{"IFD0:Model", "IFD0:Artist", "IFD0:Make", "ExifIFD:ExposureTime", "IPTC:Headline",
                              "IPTC:Keywords", "IPTC:Urgency#"};
const char* const kEdited = "New model\nJörg\nCanon\n1/60\nNeue Überschrift\nk1\n4";

TEST_F(MetadataWrites, AFailedWriteThrowsAndLeavesTheFileAsItWas)
{
    const QString file = richJpeg();
    box.LoadFromFile(file);
    editMetadata();
    const QByteArray before = readBytes(file);

    const QByteArray png = readBytes(writePng(gradientPicture(8, 8), path("picture.png")));
    QFile::copy(path("picture.png"), path("disguised.jpg"));
    for (const QString& target : {path("vanished.jpg"), QStringLiteral("/proc/self/no-such-photo.jpg"),
                                 QStringLiteral("/proc/version"), dir.path(), path("picture.png"), path("disguised.jpg")})
        EXPECT_THROW(box.WriteMetadataToFile(target), EngineError) << target.toStdString();
    EXPECT_FALSE(QFile::exists(path("vanished.jpg")));
    EXPECT_EQ(readBytes(path("picture.png")), png);
    EXPECT_EQ(readBytes(path("disguised.jpg")), png);

    {
        const FullDisk disk(1000);  // the disk fills up part way through the new file
        EXPECT_THROW(box.WriteMetadataToFile(file), EngineError);
    }
    EXPECT_EQ(readBytes(file), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter("photo.jpg"), QStringList{"photo.jpg"})
        << "no half-written file beside it";
}

TEST_F(MetadataWrites, JpegTiffAndPsdOutputsCarryTheEnginesMetadataPngItsExifOtherFormatsNone)
{
    box.LoadFromFile(richJpeg());
    editMetadata();
    box.Scale(50);
    for (const QString name : {"out.jpg", "out.tif", "out.psd"}) {
        SCOPED_TRACE(name.toStdString());
        box.SaveToFile(path(name));
        EXPECT_EQ(exiftoolValues(path(name), kEditedTags), kEdited);
        ImageBox reader;
        reader.LoadFromFile(path(name));
        EXPECT_EQ(reader.ImageWidth(), 32);
        EXPECT_EQ(reader.ExifValueByName("Artist"), "Jörg");
        EXPECT_EQ(iptcTextsOf(reader), iptcTextsOf(box));
        EXPECT_TRUE(name != "out.tif" || reader.Picture() == box.Picture()) << "the TIFF's pixels";
    }
    // The Photoshop resources beside the IPTC go along.
    for (const QString name : {"out.jpg", "out.tif"})
        EXPECT_EQ(exiftoolValues(path(name), {"Photoshop:CopyrightFlag"}), "True") << name.toStdString();
    // The TIFF keeps its own description of its image data.
    EXPECT_EQ(exiftoolValues(path("out.tif"), {"IFD0:ImageWidth", "IFD0:ImageHeight", "XMP-dc:Title"}),
              "32\n24\nKept title");
    // The XMP goes along too, and the thumbnail shows the new pixels.
    for (const QString name : {"out.jpg", "out.psd"})
        EXPECT_EQ(exiftoolValues(path(name), {"XMP-dc:Title"}), "Kept title") << name.toStdString();
    const ToolResult thumbnail = runTool("sh", {"-c", "exiftool -b -ThumbnailImage \"$0\" | identify -format %wx%h -",
                                                path("out.jpg")});
    EXPECT_EQ(thumbnail.out, "32x24");

    for (const QString name : {"out.png", "out.bmp", "out.gif"}) {
        box.SaveToFile(path(name));
        EXPECT_EQ(exiftoolValues(path(name), {"IFD0:Artist", "IPTC:Headline"}), name == "out.png" ? "Jörg\n-" : "-\n-")
            << name.toStdString();
    }

    // Only the engine's own metadata, not what libvips remembers of the file.
    box.ClearExif();
    box.ClearIptc();
    box.SaveToFile(path("bare.jpg"));
    for (const Exiv2Row& row : exiv2Rows(path("bare.jpg")))
        EXPECT_TRUE(row.key.startsWith("Xmp.")) << row.key.toStdString();
    // A picture from elsewhere has no metadata of its own; what is set is all there is.
    box.SetBitmapHandle(gradientPicture(16, 16));
    ASSERT_TRUE(box.SetExifAttribute("Software", "Lumora"));
    box.SaveToFile(path("software.jpg"));
    const QList<Exiv2Row> rows = exiv2Rows(path("software.jpg"));
    EXPECT_TRUE(rows.size() == 1 && rows[0].key == "Exif.Image.Software") << rows.size();
}

TEST_F(MetadataWrites, MetadataBelongsToTheLoadedFile)
{
    const QString file = richJpeg();
    writePng(gradientPicture(8, 8), path("plain.png"));
    const std::pair<const char*, std::function<void()>> replacements[] = {
        {"a picture", [&] { box.SetBitmapHandle(gradientPicture(8, 8)); }},
        {"the bytes of a JPEG: pixels, no more", [&] { box.LoadFromMemory(2, readBytes(file)); }},
        {"no image", [&] { box.ClearImage(); }},
        {"a file without metadata", [&] { box.LoadFromFile(path("plain.png")); }}};
    for (const auto& [what, replace] : replacements) {
        box.LoadFromFile(file);
        ASSERT_TRUE(box.ExifCount() > 0 && box.HasIptc());
        replace();
        EXPECT_EQ(box.ExifCount(), 0) << what;
        EXPECT_FALSE(box.HasIptc()) << what;
    }
    box.LoadFromFile(file);
    EXPECT_THROW(box.LoadFromFile(path("missing.jpg")), EngineError);
    EXPECT_GT(box.ExifCount(), 0) << "a failed load keeps what was there";
}

TEST_F(MetadataWrites, SnapshotsRestoreTheImageAndItsMetadataExactly)
{
    const QString file = richJpeg();
    ASSERT_EQ(runTool("exiv2", {"-M", "set Exif.Canon.OwnerName Ascii Owner", file}).exitCode, 0);
    box.LoadFromFile(file);
    box.Rotate(17);
    editMetadata();
    ASSERT_TRUE(box.SetExifAttribute("UserComment", "Ünïcode"));
    box.SetIptcDate(IptcField::TimeCreated, QDateTime(QDate(2000, 1, 1), QTime(1, 2, 3)));
    const QByteArray snapshot = box.SaveToMemory(ImageBox::SnapshotFormat);
    const Picture picture = box.Picture();
    const std::vector<std::string> exif = exifRowsOf(box), iptc = iptcTextsOf(box);

    // Restored after other edits, and in an engine of the other mode.
    box.Negative();
    box.Crop(0, 0, 5, 5);
    box.ClearExif();
    box.LoadFromMemory(ImageBox::SnapshotFormat, snapshot);
    ImageBox other(ImageBox::Mode::View);
    other.LoadFromMemory(ImageBox::SnapshotFormat, snapshot);
    for (const ImageBox* engine : {&box, &other}) {
        EXPECT_EQ(engine->Picture(), picture);
        EXPECT_EQ(engine->ImageDepth(), 24);
        EXPECT_EQ(exifRowsOf(*engine), exif);
        EXPECT_EQ(iptcTextsOf(*engine), iptc);
        EXPECT_EQ(engine->IptcUrgency(), 4);
    }
    EXPECT_EQ(other.SaveToMemory(ImageBox::SnapshotFormat), snapshot);

    box.SaveToFile(path("from-box.jpg"));
    other.SaveToFile(path("from-snapshot.jpg"));
    const auto metadataRows = [](const QString& f) {
        QStringList rows;
        for (const Exiv2Row& row : exiv2Rows(f))
            rows.append(row.key + u' ' + row.type + u' ' + row.value);
        return rows.join(u'\n').toStdString();
    };
    EXPECT_EQ(metadataRows(path("from-snapshot.jpg")), metadataRows(path("from-box.jpg")));

    // A damaged snapshot restores nothing, image and metadata kept.
    EXPECT_THROW(other.LoadFromMemory(ImageBox::SnapshotFormat, QByteArray("garbage")), EngineError);
    EXPECT_THROW(other.LoadFromMemory(ImageBox::SnapshotFormat, snapshot.left(snapshot.size() - 3)), EngineError);
    EXPECT_THROW(other.LoadFromMemory(ImageBox::SnapshotFormat, snapshot.left(snapshot.size() / 2)), EngineError);
    EXPECT_EQ(other.Picture(), picture);
    EXPECT_EQ(other.IptcText(IptcField::Headline), "Neue Überschrift");
}

TEST(MetadataThreads, EnginesOnSeveralThreadsReadAndWriteMetadataAtOnce)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("source.jpg");
    makePlainJpeg(source, 48, 32);
    ASSERT_TRUE(exiftoolWrite(source, {"-Make=Threads", "-XMP:Title=Shared", "-IPTC:Caption-Abstract=Start"}));
    // Each round: load, edit, save scaled; write a headline into that file and read it all back.
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            const QString out = dir.filePath(QStringLiteral("out-%1.jpg").arg(t));
            for (int round = 0; round < 8; ++round)
                try {
                    const QString artist = QStringLiteral("Thread %1 round %2").arg(t).arg(round);
                    ImageBox engine, reader;
                    engine.LoadFromFile(source);
                    engine.SetExifAttribute("Artist", artist);
                    engine.AddKeyword(artist);
                    engine.Scale(50);
                    engine.SaveToFile(out);
                    reader.LoadFromFile(out);
                    reader.SetIptcText(IptcField::Headline, artist);
                    reader.WriteMetadataToFile(out);
                    reader.LoadFromFile(out);
                    wrong += reader.ExifValueByName("Artist") != artist || reader.ExifValueByName("Make") != u"Threads" ||
                             reader.Keyword(0) != artist || reader.IptcText(IptcField::Headline) != artist ||
                             reader.IptcText(IptcField::Caption) != u"Start";
                } catch (const std::exception&) {
                    ++wrong;
                }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);
}

// --- shared images --------------------------------------------------------------------------------

// Sharing an image between engines (ImageBox::CopyImageFrom): what the receiver gets is exactly
// the image as loaded or edited, pixels, depth and metadata; what stays is each engine's own
// settings, and neither engine's later edits reach the other.
class CopyImage : public EngineModes {
protected:
    // A view engine with settings of its own, holding another image with metadata of its own.
    void prepareReceiver(ImageBox& receiver)
    {
        makePlainJpeg(path("other.jpg"), 20, 10);
        ASSERT_TRUE(exiftoolWrite(path("other.jpg"), {"-Make=Nikon", "-Software=Other"}));
        receiver.LoadFromFile(path("other.jpg"));
        receiver.SetStretchToFit(false);
        receiver.SetZoom(250);
        receiver.SetBackColor(ole(1, 2, 3));
        receiver.SetTag("receiver");
    }
};
LUMORA_BOTH_ENGINE_MODES(CopyImage);

TEST_P(CopyImage, PixelsDepthMetadataOrEmptinessAreSharedEachEngineKeepsItsSettingsAndEdits)
{
    const QString photo = path("tagged.jpg");
    makePlainJpeg(photo, 48, 32);
    ASSERT_TRUE(exiftoolWrite(photo, {"-Make=Canon", "-Artist=Ann Lee", "-IPTC:Caption-Abstract=Harbour at dawn"}));
    box.LoadFromFile(photo);
    // A batch engine streams its file: it can be shared only once computed.
    ImageBox receiver(ImageBox::Mode::View);
    prepareReceiver(receiver);
    if (GetParam() == ImageBox::Mode::Batch) {
        EXPECT_THROW(receiver.CopyImageFrom(box), EngineError);
        EXPECT_EQ(receiver.ExifValueByName("Make"), "Nikon") << "a refused copy changes nothing";
        ASSERT_FALSE(box.Picture().isNull());
    }
    receiver.CopyImageFrom(box);

    EXPECT_EQ(receiver.Picture(), box.Picture());
    EXPECT_EQ(receiver.ImageDepth(), 24);
    EXPECT_EQ(exifRowsOf(receiver), exifRowsOf(box));
    EXPECT_EQ(receiver.IptcText(IptcField::Caption), "Harbour at dawn");
    EXPECT_TRUE(!receiver.StretchToFit() && receiver.Zoom() == 250 && receiver.BackColor() == ole(1, 2, 3) &&
                receiver.Tag() == "receiver")
        << "the receiver's own settings stay";

    // Edits of either engine stay its own.
    const Picture before = box.Picture();
    receiver.Flip(0);
    receiver.SetExifAttribute("Make", "Pentax");
    EXPECT_EQ(box.Picture(), before);
    EXPECT_EQ(box.ExifValueByName("Make"), "Canon");
    box.Negative();
    EXPECT_NE(receiver.Picture(), box.Picture());

    // The metadata travels with the image into what the receiver writes.
    receiver.SaveToFile(path("out.jpg"));
    EXPECT_EQ(exiftoolValues(path("out.jpg"), {"IFD0:Make", "IPTC:Caption-Abstract"}), "Pentax\nHarbour at dawn");

    // From an empty engine the receiver empties and keeps its settings; from itself nothing changes.
    receiver.CopyImageFrom(ImageBox(GetParam()));
    EXPECT_TRUE(!receiver.HasImage() && receiver.ExifCount() == 0 && receiver.Tag() == "receiver");
    box.SetBitmapHandle(gradientPicture(12, 9));
    box.CopyImageFrom(box);
    EXPECT_EQ(box.Picture(), gradientPicture(12, 9));
}

}  // namespace
