#include "output/PrintedPhoto.h"

#include "engine/Picture.h"
#include "imageio/LoadPic.h"
#include "imageio/clsImageHeaderInfo.h"

#include <QFileInfo>

namespace lumora {
namespace {

QImage toImage(const Picture& picture)
{
    const QImage::Format format = picture.hasAlpha() ? QImage::Format_RGBA8888 : QImage::Format_RGB888;
    const QImage view(reinterpret_cast<const uchar*>(picture.pixels().constData()), picture.width(), picture.height(),
                      picture.width() * picture.bands(), format);
    return view.copy();
}

double statedDpi(const QString& path)
{
    clsImageHeaderInfo header;
    if (!header.ReadGIF_BMP_Header(path))
        header.ReadJPEG_TIFF_PNG_Header(path);
    const double dpi = header.FullDpi();
    return dpi >= 1 ? dpi : 96.0;
}

}  // namespace

PrintedPhoto PrintedPhoto::read(const QString& path, bool grey)
{
    PrintedPhoto photo;
    photo.fileName = QFileInfo(path).fileName();
    const QFileInfo info(path);
    if (!info.isFile()) {
        photo.error = QStringLiteral("cannot read \"%1\": no such file").arg(path);
        return photo;
    }
    const Picture picture = LoadPic(path);
    if (picture.isNull()) {
        photo.error = QStringLiteral("cannot read \"%1\": not a picture Lumora can open").arg(path);
        return photo;
    }
    photo.image = toImage(picture);
    if (grey)
        photo.image = photo.image.convertToFormat(QImage::Format_Grayscale8);
    photo.dpi = statedDpi(path);
    return photo;
}

PrintedPhoto PrintedPhoto::shown(const Picture& picture, const QString& path)
{
    PrintedPhoto photo;
    photo.fileName = QFileInfo(path).fileName();
    if (picture.isNull()) {
        photo.error = QStringLiteral("nothing is previewed");
        return photo;
    }
    photo.image = toImage(picture);
    photo.dpi = statedDpi(path);
    return photo;
}

}  // namespace lumora
