// The EXIF list of the metadata pane, read from photos whose tags exiftool put in.

#include "engine/ImageBox.h"
#include "metadata/MetadataFiles.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataReading.h"
#include "metadata/TaggedPhotoTest.h"
#include "support/ReportCapture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;
using namespace lumora::modMetadata;

namespace {

class ExifReading : public TaggedPhotoTest {
protected:
    // A JPEG with these tags, read into the list as the pane does.
    void read(const QStringList& assignments, const QString& name = QStringLiteral("photo.jpg"))
    {
        loadTagged(assignments, name);
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(ReadFileEXIFInfo(engine, list, photo));
    }

    // The row standing for an attribute; fails the test when there is none.
    MetadataRow row(const QString& name) const
    {
        const int position = list.findTag(name);
        EXPECT_GE(position, 0) << "no row for " << name.toStdString();
        return position < 0 ? MetadataRow{} : list.at(position);
    }

    MetadataList list;
};

}  // namespace

TEST_F(ExifReading, RowsShowDisplayNamesAndReadableValues)
{
    ReportCapture reports;
    read({"-Make=Canon", "-Artist=Ann Example", "-Orientation#=6", "-ExposureTime=1/250", "-FNumber=2.8",
          "-ExposureCompensation=-0.33333333", "-DateTimeOriginal=2004:07:15 14:03:22",
          "-ComponentsConfiguration#=1 2 3 0", "-EXIF:Flash#=16", "-ExifVersion=0220"});
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_EQ(list.tag(), photo);

    EXPECT_EQ(row("Make"), (MetadataRow{"Make", "Make", "Make", "Canon", true}));
    EXPECT_EQ(row("Artist"), (MetadataRow{"Artist", "Artist", "Artist", "Ann Example", true}));
    EXPECT_EQ(row("Flash"), (MetadataRow{"Flash", "", "Flash", "Flash did not fire, compulsory flash mode", false}));
    EXPECT_EQ(row("Orientation").value, "Right Upper");
    EXPECT_EQ(row("ExposureTime").text, "Exposure Time");
    EXPECT_EQ(row("ExposureTime").value, "1/250 s");
    EXPECT_EQ(row("FNumber").text, "F-Number");
    EXPECT_EQ(row("FNumber").value, "f/2.8");  // exiftool stores 14/5
    EXPECT_EQ(row("ExposureBiasValue").value, "-0.33 EV");
    EXPECT_EQ(row("ExifVersion").value, "2.2");
    EXPECT_EQ(row("ComponentsConfiguration").value, "YCrCb");
    EXPECT_EQ(row("DateTimeOriginal"), (MetadataRow{"Date/Time Original", "DateTimeOriginal", "DateTimeOriginal",
                                                    "7/15/2004 2:03:22 PM", true}));
}

TEST_F(ExifReading, RowsFollowTheEngineOrder)
{
    read({"-Make=Canon", "-Model=EOS", "-Orientation#=1", "-ExposureTime=1/60"});
    ASSERT_EQ(list.size(), engine.ExifCount());
    for (int i = 0; i < list.size(); ++i)
        EXPECT_EQ(list.at(i).tag, engine.ExifNameAt(i)) << i;
}

TEST_F(ExifReading, CodesWithoutMeaningAndOddExposuresShowRaw)
{
    read({"-Orientation#=9", "-ExposureTime#=10"});
    EXPECT_EQ(row("Orientation").value, "9");
    EXPECT_EQ(row("ExposureTime").value, "1/0.1 s");
    ASSERT_TRUE(exiftoolWrite(photo, {"-ExposureTime=0"}));
    ImageBox again;
    again.LoadFromFile(photo);
    list.clear();
    ASSERT_TRUE(ReadFileEXIFInfo(again, list, photo));
    EXPECT_EQ(row("ExposureTime").value, "1s");
}

TEST_F(ExifReading, ZeroDenominatorIsReportedAndTheRawValueShows)
{
    ReportCapture reports;
    // exiftool writes an infinite focal length as 1/0.
    read({"-FocalLength=inf", "-Artist=After"});
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(reports.reports().front().routine, "modMetadata.fncEXIFInterpret");
    EXPECT_EQ(reports.reports().front().trappingString,
              "Read exif attribute - 'FocalLength' with Value '1/0' and interpret it to readable format");
    EXPECT_EQ(row("FocalLength").value, "1/0");
    EXPECT_EQ(row("FocalLength").text, "Focal Length");
    // Reading went on past it.
    EXPECT_EQ(row("Artist").value, "After");
}

TEST_F(ExifReading, AFileWithoutExifGivesNoRows)
{
    read({});
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(list.tag(), photo);
}

TEST_F(ExifReading, AnEngineWithoutAnImageAddsNothing)
{
    ImageBox empty;
    list.setTag("before");
    EXPECT_TRUE(ReadFileEXIFInfo(empty, list, path("photo.jpg")));
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(list.tag(), "before");
}
