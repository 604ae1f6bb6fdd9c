#include "imageio/DevilRoad.h"

#include "imageio/DecoderProcess.h"
#include "imageio/DecoderProtocol.h"
#include "imageio/LoadPic.h"
#include "imageio/PictureRendering.h"
#include "imageio/TemporaryPicturePath.h"

#include <QStringList>

namespace lumora {
namespace {

// Whatever DevIL prints on its standard output is read and dropped, up to this much.
constexpr qint64 kMaxChatter = 1 << 20;

}  // namespace

bool IsDevilExtension(const QString& ext)
{
    static const QStringList extensions{
        QStringLiteral("psp"), QStringLiteral("pic"), QStringLiteral("pix"),  QStringLiteral("pxr"),
        QStringLiteral("raw"), QStringLiteral("dcx"), QStringLiteral("lif"),  QStringLiteral("wal"),
        QStringLiteral("mdl"), QStringLiteral("oil"), QStringLiteral("lmp"),  QStringLiteral("sgi"),
        QStringLiteral("bw"),  QStringLiteral("rgb"), QStringLiteral("rgba"), QStringLiteral("act"),
        QStringLiteral("pal"), QStringLiteral("pbm"), QStringLiteral("pgm"),  QStringLiteral("ppm"),
        QStringLiteral("mng")};
    return extensions.contains(ext);
}

Picture LoadThroughDevil(const QString& path, int mode, int width, int height, std::uint32_t backColor,
                         int& sourceWidth, int& sourceHeight)
{
    const TemporaryPicturePath temporary;
    {
        DecoderProcess helper({QString::fromLatin1(decoder::kDevilCommand), QString::number(MaxLoadPixels), path,
                               temporary.path()});
        QByteArray chatter;
        if (!helper.readRest(chatter, kMaxChatter) || helper.finish() != decoder::Decoded)
            return {};
    }
    return RenderWithGdiPlus(temporary.path(), mode, width, height, backColor, true, sourceWidth, sourceHeight);
}

}  // namespace lumora
