#pragma once

// Writes a loaded JPEG's metadata into a JPEG the engine encoded by carrying the file's own
// segments over: what was not edited goes byte for byte (EXIF with its maker notes, XMP and
// extended XMP, Photoshop resources, comments, other writers' segments and trailers), what was
// edited is changed in place as far as the block allows. Internal to the engine.

#include "engine/EngineMetadata.h"

#include <QByteArray>

#include <optional>

namespace lumora::jpegmetadatasplice {

// The encoded JPEG with the metadata of `metadata`, whose jpegSource() must be set; nullopt when
// the encoded bytes do not split into segments. std::runtime_error when a block outgrows its
// segment.
std::optional<QByteArray> splice(const QByteArray& encoded, const EngineMetadata& metadata);

}  // namespace lumora::jpegmetadatasplice
