#include "WmfToSvg.h"

#include "ExactSvgColours.h"
#include "HelperOutput.h"
#include "WmfFonts.h"
#include "imageio/DecoderProtocol.h"

#include <libwmf/api.h>
#include <libwmf/svg.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace lumora::decoder {
namespace {

// Larger metafiles are refused unread: each record is a few bytes of drawing, so this is
// already far more than any clip-art or chart ever holds.
constexpr std::size_t kMaxMetafileBytes = 64u << 20;

constexpr double kScreenDpi = 96.0;

// The libwmf session of one conversion. libwmf owns every block it hands out, the SVG text
// too, and frees them all with the session.
struct Session {
    wmfAPI* api = nullptr;
    ~Session()
    {
        if (api)
            wmf_api_destroy(api);
    }
};

// The picture's frame: the bounding box of a placeable metafile's header (what the program that
// drew it meant to be seen, margins included); for others, what the drawing covers. libwmf's
// device units are points, 72 to the inch.
wmfD_Rect frameOf(wmfAPI* api, const wmfD_Rect& scanned)
{
    if (!api->File || !api->File->placeable || !api->File->pmh || api->File->pmh->Inch == 0)
        return scanned;
    const wmfPlaceableMetaHeader& header = *api->File->pmh;
    const float points = 72.0f / header.Inch;
    wmfD_Rect frame;
    frame.TL.x = std::min(header.Left, header.Right) * points;
    frame.TL.y = std::min(header.Top, header.Bottom) * points;
    frame.BR.x = std::max(header.Left, header.Right) * points;
    frame.BR.y = std::max(header.Top, header.Bottom) * points;
    if (frame.BR.x <= frame.TL.x || frame.BR.y <= frame.TL.y)
        return scanned;
    return frame;
}

}  // namespace

int convertWmfToSvg(const char* input, long long maxPixels)
{
    std::vector<unsigned char> bytes;
    if (!readWholeFile(input, kMaxMetafileBytes, bytes) || bytes.empty())
        return Unreadable;

    WmfFonts fonts;
    wmfAPI_Options options;
    std::memset(&options, 0, sizeof options);
    options.function = wmf_svg_function;
    unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    // libwmf measures text with real fonts and gives up on any metafile when it finds none.
    if (fonts.found()) {
        options.fontdirs = fonts.directories();
        options.font.ps = fonts.mappings();
        flags |= WMF_OPT_FONTDIRS | WMF_OPT_FONTMAP;
    }

    Session session;
    if (wmf_api_create(&session.api, flags, &options) != wmf_E_None)
        return Unreadable;
    wmfD_Rect box;
    unsigned int width = 0;
    unsigned int height = 0;
    if (wmf_mem_open(session.api, bytes.data(), static_cast<long>(bytes.size())) != wmf_E_None ||
        wmf_scan(session.api, 0, &box) != wmf_E_None ||
        wmf_display_size(session.api, &width, &height, kScreenDpi, kScreenDpi) != wmf_E_None)
        return Unreadable;
    if (width == 0 || height == 0)
        return Unreadable;
    if (static_cast<long long>(width) * height > maxPixels)
        return TooLarge;

    ExactSvgColours colours(session.api);
    wmf_svg_t* svg = WMF_SVG_GetData(session.api);
    svg->out = colours.stream();
    svg->Description = const_cast<char*>("Lumora");
    svg->bbox = frameOf(session.api, box);
    svg->width = width;
    svg->height = height;
    const bool played = wmf_play(session.api, 0, &box) == wmf_E_None;
    const std::string& text = colours.svg();
    return played && !text.empty() && writeOutput(text.data(), text.size()) ? Decoded : Unreadable;
}

}  // namespace lumora::decoder
