#include "output/NamingValue.h"

#include "core/Conversions.h"
#include "core/clsFileInfo.h"
#include "engine/ImageBox.h"
#include "output/EngineFormatCode.h"
#include "output/NamingDateText.h"

#include <QFileInfo>

namespace lumora {
namespace {

QString joinedPair(const QString& first, const QString& separator, const QString& second)
{
    if (first.isEmpty() && second.isEmpty())
        return {};
    return first + separator + second;
}

// The first of the photo's date attributes that holds a date; now when none does.
QDateTime exifDate(const ImageBox& engine)
{
    const int count = engine.ExifCount();
    for (int i = 0; i < count; ++i) {
        const QString name = engine.ExifNameAt(i).trimmed();
        if (name.compare(u"DateTime", Qt::CaseInsensitive) != 0
            && name.compare(u"DateTimeOriginal", Qt::CaseInsensitive) != 0
            && name.compare(u"DateTimeDigitized", Qt::CaseInsensitive) != 0)
            continue;
        const QDateTime date = ImageBox::ExifDateToDate(engine.ExifValueAt(i).trimmed());
        if (date != ImageBox::ZeroDate())
            return date;
    }
    return QDateTime::currentDateTime();
}

QString resultingSize(const ImageBox& engine, const QString& outputExtension)
{
    const int code = formatCodeOfExtension(outputExtension);
    if (code < 0)
        return {};
    const double kilobytes = convert::roundHalfEven(static_cast<double>(engine.EstimatedFileSize(code)) / 1024.0);
    return QString::number(static_cast<qint64>(kilobytes)) + QStringLiteral("Kb");
}

// Not every file system records when a file was made; the time its entry last changed is the
// nearest fact there is (the file information pane makes the same choice).
QDateTime createdTime(const QFileInfo& info)
{
    const QDateTime born = info.birthTime();
    return born.isValid() ? born : info.metadataChangeTime();
}

QString fileTimeText(const QDateTime& time)
{
    return time.isValid() ? namingDateTimeText(time.toLocalTime()) : QString();
}

QString iptcText(const ImageBox& engine, IptcField field)
{
    return engine.HasIptc() ? engine.IptcText(field) : QString();
}

QString iptcDate(const ImageBox& engine, IptcField field)
{
    return engine.HasIptc() ? namingDateTimeText(engine.IptcDate(field)) : QString();
}

}  // namespace

namespace {

QString namingValue(const ImageBox& engine, const QString& token, const QString& sourcePath,
                    const QString& outputExtension);

}  // namespace

QString fncRetrieveNamingString(const ImageBox& engine, const QString& token, const QString& sourcePath,
                                const QString& outputExtension)
{
    // A name never carries a NUL (the file system would cut the name there, extension and all)
    // nor the blanks that pad metadata texts; the person's own text stays as typed.
    QString value = namingValue(engine, token, sourcePath, outputExtension);
    if (!token.startsWith(u"[EXIF") && !token.startsWith(u"[IPTC"))
        return value;
    const qsizetype nul = value.indexOf(QChar(0));
    if (nul >= 0)
        value.truncate(nul);
    qsizetype end = value.size();
    while (end > 0 && value.at(end - 1).isSpace())
        --end;
    value.truncate(end);
    return value;
}

namespace {

QString namingValue(const ImageBox& engine, const QString& token, const QString& sourcePath,
                    const QString& outputExtension)
{
    if (!engine.HasImage())
        return {};

    if (token == u"[No Prefix]")
        return {};
    if (token == u"[Resulting resolution]")
        return QStringLiteral("%1x%2").arg(engine.ImageWidth()).arg(engine.ImageHeight());
    if (token == u"[Resulting size]")
        return resultingSize(engine, outputExtension);
    if (token == u"[Date Today-Time]")
        return namingDateTimeText(QDateTime::currentDateTime());
    if (token == u"[Date Today]")
        return namingDateText(QDate::currentDate());
    if (token == u"[Source resolution]")
        return engine.Tag();
    if (token == u"[Source size]") {
        clsFileInfo info;
        info.setFilePath(sourcePath);
        return info.fSizeFormated();
    }
    if (token == u"[Source Date Created]")
        return fileTimeText(createdTime(QFileInfo(sourcePath)));
    if (token == u"[Source Date Modified]")
        return fileTimeText(QFileInfo(sourcePath).lastModified());
    if (token == u"[Source Date Accessed]")
        return fileTimeText(QFileInfo(sourcePath).lastRead());

    if (token == u"[EXIF Image Description]")
        return engine.ExifValueByName(QStringLiteral("ImageDescription"));
    if (token == u"[EXIF Artist]")
        return engine.ExifValueByName(QStringLiteral("Artist"));
    if (token == u"[EXIF Make]")
        return engine.ExifValueByName(QStringLiteral("Make"));
    if (token == u"[EXIF Model]")
        return engine.ExifValueByName(QStringLiteral("Model"));
    if (token == u"[EXIF Make & Model]")
        return joinedPair(engine.ExifValueByName(QStringLiteral("Make")), QStringLiteral("-"),
                          engine.ExifValueByName(QStringLiteral("Model")));
    if (token == u"[EXIF X-Y Dimension]")
        return joinedPair(engine.ExifValueByName(QStringLiteral("PixelXDimension")), QStringLiteral("x"),
                          engine.ExifValueByName(QStringLiteral("PixelYDimension")));
    if (token == u"[EXIF Date]")
        return engine.ExifCount() == 0 ? QString() : namingDateText(exifDate(engine).date());
    if (token == u"[EXIF Date-Time]")
        return engine.ExifCount() == 0 ? QString() : namingDateTimeText(exifDate(engine));

    if (token == u"[IPTC Headline]")
        return iptcText(engine, IptcField::Headline);
    if (token == u"[IPTC Caption]")
        return iptcText(engine, IptcField::Caption);
    if (token == u"[IPTC Author]")
        return iptcText(engine, IptcField::ByLine);
    if (token == u"[IPTC Date Created]")
        return iptcDate(engine, IptcField::DateCreated);
    if (token == u"[IPTC Date Released]")
        return iptcDate(engine, IptcField::DateReleased);
    if (token == u"[IPTC Ref. Date]")
        return iptcDate(engine, IptcField::ReferenceDate);
    if (token == u"[IPTC Ref. Number]")
        return iptcText(engine, IptcField::ReferenceNumber);

    return token;
}

}  // namespace

}  // namespace lumora
