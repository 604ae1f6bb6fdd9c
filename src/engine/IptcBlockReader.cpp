#include "engine/IptcBlockReader.h"

#include "engine/JpegSegments.h"

#include <QFile>

#include <exiv2/jpgimage.hpp>
#include <exiv2/psdimage.hpp>
#include <exiv2/tiffimage.hpp>

namespace lumora::iptcblock {

namespace {

constexpr quint16 kIptcResource = 0x0404;

quint32 bigEndianAt(const QByteArray& bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = value << 8 | uchar(bytes.at(at + i));
    return value;
}

bool isResourceSignature(const QByteArray& signature)
{
    return signature == "8BIM" || signature == "PHUT" || signature == "DCSR" || signature == "AgHg";
}

// A PSD file's image resources section: after the 26-byte header and the colour mode data.
QByteArray psdResources(QFile& file)
{
    const QByteArray header = file.read(26);
    if (header.size() != 26 || !header.startsWith("8BPS"))
        return {};
    const QByteArray modeLength = file.read(4);
    if (modeLength.size() != 4 || !file.seek(file.pos() + bigEndianAt(modeLength, 0, 4)))
        return {};
    const QByteArray resourcesLength = file.read(4);
    if (resourcesLength.size() != 4)
        return {};
    const qint64 length = bigEndianAt(resourcesLength, 0, 4);
    if (length > file.size() - file.pos())
        return {};
    return file.read(length);
}

QByteArray tagBytes(const Exiv2::ExifData& exif, const char* key, Exiv2::ByteOrder order)
{
    const auto found = exif.findKey(Exiv2::ExifKey(key));
    if (found == exif.end() || found->size() == 0)
        return {};
    QByteArray bytes(static_cast<qsizetype>(found->size()), '\0');
    // The IPTC tag is often typed LONG; in the file's own byte order its bytes are the block's.
    bytes.resize(found->copy(reinterpret_cast<Exiv2::byte*>(bytes.data()), order));
    return bytes;
}

}  // namespace

QByteArray iptcOfResources(const QByteArray& resources)
{
    QByteArray iptc;
    qsizetype at = 0;
    while (resources.size() - at >= 12) {
        if (!isResourceSignature(resources.mid(at, 4)))
            break;
        const quint16 id = quint16(bigEndianAt(resources, at + 4, 2));
        // A Pascal name, padded so that length byte and name together are even.
        const qsizetype nameLength = uchar(resources.at(at + 6));
        qsizetype next = at + 6 + ((nameLength + 2) & ~qsizetype(1));
        if (resources.size() - next < 4)
            break;
        const qint64 size = bigEndianAt(resources, next, 4);
        next += 4;
        if (size > resources.size() - next)
            break;
        if (id == kIptcResource)
            iptc += resources.mid(next, size);
        at = next + size + (size & 1);
    }
    return iptc;
}

QByteArray find(const QString& path, int imageType, const Exiv2::ExifData& exif, Exiv2::ByteOrder order)
{
    if (imageType == Exiv2::ImageType::tiff) {
        const QByteArray tag = tagBytes(exif, "Exif.Image.IPTCNAA", order);
        return !tag.isEmpty() ? tag : iptcOfResources(tagBytes(exif, "Exif.Image.ImageResources", order));
    }
    if (imageType != Exiv2::ImageType::jpeg && imageType != Exiv2::ImageType::psd)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    if (imageType == Exiv2::ImageType::jpeg)
        return iptcOfResources(jpegsegments::photoshopResources(file));
    return iptcOfResources(psdResources(file));
}

}  // namespace lumora::iptcblock
