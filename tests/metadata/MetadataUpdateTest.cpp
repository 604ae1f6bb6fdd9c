// Editing one attribute or field from the metadata pane: what reaches the engine, what reaches
// the photo (checked with exiftool), and what the lists show afterwards.

#include "core/LumoraError.h"
#include "engine/IptcField.h"
#include "metadata/ExifEditing.h"
#include "metadata/IptcListEdits.h"
#include "metadata/MetadataFiles.h"
#include "metadata/MetadataUpdate.h"
#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/ReportCapture.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

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

TEST_F(MetadataUpdate, IptcTextEditsStayInThePngsEngine)
{
    readExif({}, "picture.png");
    const QString png = photo;
    const QByteArray before = readBytes(png);
    EXPECT_TRUE(fncUpdateAttribute(png, true, "Caption", QStringLiteral("hello"), engine));
    EXPECT_TRUE(ClearAllExif(engine, list));
    EXPECT_EQ(engine.IptcText(IptcField::Caption), "hello");
    EXPECT_EQ(readBytes(png), before);
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

// Every edit of the pane, in turn, on a JPEG, TIFFs in strips and in 16-bit tiles and a PSD that
// exiftool tagged: exiftool reads what was written where it belongs, no other tag changes, and
// the image data stays byte for byte.
TEST_F(MetadataUpdate, EveryEditIsWrittenIntoJpegTiffAndPsdInPlace)
{
    MetadataList iptc;
    struct Edit {
        const char* what;
        std::function<bool()> run;
        QStringList expected;        // "tag=value" as exiftool lists it (-n)
        QStringList alsoChanged{};  // tags (or "group:") whose values may change beside those
    };
    const std::vector<Edit> edits{
        {"set EXIF",
         [&] {
             return fncUpdateAttribute(photo, false, "Artist", QStringLiteral("Bob"), engine) &&
                    fncUpdateAttribute(photo, false, "DateTimeOriginal", QStringLiteral("7/15/2004 2:03:22 PM"), engine);
         },
         {"IFD0:Artist=Bob", "ExifIFD:DateTimeOriginal=2004:07:15 14:03:22", "IFD0:Software=Lumora"}},
        {"delete EXIF", [&] { return fncDeleteAttribute("Make", list, engine); }, {"IFD0:Make=", "IFD0:Software=Lumora"}},
        {"IPTC text",
         [&] { return fncUpdateAttribute(photo, true, "Caption", QStringLiteral("Hafen – Kiel"), engine); },
         {"IPTC:Caption-Abstract=Hafen – Kiel", "IPTC:CodedCharacterSet=.%G" /* ESC % G: UTF-8 */, "IPTC:Headline=Kept"}},
        {"keywords", [&] { return subUpdateIPTC_Keywords(engine, {"alpha", "gamma"}) == "alpha,gamma"; },
         {"IPTC:Keywords=alpha, gamma"}},
        {"categories", [&] { return subUpdateIPTC_Category(engine, {"boats", "sea"}, " 3") == "boats,sea"; },
         {"IPTC:SupplementalCategories=boats, sea", "IPTC:Urgency=3"}},
        {"clear EXIF", [&] { return ClearAllExif(engine, list) && list.isEmpty(); },
         {"IFD0:Artist=", "IFD0:Software=", "ExifIFD:DateTimeOriginal=", "IFD0:Model="},
         {"IFD0:", "ExifIFD:"}},
        {"clear IPTC", [&] { return ClearAllIptc(engine, iptc) && iptc.size() == 52; },
         {"IPTC:Keywords=", "IPTC:SupplementalCategories=", "IPTC:Caption-Abstract=", "IPTC:Headline=", "IPTC:Urgency=",
          "IPTC:CodedCharacterSet="},
         {"IPTC:ApplicationRecordVersion"}},
    };
    const std::pair<const char*, QStringList> photos[] = {
        {"photo.jpg", {}},
        {"strips.tif", {"-define", "tiff:rows-per-strip=3"}},
        {"tiles.tif", {"-depth", "16", "-define", "tiff:tile-geometry=16x16", "-extent", "40x30"}},
        {"photo.psd", {}},
    };
    for (const auto& [name, layout] : photos) {
        photoWith({"-Artist=Ann", "-Make=Canon", "-Model=EOS", "-Software=Camera 1.0", "-IPTC:Headline=Kept",
                   "-IPTC:Keywords=old", "-XMP-dc:Title=Kept title"},
                  name, layout);
        ASSERT_TRUE(QFile::setPermissions(photo, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        const QFile::Permissions permissions = QFile::permissions(photo);
        list.clear();
        iptc.clear();
        ASSERT_TRUE(ReadFileEXIFInfo(engine, list, photo));
        ASSERT_TRUE(ReadFileIPTCInfo(engine, iptc, photo));
        ExiftoolTags tags = exiftoolTags(photo);
        const QByteArray imageData = imageDataOf(photo, tags);
        ASSERT_FALSE(imageData.isEmpty());
        ReportCapture reports;
        for (const Edit& edit : edits) {
            SCOPED_TRACE(std::string(name) + ", " + edit.what);
            EXPECT_TRUE(edit.run());
            EXPECT_TRUE(reports.reports().empty());
            const ExiftoolTags before = std::exchange(tags, exiftoolTags(photo));
            QStringList mayChange = edit.alsoChanged;
            for (const QString& expected : edit.expected) {
                const QString tag = expected.section(u'=', 0, 0);
                EXPECT_EQ(tags.value(tag), expected.section(u'=', 1)) << tag.toStdString();
                mayChange << tag;
            }
            for (const QString& tag : changedTags(before, tags))
                EXPECT_TRUE(std::any_of(mayChange.begin(), mayChange.end(), [&](const QString& may) {
                    return tag == may || (may.endsWith(u':') && tag.startsWith(may));
                })) << tag.toStdString() << ": " << before.value(tag).toStdString() << " -> "
                    << tags.value(tag).toStdString();
            EXPECT_EQ(imageDataOf(photo, tags), imageData);
            EXPECT_EQ(QFile::permissions(photo), permissions);
        }
    }
}

// ExifTool's sample keeps its IPTC behind its multi-picture index: when the IPTC grows, the
// index's offsets still lead to its second image.
TEST_F(MetadataUpdate, AMultiPictureIndexFollowsItsImagesWhenTheIptcBehindItGrows)
{
    photo = path("ExifTool.jpg");
    ASSERT_TRUE(QFile::copy(QStringLiteral(LUMORA_SOURCE_DIR "/tests/data/makernotes/ExifTool.jpg"), photo));
    ASSERT_TRUE(QFile::setPermissions(photo, QFile::ReadOwner | QFile::WriteOwner));
    engine.LoadFromFile(photo);
    const qint64 sizeBefore = QFileInfo(photo).size();
    const qint64 startBefore = exiftoolValue(photo, "MPImage2:MPImageStart").toLongLong();
    EXPECT_TRUE(fncUpdateAttribute(photo, true, "Caption", QStringLiteral("A caption far longer than before"), engine));
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Caption-Abstract"), "A caption far longer than before");
    EXPECT_EQ(exiftoolValue(photo, "MPImage2:MPImageStart").toLongLong() - startBefore,
              QFileInfo(photo).size() - sizeBefore);
}

// A camera's JPEG keeps its maker notes byte for byte when an attribute is edited: exiftool reads
// every tag as before, but the edited one and Software.
TEST_F(MetadataUpdate, CameraJpegsKeepTheirMakerNotes)
{
    for (const char* camera : {"OlympusE1.jpg", "Ricoh.jpg", "Sanyo.jpg", "Canon.jpg", "Nikon.jpg"}) {
        SCOPED_TRACE(camera);
        photo = path(camera);
        ASSERT_TRUE(QFile::copy(QStringLiteral(LUMORA_SOURCE_DIR "/tests/data/makernotes/") + camera, photo));
        ASSERT_TRUE(QFile::setPermissions(photo, QFile::ReadOwner | QFile::WriteOwner));
        engine.LoadFromFile(photo);
        const ExiftoolTags before = exiftoolTags(photo);
        const QByteArray imageData = imageDataOf(photo);
        EXPECT_TRUE(fncUpdateAttribute(photo, false, "Artist", QStringLiteral("Bob"), engine));
        const ExiftoolTags after = exiftoolTags(photo);
        EXPECT_EQ(after.value("IFD0:Artist"), "Bob");
        QStringList changed = changedTags(before, after);
        changed.removeAll("IFD0:Artist");
        changed.removeAll("IFD0:Software");
        EXPECT_EQ(changed, QStringList());
        EXPECT_EQ(imageDataOf(photo), imageData);
    }
}
