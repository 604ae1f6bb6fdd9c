#pragma once

// The metadata the engine holds with its image: EXIF, IPTC and the XMP packet of the file it was
// loaded from, with the edits made since. The colour profile and resolution travel with the
// libvips image instead. Internal to the engine.

#include "engine/IptcStore.h"
#include "engine/JpegSource.h"

#include <QString>

#include <exiv2/exif.hpp>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumora {

class EngineMetadata {
public:
    void clear();

    // The listed EXIF attributes (see ImageBox): names and value texts by index.
    int exifCount() const;
    QString exifNameAt(int index) const;
    QString exifValueAt(int index) const;
    QString exifValueByName(const QString& name) const;
    bool setExifAttribute(const QString& name, const QString& value);
    bool deleteExifAttribute(const QString& name);
    void clearExif();

    // Puts the image's size into PixelXDimension and PixelYDimension where the EXIF has an Exif
    // directory, keeping their type where the size fits it.
    void setPixelDimensions(int width, int height);

    // Sets an Orientation other than 1 (upright) to 1, in its own type; an EXIF without one
    // stays without.
    void setOrientationUpright();

    const Exiv2::ExifData& exif() const { return exif_; }
    void setExif(const Exiv2::ExifData& exif);
    // Byte order of the EXIF block as loaded; invalidByteOrder when there was none.
    Exiv2::ByteOrder byteOrder() const { return byteOrder_; }
    void setByteOrder(Exiv2::ByteOrder order) { byteOrder_ = order; }

    IptcStore& iptc() { return iptc_; }
    const IptcStore& iptc() const { return iptc_; }

    const std::string& xmpPacket() const { return xmp_; }
    void setXmpPacket(std::string packet) { xmp_ = std::move(packet); }

    // The JPEG file the metadata was read from; null for any other source.
    const std::shared_ptr<const JpegSource>& jpegSource() const { return jpegSource_; }
    void setJpegSource(std::shared_ptr<const JpegSource> source) { jpegSource_ = std::move(source); }

private:
    struct Row {
        QString name;
        QString value;
    };
    // The listing is built when first asked for and dropped on every change: a pane reads it row
    // by row, which must not walk the whole EXIF for each row.
    const std::vector<Row>& rows() const;

    Exiv2::ExifData exif_;
    Exiv2::ByteOrder byteOrder_ = Exiv2::invalidByteOrder;
    IptcStore iptc_;
    std::string xmp_;
    std::shared_ptr<const JpegSource> jpegSource_;
    mutable std::optional<std::vector<Row>> rows_;
};

}  // namespace lumora
