#pragma once

// IPTC File Info files (.ffo): the IIM datasets of records 1 and 2 as they stand inside an image,
// nothing before or after them. Internal to the engine.

#include "engine/IptcStore.h"

#include <QString>

namespace lumora::iptcfile {

// The datasets of the file; EngineError for a file that cannot be read or is not a well-formed
// run of IIM datasets.
Exiv2::IptcData load(const QString& path);

// Writes the datasets as the engine writes them into images (UTF-8 marker, record version); the
// file appears whole or not at all. EngineError when it cannot be written.
void save(const QString& path, const IptcStore& iptc);

}  // namespace lumora::iptcfile
