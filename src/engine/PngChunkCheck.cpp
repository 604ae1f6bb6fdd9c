#include "engine/PngChunkCheck.h"

#include <QFile>

#include <cstdint>

namespace lumora {
namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
constexpr qint64 kSignatureSize = 8;
constexpr qint64 kChunkOverhead = 12;     // length, type and CRC
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFF;
// Real files have a few dozen chunks before their image data; a walk this long is a hostile file.
constexpr int kMaxChunksBeforeData = 100000;

std::uint32_t bigEndian(const char* bytes)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return (std::uint32_t(b[0]) << 24) | (std::uint32_t(b[1]) << 16) | (std::uint32_t(b[2]) << 8) | b[3];
}

}  // namespace

bool PngChunksFitTheFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;  // the loader reports what it cannot open
    const qint64 size = file.size();
    if (file.read(kSignatureSize) != QByteArray::fromRawData(kSignature, kSignatureSize))
        return true;
    qint64 at = kSignatureSize;
    for (int chunk = 0; chunk < kMaxChunksBeforeData; ++chunk) {
        char header[8];
        if (!file.seek(at) || file.read(header, sizeof header) != sizeof header)
            return false;  // cut off before the image data
        // The image data is read as a stream, so a cut-off last chunk there costs nothing.
        const QByteArray type(header + 4, 4);
        if (type == "IDAT" || type == "IEND")
            return true;
        const std::uint32_t length = bigEndian(header);
        if (length > kMaxChunkLength || at + kChunkOverhead + qint64(length) > size)
            return false;
        at += kChunkOverhead + length;
    }
    return false;
}

}  // namespace lumora
