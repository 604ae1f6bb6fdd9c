// Readable EXIF values: coded attributes, computed figures, and values that do not fit their
// attribute (reported, with the raw value left to show). The EXIF list's tests read some more
// from photos exiftool wrote.

#include "core/LumoraError.h"
#include "metadata/ExifInterpret.h"
#include "support/ReportCapture.h"

#include <gtest/gtest.h>

using namespace lumora;
using lumora::modMetadata::fncEXIFInterpret;

TEST(ExifInterpret, ValuesAndTheirTexts)
{
    const char* const cases[][3] = {
        // Coded values.
        {"Orientation", "1", "Upper Left"}, {"Orientation", "8", "Left bottom"}, {"ResolutionUnit", "2", "Inches"},
        {"YCbCrPositioning", "2", "Datum point(co-sited)"},
        {"ExposureProgram", "6", "Program action(high-speed program)"}, {"MeteringMode", "255", "Other"},
        {"LightSource", "24", "ISO studio tungesten"},
        {"Flash", "95", "Flash fired, auto mode, return light detected, red-eye reduction mode"},
        {"ColorSpace", "65535", "Uncalibrated"}, {"CustomRendered", "1", "Custom process"},
        {"ExposureMode", "5", "A-DEP"}, {"WhiteBalance", "6", "Custom"}, {"SceneCaptureType", "3", "Night Scene"},
        {"Contrast", "2", "Hard"}, {"Sharpness", "1", "Soft"}, {"Saturation", "1", "Low saturation"},
        {"ISOSpeedRatings", "15", "Auto"}, {"ISOSpeedRatings", "17", "100"},
        {"SensingMethod", "7", "Trilinear sensor"}, {"GainControl", "4", "High gain down"},
        {"SubjectDistanceRange", "3", "Distant view"}, {"FocalPlaneResolutionUnit", "3", "dpcm"},
        {"NewSubfileType", "4", "Transparency Mask"}, {"SubfileType", "1", "Full Resolution"},
        {"Compression", "32773", "PackBits"}, {"PhotometricInterpretation", "8", "CIELab"},
        {"Threshholding", "1", "No Dithering"}, {"FillOrder", "2", "High in Low"},
        {"PlanarConfiguration", "1", "Chunky"},
        // A code without a meaning, and attributes that are not interpreted, leave the raw value
        // to show; the latter never look at their value.
        {"Orientation", "9", ""}, {"Orientation", "0", ""},
        {"ISOSpeedRatings", "100", ""},  // a real ISO figure shows as it is
        {"Flash", "2", ""}, {"Threshholding", "2", ""}, {"Make", "Canon", ""}, {"Model", "not a number", ""},
        // Attributes that mean something for every other value.
        {"SceneType", "01", "Directly photographed image"}, {"SceneType", "0", "Unknown"},
        {"FileSource", "03", "DSC (Digital Still Camera)"}, {"FileSource", "0", "DSC (Digital Still Camera)"},
        {"FileSource", "1", "Other"}, {"SceneType", "0C", "Unknown"}, {"FileSource", "0A", "Other"},
        // Exposure times and apertures; one decimal rounds half to even: 2^-2 is 0.25, so 0.2.
        {"ExposureTime", "10/1", "1/0.1 s"}, {"ExposureTime", "0/1", "1s"}, {"ExposureTime", "10/300", "1/30 s"},
        {"ExposureTime", "1/0", "1/0 s"},  // divides by the numerator, which is not zero
        {"FNumber", "28/10", "f/2.8"}, {"ApertureValue", "3/1", "f/2.8"}, {"MaxApertureValue", "3/1", "f/2.8"},
        {"ApertureValue", "0/1", "f/1"}, {"ApertureValue", "6/1", "f/8"}, {"ShutterSpeedValue", "8/1", "1/256 s"},
        {"ShutterSpeedValue", "1/2", "1/1.4 s"}, {"ShutterSpeedValue", "-1/1", "1/0.5 s"},
        {"ShutterSpeedValue", "-2/1", "1/0.2 s"},
        // Bias (two decimals, half away from zero), focal length and ratios.
        {"ExposureBiasValue", "-1/3", "-0.33 EV"}, {"ExposureBiasValue", "2/3", "0.67 EV"},
        {"ExposureBiasValue", "0/1", "0.00 EV"}, {"ExposureBiasValue", "1/8", "0.13 EV"},
        {"ExposureBiasValue", "-33333333/100000000", "-0.33 EV"}, {"FocalLength", "173/10", "17.3 mm"},
        {"FocalLengthIn35mmFilm", "28", "28 mm"}, {"DigitalZoomRatio", "0/100", "0:100"},
        {"ExposureIndex", "200/1", "200"}, {"CompressedBitsPerPixel", "5/1", "5"},
        // Versions and components.
        {"ExifVersion", "30,32,33,31", "2.3"}, {"ExifVersion", "30,32", ""},
        {"FlashPixVersion", "30,31,30,30", "1.0"}, {"FlashPixVersion", " 31,30,30,30 ", "1.0"},
        {"FlashPixVersion", "30,31,30,31", ""}, {"ComponentsConfiguration", "03,02,01", "YCrCb"},
        {"ComponentsConfiguration", "00,06,05,04", "RGB"}, {"ComponentsConfiguration", "00", "Does not exist"},
        {"ComponentsConfiguration", "06", "Blue"}, {"ComponentsConfiguration", "07", ""},
        {"ComponentsConfiguration", "01,02,03,04", ""},
    };
    lumora::test::ReportCapture reports;
    for (const auto& [name, value, text] : cases)
        EXPECT_EQ(fncEXIFInterpret(name, value), QString::fromUtf8(text)) << name << " " << value;
    EXPECT_TRUE(reports.reports().empty());
}

TEST(ExifInterpret, ValuesThatDoNotFitAreReportedAndTheRawValueShows)
{
    const struct {
        const char *name, *value;
        int error;
    } cases[] = {{"FNumber", "28/0", 11}, {"FocalLength", "1/0", 11},  // division by zero
                 {"ExposureBiasValue", "0/0", errnum::Overflow}, {"ColorSpace", "99999999999", errnum::Overflow},
                 {"Orientation", "upright", errnum::TypeMismatch}, {"Flash", "1,2", errnum::TypeMismatch},
                 {"FNumber", "2.8", errnum::TypeMismatch}};
    lumora::test::ReportCapture reports;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(fncEXIFInterpret(c.name, c.value), "");
        const QString operation = QStringLiteral("Read exif attribute - '%1' with Value '%2' and interpret it to "
                                                 "readable format").arg(c.name, c.value);
        reports.expectOne("modMetadata.fncEXIFInterpret", c.error, 0, operation);
    }
}
