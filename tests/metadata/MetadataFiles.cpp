#include "metadata/MetadataFiles.h"

#include "metadata/clsFileEXIF.h"
#include "support/FileBytes.h"
#include "support/Oracles.h"

#include <QtEndian>

#include <set>

namespace lumora::test {

QString makePicture(const QString& path, const QStringList& options)
{
    const ToolResult made =
        runTool("convert", QStringList{"-size", "16x12", "gradient:red-blue", "-depth", "8"} + options << path);
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    return path;
}

bool exiftoolWrite(const QString& path, const QStringList& assignments)
{
    const ToolResult r = runTool("exiftool", QStringList{"-q", "-overwrite_original"} + assignments << path);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return r.exitCode == 0;
}

QString exiftoolValue(const QString& path, const QString& tag, bool numeric)
{
    QStringList arguments{"-s3", "-sep", ","};
    if (numeric)
        arguments << "-n";
    const ToolResult r = runTool("exiftool", arguments << u'-' + tag << path);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    QString out = r.out;
    while (out.endsWith(u'\n') || out.endsWith(u'\r'))
        out.chop(1);
    return out;
}

ExiftoolTags exiftoolTags(const QString& path)
{
    const ToolResult r = runTool("exiftool", {"-G1", "-a", "-s", "-n", "-x", "File:all", "-x", "System:all", "-x",
                                              "Composite:all", "-x", "ExifTool:all", path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    ExiftoolTags tags;
    for (const QString& line : r.out.split(u'\n', Qt::SkipEmptyParts)) {
        // "[IFD0]          Artist                          : Ann"
        const qsizetype colon = line.indexOf(QStringLiteral(" : "));
        if (colon < 0)
            continue;
        QString key = line.section(u']', 0, 0).mid(1) + u':' + line.left(colon).section(u']', 1).trimmed();
        while (tags.contains(key))
            key += u'+';
        tags.insert(key, line.mid(colon + 3));
    }
    return tags;
}

QStringList changedTags(const ExiftoolTags& before, const ExiftoolTags& after)
{
    std::set<QString> names;
    for (const QString& key : before.keys() + after.keys())
        if (!key.contains(QStringLiteral("Offset")) && before.value(key, "\x01") != after.value(key, "\x01"))
            names.insert(key);
    return QStringList(names.begin(), names.end());
}

QByteArray imageDataOf(const QString& path, const ExiftoolTags& tags)
{
    const QByteArray bytes = readBytes(path);
    const auto be32 = [&](qsizetype at) { return qsizetype(qFromBigEndian<quint32>(bytes.constData() + at)); };
    if (path.endsWith(".jpg")) {
        qsizetype at = 2;
        while (at + 4 <= bytes.size() && uchar(bytes[at + 1]) != 0xDA)
            at += 2 + qFromBigEndian<quint16>(bytes.constData() + at + 2);
        return bytes.mid(at);
    }
    if (path.endsWith(".psd")) {
        const qsizetype resources = 26 + 4 + be32(26);
        return bytes.mid(resources + 4 + be32(resources));
    }
    const QString kind = tags.contains("IFD0:TileOffsets") ? "Tile" : "Strip";
    const QStringList offsets = tags.value("IFD0:" + kind + "Offsets").split(u' ');
    const QStringList counts = tags.value("IFD0:" + kind + "ByteCounts").split(u' ');
    EXPECT_EQ(offsets.size(), counts.size());
    QByteArray data;
    for (qsizetype i = 0; i < offsets.size() && i < counts.size(); ++i)
        data += bytes.mid(offsets[i].toLongLong(), counts[i].toLongLong());
    return data;
}

XiffRecords readXiff(const QString& path)
{
    clsFileEXIF file;
    EXPECT_TRUE(file.OpenForRead(path));
    XiffRecords records;
    while (!file.fEof()) {
        QString attribute, value;
        file.ReadEXIF(attribute, value);
        records.append({attribute, value});
    }
    EXPECT_TRUE(file.closefile());
    return records;
}

}  // namespace lumora::test
