#include "engine/GifWriter.h"

#include "engine/ByteSink.h"
#include "engine/VipsBridge.h"

#include <QString>

#include <algorithm>
#include <array>
#include <memory>

namespace lumora {

namespace {

constexpr int kMaxCodeBits = 12;
// The table stops growing one short of 4096 codes, as readers that never use the last code expect.
constexpr int kTableLimit = (1 << kMaxCodeBits) - 1;

// Packs codes least significant bit first into data sub-blocks of up to 255 bytes.
class CodeStream {
public:
    explicit CodeStream(QByteArray& out) : out_(out) {}

    void put(int code, int bits)
    {
        acc_ |= static_cast<std::uint32_t>(code) << count_;
        count_ += bits;
        while (count_ >= 8) {
            byte(static_cast<std::uint8_t>(acc_ & 0xFFu));
            acc_ >>= 8;
            count_ -= 8;
        }
    }

    void finish()
    {
        if (count_ > 0)
            byte(static_cast<std::uint8_t>(acc_ & 0xFFu));
        acc_ = 0;
        count_ = 0;
        flushBlock();
        out_.append('\0');  // block terminator
    }

private:
    void byte(std::uint8_t b)
    {
        block_[used_++] = b;
        if (used_ == 255)
            flushBlock();
    }
    void flushBlock()
    {
        if (used_ == 0)
            return;
        out_.append(static_cast<char>(used_));
        out_.append(reinterpret_cast<const char*>(block_.data()), used_);
        used_ = 0;
    }

    QByteArray& out_;
    std::uint32_t acc_ = 0;
    int count_ = 0;
    std::array<std::uint8_t, 255> block_{};
    int used_ = 0;
};

// The LZW string table: (prefix code, next index) to code, open addressing.
class StringTable {
public:
    void clear() { keys_.fill(-1); }

    // The code of prefix + index, or -1.
    int find(int prefix, std::uint8_t index) const
    {
        const std::int32_t key = (prefix << 8) | index;
        for (std::uint32_t slot = hash(key);; slot = (slot + 1) & kMask) {
            if (keys_[slot] == key)
                return codes_[slot];
            if (keys_[slot] < 0)
                return -1;
        }
    }

    void add(int prefix, std::uint8_t index, int code)
    {
        const std::int32_t key = (prefix << 8) | index;
        std::uint32_t slot = hash(key);
        while (keys_[slot] >= 0)
            slot = (slot + 1) & kMask;
        keys_[slot] = key;
        codes_[slot] = static_cast<std::uint16_t>(code);
    }

private:
    static constexpr std::uint32_t kSlots = 8192;  // at most 4096 entries: never more than half full
    static constexpr std::uint32_t kMask = kSlots - 1;
    static std::uint32_t hash(std::int32_t key) { return (static_cast<std::uint32_t>(key) * 2654435761u) >> 19; }

    std::array<std::int32_t, kSlots> keys_{};
    std::array<std::uint16_t, kSlots> codes_{};
};

void compress(CodeStream& out, const IndexedImage& image, int minCodeSize)
{
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    auto table = std::make_unique<StringTable>();
    table->clear();
    int codeSize = minCodeSize + 1;
    int next = endCode + 1;
    out.put(clearCode, codeSize);

    const std::uint8_t* pixels = image.indices.data();
    const size_t count = image.indices.size();
    int prefix = pixels[0];
    for (size_t i = 1; i < count; ++i) {
        const std::uint8_t index = pixels[i];
        const int found = table->find(prefix, index);
        if (found >= 0) {
            prefix = found;
            continue;
        }
        out.put(prefix, codeSize);
        // The reader widens its codes once its table reaches the current width's limit.
        if (next > (1 << codeSize) - 1 && codeSize < kMaxCodeBits)
            ++codeSize;
        if (next < kTableLimit) {
            table->add(prefix, index, next++);
        } else {
            out.put(clearCode, codeSize);
            table->clear();
            codeSize = minCodeSize + 1;
            next = endCode + 1;
        }
        prefix = index;
    }
    out.put(prefix, codeSize);
    if (next > (1 << codeSize) - 1 && codeSize < kMaxCodeBits)
        ++codeSize;
    out.put(endCode, codeSize);
}

void storeUncompressed(CodeStream& out, const IndexedImage& image, int minCodeSize)
{
    const int clearCode = 1 << minCodeSize;
    const int codeSize = minCodeSize + 1;
    // After a clear code a reader adds a table entry for every code but the first; after this many
    // codes the next entry would need a wider code, so the table is cleared first.
    const int codesPerClear = clearCode - 2;
    int sinceClear = codesPerClear;
    for (const std::uint8_t index : image.indices) {
        if (sinceClear == codesPerClear) {
            out.put(clearCode, codeSize);
            sinceClear = 0;
        }
        out.put(index, codeSize);
        ++sinceClear;
    }
    out.put(clearCode + 1, codeSize);
}

}  // namespace

QByteArray GifWriter::write(const IndexedImage& image, bool lzw)
{
    if (image.width > 0xFFFF || image.height > 0xFFFF)
        vipsbridge::fail("SaveToFile", QStringLiteral("the image is too large for a GIF file"));
    int tableBits = 1;
    while ((size_t(1) << tableBits) < image.palette.size())
        ++tableBits;
    const int minCodeSize = std::max(2, tableBits);

    QByteArray bytes;
    ByteSink out(bytes);
    out.text("GIF89a");
    out.le16(static_cast<unsigned>(image.width));
    out.le16(static_cast<unsigned>(image.height));
    out.u8(0x80u | static_cast<unsigned>((tableBits - 1) << 4) | static_cast<unsigned>(tableBits - 1));
    out.u8(0);  // background colour index
    out.u8(0);  // no pixel aspect ratio
    for (size_t i = 0; i < (size_t(1) << tableBits); ++i) {
        const Rgb c = i < image.palette.size() ? image.palette[i] : Rgb{};
        out.u8(c.r);
        out.u8(c.g);
        out.u8(c.b);
    }
    if (image.transparentIndex >= 0) {
        out.u8(0x21);
        out.u8(0xF9);
        out.u8(4);
        out.u8(0x01);  // transparent colour given; no disposal
        out.le16(0);   // no delay
        out.u8(static_cast<unsigned>(image.transparentIndex));
        out.u8(0);
    }
    out.u8(0x2C);
    out.le16(0);
    out.le16(0);
    out.le16(static_cast<unsigned>(image.width));
    out.le16(static_cast<unsigned>(image.height));
    out.u8(0);  // no local palette, not interlaced
    out.u8(static_cast<unsigned>(minCodeSize));
    CodeStream codes(bytes);
    if (lzw)
        compress(codes, image, minCodeSize);
    else
        storeUncompressed(codes, image, minCodeSize);
    codes.finish();
    out.u8(0x3B);
    return bytes;
}

}  // namespace lumora
