#include "HeaderPixelCount.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace lumora::decoder {
namespace {

unsigned le16(const unsigned char* p) { return p[0] | (p[1] << 8); }
unsigned be16(const unsigned char* p) { return (p[0] << 8) | p[1]; }
std::uint32_t le32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

long long gifPixelCount(const unsigned char* head, std::size_t size)
{
    if (size < 13 || (std::memcmp(head, "GIF87a", 6) != 0 && std::memcmp(head, "GIF89a", 6) != 0))
        return -1;
    // The logical screen, and the first frame, which may claim more than the screen.
    long long count = static_cast<long long>(le16(head + 6)) * le16(head + 8);
    std::size_t at = 13;
    if (head[10] & 0x80)
        at += 3u << ((head[10] & 7) + 1);
    while (at < size) {
        if (head[at] == 0x2C) {
            if (at + 9 < size)
                count = std::max(count, static_cast<long long>(le16(head + at + 5)) * le16(head + at + 7));
            break;
        }
        if (head[at] != 0x21 || at + 2 >= size)
            break;
        at += 2;  // introducer and label, then sub-blocks up to an empty one
        while (at < size && head[at] != 0)
            at += head[at] + 1u;
        ++at;
    }
    return count;
}

long long sgiPixelCount(const unsigned char* head, std::size_t size)
{
    if (size < 12 || be16(head) != 474)
        return -1;
    return static_cast<long long>(be16(head + 6)) * be16(head + 8);
}

long long ddsPixelCount(const unsigned char* head, std::size_t size)
{
    if (size < 20 || std::memcmp(head, "DDS ", 4) != 0)
        return -1;
    return static_cast<long long>(le32(head + 12)) * le32(head + 16);
}

}  // namespace lumora::decoder
