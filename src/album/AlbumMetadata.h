#pragma once

#include <QString>

namespace lumora {

class ImageBox;

// Reads the metadata of a TIFF, JPEG or PSD file (told by its extension) into the engine; false
// for every other file, whose page gets no metadata rows.
bool fncLoadAlbumMetadata(ImageBox& engine, const QString& path);

// The value of one metadata basket entry ("EXIF - Make", "IPTC - Keywords") for the engine's
// file: an EXIF attribute by its label, an IPTC field by its label (lists joined with ",", dates
// as the system's short date). "" for an entry of neither kind, a label the album does not
// offer, or an IPTC entry of a file without IPTC.
QString fncRetrieveTagValue(const QString& entry, const ImageBox& engine);

}  // namespace lumora
