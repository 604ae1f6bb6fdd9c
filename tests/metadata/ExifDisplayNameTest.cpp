// Display names of EXIF attributes: 85 attributes have one, made by splitting the raw name into
// words, with a few names of their own; every other attribute has none.

#include "core/CurrentOperation.h"
#include "metadata/ExifDisplayName.h"
#include "support/ReportCapture.h"

#include <QSet>

#include <gtest/gtest.h>

#include <utility>

using namespace lumora;
using namespace lumora::modMetadata;

TEST(ExifDisplayName, EightyFiveAttributesHaveADisplayName)
{
    const QStringList& names = DisplayNamedExifAttributes();
    EXPECT_EQ(names.size(), 85);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 85);
    lumora::test::ReportCapture reports;
    for (const QString& name : names) {
        const QString shown = fncFormattedAttributed(name);
        EXPECT_FALSE(shown.isEmpty()) << name.toStdString();
        // Each of them is more than one word, so the display name is never the raw name.
        EXPECT_NE(shown, name) << name.toStdString();
    }
    EXPECT_TRUE(reports.reports().empty());
}

TEST(ExifDisplayName, WordsSplitAtCapitals)
{
    const std::pair<const char*, const char*> cases[] = {
        {"ExposureTime", "Exposure Time"},
        {"GPSInfo", "GPS Info"},
        {"ISOSpeedRatings", "ISO Speed Ratings"},
        {"JPEGInterchangeFormat", "JPEG Interchange Format"},
        {"JPEGInterchangeFormatLength", "JPEG Interchange Format Length"},
        {"ImageUniqueID", "Image Unique ID"},
        {"CFAPattern", "CFA Pattern"},
        {"PixelXDimension", "Pixel X Dimension"},
        {"FocalPlaneXResolution", "Focal Plane X Resolution"},
        {"XResolution", "X Resolution"},
        {"ExifOffset", "Exif Offset"},
        {"UserComment", "User Comment"},
        {"ImageDescription", "Image Description"},
        {"InteroperabilityOffset", "Interoperability Offset"},
    };
    for (const auto& [name, shown] : cases)
        EXPECT_EQ(fncFormattedAttributed(QString::fromLatin1(name)), QString::fromLatin1(shown)) << name;
}

TEST(ExifDisplayName, NamesOfTheirOwn)
{
    const std::pair<const char*, const char*> cases[] = {
        {"CFARepeatPatternDim", "CFA Repeat Pattern Dimension"},
        {"FNumber", "F-Number"},
        {"DateTime", "Date/Time"},
        {"DateTimeOriginal", "Date/Time Original"},
        {"DateTimeDigitized", "Date/Time Digitized"},
        {"CompressedBitsPerPixel", "Compressed BPP"},
        {"MaxApertureValue", "Max. Aperture Value"},
        {"SubSecTime", "Sub-Second Time"},
        {"SubSecTimeOriginal", "Sub-Second Time Original"},
        {"SubSecTimeDigitized", "Sub-Second Time Digitized"},
        {"FocalLengthIn35mmFilm", "FocalLength In 35mm Film"},
        {"YCbCrCoefficients", "YCbCr Coefficients"},
        {"YCbCrSubSampling", "YCbCr SubSampling"},
        {"YCbCrPositioning", "YCbCr Positioning"},
        {"ReferenceBlackWhite", "Reference Black/White"},
    };
    for (const auto& [name, shown] : cases)
        EXPECT_EQ(fncFormattedAttributed(QString::fromLatin1(name)), QString::fromLatin1(shown)) << name;
}

TEST(ExifDisplayName, OtherAttributesHaveNone)
{
    for (const char* name : {"Make", "Model", "Orientation", "Flash", "Artist", "Copyright", "Software", "GPSLatitude",
                             "exposureTime", "ExposureTime ", ""})
        EXPECT_EQ(fncFormattedAttributed(QString::fromLatin1(name)), "") << name;
}

TEST(ExifDisplayName, SplitRuleOnAnyName)
{
    EXPECT_EQ(SplitIntoWords("Make"), "Make");
    EXPECT_EQ(SplitIntoWords("GPSLatitudeRef"), "GPS Latitude Ref");
    EXPECT_EQ(SplitIntoWords("Version2Name"), "Version2 Name");
    EXPECT_EQ(SplitIntoWords("ABC"), "ABC");
    EXPECT_EQ(SplitIntoWords(""), "");
}

TEST(ExifDisplayName, SetsItsOperationText)
{
    fncFormattedAttributed("Make");
    EXPECT_EQ(lumora::CurrentOperation(), "Formatting Exif Attribute name");
}
