#include "engine/MetadataStream.h"

#include <exiv2/datasets.hpp>
#include <exiv2/value.hpp>

#include <memory>

namespace lumora::metadatastream {

namespace {

constexpr std::uint16_t kUserCommentTag = 0x9286;
// More attributes than any file holds; a count above it is damage, not data.
constexpr quint32 kMaxEntries = 1'000'000;

QByteArray bytesOf(const Exiv2::Value& value, Exiv2::ByteOrder order)
{
    QByteArray bytes(static_cast<qsizetype>(value.size()), '\0');
    if (!bytes.isEmpty())
        bytes.resize(value.copy(reinterpret_cast<Exiv2::byte*>(bytes.data()), order));
    return bytes;
}

bool knownType(quint32 type)
{
    switch (type) {
    case Exiv2::unsignedByte:
    case Exiv2::asciiString:
    case Exiv2::unsignedShort:
    case Exiv2::unsignedLong:
    case Exiv2::unsignedRational:
    case Exiv2::signedByte:
    case Exiv2::undefined:
    case Exiv2::signedShort:
    case Exiv2::signedLong:
    case Exiv2::signedRational:
    case Exiv2::tiffFloat:
    case Exiv2::tiffDouble:
    case Exiv2::tiffIfd:
    case Exiv2::string:
    case Exiv2::date:
    case Exiv2::time:
        return true;
    default:
        return false;
    }
}

// A value of that type read from its bytes; null when they do not make one.
std::unique_ptr<Exiv2::Value> valueOf(quint32 type, const QByteArray& bytes, Exiv2::ByteOrder order, bool comment)
{
    if (!knownType(type))
        return nullptr;
    std::unique_ptr<Exiv2::Value> value;
    if (comment)
        value = std::make_unique<Exiv2::CommentValue>();
    else
        value.reset(Exiv2::Value::create(static_cast<Exiv2::TypeId>(type)).release());
    if (value->read(reinterpret_cast<const Exiv2::byte*>(bytes.constData()), static_cast<long>(bytes.size()), order) != 0)
        return nullptr;
    return value;
}

Exiv2::ByteOrder orderOf(quint8 code)
{
    return code == 1 ? Exiv2::littleEndian : code == 2 ? Exiv2::bigEndian : Exiv2::invalidByteOrder;
}

quint8 codeOf(Exiv2::ByteOrder order)
{
    return order == Exiv2::littleEndian ? 1 : order == Exiv2::bigEndian ? 2 : 0;
}

}  // namespace

void write(QDataStream& stream, const EngineMetadata& metadata)
{
    const Exiv2::ByteOrder order =
        metadata.byteOrder() == Exiv2::invalidByteOrder ? Exiv2::littleEndian : metadata.byteOrder();
    stream << codeOf(metadata.byteOrder()) << quint32(metadata.exif().count());
    for (const Exiv2::Exifdatum& datum : metadata.exif())
        stream << quint16(datum.tag()) << QByteArray::fromStdString(datum.groupName()) << quint32(datum.typeId())
               << bytesOf(datum.value(), order);
    stream << quint32(metadata.iptc().data().count());
    for (const Exiv2::Iptcdatum& datum : metadata.iptc().data())
        stream << quint16(datum.record()) << quint16(datum.tag()) << quint32(datum.typeId())
               << bytesOf(datum.value(), Exiv2::bigEndian);
    stream << QByteArray::fromStdString(metadata.xmpPacket());
}

bool read(QDataStream& stream, EngineMetadata& metadata)
{
    try {
        quint8 orderCode = 0;
        quint32 count = 0;
        stream >> orderCode >> count;
        if (stream.status() != QDataStream::Ok || orderCode > 2 || count > kMaxEntries)
            return false;
        const Exiv2::ByteOrder order = orderOf(orderCode) == Exiv2::invalidByteOrder ? Exiv2::littleEndian
                                                                                     : orderOf(orderCode);
        Exiv2::ExifData exif;
        for (quint32 i = 0; i < count; ++i) {
            quint16 tag = 0;
            quint32 type = 0;
            QByteArray group, bytes;
            stream >> tag >> group >> type >> bytes;
            if (stream.status() != QDataStream::Ok)
                return false;
            const bool comment = tag == kUserCommentTag && group == "Photo";
            const std::unique_ptr<Exiv2::Value> value = valueOf(type, bytes, order, comment);
            if (!value)
                return false;
            exif.add(Exiv2::ExifKey(tag, group.toStdString()), value.get());
        }
        stream >> count;
        if (stream.status() != QDataStream::Ok || count > kMaxEntries)
            return false;
        Exiv2::IptcData iptc;
        for (quint32 i = 0; i < count; ++i) {
            quint16 record = 0, tag = 0;
            quint32 type = 0;
            QByteArray bytes;
            stream >> record >> tag >> type >> bytes;
            if (stream.status() != QDataStream::Ok)
                return false;
            const std::unique_ptr<Exiv2::Value> value = valueOf(type, bytes, Exiv2::bigEndian, false);
            if (!value)
                return false;
            iptc.add(Exiv2::IptcKey(tag, record), value.get());
        }
        QByteArray xmp;
        stream >> xmp;
        if (stream.status() != QDataStream::Ok)
            return false;
        metadata.setExif(exif);
        metadata.setByteOrder(orderOf(orderCode));
        metadata.iptc().replace(iptc);
        metadata.setXmpPacket(xmp.toStdString());
        return true;
    } catch (const std::exception&) {
        // An unknown group name in an ExifKey, or Exiv2 refusing a value.
        return false;
    }
}

}  // namespace lumora::metadatastream
