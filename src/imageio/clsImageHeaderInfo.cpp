#include "imageio/clsImageHeaderInfo.h"

#include "core/Conversions.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cmath>

namespace lumora {

namespace {

// A few header bytes; no read takes more than a TIFF directory entry.
using Bytes = std::array<std::uint8_t, 12>;

quint32 le16(const Bytes& b, int i) { return b[i] | (quint32{b[i + 1]} << 8); }
quint32 le32(const Bytes& b, int i) { return le16(b, i) | (le16(b, i + 2) << 16); }
quint32 be16(const Bytes& b, int i) { return (quint32{b[i]} << 8) | b[i + 1]; }
quint32 be32(const Bytes& b, int i) { return (be16(b, i) << 16) | be16(b, i + 2); }

bool hasType(const Bytes& b, int i, const char (&type)[5])
{
    return std::equal(type, type + 4, b.begin() + i, [](char c, std::uint8_t byte) { return c == byte; });
}

// Low 16 bits as a signed value: what a 16-bit field keeps of a wider one.
std::int16_t low16(qint64 value) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF)); }

}  // namespace

// The open file. Only regular files are read: a pipe or device could block or never end.
class clsImageHeaderInfo::Reader {
public:
    explicit Reader(const QString& path)
    {
        if (!QFileInfo(path).isFile())
            return;
        file_.setFileName(path);
        if (file_.open(QIODevice::ReadOnly))
            size_ = file_.size();
    }

    // Open and not empty.
    bool usable() const { return file_.isOpen() && size_ > 0; }
    qint64 size() const { return size_; }

    // n bytes at pos; bytes past the end of the file (or that fail to read) are 0.
    Bytes read(qint64 pos, int n)
    {
        Bytes out{};
        if (pos < 0 || pos >= size_ || !file_.seek(pos))
            return out;
        const qint64 wanted = std::min<qint64>({n, static_cast<qint64>(out.size()), size_ - pos});
        file_.read(reinterpret_cast<char*>(out.data()), wanted);
        return out;
    }

private:
    QFile file_;
    qint64 size_ = 0;
};

void clsImageHeaderInfo::setWidth(qint64 value)
{
    fullWidth_ = value;
    width_ = low16(value);
}

void clsImageHeaderInfo::setHeight(qint64 value)
{
    fullHeight_ = value;
    height_ = low16(value);
}

void clsImageHeaderInfo::setDpi(qint64 value)
{
    fullDpi_ = value;
    dpi_ = low16(value);
}

bool clsImageHeaderInfo::ReadGIF_BMP_Header(const QString& sFileName)
{
    setWidth(0);
    setHeight(0);
    bitsPerPixel_ = 0;
    format_ = HeaderFormat::None;

    Reader file(sFileName);
    if (!file.usable())
        return false;
    const Bytes head = file.read(0, 12);
    if (head[0] == 'G' && head[1] == 'I' && head[2] == 'F') {
        format_ = HeaderFormat::GIF;
        setWidth(le16(head, 6));
        setHeight(le16(head, 8));
        bitsPerPixel_ = static_cast<std::uint8_t>((head[10] & 7) + 1);
        return true;
    }
    if (head[0] == 'B' && head[1] == 'M') {
        format_ = HeaderFormat::BMP;
        // An OS/2 bitmap's 12-byte core header holds 16-bit width, height, planes and bit count.
        if (le32(file.read(14, 4), 0) == 12) {
            const Bytes core = file.read(18, 8);
            setWidth(le16(core, 0));
            setHeight(le16(core, 2));
            bitsPerPixel_ = core[6];
            return true;
        }
        // Width and height are 32-bit signed fields at 18 and 22; a negative height marks a
        // top-down image. The 16-bit fields keep the low halves, as the first reader did.
        const Bytes info = file.read(18, 11);
        setWidth(static_cast<std::int32_t>(le32(info, 0)));
        const auto rows = static_cast<std::int32_t>(le32(info, 4));
        height_ = low16(rows);
        fullHeight_ = std::abs(qint64{rows});
        bitsPerPixel_ = info[10];
        return true;
    }
    return false;
}

bool clsImageHeaderInfo::ReadJPEG_TIFF_PNG_Header(const QString& filename)
{
    setWidth(0);
    setHeight(0);
    setDpi(0);
    bitsPerPixel_ = 0;
    gray_ = false;
    format_ = HeaderFormat::None;
    orientation_ = 1;

    Reader file(filename);
    if (!file.usable())
        return false;
    const Bytes magic = file.read(0, 2);
    if (magic[0] == 'I' && magic[1] == 'I') {
        format_ = HeaderFormat::TIFF;
        return readTIFF(file);
    }
    if (magic[0] == 0xFF && magic[1] == 0xD8) {
        format_ = HeaderFormat::JPEG;
        readJPEG(file);
        return true;
    }
    if (magic[0] == 0x89 && magic[1] == 'P') {
        format_ = HeaderFormat::PNG;
        return readPNG(file);
    }
    // Big-endian TIFF ("MM") and everything else.
    return false;
}

bool clsImageHeaderInfo::readTIFF(Reader& file)
{
    const Bytes head = file.read(2, 6);
    if (head[0] != 42)
        return false;
    // Only the first IFD is read, so there is no chain of IFD offsets to loop over. Entries past
    // the end of the file would read as tag 0, which means nothing: the walk stops there.
    const qint64 ifd = le32(head, 2);
    const quint32 count = le16(file.read(ifd, 2), 0);
    quint32 numerator = 0;
    quint32 denominator = 0;
    int unit = 0;  // missing: taken as centimetres
    for (quint32 i = 0; i < count; ++i) {
        const qint64 at = ifd + 2 + 12 * qint64{i};
        if (at >= file.size())
            break;
        const Bytes entry = file.read(at, 12);
        const quint32 tag = le16(entry, 0);
        const bool isShort = le16(entry, 2) == 3;
        // The 16-bit fields take the low half of the 32-bit value either way; the full values
        // honour SHORT entries, whose upper two bytes are padding.
        const quint32 value = le32(entry, 8);
        switch (tag) {
        case 256:
            setWidth(isShort ? le16(entry, 8) : value);
            break;
        case 257:
            setHeight(isShort ? le16(entry, 8) : value);
            break;
        case 282: {  // XResolution: value is the offset of a rational
            const Bytes rational = file.read(value, 8);
            numerator = le32(rational, 0);
            denominator = le32(rational, 4);
            break;
        }
        case 296:
            unit = entry[8];
            break;
        case 274:
            orientation_ = static_cast<int>(le16(entry, 8));
            break;
        default:
            break;
        }
    }
    // Computed from whole numbers so that exact halves and exact products are exact: the
    // scaled numerators are integers a double holds exactly, and one correctly rounded
    // division cannot move a quotient across a half or a whole. A zero denominator says nothing
    // about the resolution, which stays 0.
    if (denominator != 0) {
        if (unit == 2)
            setDpi(static_cast<qint64>(convert::roundHalfEven(double(numerator) / double(denominator))));
        else
            setDpi(static_cast<qint64>(std::floor(double(numerator) * 254.0 / (double(denominator) * 100.0))));
    }
    bitsPerPixel_ = 24;
    return true;
}

void clsImageHeaderInfo::readJPEG(Reader& file)
{
    // Marker by marker after the start of image: FF, type, big-endian length that counts itself.
    // Segments are stepped over, not read; only the few bytes used are.
    qint64 at = 2;
    for (int step = 0; step < kMaxSegments && at + 4 <= file.size(); ++step) {
        const Bytes marker = file.read(at, 4);
        if (marker[0] != 0xFF)
            break;  // normally the compressed data after the scan header
        const int type = marker[1];
        const qint64 length = be16(marker, 2);
        if (length < 2)
            break;  // a length shorter than itself: nothing sensible follows
        const qint64 dataLength = length - 2;
        const qint64 data = at + 4;
        if (type == 224 && dataLength >= 10) {  // APP0 (JFIF)
            const Bytes app0 = file.read(data, 10);
            const qint64 density = be16(app0, 8);
            if (app0[7] == 1)
                setDpi(density);
            else if (app0[7] == 2)
                setDpi(static_cast<qint64>(convert::roundHalfEven(double(density * 254) / 100.0)));
        } else if (type == 225 && dataLength >= 14) {  // APP1, maybe EXIF
            readExifOrientation(file, data, dataLength);
        } else if (type == 192 && dataLength >= 6) {  // SOF0, baseline frame
            const Bytes frame = file.read(data, 6);
            setHeight(be16(frame, 1));
            setWidth(be16(frame, 3));
            gray_ = frame[5] == 1;
        }
        at = data + dataLength;
    }
    // Tested on the full value: "no resolution given", not a resolution that wrapped to 0.
    if (fullDpi_ == 0)
        setDpi(1);
    bitsPerPixel_ = 24;
}

void clsImageHeaderInfo::readExifOrientation(Reader& file, qint64 data, qint64 length)
{
    // "Exif" 0 0, then a TIFF header in either byte order and IFD0, whose entries are read one
    // by one within the segment; the first Orientation entry (tag 274) counts.
    const Bytes id = file.read(data, 10);
    if (!(id[0] == 'E' && id[1] == 'x' && id[2] == 'i' && id[3] == 'f' && id[4] == 0 && id[5] == 0))
        return;
    const bool little = id[6] == 'I' && id[7] == 'I';
    if (!little && !(id[6] == 'M' && id[7] == 'M'))
        return;
    const auto u16 = [little](const Bytes& b, int i) { return little ? le16(b, i) : be16(b, i); };
    const auto u32 = [little](const Bytes& b, int i) { return little ? le32(b, i) : be32(b, i); };
    const qint64 tiff = data + 6;
    const qint64 end = data + length;
    const qint64 ifd = tiff + u32(file.read(tiff + 4, 4), 0);
    if (ifd + 2 > end)
        return;
    const quint32 count = u16(file.read(ifd, 2), 0);
    for (quint32 i = 0; i < count; ++i) {
        const qint64 at = ifd + 2 + 12 * qint64{i};
        if (at + 12 > end)
            return;
        const Bytes entry = file.read(at, 12);
        if (u16(entry, 0) == 274 && u16(entry, 2) == 3) {
            orientation_ = static_cast<int>(u16(entry, 8));
            return;
        }
    }
}

bool clsImageHeaderInfo::readPNG(Reader& file)
{
    const Bytes signature = file.read(2, 6);
    if (!(signature[0] == 'N' && signature[1] == 'G' && signature[2] == 13 && signature[3] == 10 &&
          signature[4] == 26 && signature[5] == 10))
        return false;
    // Chunk by chunk: big-endian length, type, data, CRC. Data is stepped over, never read
    // whole, so a huge or lying length costs one seek.
    qint64 at = 8;
    for (int step = 0; step < kMaxSegments && at + 8 <= file.size(); ++step) {
        const Bytes chunk = file.read(at, 8);
        const qint64 length = be32(chunk, 0);
        const qint64 data = at + 8;
        if (hasType(chunk, 4, "IHDR") && length >= 10) {
            const Bytes ihdr = file.read(data, 10);
            setWidth(be32(ihdr, 0));
            setHeight(be32(ihdr, 4));
            bitsPerPixel_ = ihdr[8];
            if (ihdr[8] == 8) {
                const int colourType = ihdr[9];
                if (colourType == 0 || colourType == 4)
                    gray_ = true;
                else if (colourType == 2 || colourType == 6)
                    bitsPerPixel_ = 24;
            }
        } else if (hasType(chunk, 4, "pHYs") && length >= 9) {
            const Bytes phys = file.read(data, 9);
            if (phys[8] == 1)  // pixels per metre
                setDpi(static_cast<qint64>(convert::roundHalfEven(double(qint64{be32(phys, 0)} * 254) / 10000.0)));
        } else if (hasType(chunk, 4, "IDAT") || hasType(chunk, 4, "IEND")) {
            break;
        }
        at = data + length + 4;
    }
    return true;
}

}  // namespace lumora
