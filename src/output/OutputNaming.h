#pragma once

#include "settings/SetupRecord.h"

#include <QString>

#include <optional>

namespace lumora {

class ImageBox;

// The names of a batch's output files, from the naming settings.
//
// For the entry at basket position `position` (1-based), written into `folder` (ending in "/")
// with `extension`:
// - mode 0 (retain the original file name): folder + entry text + "." + extension;
// - mode 1 (hybrid): folder + prefix value + separator 1 + entry text + separator 2 + suffix
//   value + "." + extension, the values read from the engine as it holds the photo now
//   (fncRetrieveNamingString) and the separators by separatorText;
// - mode 2 (generic): folder + generic name + counter + "." + extension (genericCounter).
// Any other mode names the file as mode 0 does. The values and separators lose the characters a
// file name cannot hold (withoutRefusedNameCharacters); the entry text is kept as it is, being a
// file's name already.
//
// Throws LumoraError 13 or 6 for a counter start that is not a whole number or overflows, and
// what the engine throws while a value is read.
QString fncOutputFilePath(const SetupRecord::Naming& naming, const ImageBox& engine, const QString& folder,
                          const QString& entryText, const QString& sourcePath, int position,
                          const QString& extension);

// The name fncOutputFilePath will give, where it can be told before the photo is read: always in
// modes 0 and 2, and in mode 1 when the prefix and suffix are "[No Prefix]" or typed text.
// Nothing when a value of the photo or the clock goes into the name.
std::optional<QString> predictedOutputFilePath(const SetupRecord::Naming& naming, const QString& folder,
                                               const QString& entryText, int position,
                                               const QString& extension);

// Where an entry's output goes: the settings' folder, trimmed and ending in "/", for destination
// choice 1 (an empty folder stays empty: the working folder, never the root); otherwise the
// folder of the file the entry reads, with its "/" ("" for a bare file name).
QString outputFolder(const SetupRecord::Naming& naming, const QString& sourcePath);

// The extension of every file the batch writes.
inline const QString kBatchOutputExtension = QStringLiteral("jpg");

// The counter of generic naming at that basket position: the position itself for
// "[Starting 1]", position + 1000 for "[Starting 1001]", else the typed start + position - 1.
// Entries the batch skips still use up their number, so a name always tells the entry's place.
qint64 genericCounter(const QString& counterStart, int position);

}  // namespace lumora
