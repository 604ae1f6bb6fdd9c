// Editing one attribute or field from the metadata pane: what reaches the engine, what reaches
// the photo (checked with exiftool), and what the lists show afterwards.

#include "engine/ImageBox.h"
#include "metadata/ExifEditing.h"
#include "metadata/MetadataFiles.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataReading.h"
#include "metadata/MetadataUpdate.h"
#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/ReportCapture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;
using namespace lumora::modMetadata;

namespace {

class MetadataUpdate : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    QString photoWith(const QStringList& assignments, const QString& name = QStringLiteral("photo.jpg"))
    {
        const QString file = makePicture(path(name));
        if (!assignments.isEmpty()) {
            EXPECT_TRUE(exiftoolWrite(file, assignments));
        }
        engine.LoadFromFile(file);
        engine.SetTag(file);
        return file;
    }

    QTemporaryDir dir;
    ImageBox engine{ImageBox::Mode::Batch};
};

}  // namespace

TEST_F(MetadataUpdate, ExifEditReachesTheJpegWithLumoraAsSoftware)
{
    const QString photo = photoWith({"-Artist=Ann", "-Software=Camera 1.0"});
    ReportCapture reports;
    EXPECT_TRUE(fncUpdateAttribute(photo, false, "Artist", QStringLiteral("Bob"), engine));
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_EQ(exiftoolValue(photo, "EXIF:Artist"), "Bob");
    EXPECT_EQ(exiftoolValue(photo, "EXIF:Software"), "Lumora");
    EXPECT_EQ(engine.ExifValueByName("Artist"), "Bob");
}

TEST_F(MetadataUpdate, ExifDatesAreWrittenAsExifDateText)
{
    const QString photo = photoWith({"-Make=Canon"});
    EXPECT_TRUE(fncUpdateAttribute(photo, false, "DateTimeOriginal", QStringLiteral("7/15/2004 2:03:22 PM"), engine));
    EXPECT_EQ(exiftoolValue(photo, "EXIF:DateTimeOriginal"), "2004:07:15 14:03:22");
    EXPECT_TRUE(fncUpdateAttribute(photo, false, "DateTime", QDateTime(QDate(2010, 1, 2), QTime(0, 5, 9)), engine));
    EXPECT_EQ(exiftoolValue(photo, "EXIF:ModifyDate"), "2010:01:02 00:05:09");
}

TEST_F(MetadataUpdate, AttributesTheEngineRefusesChangeNothing)
{
    const QString photo = photoWith({"-Make=Canon", "-Orientation#=1"});
    const QByteArray before = readBytes(photo);
    EXPECT_FALSE(fncUpdateAttribute(photo, false, "Orientation", QStringLiteral("6"), engine));
    EXPECT_FALSE(fncUpdateAttribute(photo, false, "PixelXDimension", QStringLiteral("wide"), engine));
    EXPECT_EQ(readBytes(photo), before);
    EXPECT_EQ(engine.ExifValueByName("Software"), "");
}

TEST_F(MetadataUpdate, AnUnreadableDateIsReported)
{
    const QString photo = photoWith({"-Make=Canon"});
    const QByteArray before = readBytes(photo);
    ReportCapture reports;
    EXPECT_FALSE(fncUpdateAttribute(photo, false, "DateTime", QStringLiteral("next Tuesday"), engine));
    reports.expectOne("modMetadata.fncUpdateAttribute", 13, 1, QStringLiteral("Updating metadata attribute"));
    EXPECT_EQ(readBytes(photo), before);
}

TEST_F(MetadataUpdate, AFailedWriteBackIsReported)
{
    photoWith({"-Make=Canon"});
    ReportCapture reports;
    EXPECT_FALSE(fncUpdateAttribute(path("gone.jpg"), false, "Artist", QStringLiteral("Bob"), engine));
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(reports.reports().front().routine, "modMetadata.fncUpdateAttribute");
    EXPECT_EQ(reports.reports().front().line, 3);
}

TEST_F(MetadataUpdate, IptcTextEditOnAPngStaysInTheEngine)
{
    const QString png = photoWith({}, "picture.png");
    const QByteArray before = readBytes(png);
    EXPECT_TRUE(fncUpdateAttribute(png, true, "Caption", QStringLiteral("hello"), engine));
    EXPECT_EQ(engine.IptcText(IptcField::Caption), "hello");
    EXPECT_EQ(readBytes(png), before);
    ImageBox reloaded;
    reloaded.LoadFromFile(png);
    EXPECT_EQ(reloaded.IptcText(IptcField::Caption), "");
}

TEST_F(MetadataUpdate, IptcTextEditOnATiffSavesTheTiffAgain)
{
    const QString tiff = photoWith({}, "picture.tif");
    EXPECT_TRUE(fncUpdateAttribute(tiff, true, "Caption", QStringLiteral("harbour at dawn"), engine));
    EXPECT_EQ(exiftoolValue(tiff, "IPTC:Caption-Abstract"), "harbour at dawn");
    EXPECT_EQ(identify(tiff), "16x12");
}

TEST_F(MetadataUpdate, AnEmptiedDateShowsNothing)
{
    const QString photo = photoWith({"-IPTC:DateCreated=2012:11:25"});
    EXPECT_TRUE(fncUpdateAttribute(photo, true, "Date Created", QStringLiteral(""), engine));
    EXPECT_EQ(engine.IptcDate(IptcField::DateCreated).date(), ImageBox::ZeroDate().date());
    EXPECT_EQ(exiftoolValue(photo, "IPTC:DateCreated"), "");
    MetadataList list;
    ASSERT_TRUE(ReadFileIPTCInfo(engine, list, photo));
    EXPECT_EQ(list.at(list.findTag("Date Created")).value, "");
}

TEST_F(MetadataUpdate, IptcDatesTakeTheTextsThePaneShows)
{
    const QString photo = photoWith({});
    EXPECT_TRUE(fncUpdateAttribute(photo, true, "Date Created", QStringLiteral("7/15/2004"), engine));
    EXPECT_TRUE(fncUpdateAttribute(photo, true, "Time Created", QStringLiteral("2:03:22 PM"), engine));
    EXPECT_EQ(exiftoolValue(photo, "IPTC:DateCreated"), "2004:07:15");
    EXPECT_TRUE(exiftoolValue(photo, "IPTC:TimeCreated").startsWith("14:03:22"));
}

TEST_F(MetadataUpdate, ListFieldsAndUnknownLabelsAreNotWrittenHere)
{
    const QString photo = photoWith({"-IPTC:Keywords=alpha"});
    EXPECT_TRUE(fncUpdateAttribute(photo, true, "Keywords", QStringLiteral("beta"), engine));
    EXPECT_TRUE(fncUpdateAttribute(photo, true, "No Such Field", QStringLiteral("x"), engine));
    EXPECT_EQ(engine.KeywordCount(), 1);
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Keywords"), "alpha");
}

TEST_F(MetadataUpdate, DeletingAnAttributeLoadsThePhotoWritesItAndDropsTheRow)
{
    const QString photo = photoWith({"-Artist=Ann", "-Make=Canon"});
    MetadataList list;
    ASSERT_TRUE(ReadFileEXIFInfo(engine, list, photo));
    const int rows = list.size();
    engine.ClearImage();  // the window's engine may have moved on; the list's file is reloaded
    ReportCapture reports;
    EXPECT_TRUE(fncDeleteAttribute("Artist", list, engine));
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_EQ(list.size(), rows - 1);
    EXPECT_EQ(list.findTag("Artist"), -1);
    EXPECT_EQ(exiftoolValue(photo, "EXIF:Artist"), "");
    EXPECT_EQ(exiftoolValue(photo, "EXIF:Make"), "Canon");
    EXPECT_EQ(exiftoolValue(photo, "EXIF:Software"), "Lumora");
    // A second time there is nothing to delete.
    EXPECT_FALSE(fncDeleteAttribute("Artist", list, engine));
    EXPECT_EQ(list.size(), rows - 1);
}

TEST_F(MetadataUpdate, DeletingRemovesTheSelectedRow)
{
    const QString photo = photoWith({"-Make=Canon", "-Model=EOS"});
    MetadataList list;
    ASSERT_TRUE(ReadFileEXIFInfo(engine, list, photo));
    const int model = list.findTag("Model");
    EXPECT_TRUE(fncDeleteAttribute("Model", list, engine, model));
    EXPECT_EQ(list.findTag("Model"), -1);
    EXPECT_GE(list.findTag("Make"), 0);
}

TEST_F(MetadataUpdate, AddDialogOffersTheMissingEditableAttributes)
{
    const QString photo = photoWith({"-Make=Canon", "-Artist=Ann", "-Orientation#=1"});
    MetadataList list;
    ASSERT_TRUE(ReadFileEXIFInfo(engine, list, photo));
    EXPECT_EQ(MissingEditableExif(list),
              QStringList({"Model", "DateTime", "ImageDescription", "Copyright", "DateTimeOriginal",
                           "DateTimeDigitized", "UserComment", "PixelXDimension", "PixelYDimension"}));
    for (const QString& name : MissingEditableExif(list))
        list.addRow(MetadataRow{name, name, name, "", true});
    EXPECT_EQ(AddAttributeItems(list), QStringList{"No editable attribute to add!"});
}

TEST_F(MetadataUpdate, ClearingAllEmptiesTheListsAndThePhoto)
{
    const QString photo = photoWith({"-Make=Canon", "-IPTC:Caption-Abstract=harbour"});
    MetadataList exif;
    MetadataList iptc;
    ASSERT_TRUE(ReadFileEXIFInfo(engine, exif, photo));
    ASSERT_TRUE(ReadFileIPTCInfo(engine, iptc, photo));
    ASSERT_FALSE(exif.isEmpty());

    EXPECT_TRUE(ClearAllExif(engine, exif));
    EXPECT_TRUE(exif.isEmpty());
    EXPECT_EQ(exiftoolValue(photo, "EXIF:Make"), "");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Caption-Abstract"), "harbour");

    EXPECT_TRUE(ClearAllIptc(engine, iptc));
    EXPECT_EQ(iptc.size(), 52);
    for (const MetadataRow& row : iptc.rows())
        EXPECT_EQ(row.value, "") << row.tag.toStdString();
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Caption-Abstract"), "");
}
