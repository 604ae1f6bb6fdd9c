// The EXIF list of the metadata pane, read from photos whose tags exiftool put in, saved to .xiff
// files and opened from them into a photo or, for a batch, into the engine only. exiftool judges
// what reached the photos.

#include "core/LumoraError.h"
#include "metadata/ExifExchange.h"
#include "metadata/MetadataFiles.h"
#include "support/FileBytes.h"
#include "support/ReportCapture.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;
using namespace lumora::modMetadata;

namespace {

using ExifReading = TaggedPhotoTest;
using ExifExchange = TaggedPhotoTest;

}  // namespace

TEST_F(ExifReading, RowsShowDisplayNamesAndReadableValuesInTheEngineOrder)
{
    ReportCapture reports;
    readExif({"-Make=Canon", "-Artist=Ann Example", "-Orientation#=6", "-ExposureTime=1/250", "-FNumber=2.8",
              "-ExposureCompensation=-0.33333333", "-DateTimeOriginal=2004:07:15 14:03:22",
              "-ComponentsConfiguration#=1 2 3 0", "-EXIF:Flash#=16", "-ExifVersion=0220"});
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_EQ(list.tag(), photo);
    ASSERT_EQ(list.size(), engine.ExifCount());
    for (int i = 0; i < list.size(); ++i)
        EXPECT_EQ(list.at(i).tag, engine.ExifNameAt(i)) << i;

    EXPECT_EQ(row("Make"), (MetadataRow{"Make", "Make", "Make", "Canon", true}));
    EXPECT_EQ(row("Artist"), (MetadataRow{"Artist", "Artist", "Artist", "Ann Example", true}));
    EXPECT_EQ(row("Flash"), (MetadataRow{"Flash", "", "Flash", "Flash did not fire, compulsory flash mode", false}));
    EXPECT_EQ(row("Orientation").value, "Right Upper");
    EXPECT_EQ(row("ExposureTime").value, "1/250 s");
    EXPECT_EQ(row("FNumber"), (MetadataRow{"F-Number", "", "FNumber", "f/2.8", false}));  // exiftool stores 14/5
    EXPECT_EQ(row("ExposureBiasValue").value, "-0.33 EV");
    EXPECT_EQ(row("ExifVersion").value, "2.2");
    EXPECT_EQ(row("ComponentsConfiguration").value, "YCrCb");
    EXPECT_EQ(row("DateTimeOriginal"), (MetadataRow{"Date/Time Original", "DateTimeOriginal", "DateTimeOriginal",
                                                    "7/15/2004 2:03:22 PM", true}));
}

TEST_F(ExifReading, ZeroDenominatorIsReportedAndTheRawValueShows)
{
    ReportCapture reports;
    // exiftool writes an infinite focal length as 1/0.
    readExif({"-FocalLength=inf", "-Artist=After"});
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(reports.reports().front().routine, "modMetadata.fncEXIFInterpret");
    EXPECT_EQ(row("FocalLength"), (MetadataRow{"Focal Length", "", "FocalLength", "1/0", false}));
    EXPECT_EQ(row("Artist").value, "After");  // reading went on past it
}

TEST_F(ExifReading, NoRowsWithoutExifOrWithoutAnImage)
{
    readExif({});
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(list.tag(), photo);

    ImageBox empty;
    list.setTag("before");
    EXPECT_TRUE(ReadFileEXIFInfo(empty, list, path("other.jpg")));
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(list.tag(), "before");
}

TEST_F(ExifExchange, SavedRowsCarryTheEditableAttributesToAnotherPhoto)
{
    readExif({"-Make=Canon", "-Orientation#=6", "-Artist=Ann", "-Copyright=(c) Ann",
              "-DateTimeOriginal=2004:07:15 14:03:22"},
             "source.jpg");
    ASSERT_EQ(SaveExifRows(list, path("carry")), ExifSaveResult::Saved);
    // The editable rows in their order, with the values as they show.
    XiffRecords editable;
    for (const MetadataRow& shown : list.rows())
        if (!shown.key.isEmpty())
            editable.append({shown.key, shown.value});
    const XiffRecords saved = readXiff(path("carry.xiff"));
    EXPECT_EQ(saved, editable);
    EXPECT_EQ(saved.size(), 4);  // Orientation is not editable
    EXPECT_TRUE(saved.contains(std::pair<QString, QString>("DateTimeOriginal", "7/15/2004 2:03:22 PM")));

    readExif({}, "target.jpg");
    const QString target = photo;
    EXPECT_FALSE(OpenExifAsks(list));
    EXPECT_TRUE(fncOpenEXIF(path("carry.xiff"), list, engine));
    EXPECT_EQ(exiftoolValue(target, "EXIF:Make"), "Canon");
    EXPECT_EQ(exiftoolValue(target, "EXIF:Artist"), "Ann");
    EXPECT_EQ(exiftoolValue(target, "EXIF:Copyright"), "(c) Ann");
    EXPECT_EQ(exiftoolValue(target, "EXIF:DateTimeOriginal"), "2004:07:15 14:03:22");
}

TEST_F(ExifExchange, NothingEditableLeavesNoFile)
{
    readExif({"-Orientation#=1", "-EXIF:Flash#=16"});
    ASSERT_FALSE(list.isEmpty());
    writeBytes(path("old.xiff"), "\"Make\",\"Old\"\r\n");
    ReportCapture reports;
    EXPECT_EQ(SaveExifRows(list, path("old")), ExifSaveResult::NothingToSave);
    EXPECT_EQ(SaveExifRows(list, path("new")), ExifSaveResult::NothingToSave);
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_FALSE(QFile::exists(path("old.xiff")));
    EXPECT_FALSE(QFile::exists(path("new.xiff")));
    EXPECT_FALSE(QFile::exists(path("new")));
}

TEST_F(ExifExchange, OpeningAppliesEveryRecordToThePhotoAndItsRows)
{
    readExif({"-Make=Canon", "-DateTimeOriginal=2001:01:01 01:01:01"});
    const int rows = list.size();
    const int dateRow = list.findTag("DateTimeOriginal");
    writeBytes(path("a.xiff"), "\"DateTimeOriginal\",\"7/15/2004 2:03:22 PM\"\r\n"
                               "\"Orientation\",\"6\"\r\n"
                               "\"artist\",\"lower case\"\r\n"
                               "\"Artist\",\"Ann Example\"\r\n"
                               "\"ImageDescription\",\"Harbour\"\r\n");
    ASSERT_TRUE(OpenExifAsks(list));
    ReportCapture reports;
    EXPECT_TRUE(fncOpenEXIF(path("a.xiff"), list, engine));
    EXPECT_TRUE(reports.reports().empty());

    EXPECT_EQ(exiftoolValue(photo, "EXIF:DateTimeOriginal"), "2004:07:15 14:03:22");
    EXPECT_EQ(exiftoolValue(photo, "EXIF:Artist"), "Ann Example");
    EXPECT_EQ(exiftoolValue(photo, "EXIF:ImageDescription"), "Harbour");
    // Refused by the engine (not editable, or not a name it knows), and the rest went on.
    EXPECT_EQ(exiftoolValue(photo, "EXIF:Orientation", true), "");
    EXPECT_EQ(exiftoolValue(photo, "EXIF:Software"), "Lumora");

    // The date row is updated in place; the new rows come at the end, once, under their display name.
    ASSERT_EQ(list.size(), rows + 2);
    EXPECT_EQ(list.at(dateRow).value, "7/15/2004 2:03:22 PM");
    EXPECT_EQ(list.at(rows), (MetadataRow{"Artist", "Artist", "Artist", "Ann Example", true}));
    EXPECT_EQ(list.at(rows + 1),
              (MetadataRow{"Image Description", "ImageDescription", "ImageDescription", "Harbour", true}));
}

TEST_F(ExifExchange, ACutOrMissingFileIsReportedAndWhatWasAppliedStays)
{
    readExif({"-Make=Canon"});
    writeBytes(path("cut.xiff"), "\"Artist\",\"Ann\"\r\n\"Copyright\"");
    ReportCapture reports;
    EXPECT_FALSE(fncOpenEXIF(path("cut.xiff"), list, engine));
    reports.expectOne("modMetadata.fncOpenEXIF", errnum::InputPastEndOfFile, 2);
    EXPECT_EQ(exiftoolValue(photo, "EXIF:Artist"), "Ann");
    EXPECT_GE(list.findKey("Artist"), 0);

    EXPECT_FALSE(fncOpenEXIF(path("none.xiff"), list, engine));
    reports.expectOne("modMetadata.fncOpenEXIF", errnum::FileNotFound, 0);
    EXPECT_FALSE(subLoadEXIFFile(path("none.xiff"), engine));
    reports.expectOne("modMetadata.subLoadEXIFFile", errnum::FileNotFound, 0);
}

TEST_F(ExifExchange, LoadingForABatchSetsTheEngineOnly)
{
    photoWith({"-Make=Canon"});
    const QByteArray before = readBytes(photo);
    writeBytes(path("a.xiff"), "\"DateTimeOriginal\",\"7/15/2004 2:03:22 PM\"\r\n"
                               "\"Orientation\",\"6\"\r\n"
                               "\"Model\",\"EOS\"\r\n");
    ReportCapture reports;
    EXPECT_TRUE(subLoadEXIFFile(path("a.xiff"), engine));
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_EQ(engine.ExifValueByName("Software"), "Lumora");
    EXPECT_EQ(readBytes(photo), before);
    // Saved by the batch, the photo carries them.
    engine.SaveToFile(path("out.jpg"));
    EXPECT_EQ(exiftoolValue(path("out.jpg"), "EXIF:DateTimeOriginal"), "2004:07:15 14:03:22");
    EXPECT_EQ(exiftoolValue(path("out.jpg"), "EXIF:Model"), "EOS");
}
