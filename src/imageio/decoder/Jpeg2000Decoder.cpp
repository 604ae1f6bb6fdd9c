#include "Jpeg2000Decoder.h"

#include "HelperOutput.h"
#include "Jpeg2000Header.h"
#include "imageio/DecoderProtocol.h"

#include <openjpeg.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace lumora::decoder {
namespace {

void quiet(const char*, void*) {}

// The OpenJPEG objects of one decode, released together.
struct Decode {
    opj_stream_t* stream = nullptr;
    opj_codec_t* codec = nullptr;
    opj_image_t* image = nullptr;
    ~Decode()
    {
        if (image)
            opj_image_destroy(image);
        if (codec)
            opj_destroy_codec(codec);
        if (stream)
            opj_stream_destroy(stream);
    }
};

int resolutionLevels(opj_codec_t* codec)
{
    opj_codestream_info_v2_t* info = opj_get_cstr_info(codec);
    if (!info)
        return 1;
    int levels = 33;
    if (info->m_default_tile_info.tccp_info) {
        for (OPJ_UINT32 c = 0; c < info->nbcomps; ++c)
            levels = std::min(levels, static_cast<int>(info->m_default_tile_info.tccp_info[c].numresolutions));
    }
    opj_destroy_cstr_info(&info);
    return std::max(levels, 1);
}

// How many times the image may be halved and still cover its fitted size in the box.
int reductionFor(long long width, long long height, int boxWidth, int boxHeight, int levels)
{
    if (boxWidth <= 0 || boxHeight <= 0)
        return 0;
    const double scale = std::min(static_cast<double>(boxWidth) / width, static_cast<double>(boxHeight) / height);
    int reduce = 0;
    while (reduce + 1 < levels && scale * static_cast<double>(1LL << (reduce + 1)) <= 1.0)
        ++reduce;
    return reduce;
}

// One component's samples brought to 8 bits.
struct Channel {
    const opj_image_comp_t* comp = nullptr;
    int shift = 0;       // right shift for samples wider than 8 bits
    int offset = 0;      // added to signed samples
    int maximum = 255;   // largest sample value
    bool widen = false;  // samples narrower than 8 bits are stretched to 0..255

    explicit Channel(const opj_image_comp_t* c) : comp(c)
    {
        const int precision = static_cast<int>(c->prec);
        offset = c->sgnd ? 1 << (precision - 1) : 0;
        maximum = static_cast<int>((1LL << precision) - 1);
        shift = std::max(0, precision - 8);
        widen = precision < 8;
    }

    int at(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height) const
    {
        // Subsampled components are stretched over the image by their own size.
        const std::uint64_t cx = static_cast<std::uint64_t>(x) * comp->w / width;
        const std::uint64_t cy = static_cast<std::uint64_t>(y) * comp->h / height;
        long long v = static_cast<long long>(comp->data[cy * comp->w + cx]) + offset;
        v = std::clamp<long long>(v, 0, maximum);
        return widen ? static_cast<int>(v * 255 / maximum) : static_cast<int>(v >> shift);
    }
};

std::uint8_t clampByte(double v) { return static_cast<std::uint8_t>(std::clamp(v + 0.5, 0.0, 255.0)); }

// Writes the decoded image as RGB or RGBA rows: one component is grey, two grey and alpha,
// three colour (YCbCr when the file says so), four colour and alpha (or CMYK).
bool writeImage(const opj_image_t* image, long long fullWidth, long long fullHeight)
{
    const int count = static_cast<int>(image->numcomps);
    const std::uint32_t width = image->comps[0].w;
    const std::uint32_t height = image->comps[0].h;
    for (int c = 0; c < count; ++c) {
        const opj_image_comp_t& comp = image->comps[c];
        if (!comp.data || comp.w == 0 || comp.h == 0 || comp.prec < 1 || comp.prec > 31)
            return false;
    }
    std::vector<Channel> channels;
    for (int c = 0; c < count; ++c)
        channels.emplace_back(&image->comps[c]);
    const bool ycc = count >= 3 && (image->color_space == OPJ_CLRSPC_SYCC || image->color_space == OPJ_CLRSPC_EYCC);
    const bool cmyk = count == 4 && image->color_space == OPJ_CLRSPC_CMYK;
    const std::uint32_t bands = (count == 2 || (count == 4 && !cmyk)) ? 4 : 3;
    if (!writePictureHeader(width, height, bands, static_cast<std::uint32_t>(fullWidth),
                            static_cast<std::uint32_t>(fullHeight)))
        return false;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * bands);
    for (std::uint32_t y = 0; y < height; ++y) {
        std::uint8_t* out = row.data();
        for (std::uint32_t x = 0; x < width; ++x, out += bands) {
            const int first = channels[0].at(x, y, width, height);
            if (count <= 2) {
                out[0] = out[1] = out[2] = static_cast<std::uint8_t>(first);
                if (count == 2)
                    out[3] = static_cast<std::uint8_t>(channels[1].at(x, y, width, height));
                continue;
            }
            const int second = channels[1].at(x, y, width, height);
            const int third = channels[2].at(x, y, width, height);
            if (ycc) {
                const double cb = second - 128.0;
                const double cr = third - 128.0;
                out[0] = clampByte(first + 1.402 * cr);
                out[1] = clampByte(first - 0.344136 * cb - 0.714136 * cr);
                out[2] = clampByte(first + 1.772 * cb);
            } else if (cmyk) {
                const int black = 255 - channels[3].at(x, y, width, height);
                out[0] = static_cast<std::uint8_t>((255 - first) * black / 255);
                out[1] = static_cast<std::uint8_t>((255 - second) * black / 255);
                out[2] = static_cast<std::uint8_t>((255 - third) * black / 255);
            } else {
                out[0] = static_cast<std::uint8_t>(first);
                out[1] = static_cast<std::uint8_t>(second);
                out[2] = static_cast<std::uint8_t>(third);
            }
            if (bands == 4)
                out[3] = static_cast<std::uint8_t>(channels[3].at(x, y, width, height));
        }
        if (!writeOutput(row.data(), row.size()))
            return false;
    }
    return true;
}

}  // namespace

int decodeJpeg2000(const char* kind, const char* input, int boxWidth, int boxHeight, long long maxPixels)
{
    const bool jp2 = std::strcmp(kind, "jp2") == 0;
    if (!jp2 && std::strcmp(kind, "j2k") != 0)
        return BadArguments;
    const std::optional<Jpeg2000Size> size = readJpeg2000Size(input, jp2);
    if (!size || size->components < 1 || size->components > 4 || size->tiles > kMaxJpeg2000Tiles)
        return Unreadable;
    if (size->width * size->height > maxPixels)
        return TooLarge;

    Decode decode;
    decode.stream = opj_stream_create_default_file_stream(input, OPJ_TRUE);
    decode.codec = opj_create_decompress(jp2 ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K);
    if (!decode.stream || !decode.codec)
        return Unreadable;
    opj_set_info_handler(decode.codec, quiet, nullptr);
    opj_set_warning_handler(decode.codec, quiet, nullptr);
    opj_set_error_handler(decode.codec, quiet, nullptr);
    opj_dparameters_t parameters;
    opj_set_default_decoder_parameters(&parameters);
    if (!opj_setup_decoder(decode.codec, &parameters) || !opj_read_header(decode.stream, decode.codec, &decode.image))
        return Unreadable;
    // The header OpenJPEG read must be the one checked above.
    const opj_image_t* header = decode.image;
    if (header->numcomps < 1 || header->numcomps > 4 ||
        static_cast<long long>(header->x1 - header->x0) * (header->y1 - header->y0) > maxPixels)
        return TooLarge;
    const int reduce = reductionFor(size->width, size->height, boxWidth, boxHeight, resolutionLevels(decode.codec));
    if (reduce > 0 && !opj_set_decoded_resolution_factor(decode.codec, static_cast<OPJ_UINT32>(reduce)))
        return Unreadable;
    if (!opj_decode(decode.codec, decode.stream, decode.image) || !opj_end_decompress(decode.codec, decode.stream))
        return Unreadable;
    return writeImage(decode.image, size->width, size->height) ? Decoded : Unreadable;
}

}  // namespace lumora::decoder
