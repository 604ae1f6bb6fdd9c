#include "engine/PictureFileOpening.h"

#include "core/PixelLimit.h"
#include "core/RegularFile.h"
#include "engine/PngChunkCheck.h"
#include "engine/UprightTurn.h"
#include "engine/VipsBridge.h"
#include "engine/VipsRuntime.h"

#include <QDir>
#include <QFileInfo>

#include <string_view>

namespace lumora {
namespace {

using vips::VImage;
using vipsbridge::fail;
using vipsbridge::guarded;

// The raster loaders behind the engine's formats (BMP, PCX and PSD come through ImageMagick).
bool isRasterLoader(std::string_view loader)
{
    for (const std::string_view raster :
         {"VipsForeignLoadJpeg", "VipsForeignLoadPng", "VipsForeignLoadNsgif", "VipsForeignLoadGif",
          "VipsForeignLoadTiff", "VipsForeignLoadMagick", "VipsForeignLoadHeif", "VipsForeignLoadJxl"}) {
        if (loader.substr(0, raster.size()) == raster)
            return true;
    }
    return false;
}

}  // namespace

VImage PictureFileOpening::open(const QString& path, const char* operation, int tiffPage, bool refuseCut,
                                bool anyOrder, int jpegShrink)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (const QString special = NotRegularFileText(path); !special.isEmpty())
        fail(operation, special);
    // The HEIF and JPEG XL readers are opened when first needed.
    if (!ensureVipsCodecFor(path))
        fail(operation, QStringLiteral("\"%1\" needs the image library's module %2, which is not installed")
                            .arg(shown, vipsCodecModuleName(path)));
    const QByteArray name = QFile::encodeName(path);
    const char* loader = vips_foreign_find_load(name.constData());
    if (!loader)
        vips_error_clear();
    if (!loader || !isRasterLoader(loader) || !PngChunksFitTheFile(path))
        fail(operation, QStringLiteral("\"%1\" is not a picture Lumora can read").arg(shown));
    const auto openAt = [&](int shrink) {
        return guarded(operation, [&] {
            auto* options = VImage::option()->set("access", anyOrder ? VIPS_ACCESS_RANDOM : VIPS_ACCESS_SEQUENTIAL);
            if (refuseCut)
                options->set("fail_on", VIPS_FAIL_ON_TRUNCATED);
            if (std::string_view(loader).substr(0, 19) == "VipsForeignLoadTiff")
                options->set("page", tiffPage);
            if (shrink > 1)
                options->set("shrink", shrink);
            return VImage::new_from_file(name.constData(), options);
        });
    };
    VImage header = openAt(1);
    const qint64 width = header.width();
    const qint64 height = header.height();
    if (width * height > MaxPicturePixels)
        fail(operation, QStringLiteral("\"%1\" is too large: %2 x %3 pixels, more than %4 megapixels")
                            .arg(shown)
                            .arg(width)
                            .arg(height)
                            .arg(MaxPicturePixels / 1'000'000));
    if (!FileCanHoldRaster(width, height, QFileInfo(path).size()))
        fail(operation, QStringLiteral("\"%1\" is damaged: its header claims %2 x %3 pixels, more than the file holds")
                            .arg(shown)
                            .arg(width)
                            .arg(height));
    if (jpegShrink > 1 && std::string_view(loader).substr(0, 19) == "VipsForeignLoadJpeg")
        return openAt(jpegShrink);
    return header;
}

VImage PictureFileOpening::openUpright(const QString& path, const char* operation, int tiffPage, bool refuseCut,
                                       bool* turned, int jpegShrink)
{
    VImage opened = open(path, operation, tiffPage, refuseCut, false, jpegShrink);
    const int orientation = UprightTurn::orientationToApply(opened);
    if (turned)
        *turned = orientation != 1;
    if (orientation == 1)
        return opened;
    // A turn reads the stored rows in another order than top to bottom.
    if (UprightTurn::readsOutOfOrder(orientation))
        opened = open(path, operation, tiffPage, refuseCut, true, jpegShrink);
    return guarded(operation, [&] { return UprightTurn::turn(opened, orientation); });
}

}  // namespace lumora
