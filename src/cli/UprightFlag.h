#pragma once

#include <QString>
#include <QStringList>

namespace lumora::cli {

// --auto-orient / --no-auto-orient, taken by every command that reads photos (apply, thumb,
// convert, save, print, album, show) wherever it stands among the arguments; the last one given
// wins, and photos are turned upright unless it is --no-auto-orient. Returns the arguments
// without them. Other commands keep their arguments as given: exif and iptc take free text,
// and none of the others decodes a photo.
QStringList takeUprightFlag(const QString& command, const QStringList& arguments);

}  // namespace lumora::cli
