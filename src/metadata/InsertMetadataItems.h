#pragma once

#include <QStringList>

namespace lumora::modMetadata {

// The metadata an album page can have inserted, in the album's list order: "EXIF - " and the
// display names of the 11 editable EXIF attributes, then "IPTC - " and 54 IPTC field names
// (custom fields 1 to 20 last).
const QStringList& InsertMetadataItems();

}  // namespace lumora::modMetadata
