#include "metadata/ExifInterpret.h"

#include "core/Conversions.h"
#include "core/CurrentOperation.h"
#include "core/LumoraError.h"
#include "core/ReportFailures.h"
#include "metadata/ExifCodeTable.h"
#include "metadata/MetadataTables.h"
#include "metadata/NumberText.h"

#include <QStringList>

#include <cmath>

namespace lumora::modMetadata {
namespace {

constexpr int kDivisionByZero = 11;

// n / d the way the pane always divided: 0/0 overflows, n/0 is a division by zero.
double divide(double numerator, double denominator)
{
    if (denominator == 0.0) {
        if (numerator == 0.0)
            throw LumoraError(errnum::Overflow, QStringLiteral("Overflow"));
        throw LumoraError(kDivisionByZero, QStringLiteral("Division by zero"));
    }
    return numerator / denominator;
}

double ratio(const QString& value) { return divide(RationalNumerator(value), RationalDenominator(value)); }

// One decimal, ties to even, as the pane has always rounded apertures and shutter speeds.
double roundToTenth(double value) { return convert::roundHalfEven(value * 10.0) / 10.0; }

// Two decimals, ties away from zero; a value that rounds to nothing shows without a sign.
QString twoDecimals(double value)
{
    const double rounded = std::round(value * 100.0) / 100.0;
    return QString::number(rounded == 0.0 ? 0.0 : rounded, 'f', 2);
}

// 1-based character of a text, "" past its end.
QString characterAt(const QString& text, qsizetype position)
{
    return position <= text.size() ? QString(text.at(position - 1)) : QString();
}

QString exifVersion(const QString& value)
{
    // "30,32,32,30" is "0220": the version's second and third digits are characters 5 and 8.
    if (value.size() < 8)
        return {};
    return characterAt(value, 5) + u'.' + characterAt(value, 8);
}

QString flashPixVersion(const QString& value)
{
    static const QStringList versionOne{QStringLiteral("30,31,30,30"), QStringLiteral("30,30,31,30"),
                                        QStringLiteral("30,30,30,31"), QStringLiteral("31,30,30,30")};
    return versionOne.contains(value.trimmed()) ? QStringLiteral("1.0") : QString();
}

QString componentsConfiguration(const QString& value)
{
    static const QStringList rgb{QStringLiteral("04,05,06,00"), QStringLiteral("00,06,05,04"),
                                 QStringLiteral("00,04,05,06"), QStringLiteral("04,05,06"),
                                 QStringLiteral("06,05,04")};
    static const QStringList yCrCb{QStringLiteral("01,02,03,00"), QStringLiteral("00,03,02,01"),
                                   QStringLiteral("00,01,02,03"), QStringLiteral("01,02,03"),
                                   QStringLiteral("03,02,01")};
    static const QStringList single{QStringLiteral("Does not exist"), QStringLiteral("Y"), QStringLiteral("Cb"),
                                    QStringLiteral("Cr"), QStringLiteral("Red"), QStringLiteral("Green"),
                                    QStringLiteral("Blue")};
    const QString text = value.trimmed();
    if (rgb.contains(text))
        return QStringLiteral("RGB");
    if (yCrCb.contains(text))
        return QStringLiteral("YCrCb");
    if (text.size() == 2 && text.at(0) == u'0' && text.at(1) >= u'0' && text.at(1) <= u'6')
        return single.at(text.at(1).unicode() - u'0');
    return {};
}

// The attributes whose text is computed from the value; false for every other name.
bool computed(const QString& name, const QString& value, QString& text)
{
    if (name == u"ExposureTime") {
        const std::int32_t n = RationalNumerator(value);
        text = n == 0 ? QStringLiteral("1s")
                      : QStringLiteral("1/") + NumberText(divide(RationalDenominator(value), n)) + QStringLiteral(" s");
    } else if (name == u"FNumber") {
        text = QStringLiteral("f/") + NumberText(ratio(value));
    } else if (name == u"ApertureValue" || name == u"MaxApertureValue") {
        text = QStringLiteral("f/") + NumberText(roundToTenth(std::pow(std::sqrt(2.0), ratio(value))));
    } else if (name == u"ShutterSpeedValue") {
        text = QStringLiteral("1/") + NumberText(roundToTenth(std::pow(2.0, ratio(value)))) + QStringLiteral(" s");
    } else if (name == u"ExposureBiasValue") {
        text = twoDecimals(ratio(value)) + QStringLiteral(" EV");
    } else if (name == u"FocalLength") {
        text = NumberText(ratio(value)) + QStringLiteral(" mm");
    } else if (name == u"FocalLengthIn35mmFilm") {
        text = value + QStringLiteral(" mm");
    } else if (name == u"DigitalZoomRatio") {
        text = QString::number(RationalNumerator(value)) + u':' + QString::number(RationalDenominator(value));
    } else if (name == u"ExposureIndex" || name == u"CompressedBitsPerPixel") {
        text = QString::number(RationalNumerator(value));
    } else if (name == u"ExifVersion") {
        text = exifVersion(value);
    } else if (name == u"FlashPixVersion") {
        text = flashPixVersion(value);
    } else if (name == u"ComponentsConfiguration") {
        text = componentsConfiguration(value);
    } else {
        return false;
    }
    return true;
}

// The code of a coded attribute's value. The attributes stored as undefined bytes show them as
// hexadecimal pairs ("0C"); their code is the first byte.
int codeOf(const QString& name, const QString& value)
{
    if (name != u"SceneType" && name != u"FileSource")
        return convert::toInt32(value);
    bool ok = false;
    const int code = value.section(u',', 0, 0).trimmed().toInt(&ok, 16);
    if (!ok || code > 0xFF)
        throw LumoraError(errnum::TypeMismatch, QStringLiteral("Type mismatch"));
    return code;
}

}  // namespace

QString fncEXIFInterpret(const QString& name, const QString& value)
{
    SetCurrentOperation(QStringLiteral("Read exif attribute - '") + name + QStringLiteral("' with Value '") + value +
                        QStringLiteral("' and interpret it to readable format"));
    QString text;
    const int line = 0;
    const bool interpreted = reportFailures(QStringLiteral("modMetadata.fncEXIFInterpret"), line, [&] {
        if (computed(name, value, text))
            return;
        if (const ExifCodeTable* table = ExifCodeTableOf(name))
            text = table->meaning(codeOf(name, value));
    });
    return interpreted ? text : QString();
}

}  // namespace lumora::modMetadata
