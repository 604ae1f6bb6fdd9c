#include "engine/MetadataReader.h"

#include "engine/ExifNames.h"
#include "engine/Exiv2Runtime.h"
#include "engine/IimCodec.h"
#include "engine/IptcBlockReader.h"
#include "engine/JpegSegments.h"

#include <QFile>

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

// The file's metadata segments and trailer beside what the engine read from them; null for a
// file that does not split into whole segments (its metadata is then written afresh).
std::shared_ptr<const JpegSource> jpegSourceOf(const QString& path, const EngineMetadata& metadata)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const QByteArray bytes = file.readAll();
    const auto parts = jpegsegments::split(bytes);
    if (!parts)
        return nullptr;
    auto source = std::make_shared<JpegSource>();
    bool multiPicture = false;
    for (const QByteArray& segment : parts->head) {
        multiPicture = multiPicture || jpegsegments::isMultiPictureIndex(segment);
        if (jpegsegments::isMetadata(segment) &&
            (!jpegsegments::describesEncoding(segment) || jpegsegments::isJfif(segment)))
            source->segments.push_back(segment);
    }
    if (!multiPicture)
        source->trailer = parts->trailer;
    source->exif = metadata.exif();
    source->iptc = metadata.iptc().data();
    source->xmpPacket = metadata.xmpPacket();
    return source;
}

}  // namespace

EngineMetadata MetadataReader::read(const QString& path)
{
    ensureExiv2Started();
    try {
        const std::string name = QFile::encodeName(path).toStdString();
        const int type = Exiv2::ImageFactory::getType(name);
        if (!readableType(type))
            return {};
        auto image = Exiv2::ImageFactory::open(name);
        if (!image.get())
            return {};
        try {
            image->readMetadata();
        } catch (const std::exception&) {
            // Exiv2 stops at the first block it cannot make sense of; what it read before stays.
        }
        EngineMetadata metadata = takeFrom(*image, path, type);
        if (type == Exiv2::ImageType::jpeg)
            metadata.setJpegSource(jpegSourceOf(path, metadata));
        return metadata;
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace lumora
