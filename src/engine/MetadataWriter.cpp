#include "engine/MetadataWriter.h"

#include "core/WholeFileWrite.h"
#include "engine/EngineError.h"
#include "engine/ExifNames.h"
#include "engine/Exiv2Runtime.h"
#include "engine/JpegMetadataSplice.h"
#include "engine/JpegSegments.h"
#include "engine/MetadataReader.h"
#include "engine/PsdImageResources.h"
#include "engine/VipsBridge.h"

#include <QFile>
#include <QFileInfo>

#include <map>

#include <exiv2/image.hpp>
#include <exiv2/jpgimage.hpp>
#include <exiv2/psdimage.hpp>
#include <exiv2/tiffimage.hpp>

namespace lumora {

namespace {

using vipsbridge::fail;

bool isTiff(const QString& extension) { return extension == u"tif" || extension == u"tiff"; }

Exiv2::IptcData iptcForFile(const EngineMetadata& metadata)
{
    // Without fields the block goes: a marker and a version alone say nothing.
    return metadata.iptc().hasContent() ? metadata.iptc().forWriting() : Exiv2::IptcData();
}

QByteArray bytesOf(Exiv2::Image& image)
{
    Exiv2::BasicIo& io = image.io();
    io.seek(0, Exiv2::BasicIo::beg);
    QByteArray bytes(static_cast<qsizetype>(io.size()), '\0');
    if (io.read(reinterpret_cast<Exiv2::byte*>(bytes.data()), static_cast<long>(bytes.size())) != bytes.size())
        throw std::runtime_error("short read from memory");
    return bytes;
}

// The packet goes in as the engine holds it, not re-encoded by Exiv2. Exiv2 writes a JPEG's
// packet from the image's copy, a TIFF's from the parsed XMP's copy, for which the XMP
// toolkit has to read it (and a packet it cannot read stays out).
void setXmpPacket(Exiv2::Image& image, const std::string& packet, bool tiff)
{
    if (tiff) {
        try {
            image.setXmpPacket(packet);
        } catch (const std::exception&) {
            image.clearXmpData();
        }
    }
    image.xmpPacket() = packet;
    image.writeXmpFromPacket(true);
}

// The engine's EXIF with a JPEG source's Photoshop resources for the TIFF's IFD0; Exiv2 brings
// the IPTC among them up to date as it writes the IPTC tag.
Exiv2::ExifData exifForTiff(const EngineMetadata& metadata)
{
    Exiv2::ExifData exif = metadata.exif();
    if (!metadata.jpegSource())
        return exif;
    QByteArray resources;
    for (const QByteArray& segment : metadata.jpegSource()->segments)
        if (jpegsegments::markerOf(segment) == jpegsegments::kApp13 &&
            jpegsegments::payloadStartsWith(segment, jpegsegments::kPhotoshopId))
            resources += segment.mid(4 + jpegsegments::kPhotoshopId.size());
    if (!resources.isEmpty()) {
        Exiv2::DataValue value(Exiv2::undefined);
        value.read(reinterpret_cast<const Exiv2::byte*>(resources.constData()), long(resources.size()));
        exif.add(Exiv2::ExifKey("Exif.Image.ImageResources"), &value);
    }
    return exif;
}

QString reasonOf(const std::exception& error) { return QString::fromLocal8Bit(error.what()); }

auto openInMemory(const QByteArray& bytes)
{
    return Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(bytes.constData()),
                                     static_cast<long>(bytes.size()));
}

// A JPEG file that does not split into its segments goes to Exiv2, which rebuilds its EXIF block;
// the file's own thumbnail and XMP stay.
QByteArray jpegByExiv2(const QByteArray& file, const EngineMetadata& metadata)
{
    auto image = openInMemory(file);
    image->readMetadata();
    Exiv2::ExifData exif = metadata.exif();
    for (const Exiv2::Exifdatum& datum : image->exifData())
        if (datum.groupName() == "Thumbnail")
            exif.add(datum);
    image->setExifData(exif);
    image->setIptcData(iptcForFile(metadata));
    image->writeXmpFromPacket(true);
    if (metadata.byteOrder() != Exiv2::invalidByteOrder)
        image->setByteOrder(metadata.byteOrder());
    image->writeMetadata();
    return bytesOf(*image);
}

// The file's own segments, as read now, are the source the engine's edits are measured against:
// what the engine did not change stays byte for byte, maker notes and all.
QByteArray jpegInPlace(const QByteArray& file, const EngineMetadata& asRead, const EngineMetadata& metadata)
{
    if (asRead.jpegSource()) {
        EngineMetadata edited = metadata;
        edited.setJpegSource(asRead.jpegSource());
        if (const auto spliced = jpegmetadatasplice::intoFile(file, edited))
            return *spliced;
    }
    return jpegByExiv2(file, metadata);
}

QByteArray bytesOf(const Exiv2::Blob& blob)
{
    return QByteArray(reinterpret_cast<const char*>(blob.data()), qsizetype(blob.size()));
}

QByteArray iimOf(const Exiv2::IptcData& iptc)
{
    const Exiv2::DataBuf iim = Exiv2::IptcParser::encode(iptc);
    return QByteArray(reinterpret_cast<const char*>(iim.pData_), qsizetype(iim.size_));
}

bool sameExif(const Exiv2::ExifData& a, const Exiv2::ExifData& b)
{
    Exiv2::Blob one, other;
    Exiv2::ExifParser::encode(one, Exiv2::littleEndian, a);
    Exiv2::ExifParser::encode(other, Exiv2::littleEndian, b);
    return one == other;
}

// The file's EXIF that the engine does not hold (a TIFF's further pages and thumbnail, the IFD0
// tags that hold IPTC, XMP, Photoshop resources and the colour profile) with the engine's.
Exiv2::ExifData exifInPlace(const Exiv2::ExifData& file, const Exiv2::ExifData& engine)
{
    Exiv2::ExifData exif = engine;
    for (const Exiv2::Exifdatum& datum : file)
        if (!exifnames::keptByEngine(datum))
            exif.add(datum);
    return exif;
}

// Exiv2 copies a TIFF's strips and tiles as they are and keeps the tags that describe them from
// the file; only what the engine changed is handed to it, so the rest is written as read.
QByteArray tiffInPlace(const QByteArray& file, const EngineMetadata& asRead, const EngineMetadata& metadata)
{
    auto image = openInMemory(file);
    image->readMetadata();
    if (!sameExif(asRead.exif(), metadata.exif()))
        image->setExifData(exifInPlace(image->exifData(), metadata.exif()));
    if (iimOf(asRead.iptc().data()) != iimOf(metadata.iptc().data()))
        image->setIptcData(iptcForFile(metadata));
    if (asRead.xmpPacket() != metadata.xmpPacket())
        setXmpPacket(*image, metadata.xmpPacket(), true);
    else
        image->writeXmpFromPacket(true);
    image->writeMetadata();
    return bytesOf(*image);
}

// A PSD's EXIF resource: the engine's EXIF with what else the old one held (its thumbnail), in
// the old one's byte order and, where Exiv2 manages, its layout. Empty when nothing is left.
QByteArray psdExif(const QByteArray& file, const EngineMetadata& metadata)
{
    const QByteArray old = psdresources::find(file, psdresources::kExif).value_or(QByteArray());
    const auto* data = old.isEmpty() ? nullptr : reinterpret_cast<const Exiv2::byte*>(old.constData());
    Exiv2::ExifData oldExif;
    if (data) {
        try {
            Exiv2::ExifParser::decode(oldExif, data, std::uint32_t(old.size()));
        } catch (const std::exception&) {
            oldExif.clear();  // a damaged block gives way to the engine's
        }
    }
    const Exiv2::ExifData exif = exifInPlace(oldExif, metadata.exif());
    if (exif.empty())
        return {};
    Exiv2::ByteOrder order = metadata.byteOrder() != Exiv2::invalidByteOrder ? metadata.byteOrder() : Exiv2::bigEndian;
    if (old.startsWith("II") || old.startsWith("MM"))
        order = old.startsWith("II") ? Exiv2::littleEndian : Exiv2::bigEndian;
    Exiv2::Blob blob;
    try {
        Exiv2::ExifParser::encode(blob, data, std::uint32_t(old.size()), order, exif);
    } catch (const std::exception&) {
        blob.clear();  // a block Exiv2 cannot build on: the EXIF is written afresh
        Exiv2::ExifParser::encode(blob, nullptr, 0, order, exif);
    }
    return bytesOf(blob);
}

// A PSD with the engine's EXIF, IPTC and XMP resources; with `asRead` (the file's metadata as
// the engine reads it), only those the engine changed are written anew. The layer and image data
// sections and every other resource stay byte for byte. (Exiv2 0.27 drops a PSD's XMP packet.)
QByteArray psdWithMetadata(const QByteArray& psd, const EngineMetadata& metadata, const EngineMetadata* asRead)
{
    std::map<std::uint16_t, QByteArray> changed;
    if (!asRead || !sameExif(asRead->exif(), metadata.exif()))
        changed[psdresources::kExif] = psdExif(psd, metadata);
    if (!asRead || iimOf(asRead->iptc().data()) != iimOf(metadata.iptc().data()))
        changed[psdresources::kIptc] = iimOf(iptcForFile(metadata));
    if (!asRead || asRead->xmpPacket() != metadata.xmpPacket())
        changed[psdresources::kXmp] = QByteArray::fromStdString(metadata.xmpPacket());
    const auto written = psdresources::withResources(psd, changed);
    if (!written)
        throw std::runtime_error("its sections run past its end");
    return *written;
}

}  // namespace

bool MetadataWriter::carriesMetadata(const QString& extension)
{
    return extension == u"jpg" || extension == u"jpeg" || extension == u"jpe" || isTiff(extension) || extension == u"psd";
}

bool MetadataWriter::exifThroughEncoder(const QString& extension)
{
    return extension == u"webp" || extension == u"avif" || extension == u"png";
}

QByteArray MetadataWriter::exifBlock(const EngineMetadata& metadata, const char* operation)
{
    if (metadata.exif().empty())
        return {};
    ensureExiv2Started();
    const Exiv2::ByteOrder order =
        metadata.byteOrder() != Exiv2::invalidByteOrder ? metadata.byteOrder() : Exiv2::littleEndian;
    Exiv2::Blob blob;
    try {
        Exiv2::ExifParser::encode(blob, order, metadata.exif());
    } catch (const std::exception& error) {
        fail(operation, QStringLiteral("cannot write the metadata: %1").arg(reasonOf(error)));
    }
    return blob.empty() ? QByteArray() : jpegsegments::kExifId + bytesOf(blob);
}

QByteArray MetadataWriter::embed(const QByteArray& encoded, const QString& extension, const EngineMetadata& metadata,
                                 const char* operation, const std::function<QByteArray()>& thumbnail,
                                 const QByteArray& iccProfile)
{
    ensureExiv2Started();
    const bool tiff = isTiff(extension);
    // A JPEG from a JPEG carries the source's own segments over.
    if (!tiff && extension != u"psd" && metadata.jpegSource()) {
        try {
            if (const auto spliced = jpegmetadatasplice::splice(encoded, metadata, thumbnail))
                return *spliced;
        } catch (const std::exception& error) {
            fail(operation, QStringLiteral("cannot write the metadata: %1").arg(reasonOf(error)));
        }
    }
    if (extension == u"psd") {
        try {
            return psdWithMetadata(encoded, metadata, nullptr);
        } catch (const std::exception& error) {
            fail(operation, QStringLiteral("cannot write the metadata: %1").arg(reasonOf(error)));
        }
    }
    // libvips writes an EXIF block of its own into every JPEG. Exiv2 would fit the engine's EXIF
    // into that block's layout and byte order; without it, the block is built afresh.
    const QByteArray bytes = tiff ? encoded : jpegsegments::withoutExifSegments(encoded);
    try {
        auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(bytes.constData()),
                                               static_cast<long>(bytes.size()));
        image->readMetadata();
        // In a TIFF file Exiv2 keeps the tags that describe the image data (size, strips,
        // compression) from the file itself and takes the rest from here.
        image->setExifData(tiff ? exifForTiff(metadata) : metadata.exif());
        if (tiff && !iccProfile.isEmpty()) {
            Exiv2::DataBuf profile(reinterpret_cast<const Exiv2::byte*>(iccProfile.constData()),
                                   long(iccProfile.size()));
            image->setIccProfile(profile, false);
        }
        image->setIptcData(iptcForFile(metadata));
        setXmpPacket(*image, metadata.xmpPacket(), tiff);
        // A TIFF file's byte order is that of its image data; every other block takes the order of
        // the EXIF as loaded.
        if (!tiff && metadata.byteOrder() != Exiv2::invalidByteOrder)
            image->setByteOrder(metadata.byteOrder());
        image->writeMetadata();
        return bytesOf(*image);
    } catch (const std::exception& error) {
        fail(operation, QStringLiteral("cannot write the metadata: %1").arg(reasonOf(error)));
    }
}

void MetadataWriter::writeIntoFile(const QString& path, const EngineMetadata& metadata)
{
    constexpr const char* operation = "WriteMetadataToFile";
    const QFileInfo info(path);
    if (!info.isFile())
        fail(operation, QStringLiteral("\"%1\" does not exist").arg(path));
    if (!info.isWritable())
        fail(operation, QStringLiteral("\"%1\" is read-only").arg(path));
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        fail(operation, QStringLiteral("cannot read \"%1\": %2").arg(path, source.errorString()));
    const QByteArray original = source.readAll();
    source.close();

    ensureExiv2Started();
    QByteArray updated;
    try {
        const int type = Exiv2::ImageFactory::getType(reinterpret_cast<const Exiv2::byte*>(original.constData()),
                                                      static_cast<long>(original.size()));
        if (type != Exiv2::ImageType::jpeg && type != Exiv2::ImageType::tiff && type != Exiv2::ImageType::psd)
            fail(operation, QStringLiteral("\"%1\" is not a JPEG, TIFF or PSD file").arg(path));
        // The file's metadata as the engine reads it tells what the engine changed.
        const EngineMetadata asRead = MetadataReader::read(path);
        if (type == Exiv2::ImageType::jpeg)
            updated = jpegInPlace(original, asRead, metadata);
        else if (type == Exiv2::ImageType::tiff)
            updated = tiffInPlace(original, asRead, metadata);
        else
            updated = psdWithMetadata(original, metadata, &asRead);
    } catch (const EngineError&) {
        throw;
    } catch (const std::exception& error) {
        fail(operation, QStringLiteral("cannot write the metadata into \"%1\": %2").arg(path, reasonOf(error)));
    }

    if (const std::optional<QString> why = writeWholeFile(path, updated))
        fail(operation, QStringLiteral("cannot write \"%1\": %2").arg(path, *why));
}

}  // namespace lumora
