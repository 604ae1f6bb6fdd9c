#pragma once

#include <QString>

namespace lumora {

class ImageBox;
class MetadataList;

namespace modMetadata {

// Fill the metadata pane's lists from the engine's image. The caller clears the list first and
// calls these only for the files the pane reads (ShowsExif, ShowsIptc). Nothing is added when the
// engine holds no image; otherwise the list's tag becomes the file's path.
//
// Failures are reported through ReportError as "modMetadata.ReadFileEXIFInfo" and
// "modMetadata.ReadFileIPTCInfo" (the line is the 1-based attribute or row reached) and end the
// reading; the rows added before stay. False after a failure.

// One row per EXIF attribute, in the engine's order: the display name (or raw name), the readable
// value (dates as "m/d/yyyy h:mm:ss AM/PM", interpreted values, else the raw value); editable
// attributes carry their name as key and the editable icon.
bool ReadFileEXIFInfo(const ImageBox& engine, MetadataList& list, const QString& filePath);

// The 52 listed IPTC fields in their order, every row editable: text as stored, keywords and
// supplemental categories joined with ",", dates as the system's short date ("" when absent).
bool ReadFileIPTCInfo(const ImageBox& engine, MetadataList& list, const QString& filePath);

}  // namespace modMetadata
}  // namespace lumora
