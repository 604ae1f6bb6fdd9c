#pragma once

// The engine's metadata in a snapshot: every EXIF and IPTC attribute with its key, type and bytes
// in the order held, so that a restored engine lists and writes exactly what the saved one did.
// Internal to the engine.

#include "engine/EngineMetadata.h"

#include <QDataStream>

namespace lumora::metadatastream {

void write(QDataStream& stream, const EngineMetadata& metadata);
// False for bytes that are not such a record (the stream's status may still be Ok).
bool read(QDataStream& stream, EngineMetadata& metadata);

}  // namespace lumora::metadatastream
