#include "engine/PngPaletteWriter.h"

#include "engine/VipsBridge.h"

#include <QString>

#include <png.h>

#include <vector>

namespace lumora {

namespace {

struct Writer {
    QByteArray bytes;
    QString error;
};

void appendData(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<Writer*>(png_get_io_ptr(png))->bytes.append(reinterpret_cast<const char*>(data),
                                                            static_cast<qsizetype>(length));
}

void noFlush(png_structp) {}

[[noreturn]] void onError(png_structp png, png_const_charp message)
{
    auto* writer = static_cast<Writer*>(png_get_error_ptr(png));
    writer->error = QString::fromUtf8(message);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// Everything that libpng may jump out of lives here, with no C++ objects that need destroying.
bool writePng(Writer& writer, const IndexedImage& image, int bitDepth, png_color* palette, int entries,
              png_byte* alpha, int alphaEntries, png_bytep* rows)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &writer, onError, onWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_set_write_fn(png, &writer, appendData, noFlush);
    png_set_compression_level(png, 6);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), bitDepth,
                 PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, palette, entries);
    if (alphaEntries > 0)
        png_set_tRNS(png, info, alpha, alphaEntries, nullptr);
    png_write_info(png, info);
    if (bitDepth < 8)
        png_set_packing(png);  // one index per byte in, packed in the file
    png_write_image(png, rows);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

QByteArray PngPaletteWriter::write(const IndexedImage& image)
{
    const int entries = static_cast<int>(image.palette.size());
    int bitDepth = 1;
    while ((1 << bitDepth) < entries)
        bitDepth *= 2;

    std::vector<png_color> palette;
    for (const Rgb c : image.palette)
        palette.push_back(png_color{c.r, c.g, c.b});
    // tRNS lists alpha for the entries up to the transparent one; later entries are opaque.
    std::vector<png_byte> alpha;
    if (image.transparentIndex >= 0) {
        alpha.assign(static_cast<size_t>(image.transparentIndex) + 1, 255);
        alpha.back() = 0;
    }
    std::vector<png_bytep> rows(static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y)
        rows[static_cast<size_t>(y)] = const_cast<png_bytep>(image.row(y));

    Writer writer;
    if (!writePng(writer, image, bitDepth, palette.data(), entries, alpha.data(), static_cast<int>(alpha.size()),
                  rows.data()))
        vipsbridge::fail("SaveToFile", QStringLiteral("the PNG writer failed: %1").arg(writer.error));
    return writer.bytes;
}

}  // namespace lumora
