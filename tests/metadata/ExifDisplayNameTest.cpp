// Display names of EXIF attributes: made by splitting the raw name into words, with a few names
// of their own; every other attribute has none.

#include "metadata/ExifDisplayName.h"

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::modMetadata;

TEST(ExifDisplayName, SplitAtCapitalsOrANameOfItsOwnOrNone)
{
    const char* const cases[][2] = {
        // Split into words: a capital after a small letter or digit, and the last of a capital run.
        {"ExposureTime", "Exposure Time"}, {"GPSInfo", "GPS Info"}, {"ISOSpeedRatings", "ISO Speed Ratings"},
        {"JPEGInterchangeFormatLength", "JPEG Interchange Format Length"}, {"ImageUniqueID", "Image Unique ID"},
        {"CFAPattern", "CFA Pattern"}, {"PixelXDimension", "Pixel X Dimension"},
        {"FocalPlaneXResolution", "Focal Plane X Resolution"}, {"XResolution", "X Resolution"},
        {"InteroperabilityOffset", "Interoperability Offset"},
        // Names of their own.
        {"CFARepeatPatternDim", "CFA Repeat Pattern Dimension"}, {"FNumber", "F-Number"}, {"DateTime", "Date/Time"},
        {"DateTimeOriginal", "Date/Time Original"}, {"DateTimeDigitized", "Date/Time Digitized"},
        {"CompressedBitsPerPixel", "Compressed BPP"}, {"MaxApertureValue", "Max. Aperture Value"},
        {"SubSecTime", "Sub-Second Time"}, {"SubSecTimeOriginal", "Sub-Second Time Original"},
        {"SubSecTimeDigitized", "Sub-Second Time Digitized"}, {"FocalLengthIn35mmFilm", "FocalLength In 35mm Film"},
        {"YCbCrCoefficients", "YCbCr Coefficients"}, {"YCbCrSubSampling", "YCbCr SubSampling"},
        {"YCbCrPositioning", "YCbCr Positioning"}, {"ReferenceBlackWhite", "Reference Black/White"},
        // None: the name is looked up exactly.
        {"Make", ""}, {"Orientation", ""}, {"GPSLatitude", ""}, {"exposureTime", ""}, {"ExposureTime ", ""},
        {"", ""},
    };
    for (const auto& [name, shown] : cases)
        EXPECT_EQ(fncFormattedAttributed(name), QString::fromLatin1(shown)) << name;
}

TEST(ExifDisplayName, SplitRuleOnAnyName)
{
    EXPECT_EQ(SplitIntoWords("GPSLatitudeRef"), "GPS Latitude Ref");
    EXPECT_EQ(SplitIntoWords("Version2Name"), "Version2 Name");
    EXPECT_EQ(SplitIntoWords("ABC"), "ABC");
    EXPECT_EQ(SplitIntoWords(""), "");
}
