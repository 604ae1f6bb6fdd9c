#include "FreeImageDecoder.h"

#include "GuardedFileIO.h"
#include "HeaderPixelCount.h"
#include "HelperOutput.h"
#include "Jpeg2000Header.h"
#include "core/PixelLimit.h"
#include "imageio/DecoderProtocol.h"

#include <FreeImage.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace lumora::decoder {
namespace {

void quiet(FREE_IMAGE_FORMAT, const char*) {}

struct Unloader {
    void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using Bitmap = std::unique_ptr<FIBITMAP, Unloader>;

long long pixelCount(FIBITMAP* bitmap)
{
    return static_cast<long long>(FreeImage_GetWidth(bitmap)) * FreeImage_GetHeight(bitmap);
}

// The size a file's header promises, for the formats FreeImage cannot load header-only; nothing
// for the others (KOALA has a fixed size; the rest decode into at most one bit or byte a pixel,
// and the address-space limit of the helper bounds them).
std::optional<long long> peekPixelCount(FREE_IMAGE_FORMAT format, const char* input)
{
    if (format == FIF_J2K || format == FIF_JP2) {
        const std::optional<Jpeg2000Size> size = readJpeg2000Size(input, format == FIF_JP2);
        if (!size || size->tiles > kMaxJpeg2000Tiles)
            return std::nullopt;
        return size->width * size->height;
    }
    if (format != FIF_GIF && format != FIF_SGI && format != FIF_DDS)
        return std::nullopt;
    // A GIF's first frame follows its colour table and extension blocks; they rarely take more.
    std::vector<unsigned char> head(1 << 16);
    std::FILE* file = std::fopen(input, "rb");
    if (!file)
        return std::nullopt;
    head.resize(std::fread(head.data(), 1, head.size(), file));
    std::fclose(file);
    const long long count = format == FIF_GIF   ? gifPixelCount(head.data(), head.size())
                            : format == FIF_SGI ? sgiPixelCount(head.data(), head.size())
                                                : ddsPixelCount(head.data(), head.size());
    if (count < 0)
        return std::nullopt;
    return count;
}

// The header is read first wherever FreeImage can do so: a damaged file that claims a huge
// size is refused without allocating its pixels.
int checkSize(FREE_IMAGE_FORMAT format, const char* input, GuardedFileIO& file, long long maxPixels)
{
    if (FreeImage_FIFSupportsNoPixels(format)) {
        const Bitmap header(FreeImage_LoadFromHandle(format, file.io(), file.handle(), FIF_LOAD_NOPIXELS));
        if (!header)
            return Unreadable;
        struct stat info {};
        const bool holdsThem = ::stat(input, &info) == 0 && FileCanHoldRaster(FreeImage_GetWidth(header.get()),
                                                                                FreeImage_GetHeight(header.get()),
                                                                                info.st_size);
        return pixelCount(header.get()) > maxPixels || !holdsThem ? TooLarge : Decoded;
    }
    if (format == FIF_J2K || format == FIF_JP2 || format == FIF_GIF || format == FIF_SGI || format == FIF_DDS) {
        const std::optional<long long> count = peekPixelCount(format, input);
        if (!count)
            return Unreadable;
        return *count > maxPixels ? TooLarge : Decoded;
    }
    return Decoded;
}

// The colour depth prepared for display as the loader always has: 1-bit images become 24-bit,
// 4-bit images 8-bit; every other depth stays.
Bitmap prepareDepth(Bitmap bitmap)
{
    if (FreeImage_GetImageType(bitmap.get()) != FIT_BITMAP)
        return bitmap;
    if (FreeImage_GetBPP(bitmap.get()) == 1)
        return Bitmap(FreeImage_ConvertTo24Bits(bitmap.get()));
    if (FreeImage_GetBPP(bitmap.get()) == 4)
        return Bitmap(FreeImage_ConvertTo8Bits(bitmap.get()));
    return bitmap;
}

// 16-bit grey in 8 bits as the engine makes it of the files it reads itself: the high byte of
// each sample (FreeImage's own conversion would stretch the darkest to black, the lightest to
// white).
Bitmap greyInEightBits(FIBITMAP* grey)
{
    const unsigned width = FreeImage_GetWidth(grey);
    const unsigned height = FreeImage_GetHeight(grey);
    Bitmap out(FreeImage_Allocate(static_cast<int>(width), static_cast<int>(height), 8));
    if (!out)
        return out;
    RGBQUAD* palette = FreeImage_GetPalette(out.get());
    for (unsigned i = 0; i < 256; ++i)
        palette[i].rgbRed = palette[i].rgbGreen = palette[i].rgbBlue = static_cast<BYTE>(i);
    for (unsigned y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const std::uint16_t*>(FreeImage_GetScanLine(grey, static_cast<int>(y)));
        BYTE* line = FreeImage_GetScanLine(out.get(), static_cast<int>(y));
        for (unsigned x = 0; x < width; ++x)
            line[x] = static_cast<BYTE>(in[x] >> 8);
    }
    return out;
}

// High-range images (16-bit grey or colour, floating point, HDR) brought to 8 bits a sample.
Bitmap toStandardType(Bitmap bitmap)
{
    switch (FreeImage_GetImageType(bitmap.get())) {
    case FIT_BITMAP:
    case FIT_RGB16:
    case FIT_RGBA16:
        return bitmap;  // ConvertTo24Bits/ConvertTo32Bits take these, keeping the high bytes
    case FIT_UINT16:
        return greyInEightBits(bitmap.get());
    case FIT_RGBF:
    case FIT_RGBAF:
        return Bitmap(FreeImage_ToneMapping(bitmap.get(), FITMO_DRAGO03, 0, 0));
    default:
        return Bitmap(FreeImage_ConvertToStandardType(bitmap.get(), TRUE));
    }
}

bool writeBitmap(FIBITMAP* bitmap, unsigned bands)
{
    const unsigned width = FreeImage_GetWidth(bitmap);
    const unsigned height = FreeImage_GetHeight(bitmap);
    if (!writePictureHeader(width, height, bands))
        return false;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * bands);
    // FreeImage keeps the bottom row first, in the byte order of the platform's DIBs.
    for (unsigned y = 0; y < height; ++y) {
        const BYTE* line = FreeImage_GetScanLine(bitmap, static_cast<int>(height - 1 - y));
        std::uint8_t* out = row.data();
        for (unsigned x = 0; x < width; ++x, line += bands, out += bands) {
            out[0] = line[FI_RGBA_RED];
            out[1] = line[FI_RGBA_GREEN];
            out[2] = line[FI_RGBA_BLUE];
            if (bands == 4)
                out[3] = line[FI_RGBA_ALPHA];
        }
        if (!writeOutput(row.data(), row.size()))
            return false;
    }
    return true;
}

}  // namespace

int decodeWithFreeImage(int format, const char* input, long long maxPixels)
{
    FreeImage_SetOutputMessage(quiet);
    if (format < 0 || format >= FreeImage_GetFIFCount())
        return BadArguments;
    const auto fif = static_cast<FREE_IMAGE_FORMAT>(format);
    if (!FreeImage_FIFSupportsReading(fif))
        return Unreadable;
    GuardedFileIO file(input);
    if (!file.isOpen())
        return Unreadable;
    if (const int sized = checkSize(fif, input, file, maxPixels); sized != Decoded)
        return sized;

    Bitmap bitmap(FreeImage_LoadFromHandle(fif, file.io(), file.handle(), 0));
    if (!bitmap || FreeImage_GetWidth(bitmap.get()) == 0 || FreeImage_GetHeight(bitmap.get()) == 0)
        return Unreadable;
    if (pixelCount(bitmap.get()) > maxPixels)
        return TooLarge;
    bitmap = prepareDepth(std::move(bitmap));
    if (bitmap)
        bitmap = toStandardType(std::move(bitmap));
    if (!bitmap)
        return Unreadable;
    const bool alpha = FreeImage_IsTransparent(bitmap.get());
    const Bitmap display(alpha ? FreeImage_ConvertTo32Bits(bitmap.get()) : FreeImage_ConvertTo24Bits(bitmap.get()));
    if (!display)
        return Unreadable;
    return writeBitmap(display.get(), alpha ? 4 : 3) ? Decoded : Unreadable;
}

}  // namespace lumora::decoder
