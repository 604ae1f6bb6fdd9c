#include "imageio/Jpeg2000Road.h"

#include "core/LumoraError.h"
#include "imageio/DecoderProcess.h"
#include "imageio/DecoderProtocol.h"
#include "imageio/LoadPic.h"
#include "imageio/LoadPicErrorRules.h"
#include "imageio/ReducedPicture.h"

namespace lumora {

bool IsJpeg2000Extension(const QString& ext)
{
    return ext == QLatin1String("jp2") || ext == QLatin1String("j2k") || ext == QLatin1String("jpc");
}

Picture LoadJpeg2000(const QString& path, const QString& ext, int mode, int width, int height,
                     std::uint32_t backColor)
{
    const bool box = mode != NaturalSize && width > 0 && height > 0;
    DecoderProcess helper({QString::fromLatin1(decoder::kJpeg2000Command), QString::number(MaxLoadPixels),
                           ext == QLatin1String("jp2") ? QStringLiteral("jp2") : QStringLiteral("j2k"), path,
                           QString::number(box ? width : 0), QString::number(box ? height : 0)});
    const DecodedPicture decoded = helper.receivePicture();
    if (decoded.picture.isNull())
        throw LumoraError(InvalidPictureError, InvalidPictureText());
    return PlaceReducedPicture(decoded.picture, decoded.fullWidth, decoded.fullHeight, mode, width, height,
                               backColor);
}

}  // namespace lumora
