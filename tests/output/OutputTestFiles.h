#pragma once

#include <QString>
#include <QStringList>

namespace lumora::test {

// Photos and metadata for the batch output tests, made and read by the independent tools
// (ImageMagick, exiftool) so that Lumora's reading and writing are checked against others.

// A photo of w x h with a different colour at every pixel, written in the format of the name's
// extension (png by Lumora's test helper; gif, pcx, psd, jpg, tif and the rest by ImageMagick).
// Returns the path.
QString makePhoto(const QString& folder, const QString& name, int width, int height);

// exiftool's value of one tag ("Software", "IPTC:Headline"), printed plainly.
QString exifTag(const QString& path, const QString& tag);
// Writes tags into the file in place ("-Make=Canon", "-IPTC:Headline=Harbour").
void writeExifTags(const QString& path, const QStringList& assignments);

// The files of a folder, sorted by name.
QStringList filesIn(const QString& folder);

}  // namespace lumora::test
