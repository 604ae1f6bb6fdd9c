#pragma once

#include <QString>

namespace lumora {

class ImageBox;
class MetadataList;

namespace modMetadata {

// Carrying the editable EXIF attributes of one photo to others through .xiff files (clsFileEXIF).

enum class ExifSaveResult {
    Saved,
    NothingToSave,  // no editable attribute: no file is left; tell NoEditableExifToSaveMessage
    Failed,         // reported
};

// Writes every row with a key (an editable attribute) as its raw name and the value text the row
// shows, to exifExchangeFileName(path). Without such a row the file is deleted. Failures are
// reported through ReportError as "modMetadata.fncSaveEXIF".
ExifSaveResult SaveExifRows(const MetadataList& list, const QString& path);

// Whether opening a .xiff file asks OpenExifQuestion first: when the list shows attributes.
bool OpenExifAsks(const MetadataList& list);

// Applies every record of the file to the photo the list shows, as an edit of that attribute
// (fncUpdateAttribute, which writes the photo back each time). A record the engine refuses is
// skipped. An applied record updates the row whose key is its name in any letter case, or adds a
// row at the end (display name, key and tag the name, editable icon, the record's value text).
// Failures are reported through ReportError as "modMetadata.fncOpenEXIF" and end the reading;
// records applied before stay applied. False after a failure.
bool fncOpenEXIF(const QString& xiffPath, MetadataList& list, ImageBox& engine);

// Sets every record of the file on the engine, without writing anything to disk (the batch and
// album runs save the photo themselves): dates written as Lumora shows them become EXIF date text,
// attributes the engine refuses are passed over, and Software becomes "Lumora" at the end.
// Reported as "modMetadata.subLoadEXIFFile"; false after a failure.
bool subLoadEXIFFile(const QString& xiffPath, ImageBox& engine);

}  // namespace modMetadata
}  // namespace lumora
