#pragma once

// Turning a photo upright by its EXIF orientation. Internal to the engine and the loader's
// libvips road.

#include <QSize>

#include <vips/vips8>

namespace lumora {

class UprightTurn {
public:
    // The orientation libvips read from the file's metadata (1 to 8); 1 when there is none, when
    // it is out of range, or when turning photos upright is switched off (UprightPhotos).
    static int orientationToApply(const vips::VImage& opened);

    // Orientations 5 to 8 lie on their side: width and height trade places when turned.
    static bool swapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

    // Every turn except the mirror of orientation 2 reads rows out of order, which an image
    // decoded top to bottom cannot serve: such an image is opened for reading in any order.
    static bool readsOutOfOrder(int orientation) { return orientation >= 3 && orientation <= 8; }

    // A size as it stands once turned.
    static QSize uprightSize(QSize stored, int orientation)
    {
        return swapsSides(orientation) ? stored.transposed() : stored;
    }

    // The image turned and mirrored as its orientation says, so that its first row is the top of
    // the scene and its first column the left; the orientation field is dropped, as the pixels
    // now stand as they should.
    static vips::VImage turn(const vips::VImage& image, int orientation);
};

}  // namespace lumora
