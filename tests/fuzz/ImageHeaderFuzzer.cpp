// Image headers of any content must read through both entry points without a crash, a hang or an
// allocation, and what they report must hang together: the 16-bit fields are the low halves of
// the full values, the TIFF and JPEG readers always say 24 bits, a JPEG always has a resolution,
// and reading again from a used reader gives the same answer as a fresh one.

#include "FuzzSupport.h"

#include "imageio/clsImageHeaderInfo.h"

using lumora::fuzz::require;
using Header = lumora::clsImageHeaderInfo;
using Format = Header::HeaderFormat;

namespace {

std::int32_t low16(qint64 value) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF)); }

void checkJpegTiffPng(const Header& h, bool result)
{
    require(h.Width() == low16(h.FullWidth()) && h.Height() == low16(h.FullHeight()) && h.dpi() == low16(h.FullDpi()));
    require(h.FullWidth() >= 0 && h.FullHeight() >= 0 && h.FullDpi() >= 0);
    if (!result) {
        require(h.FullWidth() == 0 && h.FullHeight() == 0 && h.FullDpi() == 0 && h.BitsPerPixel() == 0 && !h.IsGray());
        return;
    }
    require(h.Format() == Format::TIFF || h.Format() == Format::JPEG || h.Format() == Format::PNG);
    require(h.Format() == Format::PNG || h.BitsPerPixel() == 24);
    require(h.Format() != Format::JPEG || (h.FullDpi() > 0 && h.FullWidth() <= 0xFFFF && h.FullHeight() <= 0xFFFF));
}

bool sameValues(const Header& a, const Header& b)
{
    return a.FullWidth() == b.FullWidth() && a.FullHeight() == b.FullHeight() && a.FullDpi() == b.FullDpi() &&
           a.Width() == b.Width() && a.Height() == b.Height() && a.dpi() == b.dpi() &&
           a.BitsPerPixel() == b.BitsPerPixel() && a.IsGray() == b.IsGray() && a.Format() == b.Format();
}

}  // namespace

LUMORA_FUZZ_FILE("img")
{
    Header fresh;
    const bool result = fresh.ReadJPEG_TIFF_PNG_Header(path);
    checkJpegTiffPng(fresh, result);

    Header used;
    const bool gifBmp = used.ReadGIF_BMP_Header(path);
    require(gifBmp == (used.Format() == Format::GIF || used.Format() == Format::BMP));
    require(used.Format() != Format::GIF ||
            (used.BitsPerPixel() >= 1 && used.BitsPerPixel() <= 8 && used.FullWidth() <= 0xFFFF));
    require(gifBmp || (used.FullWidth() == 0 && used.FullHeight() == 0 && used.BitsPerPixel() == 0));
    require(used.ReadJPEG_TIFF_PNG_Header(path) == result);
    require(sameValues(used, fresh));
}
