#include "engine/TiffWriter.h"

#include "engine/VipsBridge.h"

#include <QString>

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

namespace lumora {

namespace {

// The file in memory that libtiff writes to (and reads back from while it updates directories).
struct MemoryFile {
    QByteArray bytes;
    qint64 position = 0;
    QString error;
};

tmsize_t readProc(thandle_t handle, void* buffer, tmsize_t size)
{
    auto* file = static_cast<MemoryFile*>(handle);
    const qint64 available = std::max<qint64>(0, file->bytes.size() - file->position);
    const qint64 n = std::min<qint64>(size, available);
    if (n > 0)
        std::memcpy(buffer, file->bytes.constData() + file->position, static_cast<size_t>(n));
    file->position += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t writeProc(thandle_t handle, void* buffer, tmsize_t size)
{
    auto* file = static_cast<MemoryFile*>(handle);
    const qint64 end = file->position + size;
    if (end > file->bytes.size())
        file->bytes.resize(static_cast<qsizetype>(end));
    std::memcpy(file->bytes.data() + file->position, buffer, static_cast<size_t>(size));
    file->position = end;
    return size;
}

toff_t seekProc(thandle_t handle, toff_t offset, int whence)
{
    auto* file = static_cast<MemoryFile*>(handle);
    qint64 base = 0;
    if (whence == SEEK_CUR)
        base = file->position;
    else if (whence == SEEK_END)
        base = file->bytes.size();
    file->position = base + static_cast<qint64>(offset);
    return static_cast<toff_t>(file->position);
}

int closeProc(thandle_t) { return 0; }
toff_t sizeProc(thandle_t handle) { return static_cast<toff_t>(static_cast<MemoryFile*>(handle)->bytes.size()); }
int mapProc(thandle_t, void**, toff_t*) { return 0; }
void unmapProc(thandle_t, void*, toff_t) {}

int keepError(TIFF*, void* user, const char* module, const char* format, va_list args)
{
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    auto* file = static_cast<MemoryFile*>(user);
    if (file->error.isEmpty())
        file->error = QString::fromUtf8(module ? module : "libtiff") + QStringLiteral(": ") + QString::fromUtf8(text);
    return 1;
}

int dropWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

[[noreturn]] void failWith(const MemoryFile& file)
{
    vipsbridge::fail("SaveToFile", file.error.isEmpty() ? QStringLiteral("the TIFF writer failed") : file.error);
}

struct TiffCloser {
    void operator()(TIFF* tif) const { TIFFClose(tif); }
};
struct OptionsFree {
    void operator()(TIFFOpenOptions* o) const { TIFFOpenOptionsFree(o); }
};

std::uint16_t codeOf(TiffWriter::Compression compression)
{
    switch (compression) {
    case TiffWriter::Compression::PackBits:
        return COMPRESSION_PACKBITS;
    case TiffWriter::Compression::Group4:
        return COMPRESSION_CCITTFAX4;
    default:
        return COMPRESSION_NONE;
    }
}

// Opens a TIFF in memory (a new one, or `base` to add a last page to) and sets the tags every
// image shares; `rows` then writes the scan lines.
template <typename Rows>
QByteArray writeTiff(const QByteArray& base, int width, int height, std::uint16_t bits, std::uint16_t samples,
                     std::uint16_t photometric, TiffWriter::Compression compression, const std::vector<Rgb>* colourMap,
                     Rows&& rows)
{
    MemoryFile file;
    file.bytes = base;
    std::unique_ptr<TIFFOpenOptions, OptionsFree> options(TIFFOpenOptionsAlloc());
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), keepError, &file);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), dropWarning, nullptr);
    {
        std::unique_ptr<TIFF, TiffCloser> tif(TIFFClientOpenExt("memory", base.isEmpty() ? "w" : "a", &file, readProc, writeProc, seekProc,
                                                                closeProc, sizeProc, mapProc, unmapProc, options.get()));
        if (!tif)
            failWith(file);
        TIFF* t = tif.get();
        TIFFSetField(t, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(width));
        TIFFSetField(t, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(height));
        TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, bits);
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, samples);
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, photometric);
        TIFFSetField(t, TIFFTAG_COMPRESSION, codeOf(compression));
        TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
        TIFFSetField(t, TIFFTAG_XRESOLUTION, 72.0);
        TIFFSetField(t, TIFFTAG_YRESOLUTION, 72.0);
        TIFFSetField(t, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        if (samples == 4) {
            const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
            TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, extra);
        }
        if (colourMap) {
            const size_t entries = size_t(1) << bits;
            std::vector<std::uint16_t> r(entries, 0), g(entries, 0), b(entries, 0);
            for (size_t i = 0; i < std::min(entries, colourMap->size()); ++i) {
                r[i] = static_cast<std::uint16_t>((*colourMap)[i].r * 257);
                g[i] = static_cast<std::uint16_t>((*colourMap)[i].g * 257);
                b[i] = static_cast<std::uint16_t>((*colourMap)[i].b * 257);
            }
            TIFFSetField(t, TIFFTAG_COLORMAP, r.data(), g.data(), b.data());
        }
        TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(t, 0));
        const tmsize_t lineSize = TIFFScanlineSize(t);
        if (lineSize <= 0)
            failWith(file);
        std::vector<std::uint8_t> line(static_cast<size_t>(lineSize));
        for (int y = 0; y < height; ++y) {
            std::fill(line.begin(), line.end(), 0);
            rows(y, line.data());
            if (TIFFWriteScanline(t, line.data(), static_cast<std::uint32_t>(y), 0) < 0)
                failWith(file);
        }
        if (!TIFFWriteDirectory(t))
            failWith(file);
    }
    if (!file.error.isEmpty())
        failWith(file);
    return file.bytes;
}

}  // namespace

QByteArray TiffWriter::trueColour(const std::vector<std::uint8_t>& pixels, int width, int height, int bands,
                                  Compression compression)
{
    return trueColour(pixels, width, height, bands, compression, {});
}

QByteArray TiffWriter::indexed(const IndexedImage& image, Compression compression)
{
    return indexed(image, compression, {});
}

QByteArray TiffWriter::trueColour(const std::vector<std::uint8_t>& pixels, int width, int height, int bands,
                                  Compression compression, const QByteArray& base)
{
    if (compression == Compression::Group4)
        vipsbridge::fail("SaveToFile", QStringLiteral("Group 4 compression needs a black and white image"));
    const size_t lineBytes = static_cast<size_t>(width) * static_cast<size_t>(bands);
    return writeTiff(base, width, height, 8, static_cast<std::uint16_t>(bands), PHOTOMETRIC_RGB, compression, nullptr,
                     [&](int y, std::uint8_t* line) {
                         std::memcpy(line, pixels.data() + static_cast<size_t>(y) * lineBytes, lineBytes);
                     });
}

QByteArray TiffWriter::indexed(const IndexedImage& image, Compression compression, const QByteArray& base)
{
    const bool bilevel = image.kind == IndexedImage::Kind::Bilevel;
    if (compression == Compression::Group4 && !bilevel)
        vipsbridge::fail("SaveToFile", QStringLiteral("Group 4 compression needs a black and white image"));
    const int bits = image.bits;
    const int perByte = 8 / bits;
    // Bilevel images are stored white-is-zero, as fax readers expect; a grey ramp's index is its level.
    const auto pack = [&](int y, std::uint8_t* line) {
        const std::uint8_t* in = image.row(y);
        for (int x = 0; x < image.width; ++x) {
            const unsigned value = bilevel ? 1u - in[x] : in[x];
            const int shift = (perByte - 1 - x % perByte) * bits;
            line[x / perByte] = static_cast<std::uint8_t>(line[x / perByte] | (value << shift));
        }
    };
    const auto b = static_cast<std::uint16_t>(bits);
    if (bilevel)
        return writeTiff(base, image.width, image.height, 1, 1, PHOTOMETRIC_MINISWHITE, compression, nullptr, pack);
    if (image.kind == IndexedImage::Kind::Grey)
        return writeTiff(base, image.width, image.height, b, 1, PHOTOMETRIC_MINISBLACK, compression, nullptr, pack);
    return writeTiff(base, image.width, image.height, b, 1, PHOTOMETRIC_PALETTE, compression, &image.palette, pack);
}

}  // namespace lumora
