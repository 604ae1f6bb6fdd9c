#pragma once

#include <QStringList>

namespace lumora {

class ImageBox;
class MetadataList;

namespace modMetadata {

// The data side of the EXIF list's add, edit and clear commands.

// The editable attributes the list has no row for yet, in their fixed order: what the add dialog
// offers.
QStringList MissingEditableExif(const MetadataList& list);
// The add dialog's attribute box: the missing attributes, or the single line
// "No editable attribute to add!" when every one is there.
QStringList AddAttributeItems(const MetadataList& list);

// "Clear all": the engine's EXIF is emptied and the list with it; its IPTC is emptied and every
// IPTC row's value with it, the rows staying. Then the photo the list shows (its tag) is written
// back (WriteMetadataBack), when the engine holds an image. Reported through ReportError as
// "modMetadata.ClearAllExif" and "modMetadata.ClearAllIptc"; false after a failure.
bool ClearAllExif(ImageBox& engine, MetadataList& exifList);
bool ClearAllIptc(ImageBox& engine, MetadataList& iptcList);

}  // namespace modMetadata
}  // namespace lumora
