#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace lumora {
class ImageBox;
}

namespace lumora::cli {

// What an edit of the exif and iptc commands does to one photo, loaded into an engine of its own
// (its tag is the photo's path): true when the photo was written. The first error the metadata
// routines reported is what the photo's line tells; without one, on false, `why` (set by the edit
// for what it found itself) or the LumoraError the edit threw.
using PhotoEdit = std::function<bool(ImageBox& engine, const QString& photo, QString& why)>;

enum class PhotoAccess { Read, Write };

// Runs the edit on every photo in order, the way the metadata pane runs it on the photo it
// previews. A photo that is not a JPEG, TIFF or PSD file (by its extension), that is missing, not
// readable or, for Write, read-only, that the engine cannot load, or that the edit fails on or
// reports a problem with, gets one line "FILE: why" on standard error; the edit leaves such a
// photo as it was (the engine writes files whole or not at all) and the next photo goes on.
// Success when every photo was edited without a word, else Failure.
int editEachPhoto(const QStringList& photos, PhotoAccess access, const PhotoEdit& edit);

}  // namespace lumora::cli
