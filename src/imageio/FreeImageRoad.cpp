#include "imageio/FreeImageRoad.h"

#include "core/LumoraError.h"
#include "imageio/DecoderProcess.h"
#include "imageio/DecoderProtocol.h"
#include "imageio/LoadPic.h"
#include "imageio/LoadPicErrorRules.h"

#include <QFile>

#include <FreeImage.h>

#include <mutex>

namespace lumora {
namespace {

// FreeImage keeps global state (its plugin table, the message handler, plugins' lazy tables)
// that was never made safe for threads; every call goes through this lock. Detection reads a
// few bytes, so loads running side by side hardly wait for each other.
std::mutex& freeImageLock()
{
    static std::mutex lock;
    return lock;
}

void quiet(FREE_IMAGE_FORMAT, const char*) {}

// FreeImage initialises itself when its shared library loads; only its messages (printed on
// standard error for every unrecognised file) are turned off here.
void silenceFreeImage()
{
    static std::once_flag once;
    std::call_once(once, [] { FreeImage_SetOutputMessage(quiet); });
}

}  // namespace

int FreeImageFileType(const QString& path)
{
    silenceFreeImage();
    const QByteArray name = QFile::encodeName(path);
    const std::lock_guard lock(freeImageLock());
    return FreeImage_GetFileType(name.constData(), 0);
}

bool IsCommonPictureType(int freeImageType)
{
    switch (freeImageType) {
    case FIF_BMP:
    case FIF_ICO:
    case FIF_JPEG:
    case FIF_PNG:
    case FIF_GIF:
    case FIF_TIFF:
        return true;
    default:
        return false;
    }
}

Picture LoadThroughFreeImage(const QString& path, int format)
{
    silenceFreeImage();
    {
        const std::lock_guard lock(freeImageLock());
        if (format == FIF_UNKNOWN)
            format = FreeImage_GetFIFFromFilename(QFile::encodeName(path).constData());
        if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(static_cast<FREE_IMAGE_FORMAT>(format)))
            throw LumoraError(InvalidPictureError, InvalidPictureText());
    }
    DecoderProcess helper({QString::fromLatin1(decoder::kFreeImageCommand), QString::number(MaxLoadPixels),
                           QString::number(format), path});
    Picture picture = helper.receivePicture().picture;
    if (picture.isNull())
        throw LumoraError(InvalidPictureError, InvalidPictureText());
    return picture;
}

}  // namespace lumora
