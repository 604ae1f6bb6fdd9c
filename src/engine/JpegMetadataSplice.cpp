#include "engine/JpegMetadataSplice.h"

#include "engine/ExifBlockPatch.h"
#include "engine/ExifThumbnail.h"
#include "engine/JpegSegments.h"

#include <QtEndian>

#include <exiv2/jpgimage.hpp>
#include <vips/vips8>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <utility>

namespace lumora::jpegmetadatasplice {

namespace {

using exifblockpatch::Change;
using exifblockpatch::Directory;
using namespace jpegsegments;

QByteArray valueBytes(const Exiv2::Metadatum& datum, Exiv2::ByteOrder order)
{
    QByteArray bytes(static_cast<qsizetype>(datum.size()), '\0');
    if (!bytes.isEmpty())
        bytes.resize(static_cast<qsizetype>(datum.copy(reinterpret_cast<Exiv2::byte*>(bytes.data()), order)));
    return bytes;
}

bool sameDatum(const Exiv2::Metadatum& a, const Exiv2::Metadatum& b)
{
    return a.tag() == b.tag() && a.familyName() == b.familyName() && a.groupName() == b.groupName() &&
           a.typeId() == b.typeId() && a.count() == b.count() &&
           valueBytes(a, Exiv2::littleEndian) == valueBytes(b, Exiv2::littleEndian);
}

template <typename Container>
bool sameData(const Container& a, const Container& b)
{
    if (a.count() != b.count())
        return false;
    auto j = b.begin();
    for (auto i = a.begin(); i != a.end(); ++i, ++j)
        if (!sameDatum(*i, *j))
            return false;
    return true;
}

std::optional<Directory> directoryOf(const Exiv2::Exifdatum& datum)
{
    const std::string group = datum.groupName();
    if (group == "Image")
        return Directory::Zero;
    if (group == "Photo")
        return Directory::Exif;
    if (group == "GPSInfo")
        return Directory::Gps;
    if (group == "Iop")
        return Directory::Interop;
    return std::nullopt;
}

// The changes from the EXIF as read to the EXIF as it stands, as far as they lie in the main
// directories; nullopt for anything else (an edited maker note, a repeated tag).
std::optional<std::vector<Change>> changesBetween(const Exiv2::ExifData& before, const Exiv2::ExifData& after,
                                                  Exiv2::ByteOrder order)
{
    using Place = std::pair<Directory, std::uint16_t>;
    std::map<Place, const Exiv2::Exifdatum*> was, is;
    Exiv2::ExifData restBefore, restAfter;
    const auto sort = [](const Exiv2::ExifData& data, std::map<Place, const Exiv2::Exifdatum*>& places,
                         Exiv2::ExifData& rest) {
        for (const Exiv2::Exifdatum& datum : data) {
            if (const auto directory = directoryOf(datum)) {
                if (!places.emplace(Place{*directory, datum.tag()}, &datum).second)
                    return false;
            } else {
                rest.add(datum);
            }
        }
        return true;
    };
    if (!sort(before, was, restBefore) || !sort(after, is, restAfter) || !sameData(restBefore, restAfter))
        return std::nullopt;
    std::vector<Change> changes;
    for (const auto& [place, datum] : was)
        if (!is.count(place))
            changes.push_back({place.first, place.second, true, 0, 0, {}});
    for (const auto& [place, datum] : is) {
        const auto old = was.find(place);
        if (old != was.end() && sameDatum(*old->second, *datum))
            continue;
        changes.push_back({place.first, place.second, false, std::uint16_t(datum->typeId()),
                           std::uint32_t(datum->count()), valueBytes(*datum, order)});
    }
    return changes;
}

// Exiv2's encoding of the EXIF into the old block: in place where Exiv2 manages, rebuilt
// otherwise. The old block's thumbnail stays with it.
QByteArray encodedByExiv2(const QByteArray& oldTiff, const Exiv2::ExifData& exif, Exiv2::ByteOrder order)
{
    Exiv2::ExifData full = exif;
    const auto* data = reinterpret_cast<const Exiv2::byte*>(oldTiff.constData());
    if (!oldTiff.isEmpty()) {
        Exiv2::ExifData old;
        Exiv2::ExifParser::decode(old, data, uint32_t(oldTiff.size()));
        for (const Exiv2::Exifdatum& datum : old)
            if (datum.groupName() == "Thumbnail")
                full.add(datum);
    }
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, oldTiff.isEmpty() ? nullptr : data, uint32_t(oldTiff.size()), order, full);
    return QByteArray(reinterpret_cast<const char*>(blob.data()), qsizetype(blob.size()));
}

QByteArray exifSegment(const QByteArray& oldTiff, const JpegSource& source, const EngineMetadata& metadata,
                       const ThumbnailMaker& thumbnail)
{
    Exiv2::ByteOrder order = oldTiff.startsWith("MM") ? Exiv2::bigEndian : Exiv2::littleEndian;
    if (oldTiff.isEmpty() && metadata.byteOrder() != Exiv2::invalidByteOrder)
        order = metadata.byteOrder();
    std::optional<QByteArray> tiff;
    if (sameData(source.exif, metadata.exif()))
        tiff = oldTiff;
    else if (!oldTiff.isEmpty())
        if (const auto changes = changesBetween(source.exif, metadata.exif(), order))
            tiff = exifblockpatch::apply(oldTiff, *changes);
    if (!tiff) {
        try {
            tiff = encodedByExiv2(oldTiff, metadata.exif(), order);
        } catch (const std::exception&) {
            // A block Exiv2 cannot build on: the EXIF is written afresh.
            tiff = encodedByExiv2(QByteArray(), metadata.exif(), order);
        }
    }
    // The thumbnail shows the new pixels, not the old ones; without new pixels it stays.
    const qsizetype room = kMaxPayload - kExifId.size();
    if (thumbnail)
        if (const auto withNewThumbnail = exifblockpatch::withThumbnail(*tiff, thumbnail, room))
            tiff = withNewThumbnail;
    if (tiff->size() + kExifId.size() > kMaxPayload)
        throw std::runtime_error("the EXIF block does not fit in a JPEG segment");
    return segment(kApp1, kExifId + *tiff);
}

std::vector<QByteArray> photoshopSegments(const QByteArray& oldResources, const EngineMetadata& metadata)
{
    // Without fields the block goes: a marker and a version alone say nothing.
    const Exiv2::IptcData iptc = metadata.iptc().hasContent() ? metadata.iptc().forWriting() : Exiv2::IptcData();
    const Exiv2::DataBuf resources = Exiv2::Photoshop::setIptcIrb(
        reinterpret_cast<const Exiv2::byte*>(oldResources.constData()), long(oldResources.size()), iptc);
    const QByteArray all(reinterpret_cast<const char*>(resources.pData_), qsizetype(resources.size_));
    std::vector<QByteArray> segments;
    const qsizetype piece = kMaxPayload - kPhotoshopId.size();
    for (qsizetype at = 0; at < all.size(); at += piece)
        segments.push_back(segment(kApp13, kPhotoshopId + all.mid(at, piece)));
    return segments;
}

bool isExif(const QByteArray& s) { return markerOf(s) == kApp1 && payloadStartsWith(s, kExifId); }
bool isXmp(const QByteArray& s)
{
    return markerOf(s) == kApp1 && (payloadStartsWith(s, kXmpId) || payloadStartsWith(s, kExtendedXmpId));
}
bool isPhotoshop(const QByteArray& s) { return markerOf(s) == kApp13 && payloadStartsWith(s, kPhotoshopId); }
// The segments a JpegSource carries: metadata about the photo, and the JFIF marking their place.
bool isCarried(const QByteArray& s) { return isMetadata(s) && (!describesEncoding(s) || isJfif(s)); }

// Replaces the segments `which` picks by `replacement`, standing where the first of them stood,
// or else after the last segment `after` picks (at the front when none does).
template <typename Which, typename After>
void replaceSegments(std::vector<QByteArray>& segments, Which which, After after, std::vector<QByteArray> replacement)
{
    std::optional<std::size_t> at;
    std::size_t afterAt = 0;
    std::vector<QByteArray> kept;
    for (const QByteArray& s : segments) {
        if (which(s)) {
            if (!at)
                at = kept.size();
            continue;
        }
        kept.push_back(s);
        if (after(s))
            afterAt = kept.size();
    }
    kept.insert(kept.begin() + std::ptrdiff_t(at.value_or(afterAt)), replacement.begin(), replacement.end());
    segments = std::move(kept);
}

// The source's metadata segments with the edits since it was read.
std::vector<QByteArray> metadataSegments(const JpegSource& source, const EngineMetadata& metadata,
                                         const ThumbnailMaker& thumbnail)
{
    std::vector<QByteArray> segments = source.segments;
    const auto oldExif = std::find_if(segments.begin(), segments.end(), isExif);
    if (oldExif != segments.end() || !metadata.exif().empty()) {
        const QByteArray oldTiff = oldExif != segments.end() ? oldExif->mid(4 + kExifId.size()) : QByteArray();
        std::vector<QByteArray> exif;
        if (!metadata.exif().empty())
            exif.push_back(exifSegment(oldTiff, source, metadata, thumbnail));
        const auto firstOnly = [&](const QByteArray& s) { return oldExif != segments.end() && &s == &*oldExif; };
        replaceSegments(segments, firstOnly, isJfif, exif);
    }
    if (metadata.xmpPacket() != source.xmpPacket) {
        const QByteArray packet = QByteArray::fromStdString(metadata.xmpPacket());
        if (packet.size() + kXmpId.size() > kMaxPayload)
            throw std::runtime_error("the XMP packet does not fit in a JPEG segment");
        std::vector<QByteArray> xmp;
        if (!packet.isEmpty())
            xmp.push_back(segment(kApp1, kXmpId + packet));
        replaceSegments(segments, isXmp, isExif, xmp);
    }
    if (!sameData(source.iptc, metadata.iptc().data())) {
        QByteArray resources;
        for (const QByteArray& s : segments)
            if (isPhotoshop(s))
                resources += s.mid(4 + kPhotoshopId.size());
        replaceSegments(segments, isPhotoshop, [](const QByteArray& s) { return markerOf(s) == kApp1; },
                        photoshopSegments(resources, metadata));
    }
    return segments;
}

// A multi-picture index whose offsets to the further images (counted from its own TIFF header)
// are moved by `shift`, because what stands between it and them grew or shrank; as it was where
// its structure cannot be read.
QByteArray shiftedIndex(const QByteArray& segment, qsizetype shift)
{
    constexpr qsizetype header = 4 + 4;  // marker, length, "MPF\0"
    QByteArray out = segment;
    if (shift == 0 || out.size() < header + 8 || (out.mid(header, 2) != "II" && out.mid(header, 2) != "MM"))
        return segment;
    const bool little = out.mid(header, 2) == "II";
    const auto fits = [&](qsizetype at, qsizetype size) { return at >= header && at + size <= out.size(); };
    const auto read = [&](qsizetype at, int size) -> qint64 {
        if (!fits(at, size))
            return -1;
        const auto* p = reinterpret_cast<const uchar*>(out.constData() + at);
        if (size == 2)
            return little ? qFromLittleEndian<quint16>(p) : qFromBigEndian<quint16>(p);
        return little ? qFromLittleEndian<quint32>(p) : qFromBigEndian<quint32>(p);
    };
    const qint64 directory = header + read(header + 4, 4);
    const qint64 entries = read(directory, 2);
    for (qint64 entry = 0; entry < entries; ++entry) {
        const qsizetype at = directory + 2 + 12 * entry;
        if (read(at, 2) != 0xB002)  // the MP entries: 16 bytes per image, the offset at 8
            continue;
        const qint64 size = read(at + 4, 4);
        const qint64 list = header + read(at + 8, 4);
        for (qint64 image = 0; size >= 0 && image < size / 16; ++image) {
            const qint64 offset = read(list + 16 * image + 8, 4);
            if (offset <= 0 || !fits(list + 16 * image + 8, 4))
                continue;  // 0 is the first image itself
            const auto moved = quint32(offset + shift);
            char* p = out.data() + list + 16 * image + 8;
            little ? qToLittleEndian(moved, p) : qToBigEndian(moved, p);
        }
    }
    return out;
}

}  // namespace

std::optional<QByteArray> splice(const QByteArray& encoded, const EngineMetadata& metadata,
                                 const ThumbnailMaker& thumbnail)
{
    const auto parts = split(encoded);
    if (!parts || !metadata.jpegSource())
        return std::nullopt;
    const ThumbnailMaker fromEncoded = [&encoded] { return exifthumbnail::fromJpeg(encoded); };
    const std::vector<QByteArray> carried =
        metadataSegments(*metadata.jpegSource(), metadata, thumbnail ? thumbnail : fromEncoded);
    // The encoder's JFIF segment stands where the source's did (exiftool takes the byte order of
    // some segments from the one before), or first; its other segments that describe the
    // encoding (colour profile, Adobe) follow the carried ones, with its tables.
    QByteArray jfif;
    for (const QByteArray& s : parts->head)
        if (isJfif(s) && jfif.isEmpty())
            jfif = s;
    const bool sourceHasJfif = std::any_of(carried.begin(), carried.end(), isJfif);
    QByteArray out = encoded.left(2);
    if (!sourceHasJfif)
        out += jfif;
    bool jfifPlaced = false;
    for (const QByteArray& s : carried) {
        // Without a JFIF segment of the encoder's the source's stays: it says no more than the
        // EXIF does.
        if (!isJfif(s) || jfif.isEmpty())
            out += s;
        else if (!std::exchange(jfifPlaced, true))
            out += jfif;
    }
    for (const QByteArray& s : parts->head)
        if (!isMetadata(s) || (describesEncoding(s) && !isJfif(s)))
            out += s;
    return out + parts->image + metadata.jpegSource()->trailer;
}

std::optional<QByteArray> intoFile(const QByteArray& file, const EngineMetadata& metadata)
{
    const auto parts = split(file);
    if (!parts || !metadata.jpegSource())
        return std::nullopt;
    const std::vector<QByteArray> carried = metadataSegments(*metadata.jpegSource(), metadata, {});
    // Every segment keeps its place: one the engine left alone stands where it stood, a new one
    // right after the segment it follows among the carried ones (at the front when it follows
    // none), and the others (coding tables, colour profile, a multi-picture index) between them as
    // before.
    std::vector<bool> kept(carried.size());
    for (std::size_t i = 0; i < carried.size(); ++i)
        kept[i] = std::any_of(parts->head.begin(), parts->head.end(),
                              [&](const QByteArray& s) { return isCarried(s) && s == carried[i]; });
    QByteArray out = file.left(2);
    std::size_t next = 0;
    const auto putNew = [&] {
        for (; next < carried.size() && !kept[next]; ++next)
            out += carried[next];
    };
    putNew();
    qsizetype indexAt = -1;  // where the multi-picture index goes, and how much followed it
    qsizetype followedIndex = 0;
    for (const QByteArray& s : parts->head) {
        if (indexAt >= 0)
            followedIndex += s.size();
        if (!isCarried(s)) {
            if (isMultiPictureIndex(s) && indexAt < 0)
                indexAt = out.size();
            out += s;
            continue;
        }
        for (std::size_t i = next; i < carried.size(); ++i) {
            if (kept[i] && carried[i] == s) {
                for (; next <= i; ++next)
                    out += carried[next];
                putNew();
                break;
            }
        }
    }
    for (; next < carried.size(); ++next)
        out += carried[next];
    if (indexAt >= 0) {
        const QByteArray index = out.mid(indexAt, 4 + qFromBigEndian<quint16>(out.constData() + indexAt + 2) - 2);
        const qsizetype shift = (out.size() - indexAt - index.size()) - followedIndex;
        out.replace(indexAt, index.size(), shiftedIndex(index, shift));
    }
    return out + parts->image + parts->trailer;
}

}  // namespace lumora::jpegmetadatasplice
