#include "engine/MetadataWriter.h"

#include "core/WholeFileWrite.h"
#include "engine/EngineError.h"
#include "engine/Exiv2Runtime.h"
#include "engine/JpegMetadataSplice.h"
#include "engine/JpegSegments.h"
#include "engine/VipsBridge.h"

#include <QFile>
#include <QFileInfo>

#include <exiv2/image.hpp>
#include <exiv2/jpgimage.hpp>

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

// The packet goes in as the engine holds it, not re-encoded by Exiv2. Exiv2 writes a JPEG's or
// PSD's packet from the image's copy, a TIFF's from the parsed XMP's copy, for which the XMP
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

}  // namespace

bool MetadataWriter::carriesMetadata(const QString& extension)
{
    return extension == u"jpg" || extension == u"jpeg" || extension == u"jpe" || isTiff(extension) || extension == u"psd";
}

QByteArray MetadataWriter::embed(const QByteArray& encoded, const QString& extension, const EngineMetadata& metadata,
                                 const char* operation, const std::function<QByteArray()>& thumbnail)
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

void MetadataWriter::writeIntoJpegFile(const QString& path, const EngineMetadata& metadata)
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
        const auto* data = reinterpret_cast<const Exiv2::byte*>(original.constData());
        const auto size = static_cast<long>(original.size());
        if (Exiv2::ImageFactory::getType(data, size) != Exiv2::ImageType::jpeg)
            fail(operation, QStringLiteral("\"%1\" is not a JPEG file").arg(path));
        auto image = Exiv2::ImageFactory::open(data, size);
        image->readMetadata();
        Exiv2::ExifData exif = metadata.exif();
        for (const Exiv2::Exifdatum& datum : image->exifData())
            if (datum.groupName() == "Thumbnail")
                exif.add(datum);
        image->setExifData(exif);
        image->setIptcData(iptcForFile(metadata));
        // The file's XMP goes back as it was read, not as Exiv2 would re-encode it.
        image->writeXmpFromPacket(true);
        if (metadata.byteOrder() != Exiv2::invalidByteOrder)
            image->setByteOrder(metadata.byteOrder());
        image->writeMetadata();
        updated = bytesOf(*image);
    } catch (const EngineError&) {
        throw;
    } catch (const std::exception& error) {
        fail(operation, QStringLiteral("cannot write the metadata into \"%1\": %2").arg(path, reasonOf(error)));
    }

    if (const std::optional<QString> why = writeWholeFile(path, updated))
        fail(operation, QStringLiteral("cannot write \"%1\": %2").arg(path, *why));
}

}  // namespace lumora
