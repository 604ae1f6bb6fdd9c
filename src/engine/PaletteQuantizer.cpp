#include "engine/PaletteQuantizer.h"

#include "engine/VipsBridge.h"

#include <QString>

#include <libimagequant.h>

#include <glib.h>

#include <algorithm>
#include <memory>

namespace lumora {

using vips::VImage;
using vipsbridge::fail;

namespace {

constexpr const char* kOperation = "SaveToFile";

size_t pixelCount(const VImage& image) { return static_cast<size_t>(image.width()) * static_cast<size_t>(image.height()); }

// Where the pixels of the kept colour are (1), from packed RGB; empty when there is none, so that
// the whole palette goes to the other pixels.
std::vector<std::uint8_t> keptPixels(const std::vector<std::uint8_t>& rgb, Rgb keep)
{
    std::vector<std::uint8_t> mask(rgb.size() / 3);
    bool any = false;
    for (size_t i = 0; i < mask.size(); ++i) {
        if (rgb[3 * i] == keep.r && rgb[3 * i + 1] == keep.g && rgb[3 * i + 2] == keep.b) {
            mask[i] = 1;
            any = true;
        }
    }
    if (!any)
        mask.clear();
    return mask;
}

void reserveEntry(IndexedImage& out, const std::vector<std::uint8_t>& kept, Rgb keep)
{
    out.transparentIndex = static_cast<int>(out.palette.size());
    out.palette.push_back(keep);
    out.kind = IndexedImage::Kind::Colour;
    for (size_t i = 0; i < kept.size(); ++i) {
        if (kept[i])
            out.indices[i] = static_cast<std::uint8_t>(out.transparentIndex);
    }
}

struct LiqDeleter {
    void operator()(liq_attr* p) const { liq_attr_destroy(p); }
    void operator()(liq_image* p) const { liq_image_destroy(p); }
    void operator()(liq_result* p) const { liq_result_destroy(p); }
};

void reduceColours(IndexedImage& out, const VImage& rgbImage, int colours, const std::optional<Rgb>& keep)
{
    std::vector<std::uint8_t> kept;
    if (keep)
        kept = keptPixels(vipsbridge::packedBytes(rgbImage), *keep);
    if (!kept.empty())
        --colours;

    std::vector<std::uint8_t> rgba = vipsbridge::packedBytes(rgbImage.bandjoin_const({255.0}));
    std::unique_ptr<liq_attr, LiqDeleter> attr(liq_attr_create());
    if (!attr || liq_set_max_colors(attr.get(), colours) != LIQ_OK)
        fail(kOperation, QStringLiteral("the colour quantiser could not start"));
    std::unique_ptr<liq_image, LiqDeleter> input(
        liq_image_create_rgba(attr.get(), rgba.data(), out.width, out.height, 0.0));
    if (!input)
        fail(kOperation, QStringLiteral("the colour quantiser refused the image"));
    if (!kept.empty()) {
        // The kept pixels get their own entry afterwards, so they must not pull palette colours
        // their way. They do keep an opaque entry of their exact colour: dithering then carries no
        // error from them into their neighbours.
        liq_image_add_fixed_color(input.get(), liq_color{keep->r, keep->g, keep->b, 255});
        std::vector<unsigned char> importance(kept.size());
        std::transform(kept.begin(), kept.end(), importance.begin(),
                       [](std::uint8_t k) { return static_cast<unsigned char>(k ? 0 : 255); });
        liq_image_set_importance_map(input.get(), importance.data(), importance.size(), LIQ_COPY_PIXELS);
    }
    liq_result* raw = nullptr;
    if (liq_image_quantize(input.get(), attr.get(), &raw) != LIQ_OK || !raw)
        fail(kOperation, QStringLiteral("the colour quantiser failed"));
    std::unique_ptr<liq_result, LiqDeleter> result(raw);
    liq_set_dithering_level(result.get(), 1.0f);
    out.indices.resize(pixelCount(rgbImage));
    if (liq_write_remapped_image(result.get(), input.get(), out.indices.data(), out.indices.size()) != LIQ_OK)
        fail(kOperation, QStringLiteral("the colour quantiser failed"));
    const liq_palette* palette = liq_get_palette(result.get());
    for (unsigned i = 0; i < palette->count; ++i)
        out.palette.push_back(Rgb{palette->entries[i].r, palette->entries[i].g, palette->entries[i].b});
    if (!kept.empty())
        reserveEntry(out, kept, *keep);
}

// Floyd-Steinberg error diffusion of 8-bit greys to `levels` evenly spaced levels; writes level
// numbers. Pixels marked in `skip` keep their index and pass no error on.
void ditherGrey(IndexedImage& out, const std::vector<std::uint8_t>& grey, int levels, const std::vector<std::uint8_t>& skip)
{
    const int w = out.width;
    const int top = levels - 1;
    // Errors in sixteenths, one spare column on each side.
    std::vector<int> here(static_cast<size_t>(w) + 2, 0);
    std::vector<int> below(static_cast<size_t>(w) + 2, 0);
    for (int y = 0; y < out.height; ++y) {
        const size_t rowStart = static_cast<size_t>(y) * static_cast<size_t>(w);
        for (int x = 0; x < w; ++x) {
            const size_t i = rowStart + static_cast<size_t>(x);
            if (!skip.empty() && skip[i])
                continue;
            const int carried = here[static_cast<size_t>(x) + 1];
            const int wanted = std::clamp(grey[i] + (carried >= 0 ? carried + 8 : carried - 8) / 16, 0, 255);
            const int level = (wanted * top + 127) / 255;
            out.indices[i] = static_cast<std::uint8_t>(level);
            const int error = wanted - (level * 255 + top / 2) / top;
            here[static_cast<size_t>(x) + 2] += error * 7;
            below[static_cast<size_t>(x)] += error * 3;
            below[static_cast<size_t>(x) + 1] += error * 5;
            below[static_cast<size_t>(x) + 2] += error;
        }
        std::swap(here, below);
        std::fill(below.begin(), below.end(), 0);
    }
}

void reduceGreys(IndexedImage& out, const VImage& rgbImage, int depth, const std::optional<Rgb>& keep)
{
    std::vector<std::uint8_t> kept;
    if (keep)
        kept = keptPixels(vipsbridge::packedBytes(rgbImage), *keep);
    const bool reserving = !kept.empty();

    const std::vector<std::uint8_t> grey =
        vipsbridge::packedBytes(rgbImage.colourspace(VIPS_INTERPRETATION_B_W).cast(VIPS_FORMAT_UCHAR));
    out.indices.assign(grey.size(), 0);

    int levels = 2;
    if (depth == 2 || depth == 4)
        levels = (depth == 2 ? 256 : 16) - (reserving ? 1 : 0);

    if (depth == 6) {
        for (size_t i = 0; i < grey.size(); ++i)
            out.indices[i] = grey[i] >= 128 ? 1 : 0;
    } else if (levels == 256) {
        out.indices = grey;
    } else {
        ditherGrey(out, grey, levels, kept);
    }
    for (int i = 0; i < levels; ++i) {
        const auto v = static_cast<std::uint8_t>((i * 255 + (levels - 1) / 2) / (levels - 1));
        out.palette.push_back(Rgb{v, v, v});
    }
    out.kind = levels == 2 ? IndexedImage::Kind::Bilevel : IndexedImage::Kind::Grey;
    if (reserving)
        reserveEntry(out, kept, *keep);
}

}  // namespace

IndexedImage PaletteQuantizer::reduce(const VImage& image, int depth, std::optional<Rgb> keep)
{
    IndexedImage out;
    out.width = image.width();
    out.height = image.height();
    out.bits = depth <= 2 ? 8 : depth <= 4 ? 4 : 1;
    const VImage rgb = vipsbridge::colourBands(image);
    if (depth == 1 || depth == 3)
        reduceColours(out, rgb, depth == 1 ? 256 : 16, keep);
    else
        reduceGreys(out, rgb, depth, keep);
    return out;
}

}  // namespace lumora
