#include "engine/TextRenderer.h"

#include "engine/EngineError.h"

#include <pango/pangocairo.h>

#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace lumora {

namespace {

// Points are laid out at 96 dpi: a 12 pt font has a 16 px em.
constexpr double kResolutionDpi = 96.0;

// Sizes outside this range would overflow Pango's fixed-point coordinates long before a picture
// of that size could be allocated.
constexpr int kMinPoints = 1;
constexpr int kMaxPoints = 20000;

// Below half coverage a pixel is background when the text is drawn as a hard mask.
constexpr int kHardMaskThreshold = 128;

// cairo's image surfaces are limited to this many pixels in either direction.
constexpr int kMaxSurfaceSide = 32767;

template <typename T, void (*Free)(T*)>
struct Deleter {
    void operator()(T* p) const { Free(p); }
};

void unrefObject(void* object) { g_object_unref(object); }

using ContextPtr = std::unique_ptr<PangoContext, Deleter<void, unrefObject>>;
using LayoutPtr = std::unique_ptr<PangoLayout, Deleter<void, unrefObject>>;
using FontDescriptionPtr = std::unique_ptr<PangoFontDescription, Deleter<PangoFontDescription, pango_font_description_free>>;
using AttrListPtr = std::unique_ptr<PangoAttrList, Deleter<PangoAttrList, pango_attr_list_unref>>;
using FontOptionsPtr = std::unique_ptr<cairo_font_options_t, Deleter<cairo_font_options_t, cairo_font_options_destroy>>;
using SurfacePtr = std::unique_ptr<cairo_surface_t, Deleter<cairo_surface_t, cairo_surface_destroy>>;
using CairoPtr = std::unique_ptr<cairo_t, Deleter<cairo_t, cairo_destroy>>;

// A laid-out text and its logical box in pixels. The context must outlive the layout's use, so
// both travel together.
struct LaidOutText {
    ContextPtr context;
    LayoutPtr layout;
    PangoRectangle logical{};
};

FontOptionsPtr fontOptions(bool antiAlias)
{
    FontOptionsPtr options(cairo_font_options_create());
    if (antiAlias) {
        cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_SLIGHT);
    } else {
        // Monochrome glyphs look best fully hinted: stems snap to whole pixels.
        cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_NONE);
        cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_FULL);
    }
    // Whole-pixel metrics keep the line height and advances identical between the two modes and
    // make the logical box land on pixel boundaries.
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_ON);
    return options;
}

FontDescriptionPtr fontDescription(const TextFont& font)
{
    FontDescriptionPtr description(pango_font_description_new());
    const QByteArray family = font.name.trimmed().isEmpty() ? QByteArrayLiteral("Sans") : font.name.toUtf8();
    pango_font_description_set_family(description.get(), family.constData());
    pango_font_description_set_size(description.get(),
                                    std::clamp(font.size, kMinPoints, kMaxPoints) * PANGO_SCALE);
    pango_font_description_set_weight(description.get(), font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(description.get(), font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    return description;
}

LaidOutText layOut(const QString& text, const TextStyle& style)
{
    // The default Pango-cairo font map belongs to the calling thread, so parallel renders never
    // share one; its font cache survives between calls on the same thread.
    PangoFontMap* fontMap = pango_cairo_font_map_get_default();

    LaidOutText result;
    result.context.reset(pango_font_map_create_context(fontMap));
    PangoContext* context = result.context.get();
    pango_cairo_context_set_resolution(context, kResolutionDpi);
    pango_cairo_context_set_font_options(context, fontOptions(style.antiAlias).get());

    result.layout.reset(pango_layout_new(context));
    PangoLayout* layout = result.layout.get();
    // Every line starts at the left edge of the block, whatever the script's direction.
    pango_layout_set_auto_dir(layout, FALSE);
    pango_layout_set_alignment(layout, PANGO_ALIGN_LEFT);
    pango_layout_set_font_description(layout, fontDescription(style.font).get());
    if (style.font.underline) {
        AttrListPtr attributes(pango_attr_list_new());
        pango_attr_list_insert(attributes.get(), pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        pango_layout_set_attributes(layout, attributes.get());
    }

    // Plain text, never markup. Pango rejects embedded NULs, which draw nothing anyway.
    QByteArray utf8 = text.toUtf8();
    utf8.replace('\0', QByteArray());
    pango_layout_set_text(layout, utf8.constData(), static_cast<int>(utf8.size()));

    pango_layout_get_pixel_extents(layout, nullptr, &result.logical);
    return result;
}

std::uint8_t mulDiv255(int value, int alpha) { return static_cast<std::uint8_t>((value * alpha + 127) / 255); }

// The straight colour of a premultiplied pixel with alpha > 0. Ordinary glyphs are drawn in the
// text colour alone, so a pixel that is the text colour at its coverage (within cairo's rounding)
// is given that colour exactly; anything else (colour glyphs such as emoji) is un-premultiplied.
Rgb straightColour(int r, int g, int b, int alpha, Rgb textColour)
{
    const auto near = [alpha](int premultiplied, int channel) {
        return std::abs(premultiplied - mulDiv255(channel, alpha)) <= 2;
    };
    if (near(r, textColour.r) && near(g, textColour.g) && near(b, textColour.b))
        return textColour;
    const auto unpremultiply = [alpha](int channel) {
        return static_cast<std::uint8_t>(std::min(255, (channel * 255 + alpha / 2) / alpha));
    };
    return Rgb{unpremultiply(r), unpremultiply(g), unpremultiply(b)};
}

}  // namespace

QSize TextRenderer::measure(const QString& text, const TextStyle& style)
{
    const LaidOutText laidOut = layOut(text, style);
    return {laidOut.logical.width, laidOut.logical.height};
}

Picture TextRenderer::render(const QString& text, const TextStyle& style)
{
    if (text.isEmpty())
        return {};
    const LaidOutText laidOut = layOut(text, style);
    const int width = laidOut.logical.width;
    const int height = laidOut.logical.height;
    if (width <= 0 || height <= 0)
        return {};
    if (width > kMaxSurfaceSide || height > kMaxSurfaceSide)
        throw EngineError(QStringLiteral("Text too large to draw (%1 x %2 pixels)").arg(width).arg(height));

    // cairo's ARGB32 rows for this width are packed 4-byte pixels, the picture's own layout, so
    // the glyphs are drawn straight into the picture's buffer and converted in place. The surface
    // is exactly the logical box, so ink outside it is cut off; the background box is composited
    // afterwards, once coverage is final.
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width);
    if (stride != width * 4)
        throw EngineError(QStringLiteral("Unexpected row layout for %1 pixels of text").arg(width));
    const qsizetype pixelCount = static_cast<qsizetype>(width) * height;
    QByteArray pixels(pixelCount * 4, '\0');  // all clear
    auto* data = reinterpret_cast<unsigned char*>(pixels.data());
    {
        SurfacePtr surface(cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, width, height, stride));
        if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
            throw EngineError(QStringLiteral("Cannot draw %1 x %2 pixels of text").arg(width).arg(height));
        CairoPtr cr(cairo_create(surface.get()));
        // Underlines are filled rectangles, drawn with the context's own antialiasing.
        if (!style.antiAlias)
            cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
        cairo_set_source_rgb(cr.get(), style.color.r / 255.0, style.color.g / 255.0, style.color.b / 255.0);
        cairo_move_to(cr.get(), -laidOut.logical.x, -laidOut.logical.y);
        pango_cairo_show_layout(cr.get(), laidOut.layout.get());
        if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS)
            throw EngineError(QStringLiteral("Cannot draw text: %1")
                                  .arg(QString::fromUtf8(cairo_status_to_string(cairo_status(cr.get())))));
        cairo_surface_flush(surface.get());
    }

    // cairo's pixels are premultiplied, native-endian 32-bit words; the picture wants straight
    // RGBA bytes. Each word is read before its bytes are overwritten.
    const Rgb back = style.backColor;
    // Where there is no ink: the box, or nothing. Clear pixels keep the text colour, so that
    // scaling the picture without premultiplying shows no dark fringe around the glyphs.
    const Rgb clear = style.transparent ? style.color : back;
    const std::uint8_t clearAlpha = style.transparent ? 0 : 255;
    for (unsigned char* out = data; out != data + pixelCount * 4; out += 4) {
        std::uint32_t word;
        std::memcpy(&word, out, sizeof word);
        if ((word >> 24) == 0) {
            out[0] = clear.r;
            out[1] = clear.g;
            out[2] = clear.b;
            out[3] = clearAlpha;
            continue;
        }
        int alpha = static_cast<int>(word >> 24);
        const Rgb ink = straightColour(static_cast<int>((word >> 16) & 0xff), static_cast<int>((word >> 8) & 0xff),
                                       static_cast<int>(word & 0xff), alpha, style.color);
        if (!style.antiAlias)
            alpha = alpha >= kHardMaskThreshold ? 255 : 0;

        if (style.transparent) {
            out[0] = ink.r;
            out[1] = ink.g;
            out[2] = ink.b;
            out[3] = static_cast<std::uint8_t>(alpha);
        } else {
            const int rest = 255 - alpha;
            out[0] = static_cast<std::uint8_t>((ink.r * alpha + back.r * rest + 127) / 255);
            out[1] = static_cast<std::uint8_t>((ink.g * alpha + back.g * rest + 127) / 255);
            out[2] = static_cast<std::uint8_t>((ink.b * alpha + back.b * rest + 127) / 255);
            out[3] = 255;
        }
    }
    return Picture(width, height, 4, std::move(pixels));
}

}  // namespace lumora
