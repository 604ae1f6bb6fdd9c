#pragma once

// The engine's snapshot: the held image with its pixels, load depth and metadata in one byte
// array, restored bit for bit. Internal to the engine.

#include "engine/EngineMetadata.h"

#include <QByteArray>

#include <vips/vips8>

namespace lumora {

class EngineSnapshot {
public:
    static QByteArray write(const vips::VImage& image, int depth, const EngineMetadata& metadata);
    // Throws EngineError for bytes that are not a snapshot, leaving *depth and *metadata alone.
    static vips::VImage read(const QByteArray& data, int* depth, EngineMetadata* metadata);
};

}  // namespace lumora
