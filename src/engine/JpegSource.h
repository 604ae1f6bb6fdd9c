#pragma once

// What the engine keeps of a JPEG file it loaded, so that a JPEG it writes can carry the file's
// own metadata segments byte for byte: EXIF with its maker notes, XMP and extended XMP, Photoshop
// resources, comments and the segments and trailers of other writers. Internal to the engine.

#include <QByteArray>

#include <exiv2/exif.hpp>
#include <exiv2/iptc.hpp>

#include <string>
#include <vector>

namespace lumora {

struct JpegSource {
    // The metadata segments as the file holds them, whole, in file order; not those that
    // describe the image data (Adobe, the colour profile, multi-picture index), except JFIF,
    // which marks the place the encoder's JFIF takes.
    std::vector<QByteArray> segments;
    // What followed the image data; empty when the file indexed further images there.
    QByteArray trailer;
    // The engine's metadata as read, to tell what was edited since.
    Exiv2::ExifData exif;
    Exiv2::IptcData iptc;
    std::string xmpPacket;
};

}  // namespace lumora
