#include "ShowPackage.h"

#include <QFile>
#include <QtEndian>

namespace lumora::players {

namespace {

// Bounds that no real package comes near; a larger claim is taken as damage.
constexpr qint64 kMaxIndexBytes = 16 * 1024 * 1024;
constexpr qint64 kMaxPictureBytes = 512 * 1024 * 1024;
constexpr int kMaxPictures = 100000;

std::optional<qint64> decimal(const QByteArray& digits)
{
    if (digits.isEmpty() || digits.size() > 15)
        return std::nullopt;
    qint64 value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

ShowPackage::ShowPackage(const QString& path) : path_(path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("The show cannot be read (%1).").arg(file.errorString());
        return;
    }
    const qint64 size = file.size();
    const auto offset = size >= kTrailerSize
        ? indexOffsetFromTrailer(readAt(size - kTrailerSize, kTrailerSize), size)
        : std::nullopt;
    if (!offset) {
        error_ = QStringLiteral("This player holds no show, or the show is damaged or truncated.");
        return;
    }
    indexOffset_ = *offset;
    const qint64 indexLength = size - kTrailerSize - indexOffset_;
    const QByteArray text = indexLength <= kMaxIndexBytes ? readAt(indexOffset_, indexLength) : QByteArray();
    auto index = text.size() == indexLength ? parseIndex(text, indexOffset_) : std::nullopt;
    if (!index) {
        error_ = QStringLiteral("The show's index is damaged or truncated.");
        return;
    }
    if (index->pictures.isEmpty()) {
        error_ = QStringLiteral("The show holds no pictures.");
        return;
    }
    index_ = std::move(*index);
}

std::optional<qint64> ShowPackage::indexOffsetFromTrailer(const QByteArray& trailer, qint64 fileSize)
{
    if (trailer.size() != kTrailerSize)
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const uchar*>(trailer.constData());
    if (qFromLittleEndian<quint16>(bytes) != 8 || qFromLittleEndian<quint16>(bytes + 2) != 11
        || trailer.at(14) != '\0')
        return std::nullopt;
    // Left-aligned digits, then blanks only.
    const QByteArray field = trailer.mid(4, 10);
    const qsizetype end = field.indexOf(' ');
    const QByteArray digits = end < 0 ? field : field.left(end);
    if (end >= 0 && field.mid(end).count(' ') != field.size() - end)
        return std::nullopt;
    const auto offset = decimal(digits);
    if (!offset || *offset > fileSize - kTrailerSize)
        return std::nullopt;
    return offset;
}

std::optional<PackageIndex> ShowPackage::parseIndex(const QByteArray& text, qint64 limit)
{
    PackageIndex index;
    // The lines end in CR LF; a lone LF is taken too, so an index edited on Linux still plays.
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (!line.endsWith(';'))
            return std::nullopt;
        line.chop(1);
        // The name may itself hold ";", so the numbers are taken from the right.
        const qsizetype lastSep = line.lastIndexOf(';');
        if (lastSep < 0)
            return std::nullopt;
        const auto last = decimal(line.mid(lastSep + 1));
        const QByteArray head = line.left(lastSep);
        if (!last)
            return std::nullopt;
        if (head == "OPTIONS") {
            if (*last > limit - kOptionsSize)
                return std::nullopt;
            index.optionsOffset = *last;
            continue;
        }
        const qsizetype nameSep = head.lastIndexOf(';');
        const auto offset = nameSep < 0 ? std::nullopt : decimal(head.mid(nameSep + 1));
        if (!offset || *last <= 0 || *last > kMaxPictureBytes || *offset > limit - *last
            || index.pictures.size() >= kMaxPictures)
            return std::nullopt;
        const QByteArray name = head.left(nameSep);
        const QString decoded = QString::fromUtf8(name);
        index.pictures.append({decoded.contains(QChar::ReplacementCharacter) ? QString::fromLatin1(name) : decoded,
                               *offset, *last});
    }
    return index;
}

QColor ShowPackage::colourFromOle(quint32 ole)
{
    if (ole & 0x80000000u) {
        // System colours: the dark ones a show would be set on, else the window colour.
        switch (ole & 0xFFu) {
        case 1:  // desktop
        case 7:  // window text
        case 18: // button text
            return Qt::black;
        default:
            return Qt::white;
        }
    }
    return QColor(int(ole & 0xFF), int((ole >> 8) & 0xFF), int((ole >> 16) & 0xFF));
}

QByteArray ShowPackage::pictureBytes(int i) const
{
    if (i < 0 || i >= index_.pictures.size())
        return {};
    const PackagedPicture& picture = index_.pictures.at(i);
    return readAt(picture.offset, picture.length);
}

SlideShowOptions ShowPackage::slideShowOptions() const
{
    SlideShowOptions options;
    if (!index_.optionsOffset)
        return options;
    const QByteArray record = readAt(*index_.optionsOffset, kOptionsSize);
    if (record.size() != kOptionsSize)
        return options;
    const auto* bytes = reinterpret_cast<const uchar*>(record.constData());
    options.background = colourFromOle(qFromLittleEndian<quint32>(bytes));
    const qint16 seconds = qFromLittleEndian<qint16>(bytes + 4);
    // Lumora's dialog offers 1 to 9 seconds; anything else the show keeps within reason.
    options.intervalSeconds = seconds <= 0 ? 3 : qMin<int>(seconds, 3600);
    return options;
}

QByteArray ShowPackage::readAt(qint64 offset, qint64 length) const
{
    QFile file(path_);
    if (length < 0 || !file.open(QIODevice::ReadOnly) || !file.seek(offset))
        return {};
    QByteArray bytes = file.read(length);
    return bytes.size() == length ? bytes : QByteArray();
}

}  // namespace lumora::players
