#include "MetadataTestFiles.h"

#include <QRegularExpression>

namespace lumora::test::metafiles {

void makePlainJpeg(const QString& path, int width, int height)
{
    const ToolResult made = runTool("convert", {"-size", QStringLiteral("%1x%2").arg(width).arg(height),
                                                "gradient:orange-navy", "-strip", path});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
}

bool exiftoolWrite(const QString& path, const QStringList& arguments)
{
    const ToolResult result =
        runTool("exiftool", QStringList{"-q", "-m", "-overwrite_original"} + arguments + QStringList{path});
    if (result.exitCode != 0)
        ADD_FAILURE() << "exiftool: " << result.err.toStdString();
    return result.exitCode == 0;
}

std::string exiftoolValues(const QString& path, const QStringList& tags)
{
    QStringList arguments{"-s3", "-f", "-sep", "|"};
    for (const QString& tag : tags)
        arguments << u'-' + tag;
    return runTool("exiftool", arguments << path).out.trimmed().toStdString();
}

QList<Exiv2Row> exiv2Rows(const QString& path)
{
    static const QRegularExpression line("^(\\S+)\\s+(\\S+)(?:\\s(.*))?$");
    QList<Exiv2Row> rows;
    for (const QString& text : runTool("exiv2", {"-u", "-Pkyv", path}).out.split(u'\n', Qt::SkipEmptyParts)) {
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

QByteArray jpegWithIptcBlock(const QByteArray& jpeg, const QByteArray& iim)
{
    const auto be = [](quint32 value, int bytes) {
        QByteArray out;
        for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
            out += char(value >> shift);
        return out;
    };
    // Resource type, id 0x0404, an empty name (padded), the size, the data padded to even.
    const QByteArray resource = QByteArray("8BIM\x04\x04\x00\x00", 8) + be(quint32(iim.size()), 4) + iim +
                                QByteArray(iim.size() % 2, '\0');
    const QByteArray payload = QByteArray("Photoshop 3.0", 14) + resource;
    return jpeg.left(2) + QByteArray("\xFF\xED", 2) + be(quint32(payload.size() + 2), 2) + payload + jpeg.mid(2);
}

std::vector<std::string> exifRowsOf(const ImageBox& engine)
{
    std::vector<std::string> rows;
    for (int i = 0; i < engine.ExifCount(); ++i)
        rows.push_back((engine.ExifNameAt(i) + u'=' + engine.ExifValueAt(i)).toStdString());
    return rows;
}

std::vector<std::string> iptcTextsOf(const ImageBox& engine)
{
    std::vector<std::string> texts;
    for (const IptcFieldInfo& info : IptcFields())
        if (!engine.IptcText(info.field).isEmpty())
            texts.push_back(std::to_string(info.dataset) + '=' + engine.IptcText(info.field).toStdString());
    return texts;
}

}  // namespace lumora::test::metafiles
