#pragma once

#include <QString>
#include <QStringList>

namespace lumora::test {

// Photos with known metadata for the metadata pane's tests. ImageMagick makes the pictures and
// exiftool puts in the tags and reads back what Lumora wrote, so neither side of a check is
// Lumora's own code.

// A small picture without any metadata; the extension picks the format. Returns the path.
QString makePicture(const QString& path);

// Runs exiftool with the tag assignments ("-Make=Canon", "-Orientation#=6") on the file, in place.
// False (and a test failure) when exiftool refuses.
bool exiftoolWrite(const QString& path, const QStringList& assignments);

// One tag's value as exiftool prints it (-s3), "" when the file has no such tag; `numeric` reads
// the raw number (-n). Lists come joined with ",".
QString exiftoolValue(const QString& path, const QString& tag, bool numeric = false);

}  // namespace lumora::test
