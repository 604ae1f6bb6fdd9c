#include "core/Conversions.h"

#include "core/LumoraError.h"

#include <cfenv>
#include <cmath>
#include <limits>
#include <optional>

namespace lumora::convert {
namespace {

[[noreturn]] void typeMismatch(const QString& text)
{
    throw LumoraError(errnum::TypeMismatch, QStringLiteral("Type mismatch: '%1' is not a number").arg(text));
}

[[noreturn]] void overflow(double value)
{
    throw LumoraError(errnum::Overflow, QStringLiteral("Overflow: %1 does not fit").arg(value, 0, 'g', 17));
}

std::optional<double> parseRadixLiteral(const QString& t)
{
    // "&H1F" or "&O17": whole numbers only, as 32-bit two's complement like the classic literals.
    if (t.size() < 3 || t[0] != u'&')
        return std::nullopt;
    const QChar kind = t[1].toUpper();
    int base = 0;
    if (kind == u'H')
        base = 16;
    else if (kind == u'O')
        base = 8;
    else
        return std::nullopt;
    bool ok = false;
    const qulonglong raw = t.mid(2).toULongLong(&ok, base);
    if (!ok || raw > 0xFFFFFFFFull)
        return std::nullopt;
    // Literals of up to 16 bits keep their value; wider ones wrap as a signed 32-bit number.
    if (raw <= 0xFFFFull && t.size() - 2 <= (base == 16 ? 4 : 6))
        return static_cast<double>(static_cast<std::int16_t>(raw));
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(raw)));
}

std::optional<double> parseDecimal(const QString& t)
{
    // [sign] digits [ "." digits ] [ (e|E|d|D) [sign] digits ], at least one digit in the mantissa.
    qsizetype i = 0;
    const qsizetype n = t.size();
    QString normalised;
    normalised.reserve(n);
    if (i < n && (t[i] == u'+' || t[i] == u'-'))
        normalised += t[i++];
    int mantissaDigits = 0;
    while (i < n && t[i].isDigit() && t[i].unicode() < 128) {
        normalised += t[i++];
        ++mantissaDigits;
    }
    if (i < n && t[i] == u'.') {
        normalised += t[i++];
        while (i < n && t[i].isDigit() && t[i].unicode() < 128) {
            normalised += t[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < n && (t[i] == u'e' || t[i] == u'E' || t[i] == u'd' || t[i] == u'D')) {
        normalised += u'e';
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-'))
            normalised += t[i++];
        int exponentDigits = 0;
        while (i < n && t[i].isDigit() && t[i].unicode() < 128) {
            normalised += t[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    bool ok = false;
    const double value = normalised.toDouble(&ok);
    if (!ok && !std::isinf(value))
        return std::nullopt;
    return value;
}

template <typename Int>
Int toWhole(double value)
{
    if (!std::isfinite(value))
        overflow(value);
    const double r = roundHalfEven(value);
    if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
        r > static_cast<double>(std::numeric_limits<Int>::max()))
        overflow(value);
    return static_cast<Int>(r);
}

}  // namespace

double roundHalfEven(double value)
{
    // nearbyint honours the current rounding mode; make sure it is the IEEE default.
    const int previous = std::fegetround();
    if (previous != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    if (previous != FE_TONEAREST)
        std::fesetround(previous);
    return r;
}

double toDouble(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return -1.0;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return 0.0;
    if (auto v = parseRadixLiteral(t))
        return *v;
    if (auto v = parseDecimal(t))
        return *v;
    typeMismatch(text);
}

float toSingle(const QString& text)
{
    const double v = toDouble(text);
    if (std::isfinite(v) && std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max()))
        overflow(v);
    return static_cast<float>(v);
}

std::int16_t toInt16(double value) { return toWhole<std::int16_t>(value); }
std::int32_t toInt32(double value) { return toWhole<std::int32_t>(value); }
std::uint8_t toByte(double value) { return toWhole<std::uint8_t>(value); }

std::int16_t toInt16(const QString& text) { return toInt16(toDouble(text)); }
std::int32_t toInt32(const QString& text) { return toInt32(toDouble(text)); }
std::uint8_t toByte(const QString& text) { return toByte(toDouble(text)); }

bool toFlag(const QString& text) { return toDouble(text) != 0.0; }

QString flagText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

}  // namespace lumora::convert
