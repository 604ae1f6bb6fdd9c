#include "EmfToSvg.h"

#include "HelperOutput.h"
#include "imageio/DecoderProtocol.h"

#include <emf2svg.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace lumora::decoder {
namespace {

constexpr std::size_t kMaxMetafileBytes = 64u << 20;

// EMR_HEADER: record type 1, its size, the bounds in device pixels (left, top, right, bottom),
// the frame, and the signature " EMF" at byte 40.
constexpr std::size_t kHeaderSize = 88;
constexpr std::uint32_t kEmfSignature = 0x464D4520;

std::int32_t le32(const unsigned char* p)
{
    return static_cast<std::int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
}

}  // namespace

int convertEmfToSvg(const char* input, long long maxPixels)
{
    std::vector<unsigned char> bytes;
    if (!readWholeFile(input, kMaxMetafileBytes, bytes) || bytes.size() < kHeaderSize)
        return Unreadable;
    // emf2svg takes whatever it is given; only what starts as an enhanced metafile reaches it.
    const unsigned char* header = bytes.data();
    if (le32(header) != 1 || static_cast<std::uint32_t>(le32(header + 40)) != kEmfSignature)
        return Unreadable;
    const long long width = static_cast<long long>(le32(header + 16)) - le32(header + 8);
    const long long height = static_cast<long long>(le32(header + 20)) - le32(header + 12);
    if (width * height > maxPixels)
        return TooLarge;

    generatorOptions options{};
    options.nameSpace = const_cast<char*>("");
    options.verbose = false;
    options.emfplus = true;
    options.svgDelimiter = true;
    char* svg = nullptr;
    std::size_t length = 0;
    const int converted = emf2svg(reinterpret_cast<char*>(bytes.data()), bytes.size(), &svg, &length, &options);
    const bool written = converted != 0 && svg && length > 0 && writeOutput(svg, length);
    std::free(svg);
    return written ? Decoded : Unreadable;
}

}  // namespace lumora::decoder
