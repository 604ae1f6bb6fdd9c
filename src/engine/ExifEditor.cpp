#include "engine/ExifEditor.h"

#include "engine/ExifNames.h"

#include <exiv2/value.hpp>

#include <memory>
#include <optional>

namespace lumora::exifeditor {

namespace {

enum class Kind { Ascii, Comment, Long };

struct Editable {
    const char* name;
    const char* key;
    Kind kind;
};

constexpr Editable kEditable[] = {
    {"Make", "Exif.Image.Make", Kind::Ascii},
    {"Model", "Exif.Image.Model", Kind::Ascii},
    {"DateTime", "Exif.Image.DateTime", Kind::Ascii},
    {"ImageDescription", "Exif.Image.ImageDescription", Kind::Ascii},
    {"Artist", "Exif.Image.Artist", Kind::Ascii},
    {"Copyright", "Exif.Image.Copyright", Kind::Ascii},
    {"Software", "Exif.Image.Software", Kind::Ascii},
    {"DateTimeOriginal", "Exif.Photo.DateTimeOriginal", Kind::Ascii},
    {"DateTimeDigitized", "Exif.Photo.DateTimeDigitized", Kind::Ascii},
    {"UserComment", "Exif.Photo.UserComment", Kind::Comment},
    {"PixelXDimension", "Exif.Photo.PixelXDimension", Kind::Long},
    {"PixelYDimension", "Exif.Photo.PixelYDimension", Kind::Long},
};

const Editable* editableNamed(const QString& name)
{
    for (const Editable& editable : kEditable)
        if (name == QLatin1String(editable.name))
            return &editable;
    return nullptr;
}

// A whole number 0..4294967295 written in plain digits.
std::optional<std::uint32_t> longOf(const QString& text)
{
    if (text.isEmpty() || text.size() > 10)
        return std::nullopt;
    quint64 value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value > 0xFFFFFFFFu)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

bool isAscii(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() > 0x7F)
            return false;
    return true;
}

// The user comment with its character code: ASCII where the text allows, else UCS-2 in the byte
// order of the EXIF block, as readers expect.
std::unique_ptr<Exiv2::Value> commentValue(const QString& text, Exiv2::ByteOrder order)
{
    std::string bytes;
    if (isAscii(text)) {
        bytes.assign("ASCII\0\0\0", 8);
        bytes += text.toStdString();
    } else {
        bytes.assign("UNICODE\0", 8);
        for (QChar c : text) {
            const char16_t unit = c.unicode();
            const char high = static_cast<char>(unit >> 8);
            const char low = static_cast<char>(unit & 0xFF);
            bytes += order == Exiv2::bigEndian ? high : low;
            bytes += order == Exiv2::bigEndian ? low : high;
        }
    }
    // A comment value knows its byte order, so Exiv2 turns the UCS-2 round when it writes a
    // block of the other order (a TIFF file keeps its own).
    auto value = std::make_unique<Exiv2::CommentValue>();
    value->read(reinterpret_cast<const Exiv2::byte*>(bytes.data()), static_cast<long>(bytes.size()), order);
    return value;
}

std::unique_ptr<Exiv2::Value> valueFor(const Editable& editable, const QString& text, Exiv2::ByteOrder order)
{
    switch (editable.kind) {
    case Kind::Ascii: {
        auto value = std::make_unique<Exiv2::AsciiValue>();
        // The count includes the closing NUL, also of an empty text.
        value->read(text.toStdString() + '\0');
        return value;
    }
    case Kind::Comment:
        return commentValue(text, order);
    case Kind::Long: {
        const std::optional<std::uint32_t> number = longOf(text);
        if (!number)
            return nullptr;
        return std::make_unique<Exiv2::ULongValue>(*number);
    }
    }
    return nullptr;
}

}  // namespace

bool setAttribute(Exiv2::ExifData& exif, const QString& name, const QString& value, Exiv2::ByteOrder order)
{
    const Editable* editable = editableNamed(name);
    if (!editable)
        return false;
    if (order == Exiv2::invalidByteOrder)
        order = Exiv2::littleEndian;
    const std::unique_ptr<Exiv2::Value> newValue = valueFor(*editable, value, order);
    if (!newValue)
        return false;
    const Exiv2::ExifKey key(editable->key);
    auto found = exif.findKey(key);
    if (found == exif.end()) {
        exif.add(key, newValue.get());
        return true;
    }
    found->setValue(newValue.get());
    // Only one of each: later copies of the attribute would contradict the new value.
    for (auto it = std::next(found); it != exif.end();)
        it = it->key() == key.key() ? exif.erase(it) : std::next(it);
    return true;
}

bool deleteAttribute(Exiv2::ExifData& exif, const QString& name)
{
    const bool makerNote = name == exifnames::kMakerNoteName;
    bool removed = false;
    for (auto it = exif.begin(); it != exif.end();) {
        const exifnames::Place place = exifnames::placeOf(*it);
        const bool match = makerNote ? place == exifnames::Place::MakerNote
                                     : place == exifnames::Place::Listed && exifnames::listedName(*it) == name;
        if (match) {
            it = exif.erase(it);
            removed = true;
        } else {
            ++it;
        }
    }
    return removed;
}

}  // namespace lumora::exifeditor
