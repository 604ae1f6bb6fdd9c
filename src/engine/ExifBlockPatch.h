#pragma once

// Changes the values of an EXIF block's main directories (IFD0, Exif, GPS, interoperability)
// without moving anything else in it: a value of the same size is overwritten where it stands,
// a directory that gains, loses or grows an entry is written anew at the end of the block and its
// pointer turned to it. Maker notes, thumbnails and every other offset of the block stay valid
// byte for byte, which no rebuild of the block can promise for the maker notes whose layout
// only their makers know. Internal to the engine.

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace lumora::exifblockpatch {

enum class Directory { Zero, Exif, Gps, Interop, Thumbnail };

struct Change {
    Directory directory = Directory::Zero;
    std::uint16_t tag = 0;
    bool remove = false;
    std::uint16_t type = 0;  // TIFF field type
    std::uint32_t count = 0;
    QByteArray value;  // count values in the block's byte order
};

// The TIFF structure of an EXIF block (after "Exif\0\0") with those changes; nullopt where the
// block cannot take them: a damaged structure, a change in a directory the block does not have,
// a directory pointer among the changes.
std::optional<QByteArray> apply(const QByteArray& tiff, const std::vector<Change>& changes);

// The block with the JPEG `makeThumbnail` makes in place of its JPEG thumbnail, or without a
// thumbnail where the new one would take the block past `maxSize` bytes; the block as it was
// (without asking for a thumbnail) when it has none. nullopt where the block cannot take it.
std::optional<QByteArray> withThumbnail(const QByteArray& tiff, const std::function<QByteArray()>& makeThumbnail,
                                        qsizetype maxSize);

}  // namespace lumora::exifblockpatch
