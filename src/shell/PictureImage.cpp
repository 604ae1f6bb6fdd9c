#include "shell/PictureImage.h"

#include "engine/Picture.h"

namespace lumora {

QImage toQImage(const Picture& picture)
{
    if (picture.isNull())
        return {};
    const QImage::Format format = picture.hasAlpha() ? QImage::Format_RGBA8888 : QImage::Format_RGB888;
    const QImage view(reinterpret_cast<const uchar*>(picture.pixels().constData()), picture.width(),
                      picture.height(), picture.width() * picture.bands(), format);
    return view.copy();
}

}  // namespace lumora
