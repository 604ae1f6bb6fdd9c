#include "engine/JpegSegments.h"

namespace lumora::jpegsegments {

namespace {

constexpr uchar kMarker = 0xFF;
constexpr uchar kStartOfImage = 0xD8;
constexpr uchar kStartOfScan = 0xDA;
constexpr uchar kEndOfImage = 0xD9;
constexpr uchar kApp1 = 0xE1;
constexpr uchar kApp13 = 0xED;

// Markers that stand alone, without a length.
bool standsAlone(uchar marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); }

const QByteArray kExifId("Exif\0\0", 6);
const QByteArray kPhotoshopId("Photoshop 3.0\0", 14);

}  // namespace

QByteArray withoutExifSegments(const QByteArray& jpeg)
{
    const auto byteAt = [&](qsizetype i) { return uchar(jpeg.at(i)); };
    if (jpeg.size() < 4 || byteAt(0) != kMarker || byteAt(1) != kStartOfImage)
        return jpeg;
    QByteArray out = jpeg.left(2);
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && byteAt(at) == kMarker) {
        const uchar marker = byteAt(at + 1);
        if (marker == kStartOfScan || marker == kEndOfImage || standsAlone(marker))
            break;
        const qsizetype end = at + 2 + ((byteAt(at + 2) << 8) | byteAt(at + 3));
        if (end > jpeg.size())
            return jpeg;
        if (!(marker == kApp1 && jpeg.mid(at + 4, kExifId.size()) == kExifId))
            out += jpeg.mid(at, end - at);
        at = end;
    }
    return out + jpeg.mid(at);
}

QByteArray photoshopResources(QIODevice& jpeg)
{
    QByteArray resources;
    const QByteArray start = jpeg.read(2);
    if (start.size() != 2 || uchar(start[0]) != kMarker || uchar(start[1]) != kStartOfImage)
        return {};
    for (;;) {
        const QByteArray header = jpeg.read(4);
        if (header.size() != 4 || uchar(header[0]) != kMarker)
            break;
        const uchar marker = uchar(header[1]);
        if (marker == kStartOfScan || marker == kEndOfImage || standsAlone(marker))
            break;
        const qint64 length = ((uchar(header[2]) << 8) | uchar(header[3])) - 2;
        if (length < 0)
            break;
        if (marker == kApp13) {
            const QByteArray payload = jpeg.read(length);
            if (payload.size() != length)
                break;
            if (payload.startsWith(kPhotoshopId))
                resources += payload.mid(kPhotoshopId.size());
        } else if (!jpeg.seek(jpeg.pos() + length)) {
            break;
        }
    }
    return resources;
}

}  // namespace lumora::jpegsegments
