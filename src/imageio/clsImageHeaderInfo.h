#pragma once

#include <QString>

#include <cstdint>

namespace lumora {

// Reads the pixel size, bits per pixel, resolution and grey flag of an image straight from its
// header bytes, without decoding it. The folder listing fills its dimensions column with it.
// Every multi-byte value is built from single bytes, so the host's byte order does not matter.
//
// Two entry points: ReadGIF_BMP_Header for GIF and BMP, ReadJPEG_TIFF_PNG_Header for
// little-endian TIFF, JPEG and PNG. Neither raises, reports or allocates by a length read from
// the file; any input, however broken, ends in a result.
//
// Values above 32767. Width, Height and dpi are 16-bit signed fields, as in Lumora's first
// header reader, and keep its behaviour: a value that does not fit wraps to its low 16 bits
// (40000 reads -25536; a top-down BMP's negative height reads as its low 16 bits). Keeping the
// wrap means every value that fits is exactly what that reader gave. Clamping would turn a wrong
// number into a plausible wrong number, so the full values are kept beside the fields instead:
// FullWidth, FullHeight and FullDpi hold what the header says, unwrapped (the BMP height as a
// positive row count). Anything that shows sizes to a person should use the full values.
//
// Robustness: reads never go past the end of the file (bytes beyond it count as 0, so a file
// cut short reads as far as it goes); segment and chunk data is stepped over by seeking, never
// loaded, so no length in the file decides an allocation; every walk over markers or chunks ends
// at the end of the file or after kMaxSegments steps; only the first TIFF IFD is read, so IFD
// offsets cannot loop. Only regular files are opened: a pipe or device could block forever.
class clsImageHeaderInfo {
public:
    // The reader that ran on the last read.
    enum class HeaderFormat { None, GIF, BMP, TIFF, JPEG, PNG };

    // Most markers or chunks a JPEG or PNG walk looks at before giving up on the rest. Real files
    // have a few dozen before the image data.
    static constexpr int kMaxSegments = 10000;

    // GIF ("GIF" at 0) and BMP ("BM" at 0, Windows or OS/2 header) from their first 29 bytes. Resets Width, Height and
    // BitsPerPixel (not dpi and IsGray, which these formats do not carry: they keep the values
    // of an earlier read). True when the file is a GIF or BMP; any other file leaves the three
    // values at 0.
    bool ReadGIF_BMP_Header(const QString& sFileName);

    // Little-endian TIFF ("II"), JPEG (FF D8) or PNG (89 "P"), picked by the first two bytes.
    // Resets every value first. True when the format's reader succeeded; False for a missing,
    // empty or non-regular file, a big-endian TIFF or any other file.
    //
    // TIFF: size and resolution from the first IFD only; BitsPerPixel is always 24.
    // JPEG: size only from a baseline frame (progressive files read 0 x 0 and still succeed);
    //       dpi from the JFIF segment, 1 when none gives one; BitsPerPixel always 24.
    // PNG:  size and bit depth from IHDR (8-bit colour reads 24), dpi from pHYs in metres.
    bool ReadJPEG_TIFF_PNG_Header(const QString& filename);

    // The 16-bit fields, widened (see above for values that do not fit).
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    std::int32_t dpi() const { return dpi_; }
    int BitsPerPixel() const { return bitsPerPixel_; }
    bool IsGray() const { return gray_; }

    // The same values at full width.
    qint64 FullWidth() const { return fullWidth_; }
    qint64 FullHeight() const { return fullHeight_; }
    qint64 FullDpi() const { return fullDpi_; }

    HeaderFormat Format() const { return format_; }

    // The EXIF orientation of a JPEG (its APP1 EXIF block) or little-endian TIFF (its first IFD),
    // 1 to 8; 1 when there is none or it is out of range. Width and Height stay as stored.
    int Orientation() const { return orientation_ >= 1 && orientation_ <= 8 ? orientation_ : 1; }

private:
    class Reader;

    void setWidth(qint64 value);
    void setHeight(qint64 value);
    void setDpi(qint64 value);

    bool readTIFF(Reader& file);
    void readJPEG(Reader& file);
    void readExifOrientation(Reader& file, qint64 data, qint64 length);
    bool readPNG(Reader& file);

    std::int16_t height_ = 0;
    std::int16_t width_ = 0;
    std::int16_t dpi_ = 0;
    std::uint8_t bitsPerPixel_ = 0;
    bool gray_ = false;
    qint64 fullWidth_ = 0;
    qint64 fullHeight_ = 0;
    qint64 fullDpi_ = 0;
    HeaderFormat format_ = HeaderFormat::None;
    int orientation_ = 1;
};

}  // namespace lumora
