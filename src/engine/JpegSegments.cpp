#include "engine/JpegSegments.h"

#include <cstring>

namespace lumora::jpegsegments {

namespace {

constexpr uchar kMarker = 0xFF;
constexpr uchar kStartOfImage = 0xD8;
constexpr uchar kStartOfScan = 0xDA;
constexpr uchar kEndOfImage = 0xD9;
constexpr uchar kApp0 = 0xE0;
constexpr uchar kApp2 = 0xE2;
constexpr uchar kApp14 = 0xEE;
constexpr uchar kApp15 = 0xEF;
constexpr uchar kComment = 0xFE;

// Markers that stand alone, without a length.
bool standsAlone(uchar marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); }


// Where the end-of-image marker ends, searching the entropy-coded data from `at` on; segments
// between scans (tables, further scans of a progressive file) are stepped over whole. -1 when the
// file ends first.
qsizetype endOfImage(const QByteArray& jpeg, qsizetype at)
{
    const char* data = jpeg.constData();
    const qsizetype size = jpeg.size();
    while (at + 1 < size) {
        const void* found = std::memchr(data + at, kMarker, static_cast<size_t>(size - at));
        if (!found)
            return -1;
        at = static_cast<const char*>(found) - data;
        if (at + 1 >= size)
            return -1;
        const uchar next = uchar(data[at + 1]);
        if (next == 0x00 || next == kMarker || standsAlone(next)) {
            at += next == kMarker ? 1 : 2;  // stuffed byte, fill byte or restart marker
            continue;
        }
        if (next == kEndOfImage)
            return at + 2;
        if (at + 4 > size)
            return -1;
        at += 2 + ((uchar(data[at + 2]) << 8) | uchar(data[at + 3]));
    }
    return -1;
}

}  // namespace

std::optional<JpegParts> split(const QByteArray& jpeg, bool keepImage)
{
    const auto byteAt = [&](qsizetype i) { return uchar(jpeg.at(i)); };
    if (jpeg.size() < 4 || byteAt(0) != kMarker || byteAt(1) != kStartOfImage)
        return std::nullopt;
    JpegParts parts;
    qsizetype at = 2;
    for (;;) {
        // Fill bytes may stand before a marker.
        while (at + 1 < jpeg.size() && byteAt(at) == kMarker && byteAt(at + 1) == kMarker)
            ++at;
        if (at + 4 > jpeg.size() || byteAt(at) != kMarker)
            return std::nullopt;
        const uchar marker = byteAt(at + 1);
        if (marker == kStartOfScan)
            break;
        if (marker == kEndOfImage || standsAlone(marker))
            return std::nullopt;
        const qsizetype end = at + 2 + ((byteAt(at + 2) << 8) | byteAt(at + 3));
        if (end > jpeg.size() || end < at + 4)
            return std::nullopt;
        parts.head.push_back(jpeg.mid(at, end - at));
        at = end;
    }
    // A file cut short (a camera that lost power) still has its segments; it has no trailer.
    qsizetype end = endOfImage(jpeg, at);
    if (end < 0)
        end = jpeg.size();
    if (keepImage)
        parts.image = jpeg.mid(at, end - at);
    parts.trailer = jpeg.mid(end);
    return parts;
}

uchar markerOf(const QByteArray& segment) { return segment.size() >= 2 ? uchar(segment.at(1)) : 0; }

bool payloadStartsWith(const QByteArray& segment, const QByteArray& id)
{
    return segment.size() >= 4 + id.size() && std::memcmp(segment.constData() + 4, id.constData(), size_t(id.size())) == 0;
}

QByteArray segment(uchar marker, const QByteArray& payload)
{
    const qsizetype length = payload.size() + 2;
    QByteArray bytes;
    bytes.reserve(length + 2);
    bytes.append(char(kMarker)).append(char(marker)).append(char(length >> 8)).append(char(length & 0xFF));
    return bytes + payload;
}

bool isMetadata(const QByteArray& segment)
{
    const uchar marker = markerOf(segment);
    return (marker >= kApp0 && marker <= kApp15) || marker == kComment;
}

bool isMultiPictureIndex(const QByteArray& segment)
{
    return markerOf(segment) == kApp2 && payloadStartsWith(segment, QByteArray("MPF\0", 4));
}

bool isJfif(const QByteArray& segment)
{
    return markerOf(segment) == kApp0 && payloadStartsWith(segment, QByteArray("JFIF\0", 5));
}

bool describesEncoding(const QByteArray& segment)
{
    switch (markerOf(segment)) {
    case kApp0:
        return isJfif(segment) || payloadStartsWith(segment, QByteArray("JFXX\0", 5));
    case kApp2:
        return payloadStartsWith(segment, QByteArray("ICC_PROFILE\0", 12)) || isMultiPictureIndex(segment);
    case kApp14:
        return payloadStartsWith(segment, QByteArray("Adobe", 5));
    default:
        return false;
    }
}

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
