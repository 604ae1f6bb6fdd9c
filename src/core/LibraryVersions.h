#pragma once

#include <QList>
#include <QString>

namespace lumora {

struct LibraryVersion {
    QString name;
    QString version;
};

// The libraries Lumora runs on, each with the version it reports at run time: Qt, libvips,
// Exiv2, cairo, Pango, libcups, the decoder helper's FreeImage, DevIL and OpenJPEG (asked from
// the helper, which links them; left out when it cannot be started) and SANE when it is loaded.
QList<LibraryVersion> libraryVersions();

}  // namespace lumora
