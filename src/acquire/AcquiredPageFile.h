#pragma once

// Where each page of an acquisition goes, and writing it there: the temporary folder for the
// Image Basket, numbered single-page files, or one multi-page TIFF or PDF that the first page of
// an acquisition starts and the next pages grow. Shared by the acquire window and `lumora-batch
// scan`; no window.

#include "settings/SetupRecord.h"

#include <QString>
#include <QStringList>

namespace lumora {

class ImageBox;
struct ScannedPage;

class AcquiredPageFile {
public:
    // The choices of the two format lists, by their stored positions.
    static const QStringList& singlePageFormats();  // BMP, JPG, TIF, PDF, PSD, GIF
    static const QStringList& multiPageFormats();   // TIF, PDF

    // The file page `n` (from 1) goes to. For the Image Basket it is a new name in `tempFolder`
    // each time: n + "_" + a random number 0..9998 + ".tif".
    static QString pathFor(const SetupRecord::Twain& twain, int n, const QString& tempFolder);

    // Puts the scanned page into the engine as its image; line-art pages are saved as black and
    // white (save colour depth 6), others in true colour.
    static void takeInto(ImageBox& engine, const ScannedPage& page);

    // Writes the engine's image as page `n` to `path` (from pathFor): a new file, or for n > 1 of
    // a multi-page file a page added to it. Black and white pages of a multi-page file are
    // compressed with CCITT Group 4. Throws EngineError when the file cannot be written.
    static void store(ImageBox& engine, const SetupRecord::Twain& twain, int n, const QString& path);
};

}  // namespace lumora
