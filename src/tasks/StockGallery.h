#pragma once

#include "tasks/Gallery.h"

#include <QHash>
#include <QString>

#include <mutex>

namespace lumora {

// The gallery built into Lumora (resources/gallery, compiled in as Qt resources). Pictures are
// decoded on first use and kept; any thread may ask.
class StockGallery : public Gallery {
public:
    static const StockGallery& instance();

    Picture piece(int style, FramePiece piece) const override;
    Picture ornament(Ornament ornament) const override;
    Picture mask(int number) const override;

    // Resource path of a picture, e.g. ":/gallery/frames/style04/top_left.png".
    static QString piecePath(int style, FramePiece piece);
    static QString ornamentPath(Ornament ornament);
    static QString maskPath(int number);

private:
    Picture load(const QString& path) const;

    mutable std::mutex mutex_;
    mutable QHash<QString, Picture> cache_;
};

}  // namespace lumora
