// The engine's EXIF and IPTC. EXIF: what exiftool and the exiv2 program write into a photo comes
// back under the right names, in file order, with the right value texts; edits reach the file with
// their proper types and places. IPTC: fields exiftool wrote come back (UTF-8 with and without the
// marker, Windows code page text, lists, dates, urgency); what the engine writes, the tools read
// with the datasets, the marker and the record version; .ffo files round-trip. Damaged blocks cost
// attributes or fields, never the photo.

#include "MetadataTestFiles.h"

#include <QSet>
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

class IptcFiles : public MetadataFiles {
protected:
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
};

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

TEST_F(IptcFiles, FieldsExiftoolWroteComeBack)
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
}

TEST_F(IptcFiles, TextWithoutTheMarkerIsUtf8WhereValidElseTheWindowsCodePage)
{
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

TEST_F(IptcFiles, FfoFilesHoldTheRawDatasetsBothWays)
{
    const QString source = jpegWith({"-charset", "iptc=UTF8", "-IPTC:CodedCharacterSet=UTF8",
                                     "-IPTC:Caption-Abstract=Grüße", "-IPTC:Keywords=k1", "-IPTC:Keywords=k2",
                                     "-IPTC:Urgency=2"});
    // exiftool's copy of the block is an .ffo file of another program.
    writeBytes(path("exiftool.ffo"), iimBlock(source));
    box.LoadIptcFromFile(path("exiftool.ffo"));
    EXPECT_EQ(box.IptcText(IptcField::Caption), "Grüße");
    EXPECT_EQ(keywords(), (QStringList{"k1", "k2"}));
    EXPECT_EQ(box.IptcUrgency(), 2);

    box.SetIptcText(IptcField::Headline, "Überschrift");
    box.SaveIptcToFile(path("engine.ffo"));
    const QByteArray written = readBytes(path("engine.ffo"));
    EXPECT_TRUE(written.startsWith(QByteArray("\x1C\x01\x5A\x00\x03\x1B%G", 8)));
    EXPECT_TRUE(written.contains(QByteArray("\x1C\x02\x00\x00\x02\x00\x04", 7)));

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
}

TEST_F(IptcFiles, AFileThatIsNotIimThrowsAndKeepsTheFields)
{
    box.SetIptcText(IptcField::Caption, "kept");
    const std::pair<const char*, QByteArray> files[] = {
        {"text.ffo", "Caption: not IIM at all\r\n"},
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

}  // namespace
