#pragma once

// Writes a loaded JPEG's metadata into a JPEG the engine encoded by carrying the file's own
// segments over: what was not edited goes byte for byte (EXIF with its maker notes, XMP and
// extended XMP, Photoshop resources, comments, other writers' segments and trailers), what was
// edited is changed in place as far as the block allows. Internal to the engine.

#include "engine/EngineMetadata.h"

#include <QByteArray>

#include <functional>
#include <optional>

namespace lumora::jpegmetadatasplice {

// Makes the EXIF thumbnail of the image being written: a JPEG of at most 160 x 160.
using ThumbnailMaker = std::function<QByteArray()>;

// The encoded JPEG with the metadata of `metadata`, whose jpegSource() must be set; nullopt when
// the encoded bytes do not split into segments. std::runtime_error when a block outgrows its
// segment. The EXIF thumbnail comes from `thumbnail`, or from the encoded bytes decoded again.
std::optional<QByteArray> splice(const QByteArray& encoded, const EngineMetadata& metadata,
                                 const ThumbnailMaker& thumbnail = {});

// The JPEG file `file` with the metadata of `metadata`, whose jpegSource() must be the file's own
// segments as read: its image data, tables, colour profile, multi-picture index, EXIF thumbnail
// and trailer stay byte for byte, and so does every segment the engine did not change. nullopt
// when the file does not split into segments; std::runtime_error when a block outgrows its
// segment.
std::optional<QByteArray> intoFile(const QByteArray& file, const EngineMetadata& metadata);

}  // namespace lumora::jpegmetadatasplice
