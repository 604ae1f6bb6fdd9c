#include "metadata/ExifDisplayName.h"

#include "core/CurrentOperation.h"
#include "core/ReportFailures.h"

#include <QHash>

namespace lumora::modMetadata {
namespace {

bool isLower(QChar c) { return c.isLower(); }
bool isUpper(QChar c) { return c.isUpper(); }

// Names whose display name is not their word split.
const QHash<QString, QString>& ownNames()
{
    static const QHash<QString, QString> names{
        {QStringLiteral("CFARepeatPatternDim"), QStringLiteral("CFA Repeat Pattern Dimension")},
        {QStringLiteral("FNumber"), QStringLiteral("F-Number")},
        {QStringLiteral("DateTime"), QStringLiteral("Date/Time")},
        {QStringLiteral("DateTimeOriginal"), QStringLiteral("Date/Time Original")},
        {QStringLiteral("DateTimeDigitized"), QStringLiteral("Date/Time Digitized")},
        {QStringLiteral("CompressedBitsPerPixel"), QStringLiteral("Compressed BPP")},
        {QStringLiteral("MaxApertureValue"), QStringLiteral("Max. Aperture Value")},
        {QStringLiteral("SubSecTime"), QStringLiteral("Sub-Second Time")},
        {QStringLiteral("SubSecTimeOriginal"), QStringLiteral("Sub-Second Time Original")},
        {QStringLiteral("SubSecTimeDigitized"), QStringLiteral("Sub-Second Time Digitized")},
        {QStringLiteral("FocalLengthIn35mmFilm"), QStringLiteral("FocalLength In 35mm Film")},
        {QStringLiteral("YCbCrCoefficients"), QStringLiteral("YCbCr Coefficients")},
        {QStringLiteral("YCbCrSubSampling"), QStringLiteral("YCbCr SubSampling")},
        {QStringLiteral("YCbCrPositioning"), QStringLiteral("YCbCr Positioning")},
        {QStringLiteral("ReferenceBlackWhite"), QStringLiteral("Reference Black/White")},
    };
    return names;
}

}  // namespace

const QStringList& DisplayNamedExifAttributes()
{
    static const QStringList names = QStringLiteral(
        "CFARepeatPatternDim CFAPattern BatteryLevel ExposureTime FNumber ExifOffset InterColorProfile "
        "ExposureProgram SpectralSensitivity ISOSpeedRatings ExifVersion DateTimeOriginal DateTimeDigitized "
        "ComponentsConfiguration CompressedBitsPerPixel ShutterSpeedValue ApertureValue BrightnessValue "
        "ExposureBiasValue MaxApertureValue SubjectDistance MeteringMode LightSource FocalLength SubjectArea "
        "MakerNote UserComment SubSecTime SubSecTimeOriginal SubSecTimeDigitized FlashPixVersion ColorSpace "
        "ExifImageWidth ExifImageLength RelatedAudioFile InteroperabilityOffset FlashEnergy "
        "SpatialFrequencyResponse FocalPlaneXResolution FocalPlaneYResolution FocalPlaneResolutionUnit "
        "SubjectLocation ExposureIndex SensingMethod FileSource SceneType CustomRendered ExposureMode "
        "WhiteBalance DigitalZoomRatio FocalLengthIn35mmFilm SceneCaptureType GainControl "
        "DeviceSettingDescription SubjectDistanceRange ImageUniqueID NewSubfileType SubfileType BitsPerSample "
        "PhotometricInterpretation FillOrder ImageDescription StripOffsets SamplesPerPixel RowsPerStrip "
        "StripByteCounts XResolution YResolution PlanarConfiguration ResolutionUnit PageNumber TransferFunction "
        "DateTime WhitePoint PrimaryChromaticities ColorMap JPEGInterchangeFormat JPEGInterchangeFormatLength "
        "YCbCrCoefficients YCbCrSubSampling YCbCrPositioning ReferenceBlackWhite GPSInfo PixelXDimension "
        "PixelYDimension").split(u' ');
    return names;
}

QString SplitIntoWords(const QString& name)
{
    QString words;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (i > 0 && isUpper(c)) {
            const QChar before = name.at(i - 1);
            const bool afterLowerOrDigit = isLower(before) || before.isDigit();
            const bool endsCapitalRun = isUpper(before) && i + 1 < name.size() && isLower(name.at(i + 1));
            if (afterLowerOrDigit || endsCapitalRun)
                words += u' ';
        }
        words += c;
    }
    return words;
}

QString fncFormattedAttributed(const QString& name)
{
    SetCurrentOperation(QStringLiteral("Formatting Exif Attribute name"));
    QString text;
    const int line = 0;
    const bool named = reportFailures(QStringLiteral("modMetadata.fncFormattedAttributed"), line, [&] {
        if (!DisplayNamedExifAttributes().contains(name))
            return;
        text = ownNames().value(name, SplitIntoWords(name));
    });
    return named ? text : QString();
}

}  // namespace lumora::modMetadata
