#include "engine/EngineSnapshot.h"

#include "engine/MetadataStream.h"
#include "engine/VipsBridge.h"

#include <QDataStream>
#include <QIODevice>

namespace lumora {

using vips::VImage;

namespace {

constexpr quint32 kMagic = 0x4C4D534Eu;  // "LMSN"
constexpr quint16 kVersion = 2;

// What the libvips image carries that is worth keeping across a snapshot: colour profile and
// resolution. EXIF, IPTC and XMP are the engine's own and follow the pixels.
constexpr const char* kBlobFields[] = {"icc-profile-data"};
constexpr const char* kDoubleFields[] = {"xres", "yres"};

}  // namespace

QByteArray EngineSnapshot::write(const VImage& image, int depth, const EngineMetadata& metadata)
{
    const VImage memory = image.copy_memory();
    const void* pixels = vips_image_get_data(memory.get_image());
    const size_t size = VIPS_IMAGE_SIZEOF_IMAGE(memory.get_image());

    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_6_0);
    stream << kMagic << kVersion << qint32(memory.width()) << qint32(memory.height()) << qint32(memory.bands())
           << qint32(depth);
    stream << QByteArray::fromRawData(static_cast<const char*>(pixels), static_cast<qsizetype>(size));
    for (const char* field : kBlobFields) {
        QByteArray blob;
        if (memory.get_typeof(field) == VIPS_TYPE_BLOB) {
            size_t length = 0;
            const void* data = memory.get_blob(field, &length);
            blob = QByteArray(static_cast<const char*>(data), static_cast<qsizetype>(length));
        }
        stream << blob;
    }
    for (const char* field : kDoubleFields)
        stream << (memory.get_typeof(field) != 0 ? memory.get_double(field) : 0.0);
    metadatastream::write(stream, metadata);
    return out;
}

VImage EngineSnapshot::read(const QByteArray& data, int* depth, EngineMetadata* metadata)
{
    QDataStream stream(data);
    stream.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint16 version = 0;
    qint32 width = 0, height = 0, bands = 0, loadDepth = 0;
    stream >> magic >> version >> width >> height >> bands >> loadDepth;
    if (stream.status() != QDataStream::Ok || magic != kMagic || version != kVersion)
        vipsbridge::fail("LoadFromMemory", QStringLiteral("not an engine snapshot"));
    QByteArray pixels;
    stream >> pixels;
    if (stream.status() != QDataStream::Ok || width <= 0 || height <= 0 || (bands != 3 && bands != 4) ||
        pixels.size() != qint64(width) * height * bands)
        vipsbridge::fail("LoadFromMemory", QStringLiteral("damaged engine snapshot"));

    VImage image = vipsbridge::fromPixels(pixels.constData(), static_cast<size_t>(pixels.size()), width, height, bands);
    for (const char* field : kBlobFields) {
        QByteArray blob;
        stream >> blob;
        if (!blob.isEmpty())
            vips_image_set_blob_copy(image.get_image(), field, blob.constData(), static_cast<size_t>(blob.size()));
    }
    // The resolution lives in the image's header, which only a copy with new values changes
    // (setting the field would leave the header as it was).
    auto* resolution = VImage::option();
    for (const char* field : kDoubleFields) {
        double value = 0;
        stream >> value;
        if (value > 0)
            resolution->set(field, value);
    }
    image = image.copy(resolution);
    EngineMetadata restored;
    if (!metadatastream::read(stream, restored) || stream.status() != QDataStream::Ok)
        vipsbridge::fail("LoadFromMemory", QStringLiteral("damaged engine snapshot"));
    *depth = loadDepth;
    *metadata = std::move(restored);
    return image;
}

}  // namespace lumora
