#include "engine/ExifValueText.h"

#include "core/TextCodec.h"
#include "engine/ExifNames.h"

#include <exiv2/types.hpp>

#include <QStringList>

#include <cstring>
#include <vector>

namespace lumora {

namespace {

constexpr std::uint16_t kUserCommentTag = 0x9286;

std::vector<Exiv2::byte> rawBytes(const Exiv2::Exifdatum& datum, Exiv2::ByteOrder order)
{
    std::vector<Exiv2::byte> bytes(datum.size());
    if (!bytes.empty())
        bytes.resize(static_cast<std::size_t>(datum.copy(bytes.data(), order)));
    return bytes;
}

QString textOf(const Exiv2::byte* data, std::size_t size)
{
    return decodeText(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
}

QString withoutTrailing(QString text, const QString& characters)
{
    qsizetype end = text.size();
    while (end > 0 && characters.contains(text.at(end - 1)))
        --end;
    text.truncate(end);
    return text;
}

QString ucs2Text(const Exiv2::byte* data, std::size_t size, Exiv2::ByteOrder order)
{
    // A byte order mark, where a writer put one, outranks the EXIF block's order.
    if (size >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF))) {
        order = data[0] == 0xFF ? Exiv2::littleEndian : Exiv2::bigEndian;
        data += 2;
        size -= 2;
    }
    QString text;
    text.reserve(static_cast<qsizetype>(size / 2));
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.append(QChar(order == Exiv2::bigEndian ? char16_t(data[i] << 8 | data[i + 1])
                                                    : char16_t(data[i + 1] << 8 | data[i])));
    return text;
}

QString userCommentText(const std::vector<Exiv2::byte>& bytes, Exiv2::ByteOrder order)
{
    static const QString padding = QStringLiteral(" ") + QChar(0);
    if (bytes.size() < 8)
        return withoutTrailing(textOf(bytes.data(), bytes.size()), padding);
    const std::string code(reinterpret_cast<const char*>(bytes.data()), 8);
    const Exiv2::byte* text = bytes.data() + 8;
    const std::size_t size = bytes.size() - 8;
    if (code == std::string("UNICODE\0", 8))
        return withoutTrailing(ucs2Text(text, size, order), padding);
    // "ASCII", "JIS" and the undefined code of eight NULs: the text as Lumora reads any text.
    return withoutTrailing(textOf(text, size), padding);
}

template <typename Read>
QString joined(std::size_t count, Read read)
{
    QStringList parts;
    parts.reserve(static_cast<qsizetype>(count));
    for (std::size_t i = 0; i < count; ++i)
        parts.append(read(i));
    return parts.join(u',');
}

QString hexPairs(const std::vector<Exiv2::byte>& bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size() * 3));
    static const char digits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            text.append(u',');
        text.append(QLatin1Char(digits[bytes[i] >> 4]));
        text.append(QLatin1Char(digits[bytes[i] & 0x0F]));
    }
    return text;
}

}  // namespace

QString exifValueText(const Exiv2::Exifdatum& datum, Exiv2::ByteOrder order)
{
    if (order == Exiv2::invalidByteOrder)
        order = Exiv2::littleEndian;
    if (exifnames::placeOf(datum) == exifnames::Place::MakerNote)
        return exifnames::isMakerNoteTag(datum) ? QStringLiteral("[Maker note, %1 bytes]").arg(datum.size())
                                                : QStringLiteral("[Maker note]");
    const std::vector<Exiv2::byte> bytes = rawBytes(datum, order);
    const Exiv2::byte* b = bytes.data();
    const std::size_t n = bytes.size();
    switch (datum.typeId()) {
    case Exiv2::asciiString: {
        // The text ends at its first NUL, as every EXIF reader takes it ("ION230\0F" is "ION230").
        const auto* end = static_cast<const Exiv2::byte*>(std::memchr(b, 0, n));
        return textOf(b, end ? std::size_t(end - b) : n);
    }
    case Exiv2::unsignedByte:
        return joined(n, [&](std::size_t i) { return QString::number(b[i]); });
    case Exiv2::signedByte:
        return joined(n, [&](std::size_t i) { return QString::number(static_cast<std::int8_t>(b[i])); });
    case Exiv2::unsignedShort:
        return joined(n / 2, [&](std::size_t i) { return QString::number(Exiv2::getUShort(b + 2 * i, order)); });
    case Exiv2::signedShort:
        return joined(n / 2, [&](std::size_t i) { return QString::number(Exiv2::getShort(b + 2 * i, order)); });
    case Exiv2::unsignedLong:
    case Exiv2::tiffIfd:
        return joined(n / 4, [&](std::size_t i) { return QString::number(Exiv2::getULong(b + 4 * i, order)); });
    case Exiv2::signedLong:
        return joined(n / 4, [&](std::size_t i) { return QString::number(Exiv2::getLong(b + 4 * i, order)); });
    case Exiv2::unsignedRational:
        return joined(n / 8, [&](std::size_t i) {
            return QStringLiteral("%1/%2").arg(Exiv2::getULong(b + 8 * i, order)).arg(Exiv2::getULong(b + 8 * i + 4, order));
        });
    case Exiv2::signedRational:
        return joined(n / 8, [&](std::size_t i) {
            return QStringLiteral("%1/%2").arg(Exiv2::getLong(b + 8 * i, order)).arg(Exiv2::getLong(b + 8 * i + 4, order));
        });
    case Exiv2::tiffFloat:
        return joined(n / 4, [&](std::size_t i) { return QString::number(double(Exiv2::getFloat(b + 4 * i, order))); });
    case Exiv2::tiffDouble:
        return joined(n / 8, [&](std::size_t i) { return QString::number(Exiv2::getDouble(b + 8 * i, order)); });
    default:
        if (datum.tag() == kUserCommentTag && datum.groupName() == "Photo")
            return userCommentText(bytes, order);
        return hexPairs(bytes);
    }
}

}  // namespace lumora
