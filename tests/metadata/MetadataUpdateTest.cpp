// Editing one attribute or field from the metadata pane: what reaches the engine, what reaches
// the photo (checked with exiftool), and what the lists show afterwards.

#include "core/LumoraError.h"
#include "engine/IptcField.h"
#include "metadata/ExifEditing.h"
#include "metadata/MetadataFiles.h"
#include "metadata/MetadataUpdate.h"
#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/ReportCapture.h"

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;
using namespace lumora::modMetadata;

namespace {

using MetadataUpdate = TaggedPhotoTest;

}  // namespace

TEST_F(MetadataUpdate, ExifEditsReachTheJpegWithLumoraAsSoftwareAndDatesAsExifText)
{
    photoWith({"-Artist=Ann", "-Software=Camera 1.0"});
    ReportCapture reports;
    EXPECT_TRUE(fncUpdateAttribute(photo, false, "Artist", QStringLiteral("Bob"), engine));
    EXPECT_TRUE(fncUpdateAttribute(photo, false, "DateTimeOriginal", QStringLiteral("7/15/2004 2:03:22 PM"), engine));
    EXPECT_TRUE(fncUpdateAttribute(photo, false, "DateTime", QDateTime(QDate(2010, 1, 2), QTime(0, 5, 9)), engine));
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_EQ(exiftoolValue(photo, "EXIF:Artist"), "Bob");
    EXPECT_EQ(exiftoolValue(photo, "EXIF:Software"), "Lumora");
    EXPECT_EQ(exiftoolValue(photo, "EXIF:DateTimeOriginal"), "2004:07:15 14:03:22");
    EXPECT_EQ(exiftoolValue(photo, "EXIF:ModifyDate"), "2010:01:02 00:05:09");
}

TEST_F(MetadataUpdate, RefusedOrUnreadableValuesChangeNothing)
{
    photoWith({"-Make=Canon", "-Orientation#=1"});
    const QByteArray before = readBytes(photo);
    ReportCapture reports;
    EXPECT_FALSE(fncUpdateAttribute(photo, false, "Orientation", QStringLiteral("6"), engine));
    EXPECT_FALSE(fncUpdateAttribute(photo, false, "PixelXDimension", QStringLiteral("wide"), engine));
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_FALSE(fncUpdateAttribute(photo, false, "DateTime", QStringLiteral("next Tuesday"), engine));
    reports.expectOne("modMetadata.fncUpdateAttribute", errnum::TypeMismatch, 1, "Updating metadata attribute");
    EXPECT_EQ(readBytes(photo), before);
    EXPECT_EQ(engine.ExifValueByName("Software"), "");

    // A photo that cannot be written back.
    EXPECT_FALSE(fncUpdateAttribute(path("gone.jpg"), false, "Artist", QStringLiteral("Bob"), engine));
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(reports.reports().front().routine, "modMetadata.fncUpdateAttribute");
    EXPECT_EQ(reports.reports().front().line, 3);
}

TEST_F(MetadataUpdate, IptcTextEditsStayInThePngsEngineAndSaveTheTiffAgain)
{
    const QString png = photoWith({}, "picture.png");
    const QByteArray before = readBytes(png);
    EXPECT_TRUE(fncUpdateAttribute(png, true, "Caption", QStringLiteral("hello"), engine));
    EXPECT_EQ(engine.IptcText(IptcField::Caption), "hello");
    EXPECT_EQ(readBytes(png), before);

    const QString tiff = photoWith({}, "picture.tif");
    EXPECT_TRUE(fncUpdateAttribute(tiff, true, "Caption", QStringLiteral("harbour at dawn"), engine));
    EXPECT_EQ(exiftoolValue(tiff, "IPTC:Caption-Abstract"), "harbour at dawn");
    EXPECT_EQ(identify(tiff), "16x12");
}

TEST_F(MetadataUpdate, IptcDatesTakeTheTextsThePaneShowsAndListFieldsAreNotWrittenHere)
{
    photoWith({"-IPTC:Keywords=alpha"});
    EXPECT_TRUE(fncUpdateAttribute(photo, true, "Date Created", QStringLiteral("7/15/2004"), engine));
    EXPECT_TRUE(fncUpdateAttribute(photo, true, "Time Created", QStringLiteral("2:03:22 PM"), engine));
    EXPECT_EQ(exiftoolValue(photo, "IPTC:DateCreated"), "2004:07:15");
    EXPECT_TRUE(exiftoolValue(photo, "IPTC:TimeCreated").startsWith("14:03:22"));

    EXPECT_TRUE(fncUpdateAttribute(photo, true, "Date Created", QStringLiteral(""), engine));
    EXPECT_EQ(engine.IptcDate(IptcField::DateCreated).date(), ImageBox::ZeroDate().date());
    EXPECT_EQ(exiftoolValue(photo, "IPTC:DateCreated"), "");
    ASSERT_TRUE(ReadFileIPTCInfo(engine, list, photo));
    EXPECT_EQ(row("Date Created").value, "");

    // Keywords are edited in their own dialog; a label that is no field is ignored.
    EXPECT_TRUE(fncUpdateAttribute(photo, true, "Keywords", QStringLiteral("beta"), engine));
    EXPECT_TRUE(fncUpdateAttribute(photo, true, "No Such Field", QStringLiteral("x"), engine));
    EXPECT_EQ(engine.KeywordCount(), 1);
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Keywords"), "alpha");
}

TEST_F(MetadataUpdate, DeletingAnAttributeLoadsThePhotoWritesItAndDropsTheRow)
{
    readExif({"-Artist=Ann", "-Make=Canon", "-Model=EOS"});
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
    // The row selected in the pane goes.
    EXPECT_TRUE(fncDeleteAttribute("Model", list, engine, list.findTag("Model")));
    EXPECT_EQ(list.findTag("Model"), -1);
    EXPECT_GE(list.findTag("Make"), 0);
}

TEST_F(MetadataUpdate, AddDialogOffersTheMissingEditableAttributes)
{
    readExif({"-Make=Canon", "-Artist=Ann", "-Orientation#=1"});
    EXPECT_EQ(MissingEditableExif(list),
              QStringList({"Model", "DateTime", "ImageDescription", "Copyright", "DateTimeOriginal",
                           "DateTimeDigitized", "UserComment", "PixelXDimension", "PixelYDimension"}));
    for (const QString& name : MissingEditableExif(list))
        list.addRow(MetadataRow{name, name, name, "", true});
    EXPECT_EQ(AddAttributeItems(list), QStringList{"No editable attribute to add!"});
}

TEST_F(MetadataUpdate, ClearingAllEmptiesTheListsAndThePhoto)
{
    readExif({"-Make=Canon", "-IPTC:Caption-Abstract=harbour"});
    MetadataList iptc;
    ASSERT_TRUE(ReadFileIPTCInfo(engine, iptc, photo));
    ASSERT_FALSE(list.isEmpty());

    EXPECT_TRUE(ClearAllExif(engine, list));
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(exiftoolValue(photo, "EXIF:Make"), "");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Caption-Abstract"), "harbour");

    EXPECT_TRUE(ClearAllIptc(engine, iptc));
    EXPECT_EQ(iptc.size(), 52);
    for (const MetadataRow& field : iptc.rows())
        EXPECT_EQ(field.value, "") << field.tag.toStdString();
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Caption-Abstract"), "");
}
