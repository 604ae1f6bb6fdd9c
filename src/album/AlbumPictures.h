#pragma once

#include "settings/SetupRecord.h"
#include "tasks/TaskRecord.h"

#include <QList>
#include <QString>

namespace lumora {

class Gallery;
class ImageBox;

// Makes one entry's two pictures on the engine: reads the photo (the engine's own formats, else
// the universal loader), applies the Task Basket when the album asks for it, writes
// `pictureFolder`/name.jpg with the album's JPEG options and EXIF Software "Lumora", then
// name_thumb.jpg resampled to exactly the thumbnail size. Fills width and height with the
// picture's size and returns "name_thumb.jpg".
//
// A photo that cannot be read or written is reported under "Album.fncGenerateJPGsForAlbum" and
// gives "", with width and height left as they were. Never throws.
QString fncGenerateJPGsForAlbum(ImageBox& engine, const SetupRecord::Album& settings, const QList<TaskRecord>& tasks,
                                const Gallery* gallery, const QString& path, const QString& pictureFolder,
                                const QString& name, int& width, int& height);

}  // namespace lumora
