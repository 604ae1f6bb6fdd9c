#include "engine/ExifNames.h"

#include <exiv2/tags.hpp>

#include <cstring>

namespace lumora::exifnames {

namespace {

constexpr std::uint16_t kMakerNoteTag = 0x927C;

struct Rename {
    const char* group;
    std::uint16_t tag;
    const char* name;
};

// Where Lumora's names differ from Exiv2's: the IFD pointers, one tag whose name the TIFF tables
// have always spelt that way, and two Exif IFD tags under the names the metadata pane knows.
constexpr Rename kRenames[] = {
    {"Image", 0x8769, "ExifOffset"},
    {"Image", 0x8825, "GPSInfo"},
    {"Photo", 0xA005, "InteroperabilityOffset"},
    {"Image", 0x0107, "Threshholding"},
    {"Photo", 0xA000, "FlashPixVersion"},
    {"Photo", 0xA004, "RelatedAudioFile"},
};

// IFD0 tags that carry other kinds of metadata inside a TIFF: IPTC, XMP, Photoshop resources and
// the colour profile.
constexpr std::uint16_t kContainerTags[] = {0x83BB, 0x02BC, 0x8649, 0x8773};

bool isListedGroup(const std::string& group)
{
    return group == "Image" || group == "Photo" || group == "GPSInfo" || group == "Iop";
}

}  // namespace

bool isMakerNoteTag(const Exiv2::Exifdatum& datum)
{
    return datum.tag() == kMakerNoteTag && datum.groupName() == "Photo";
}

Place placeOf(const Exiv2::Exifdatum& datum)
{
    const std::string group = datum.groupName();
    if (isListedGroup(group))
        return isMakerNoteTag(datum) ? Place::MakerNote : Place::Listed;
    if (group == "MakerNote" || Exiv2::ExifTags::isMakerGroup(group))
        return Place::MakerNote;
    return Place::Elsewhere;
}

bool keptByEngine(const Exiv2::Exifdatum& datum)
{
    const Place place = placeOf(datum);
    if (place == Place::Elsewhere)
        return false;
    if (place == Place::Listed && datum.groupName() == "Image")
        for (std::uint16_t tag : kContainerTags)
            if (datum.tag() == tag)
                return false;
    return true;
}

QString listedName(const Exiv2::Exifdatum& datum)
{
    const std::string group = datum.groupName();
    for (const Rename& rename : kRenames)
        if (datum.tag() == rename.tag && group == rename.group)
            return QString::fromLatin1(rename.name);
    return QString::fromStdString(datum.tagName());
}

}  // namespace lumora::exifnames
