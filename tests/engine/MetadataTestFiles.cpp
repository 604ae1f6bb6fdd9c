#include "MetadataTestFiles.h"

#include "support/Oracles.h"

using lumora::test::ToolResult;
using lumora::test::runTool;

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace lumora::test::metafiles {

void makePlainJpeg(const QString& path, int width, int height)
{
    const ToolResult made = runTool(QStringLiteral("convert"), {QStringLiteral("-size"),
                                                                QStringLiteral("%1x%2").arg(width).arg(height),
                                                                QStringLiteral("gradient:orange-navy"),
                                                                QStringLiteral("-strip"), path});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
}

bool exiftoolWrite(const QString& path, const QStringList& arguments)
{
    const ToolResult result = runTool(QStringLiteral("exiftool"),
                                      QStringList{QStringLiteral("-q"), QStringLiteral("-m"),
                                                  QStringLiteral("-overwrite_original")} +
                                          arguments + QStringList{path});
    if (result.exitCode != 0)
        ADD_FAILURE() << "exiftool: " << result.err.toStdString();
    return result.exitCode == 0;
}

QJsonObject exiftoolJson(const QString& path, const QStringList& arguments)
{
    const ToolResult result = runTool(QStringLiteral("exiftool"),
                                      QStringList{QStringLiteral("-j"), QStringLiteral("-G1")} + arguments +
                                          QStringList{path});
    const QJsonArray all = QJsonDocument::fromJson(result.out.toUtf8()).array();
    return all.isEmpty() ? QJsonObject() : all.first().toObject();
}

QList<Exiv2Row> exiv2Rows(const QString& path)
{
    const ToolResult result = runTool(QStringLiteral("exiv2"), {QStringLiteral("-u"), QStringLiteral("-Pkyv"), path});
    static const QRegularExpression line(QStringLiteral("^(\\S+)\\s+(\\S+)(?:\\s(.*))?$"));
    QList<Exiv2Row> rows;
    for (const QString& text : result.out.split(u'\n', Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = line.match(text);
        if (match.hasMatch())
            rows.append({match.captured(1), match.captured(2), match.captured(3).trimmed()});
    }
    return rows;
}

Exiv2Row exiv2Row(const QString& path, const QString& key)
{
    for (const Exiv2Row& row : exiv2Rows(path))
        if (row.key == key)
            return row;
    return {};
}

QByteArray jpegScanData(const QByteArray& jpeg)
{
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        const uchar marker = uchar(jpeg[at + 1]);
        if (marker == 0xDA)
            return jpeg.mid(at);
        at += 2 + ((uchar(jpeg[at + 2]) << 8) | uchar(jpeg[at + 3]));
    }
    return {};
}

QByteArray jpegWithIptcBlock(const QByteArray& jpeg, const QByteArray& iim)
{
    QByteArray resource("8BIM\x04\x04\x00\x00", 8);  // type, id 0x0404, empty name (padded)
    const quint32 size = quint32(iim.size());
    resource += char(size >> 24);
    resource += char(size >> 16);
    resource += char(size >> 8);
    resource += char(size);
    resource += iim;
    if (iim.size() % 2)
        resource += '\0';
    QByteArray payload = QByteArray("Photoshop 3.0", 14) + resource;
    QByteArray segment("\xFF\xED", 2);
    const int length = int(payload.size()) + 2;
    segment += char(length >> 8);
    segment += char(length & 0xFF);
    segment += payload;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

qsizetype exifTiffStart(const QByteArray& jpeg)
{
    const qsizetype exif = jpeg.indexOf(QByteArray("Exif\0\0", 6));
    return exif < 0 ? -1 : exif + 6;
}

}  // namespace lumora::test::metafiles
