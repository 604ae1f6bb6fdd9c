#pragma once

// The marker segments of a JPEG file ahead of its image data. Internal to the engine.

#include <QByteArray>
#include <QIODevice>

namespace lumora::jpegsegments {

// The JPEG without its APP1 Exif segments; anything that is not a JPEG comes back as it was.
QByteArray withoutExifSegments(const QByteArray& jpeg);

// The Photoshop resource data of the APP13 segments ("Photoshop 3.0"), joined in file order as
// readers join a block split across segments. Reads the segments ahead of the image data only;
// empty without any, or for anything that is not a JPEG.
QByteArray photoshopResources(QIODevice& jpeg);

}  // namespace lumora::jpegsegments
