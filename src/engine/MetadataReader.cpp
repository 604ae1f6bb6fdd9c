#include "engine/MetadataReader.h"

#include "core/RegularFile.h"
#include "engine/ExifNames.h"
#include "engine/Exiv2Runtime.h"
#include "engine/IimCodec.h"
#include "engine/IptcBlockReader.h"
#include "engine/JpegSegments.h"

#include <QFile>

#include <optional>

#include <exiv2/image.hpp>
#include <exiv2/jpgimage.hpp>
#include <exiv2/pngimage.hpp>
#include <exiv2/psdimage.hpp>
#include <exiv2/tiffimage.hpp>

namespace lumora {

namespace {

bool readableType(int type)
{
    return type == Exiv2::ImageType::jpeg || type == Exiv2::ImageType::tiff || type == Exiv2::ImageType::psd ||
           type == Exiv2::ImageType::png;
}

EngineMetadata takeFrom(Exiv2::Image& image, const QString& path, int type)
{
    EngineMetadata metadata;
    Exiv2::ExifData kept;
    for (const Exiv2::Exifdatum& datum : image.exifData())
        if (exifnames::keptByEngine(datum))
            kept.add(datum);
    metadata.setExif(kept);
    metadata.setByteOrder(kept.empty() ? Exiv2::invalidByteOrder : image.byteOrder());
    // The IIM block as it stands in the file, read by the engine itself, so that every dataset
    // keeps its bytes; Exiv2's reading where the engine does not look (PNG).
    const QByteArray iim = iptcblock::find(path, type, image.exifData(), image.byteOrder());
    metadata.iptc().replace(iim.isEmpty() ? image.iptcData() : iimcodec::decode(iim));
    metadata.setXmpPacket(image.xmpPacket());
    return metadata;
}

// The file's metadata segments and trailer beside what the engine read from them.
std::shared_ptr<const JpegSource> jpegSourceOf(const jpegsegments::JpegParts& parts, const EngineMetadata& metadata)
{
    auto source = std::make_shared<JpegSource>();
    bool multiPicture = false;
    for (const QByteArray& segment : parts.head) {
        multiPicture = multiPicture || jpegsegments::isMultiPictureIndex(segment);
        if (jpegsegments::isMetadata(segment) &&
            (!jpegsegments::describesEncoding(segment) || jpegsegments::isJfif(segment)))
            source->segments.push_back(segment);
    }
    if (!multiPicture)
        source->trailer = parts.trailer;
    source->exif = metadata.exif();
    source->iptc = metadata.iptc().data();
    source->xmpPacket = metadata.xmpPacket();
    return source;
}

// What Exiv2 reads of a JPEG: its segments without the Photoshop resources. The engine reads
// their IPTC itself, up to a bound; Exiv2 would decode every dataset there is.
QByteArray forExiv2(const jpegsegments::JpegParts& parts)
{
    QByteArray bytes("\xFF\xD8", 2);
    for (const QByteArray& segment : parts.head)
        if (!(jpegsegments::markerOf(segment) == jpegsegments::kApp13 &&
              jpegsegments::payloadStartsWith(segment, jpegsegments::kPhotoshopId)))
            bytes += segment;
    return bytes + QByteArray("\xFF\xD9", 2);
}

void readInto(Exiv2::Image& image)
{
    try {
        image.readMetadata();
    } catch (const std::exception&) {
        // Exiv2 stops at the first block it cannot make sense of; what it read before stays.
    }
}

}  // namespace

EngineMetadata MetadataReader::read(const QString& path)
{
    ensureExiv2Started();
    if (!IsRegularFile(path))
        return {};  // a pipe or a device holds no metadata, and Exiv2 would wait on a pipe
    try {
        const std::string name = QFile::encodeName(path).toStdString();
        const int type = Exiv2::ImageFactory::getType(name);
        if (!readableType(type))
            return {};
        // A JPEG that splits into its segments is read from them, and keeps them.
        std::optional<jpegsegments::JpegParts> parts;
        if (type == Exiv2::ImageType::jpeg) {
            // The coded pixels are only passed over, not copied: the segments and the trailer
            // are what is kept.
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                parts = jpegsegments::split(file.readAll(), false);
        }
        const QByteArray segments = parts ? forExiv2(*parts) : QByteArray();
        auto image = parts ? Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(segments.constData()),
                                                       static_cast<long>(segments.size()))
                           : Exiv2::ImageFactory::open(name);
        if (!image.get())
            return {};
        readInto(*image);
        EngineMetadata metadata = takeFrom(*image, path, type);
        if (parts)
            metadata.setJpegSource(jpegSourceOf(*parts, metadata));
        return metadata;
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace lumora
