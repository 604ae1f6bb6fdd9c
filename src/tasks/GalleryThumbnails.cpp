#include "tasks/GalleryThumbnails.h"

#include "engine/ImageBox.h"
#include "shell/PictureImage.h"
#include "tasks/FrameComposer.h"
#include "tasks/Gallery.h"
#include "tasks/StockGallery.h"


#include <array>
#include <exception>

namespace lumora {
namespace {

// Frame pieces are up to ~90 pixels wide, so the sample is drawn large enough to hold them
// and only then shrunk to the thumbnail.
constexpr int SampleWidth = 200;
constexpr int SampleHeight = 150;

// A soft sky-to-meadow gradient that frames and shadows stand out against.
Picture samplePicture()
{
    Picture picture(SampleWidth, SampleHeight, 3, QByteArray(SampleWidth * SampleHeight * 3, '\0'));
    for (int y = 0; y < SampleHeight; ++y) {
        const double t = double(y) / (SampleHeight - 1);
        const Rgb colour{static_cast<std::uint8_t>(150 + 40 * t), static_cast<std::uint8_t>(190 + 20 * t),
                         static_cast<std::uint8_t>(230 - 120 * t)};
        for (int x = 0; x < SampleWidth; ++x)
            picture.setPixel(x, y, colour);
    }
    return picture;
}

QImage fitted(const QImage& image)
{
    if (image.isNull())
        return image;
    return image.scaled(GalleryThumbnailWidth, GalleryThumbnailHeight, Qt::KeepAspectRatio,
                        Qt::SmoothTransformation);
}

QImage placeholder()
{
    QImage image(GalleryThumbnailWidth, GalleryThumbnailHeight, QImage::Format_RGB888);
    image.fill(QColor(192, 192, 192));
    return image;
}

QImage renderFrame(int style)
{
    try {
        ImageBox engine;
        engine.SetBitmapHandle(samplePicture());
        engine.SetBackColor(OleColor::fromRgb(255, 255, 255));
        engine.SetOverlayUseTransparentColor(false);
        engine.SetOverlayTransparency(0);
        // Shadows are drawn outside the picture, frames over its border: as the tasks draw them.
        const bool shadow = style >= Gallery::FrameStyleCount;
        ComposeFrame(engine, style, shadow ? 1 : 0, style == 4, StockGallery::instance());
        return fitted(toQImage(engine.Picture()));
    } catch (const std::exception&) {
        return placeholder();
    }
}

}  // namespace

QImage frameThumbnail(int style)
{
    static std::array<QImage, Gallery::StyleCount> cache;
    if (style < 0 || style >= Gallery::StyleCount)
        return placeholder();
    QImage& image = cache[static_cast<size_t>(style)];
    if (image.isNull())
        image = renderFrame(style);
    return image;
}

QImage maskThumbnail(int number)
{
    static std::array<QImage, Gallery::MaskCount> cache;
    if (number < 0 || number >= Gallery::MaskCount)
        return placeholder();
    QImage& image = cache[static_cast<size_t>(number)];
    if (image.isNull()) {
        try {
            image = fitted(toQImage(StockGallery::instance().mask(number)));
        } catch (const std::exception&) {
            image = placeholder();
        }
        if (image.isNull())
            image = placeholder();
    }
    return image;
}

}  // namespace lumora
