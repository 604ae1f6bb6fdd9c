#pragma once

#include <QImage>
#include <QString>

namespace lumora {

class Picture;

// A photo made ready for a printed page: its pixels (grey already when the options ask for it),
// the resolution its file states (the actual-size print uses it) and the name printed under it.
// Reading one touches no window, so it can run on a worker thread.
struct PrintedPhoto {
    QImage image;
    double dpi = 96;  // when the file states none
    QString fileName;
    QString error;  // why the photo could not be read; image is then null

    static PrintedPhoto read(const QString& path, bool grey);
    // The picture a preview shows (the photo of `path`, perhaps with tasks applied), with the
    // file's name and stated resolution.
    static PrintedPhoto shown(const Picture& picture, const QString& path);
};

}  // namespace lumora
