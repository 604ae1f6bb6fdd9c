#pragma once

#include <QString>

namespace lumora {

class ImageBox;
class MetadataList;

namespace modMetadata {

// IPTC File Info files (.ffo): the raw IPTC of one photo, to be put on others.

// The name a .ffo file is saved under: the path with ".ffo" appended unless its last four
// characters, lower-cased, are ".ffo".
QString iptcExchangeFileName(const QString& path);

// Saves the engine's IPTC to iptcExchangeFileName(path). Reported through ReportError as
// "modMetadata.fncSaveIPTC"; false after a failure.
bool fncSaveIPTC(ImageBox& engine, const QString& path);

// Whether opening a .ffo file asks OpenIptcQuestion first: when the list shows rows and the
// photo has IPTC that would be replaced.
bool OpenIptcAsks(const MetadataList& list, const ImageBox& engine);

// Replaces the engine's IPTC by the file's. When the engine then has IPTC and the photo the list
// shows is a psd, jpg, jpe, jpeg, tif or tiff file, the photo is written back (WriteMetadataBack)
// and the list read again. Reported as "modMetadata.fncOpenIPTC"; false after a failure.
bool fncOpenIPTC(const QString& ffoPath, MetadataList& list, ImageBox& engine);

}  // namespace modMetadata
}  // namespace lumora
