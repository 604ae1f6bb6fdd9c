#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>

#include <optional>

namespace lumora::players {

// One picture of a package: where its JPEG bytes lie in the file.
struct PackagedPicture {
    QString name;
    qint64 offset = 0;
    qint64 length = 0;
};

// The slide show's options record: background colour and seconds per picture.
struct SlideShowOptions {
    QColor background = Qt::black;
    int intervalSeconds = 3;
};

// What a package's trailer and index say. Lumora appends to a player's own executable the
// pictures, the slide show's 6-byte options record, a text index of "name;offset;length;" lines
// (and one "OPTIONS;offset;" line) ending in CR LF, and a 15-byte trailer: 8 and 11 as
// little-endian 16-bit values, the index offset in ten blank-padded digits and a zero byte.
struct PackageIndex {
    QList<PackagedPicture> pictures;
    std::optional<qint64> optionsOffset;
};

// Reads the trailer and index text of a package file. Every number is checked against the file:
// a hostile or truncated package gives an error text, never an out-of-range read.
class ShowPackage {
public:
    static constexpr int kTrailerSize = 15;
    static constexpr int kOptionsSize = 6;

    // Opens the package; on failure error() tells why in one sentence.
    explicit ShowPackage(const QString& path);

    bool isValid() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }
    const QList<PackagedPicture>& pictures() const { return index_.pictures; }

    // The JPEG bytes of picture i, or an empty array when they cannot be read.
    QByteArray pictureBytes(int i) const;
    // The options record; the defaults when the package has none.
    SlideShowOptions slideShowOptions() const;

    // Parses the trailer (its last 15 bytes) into the index offset, given the file's size.
    static std::optional<qint64> indexOffsetFromTrailer(const QByteArray& trailer, qint64 fileSize);
    // Parses the index text; every picture must lie within [0, limit).
    static std::optional<PackageIndex> parseIndex(const QByteArray& text, qint64 limit);
    // An OLE colour (0x00BBGGRR; the high bit marks a system colour) as a colour on screen.
    static QColor colourFromOle(quint32 ole);

private:
    QByteArray readAt(qint64 offset, qint64 length) const;

    QString path_;
    QString error_;
    qint64 indexOffset_ = 0;
    PackageIndex index_;
};

}  // namespace lumora::players
