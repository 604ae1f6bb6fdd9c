#pragma once

#include <QString>
#include <QVariant>

namespace lumora {

class ImageBox;
class MetadataList;

namespace modMetadata {

// Edits of one attribute or field, stored in the engine and written back to the photo.

// Stores the engine's metadata into the photo by its lower-case extension: jpeg, jpg, jpe, tiff,
// tif and psd get their metadata replaced in place (the image data stays byte for byte), any
// other file is left alone (its edits live in the engine only).
void WriteMetadataBack(ImageBox& engine, const QString& filePath);

// Sets one IPTC field (by its exact label) or one EXIF attribute and writes the photo back.
// IPTC: text fields take the value as text, date fields a date (DateOfValue; empty is no date);
// keywords, supplemental categories and unknown labels change nothing but the photo is still
// written back. EXIF: a date attribute takes a date, stored as EXIF date text; false, with nothing
// written, when the engine refuses the attribute or value; otherwise Software becomes "Lumora".
// Failures are reported through ReportError as "modMetadata.fncUpdateAttribute" and give false.
bool fncUpdateAttribute(const QString& filePath, bool isIPTC, const QString& name, const QVariant& value,
                        ImageBox& engine);

// Empties the keywords ("Keywords") or supplemental categories ("Supplemental Categories") and
// writes the photo back; false and nothing done for any other label. Reported as
// "modMetadata.fncDeleteIPTC_Keywords_suppCat".
bool fncDeleteIPTC_Keywords_suppCat(const QString& filePath, const QString& label, ImageBox& engine);

// Deletes an EXIF attribute from the photo the list shows (loaded into the engine first when it
// holds no image), sets Software to "Lumora", writes the photo back (WriteMetadataBack), and
// removes the attribute's row: `selectedRow` when that row stands for the attribute, else the
// first row that does. False when the photo has no such attribute. Reported as
// "modMetadata.fncDeleteAttribute".
bool fncDeleteAttribute(const QString& name, MetadataList& list, ImageBox& engine, int selectedRow = -1);

}  // namespace modMetadata
}  // namespace lumora
