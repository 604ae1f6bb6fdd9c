#include "engine/EngineMetadata.h"

#include "engine/ExifEditor.h"
#include "engine/ExifNames.h"
#include "engine/ExifValueText.h"

#include <algorithm>

namespace lumora {

void EngineMetadata::clear()
{
    clearExif();
    byteOrder_ = Exiv2::invalidByteOrder;
    iptc_.clear();
    xmp_.clear();
    jpegSource_.reset();
}

void EngineMetadata::setExif(const Exiv2::ExifData& exif)
{
    exif_ = exif;
    rows_.reset();
}

void EngineMetadata::setPixelDimensions(int width, int height)
{
    const bool hasExifDirectory = std::any_of(exif_.begin(), exif_.end(), [](const Exiv2::Exifdatum& datum) {
        return datum.groupName() == "Photo";
    });
    if (!hasExifDirectory)
        return;
    const auto put = [&](const char* key, int size) {
        const auto found = exif_.findKey(Exiv2::ExifKey(key));
        const bool asShort = found != exif_.end() && found->typeId() == Exiv2::unsignedShort && size <= 0xFFFF;
        if (asShort)
            found->setValue(std::make_unique<Exiv2::UShortValue>(static_cast<std::uint16_t>(size)).get());
        else
            exif_[key] = static_cast<std::uint32_t>(size);
    };
    put("Exif.Photo.PixelXDimension", width);
    put("Exif.Photo.PixelYDimension", height);
    rows_.reset();
}

void EngineMetadata::setOrientationUpright()
{
    const auto found = exif_.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
    if (found == exif_.end() || (found->count() == 1 && found->toLong() == 1))
        return;
    if (found->typeId() == Exiv2::unsignedShort)
        found->setValue(std::make_unique<Exiv2::UShortValue>(std::uint16_t{1}).get());
    else
        *found = std::uint16_t{1};
    rows_.reset();
}

void EngineMetadata::clearExif()
{
    exif_.clear();
    rows_.reset();
}

const std::vector<EngineMetadata::Row>& EngineMetadata::rows() const
{
    if (rows_)
        return *rows_;
    using exifnames::Place;
    // Exiv2 keeps the maker note tag beside the groups it parsed out of it; one row stands for
    // all of it, where the tag stood (or where the first group did, if the tag is gone).
    const bool hasMakerNoteTag = std::any_of(exif_.begin(), exif_.end(), [](const Exiv2::Exifdatum& datum) {
        return exifnames::isMakerNoteTag(datum);
    });
    std::vector<Row> rows;
    bool makerNoteShown = false;
    for (const Exiv2::Exifdatum& datum : exif_) {
        const Place place = exifnames::placeOf(datum);
        if (place == Place::Listed) {
            rows.push_back({exifnames::listedName(datum), exifValueText(datum, byteOrder_)});
        } else if (place == Place::MakerNote && !makerNoteShown &&
                   (exifnames::isMakerNoteTag(datum) || !hasMakerNoteTag)) {
            rows.push_back({exifnames::kMakerNoteName, exifValueText(datum, byteOrder_)});
            makerNoteShown = true;
        }
    }
    rows_ = std::move(rows);
    return *rows_;
}

int EngineMetadata::exifCount() const { return static_cast<int>(rows().size()); }

QString EngineMetadata::exifNameAt(int index) const
{
    const auto& all = rows();
    return index >= 0 && std::size_t(index) < all.size() ? all[std::size_t(index)].name : QString();
}

QString EngineMetadata::exifValueAt(int index) const
{
    const auto& all = rows();
    return index >= 0 && std::size_t(index) < all.size() ? all[std::size_t(index)].value : QString();
}

QString EngineMetadata::exifValueByName(const QString& name) const
{
    for (const Row& row : rows())
        if (row.name == name)
            return row.value;
    return {};
}

bool EngineMetadata::setExifAttribute(const QString& name, const QString& value)
{
    if (!exifeditor::setAttribute(exif_, name, value, byteOrder_))
        return false;
    rows_.reset();
    return true;
}

bool EngineMetadata::deleteExifAttribute(const QString& name)
{
    if (!exifeditor::deleteAttribute(exif_, name))
        return false;
    rows_.reset();
    return true;
}

}  // namespace lumora
