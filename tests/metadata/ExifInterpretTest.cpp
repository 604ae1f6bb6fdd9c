// Readable EXIF values: coded attributes, computed figures, and values that do not fit their
// attribute (reported, with the raw value left to show).

#include "core/LumoraError.h"
#include "metadata/ExifInterpret.h"
#include "support/ReportCapture.h"

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;
using lumora::modMetadata::fncEXIFInterpret;

namespace {

struct Case {
    const char* name;
    const char* value;
    const char* text;
};

void expectTexts(std::initializer_list<Case> cases)
{
    ReportCapture reports;
    for (const Case& c : cases)
        EXPECT_EQ(fncEXIFInterpret(QString::fromLatin1(c.name), QString::fromLatin1(c.value)), QString::fromUtf8(c.text))
            << c.name << " " << c.value;
    EXPECT_TRUE(reports.reports().empty());
}

const QString kRoutine = QStringLiteral("modMetadata.fncEXIFInterpret");

QString operationText(const QString& name, const QString& value)
{
    return QStringLiteral("Read exif attribute - '%1' with Value '%2' and interpret it to readable format").arg(name, value);
}

}  // namespace

TEST(ExifInterpret, CodedValuesHaveTheirMeaning)
{
    expectTexts({
        {"Orientation", "1", "Upper Left"},
        {"Orientation", "6", "Right Upper"},
        {"Orientation", "8", "Left bottom"},
        {"ResolutionUnit", "2", "Inches"},
        {"YCbCrPositioning", "2", "Datum point(co-sited)"},
        {"ExposureProgram", "6", "Program action(high-speed program)"},
        {"MeteringMode", "255", "Other"},
        {"LightSource", "24", "ISO studio tungesten"},
        {"LightSource", "255", "Other light source"},
        {"Flash", "0", "Flash did not fire"},
        {"Flash", "16", "Flash did not fire, compulsory flash mode"},
        {"Flash", "95", "Flash fired, auto mode, return light detected, red-eye reduction mode"},
        {"ColorSpace", "65535", "Uncalibrated"},
        {"CustomRendered", "1", "Custom process"},
        {"ExposureMode", "5", "A-DEP"},
        {"WhiteBalance", "6", "Custom"},
        {"SceneCaptureType", "3", "Night Scene"},
        {"Contrast", "2", "Hard"},
        {"Sharpness", "1", "Soft"},
        {"Saturation", "1", "Low saturation"},
        {"ISOSpeedRatings", "15", "Auto"},
        {"ISOSpeedRatings", "17", "100"},
        {"SensingMethod", "7", "Trilinear sensor"},
        {"GainControl", "4", "High gain down"},
        {"SubjectDistanceRange", "3", "Distant view"},
        {"FocalPlaneResolutionUnit", "3", "dpcm"},
        {"NewSubfileType", "4", "Transparency Mask"},
        {"SubfileType", "1", "Full Resolution"},
        {"Compression", "32773", "PackBits"},
        {"PhotometricInterpretation", "8", "CIELab"},
        {"Threshholding", "1", "No Dithering"},
        {"FillOrder", "2", "High in Low"},
        {"PlanarConfiguration", "1", "Chunky"},
    });
}

TEST(ExifInterpret, CodesWithoutAMeaningLeaveTheRawValue)
{
    expectTexts({
        {"Orientation", "9", ""},
        {"Orientation", "0", ""},
        {"ISOSpeedRatings", "100", ""},  // a real ISO figure shows as it is
        {"Flash", "2", ""},
        {"Threshholding", "2", ""},
        {"Make", "Canon", ""},
        {"Artist", "1", ""},
        {"Software", "Lumora", ""},
    });
}

TEST(ExifInterpret, SomeAttributesMeanSomethingForEveryOtherValue)
{
    expectTexts({
        {"SceneType", "01", "Directly photographed image"},
        {"SceneType", "02", "Unknown"},
        {"SceneType", "0", "Unknown"},
        {"FileSource", "03", "DSC (Digital Still Camera)"},
        {"FileSource", "0", "DSC (Digital Still Camera)"},
        {"FileSource", "1", "Other"},
    });
}

TEST(ExifInterpret, ExposureTimesAndApertures)
{
    expectTexts({
        {"ExposureTime", "1/250", "1/250 s"},
        {"ExposureTime", "10/1", "1/0.1 s"},
        {"ExposureTime", "0/1", "1s"},
        {"ExposureTime", "10/300", "1/30 s"},
        {"ExposureTime", "1/3", "1/3 s"},
        {"FNumber", "28/10", "f/2.8"},
        {"FNumber", "14/5", "f/2.8"},
        {"FNumber", "8/1", "f/8"},
        {"ApertureValue", "3/1", "f/2.8"},
        {"MaxApertureValue", "3/1", "f/2.8"},
        {"ApertureValue", "0/1", "f/1"},
        {"ApertureValue", "6/1", "f/8"},
        {"ShutterSpeedValue", "8/1", "1/256 s"},
        {"ShutterSpeedValue", "1/2", "1/1.4 s"},
        {"ShutterSpeedValue", "-1/1", "1/0.5 s"},
    });
}

TEST(ExifInterpret, RoundingToOneDecimalGoesHalfToEven)
{
    // 2^-2 is exactly 0.25, a tie at one decimal: 0.2, not 0.3.
    expectTexts({
        {"ShutterSpeedValue", "-2/1", "1/0.2 s"},
        {"ShutterSpeedValue", "2/1", "1/4 s"},
    });
}

TEST(ExifInterpret, BiasFocalLengthAndRatios)
{
    expectTexts({
        {"ExposureBiasValue", "-1/3", "-0.33 EV"},
        {"ExposureBiasValue", "2/3", "0.67 EV"},
        {"ExposureBiasValue", "0/1", "0.00 EV"},
        {"ExposureBiasValue", "1/8", "0.13 EV"},
        {"ExposureBiasValue", "-33333333/100000000", "-0.33 EV"},
        {"FocalLength", "50/1", "50 mm"},
        {"FocalLength", "173/10", "17.3 mm"},
        {"FocalLengthIn35mmFilm", "28", "28 mm"},
        {"DigitalZoomRatio", "0/100", "0:100"},
        {"DigitalZoomRatio", "3/2", "3:2"},
        {"ExposureIndex", "200/1", "200"},
        {"CompressedBitsPerPixel", "5/1", "5"},
    });
}

TEST(ExifInterpret, VersionsAndComponents)
{
    expectTexts({
        {"ExifVersion", "30,32,32,30", "2.2"},
        {"ExifVersion", "30,32,33,31", "2.3"},
        {"ExifVersion", "30,32", ""},
        {"FlashPixVersion", "30,31,30,30", "1.0"},
        {"FlashPixVersion", " 31,30,30,30 ", "1.0"},
        {"FlashPixVersion", "30,31,30,31", ""},
        {"ComponentsConfiguration", "01,02,03,00", "YCrCb"},
        {"ComponentsConfiguration", "03,02,01", "YCrCb"},
        {"ComponentsConfiguration", "04,05,06,00", "RGB"},
        {"ComponentsConfiguration", "00,06,05,04", "RGB"},
        {"ComponentsConfiguration", "00", "Does not exist"},
        {"ComponentsConfiguration", "02", "Cb"},
        {"ComponentsConfiguration", "06", "Blue"},
        {"ComponentsConfiguration", "07", ""},
        {"ComponentsConfiguration", "01,02,03,04", ""},
    });
}

TEST(ExifInterpret, ZeroDenominatorIsReportedAndTheRawValueShows)
{
    ReportCapture reports;
    EXPECT_EQ(fncEXIFInterpret("FNumber", "28/0"), "");
    reports.expectOne(kRoutine, 11, 0, operationText("FNumber", "28/0"));
    EXPECT_EQ(fncEXIFInterpret("FocalLength", "1/0"), "");
    reports.expectOne(kRoutine, 11, 0, operationText("FocalLength", "1/0"));
    EXPECT_EQ(fncEXIFInterpret("ExposureBiasValue", "0/0"), "");
    reports.expectOne(kRoutine, errnum::Overflow, 0);
    // The exposure time divides by the numerator, which a zero denominator does not touch.
    EXPECT_EQ(fncEXIFInterpret("ExposureTime", "1/0"), "1/0 s");
    EXPECT_TRUE(reports.reports().empty());
}

TEST(ExifInterpret, ValuesThatAreNotNumbersAreReported)
{
    ReportCapture reports;
    EXPECT_EQ(fncEXIFInterpret("Orientation", "upright"), "");
    reports.expectOne(kRoutine, errnum::TypeMismatch, 0, operationText("Orientation", "upright"));
    EXPECT_EQ(fncEXIFInterpret("Flash", "1,2"), "");
    reports.expectOne(kRoutine, errnum::TypeMismatch, 0);
    EXPECT_EQ(fncEXIFInterpret("FNumber", "2.8"), "");
    reports.expectOne(kRoutine, errnum::TypeMismatch, 0);
    EXPECT_EQ(fncEXIFInterpret("ColorSpace", "99999999999"), "");
    reports.expectOne(kRoutine, errnum::Overflow, 0);
    // An attribute that is not interpreted never looks at its value.
    EXPECT_EQ(fncEXIFInterpret("Model", "not a number"), "");
    EXPECT_TRUE(reports.reports().empty());
}
