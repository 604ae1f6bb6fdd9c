#include "Jpeg2000Header.h"

#include <cstdint>
#include <cstdio>
#include <memory>

namespace lumora::decoder {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::uint64_t bigEndian(const unsigned char* p, int bytes)
{
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | p[i];
    return value;
}

bool readAt(std::FILE* file, long long offset, unsigned char* into, std::size_t size)
{
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0 && std::fread(into, 1, size, file) == size;
}

// Where the codestream of a JP2 file starts: the boxes are walked from the start of the file.
std::optional<long long> codestreamOffset(std::FILE* file)
{
    constexpr int kMaxBoxes = 4096;
    long long at = 0;
    for (int box = 0; box < kMaxBoxes; ++box) {
        unsigned char header[16];
        if (!readAt(file, at, header, 8))
            return std::nullopt;
        std::uint64_t length = bigEndian(header, 4);
        long long headerSize = 8;
        if (length == 1) {
            if (!readAt(file, at + 8, header + 8, 8))
                return std::nullopt;
            length = bigEndian(header + 8, 8);
            headerSize = 16;
        }
        if (bigEndian(header + 4, 4) == 0x6A703263)  // "jp2c"
            return at + headerSize;
        // A length of zero runs to the end of the file, so no box follows it.
        if (length < static_cast<std::uint64_t>(headerSize) || length > (1ULL << 62))
            return std::nullopt;
        at += static_cast<long long>(length);
    }
    return std::nullopt;
}

}  // namespace

std::optional<Jpeg2000Size> readJpeg2000Size(const char* path, bool jp2)
{
    File file(std::fopen(path, "rb"));
    if (!file)
        return std::nullopt;
    long long start = 0;
    if (jp2) {
        const std::optional<long long> offset = codestreamOffset(file.get());
        if (!offset)
            return std::nullopt;
        start = *offset;
    }
    // SOC, then SIZ: marker, length, capabilities, eight 32-bit sizes and the component count.
    unsigned char siz[42];
    if (!readAt(file.get(), start, siz, sizeof siz) || bigEndian(siz, 2) != 0xFF4F || bigEndian(siz + 2, 2) != 0xFF51)
        return std::nullopt;
    const long long xsiz = static_cast<long long>(bigEndian(siz + 8, 4));
    const long long ysiz = static_cast<long long>(bigEndian(siz + 12, 4));
    const long long xosiz = static_cast<long long>(bigEndian(siz + 16, 4));
    const long long yosiz = static_cast<long long>(bigEndian(siz + 20, 4));
    const long long xtsiz = static_cast<long long>(bigEndian(siz + 24, 4));
    const long long ytsiz = static_cast<long long>(bigEndian(siz + 28, 4));
    const long long xtosiz = static_cast<long long>(bigEndian(siz + 32, 4));
    const long long ytosiz = static_cast<long long>(bigEndian(siz + 36, 4));
    if (xosiz >= xsiz || yosiz >= ysiz || xtsiz == 0 || ytsiz == 0 || xtosiz > xosiz || ytosiz > yosiz ||
        xtosiz + xtsiz <= xosiz || ytosiz + ytsiz <= yosiz)
        return std::nullopt;
    Jpeg2000Size size;
    size.width = xsiz - xosiz;
    size.height = ysiz - yosiz;
    size.components = static_cast<int>(bigEndian(siz + 40, 2));
    size.tiles = ((xsiz - xtosiz + xtsiz - 1) / xtsiz) * ((ysiz - ytosiz + ytsiz - 1) / ytsiz);
    return size;
}

}  // namespace lumora::decoder
