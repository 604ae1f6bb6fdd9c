#pragma once

#include <QString>

namespace lumora {

class frmMain;

// The common end of every acquisition (a screen capture, a scan): a picture file Lumora has just
// written is taken into the main window. It becomes an Image Basket entry (thumbnail, the size
// column "W X H", file size and type, path; a multipage TIFF gives one entry per page, as when
// adding from the folder view), the entry is selected and becomes the previewed photo: the
// preview's engine reads the file, and the photo as read is the copy the edit session goes back
// to when its tasks are undone; the EXIF and IPTC lists are emptied and read again from the file.
class AcquiredPhoto {
public:
    explicit AcquiredPhoto(frmMain& window) : window_(window) {}

    // False, nothing added and one report through ReportError under `routine`, when the file
    // gives no picture.
    bool take(const QString& path, const QString& routine);

private:
    frmMain& window_;
};

}  // namespace lumora
