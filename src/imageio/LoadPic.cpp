#include "imageio/LoadPic.h"

#include "imageio/DevilRoad.h"
#include "imageio/FreeImageRoad.h"
#include "imageio/HeifJxlRoad.h"
#include "imageio/Jpeg2000Road.h"
#include "imageio/LoadPicErrorRules.h"
#include "imageio/MetafileRoad.h"
#include "imageio/PictureRendering.h"

#include <QFileInfo>
#include <QStringList>

#include <vector>

namespace lumora {
namespace {

thread_local std::vector<LoadRoad> roadsTried;

// The lower-cased text after the last "." of the path (the whole path when it has none).
QString extensionOf(const QString& path) { return path.mid(path.lastIndexOf(u'.') + 1).toLower(); }

// The extensions that the screen renderer (libvips here) is tried on first, when FreeImage has
// recognised the content.
bool isScreenRoadExtension(const QString& ext)
{
    static const QStringList extensions{QStringLiteral("tiff"), QStringLiteral("tif"), QStringLiteral("gif"),
                                        QStringLiteral("jpeg"), QStringLiteral("jpg"), QStringLiteral("jpe"),
                                        QStringLiteral("png"),  QStringLiteral("bmp")};
    return extensions.contains(ext);
}

}  // namespace

std::vector<LoadRoad> LastLoadPicRoads() { return roadsTried; }

Picture LoadPic(const QString& path, int mode, int width, int height, std::uint32_t& backColor, int& sourceWidth,
                int& sourceHeight)
{
    roadsTried.clear();
    Picture result;
    LoadPicErrorRules rules(result);
    QString ext;
    bool regularFile = false;
    if (!rules.run(ExtensionLine, [&] {
            ext = extensionOf(path);
            // Folders, devices and pipes hold no picture, and reading a pipe could wait forever.
            regularFile = QFileInfo(path).isFile();
        }))
        return {};
    if (!regularFile)
        return {};

    int type = -1;
    if (!rules.run(DetectionLine, [&] { type = FreeImageFileType(path); }))
        return {};

    bool metafile = false;
    if (type < 0) {
        if (IsHeifOrJxlPhoto(path)) {
            rules.run(ScreenRoadLine, [&] {
                roadsTried.push_back(LoadRoad::LibVips);
                result = LoadHeifOrJxl(path, mode, width, height, backColor, sourceWidth, sourceHeight);
            });
            return result;
        }
        if (IsDevilExtension(ext)) {
            rules.run(DevilLine, [&] {
                roadsTried.push_back(LoadRoad::Devil);
                result = LoadThroughDevil(path, mode, width, height, backColor, sourceWidth, sourceHeight);
            });
            return result;
        }
        if (IsJpeg2000Extension(ext)) {
            rules.run(Jpeg2000Line, [&] {
                roadsTried.push_back(LoadRoad::Jpeg2000);
                result = LoadJpeg2000(path, ext, mode, width, height, backColor);
            });
            return result;
        }
        if (!IsMetafileExtension(ext))
            return {};
        metafile = true;
    }

    // The screen renderer first: metafiles through their converters, common formats through
    // libvips.
    if (!rules.run(ScreenRoadLine, [&] {
            if (metafile) {
                roadsTried.push_back(LoadRoad::Metafile);
                result = LoadMetafile(path, ext, mode, width, height, backColor, sourceWidth, sourceHeight);
            } else if (isScreenRoadExtension(ext) && IsCommonPictureType(type)) {
                roadsTried.push_back(LoadRoad::LibVips);
                result = RenderWithGdiPlus(path, mode, width, height, backColor, true, sourceWidth, sourceHeight);
            }
        }))
        return {};
    if (!result.isNull())
        return result;

    // Otherwise, or when that failed, FreeImage.
    Picture loaded;
    if (!rules.run(FreeImageLine, [&] {
            roadsTried.push_back(LoadRoad::FreeImage);
            loaded = LoadThroughFreeImage(path, type);
        }))
        return {};
    if (mode == NaturalSize) {
        result = loaded;
    } else if (!loaded.isNull()) {
        rules.run(ResizeLine, [&] { result = ResizePicture(loaded, mode, width, height, backColor); });
    }
    return result;
}

Picture LoadPic(const QString& path, int mode, int width, int height, std::uint32_t backColor)
{
    int sourceWidth = 0;
    int sourceHeight = 0;
    return LoadPic(path, mode, width, height, backColor, sourceWidth, sourceHeight);
}

}  // namespace lumora
