#pragma once

// Photos with metadata for the engine's EXIF and IPTC tests, and the views of the independent
// tools on them: exiftool writes and reads, the exiv2 program lists keys, types and raw values.

#include "engine/EngineError.h"
#include "engine/ImageBox.h"
#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/TestImages.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumora::test::metafiles {

// An engine and a folder for its files.
class MetadataFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ImageBox box;

    QString path(const QString& name) const { return dir.filePath(name); }
};

// A small JPEG made by ImageMagick, without any metadata.
inline void makePlainJpeg(const QString& path, int width = 32, int height = 24)
{
    const ToolResult made = runTool("convert", {"-size", QStringLiteral("%1x%2").arg(width).arg(height),
                                                "gradient:orange-navy", "-strip", path});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
}

// Runs exiftool over the file in place; false (with exiftool's message printed) when it fails.
inline bool exiftoolWrite(const QString& path, const QStringList& arguments)
{
    const ToolResult result = runTool("exiftool", QStringList{"-q", "-m", "-overwrite_original"} + arguments << path);
    EXPECT_EQ(result.exitCode, 0) << "exiftool: " << result.err.toStdString();
    return result.exitCode == 0;
}

// exiftool's values of these tags, unknown ones too ("IFD0:Model"; "IPTC:Urgency#" for the plain
// number), in their order a line each: "-" for a missing one, the items of a list apart by '|'.
inline std::string exiftoolValues(const QString& path, const QStringList& tags)
{
    QStringList arguments{"-s3", "-f", "-u", "-sep", "|"};
    for (const QString& tag : tags)
        arguments << u'-' + tag;
    return runTool("exiftool", arguments << path).out.trimmed().toStdString();
}

// The lines of `exiv2 -u -Pkyv` (unknown tags too): key ("Exif.Image.Make"), type ("Ascii") and
// plain value.
struct Exiv2Row {
    QString key;
    QString type;
    QString value;
};
inline QList<Exiv2Row> exiv2Rows(const QString& path)
{
    static const QRegularExpression line("^(\\S+)\\s+(\\S+)(?:\\s(.*))?$");
    QList<Exiv2Row> rows;
    for (const QString& text : runTool("exiv2", {"-u", "-Pkyv", path}).out.split(u'\n', Qt::SkipEmptyParts))
        if (const QRegularExpressionMatch match = line.match(text); match.hasMatch())
            rows.append({match.captured(1), match.captured(2), match.captured(3).trimmed()});
    return rows;
}
// The first row of that key; an empty row when there is none.
inline Exiv2Row exiv2Row(const QString& path, const QString& key)
{
    for (const Exiv2Row& row : exiv2Rows(path))
        if (row.key == key)
            return row;
    return {};
}

// An engine's metadata as lines (UTF-8, so that failures print them): the EXIF attributes as
// "name=value" in list order; the IPTC fields with a value as "dataset=text", in the order of the
// field table.
inline std::vector<std::string> exifRowsOf(const ImageBox& engine)
{
    std::vector<std::string> rows;
    for (int i = 0; i < engine.ExifCount(); ++i)
        rows.push_back((engine.ExifNameAt(i) + u'=' + engine.ExifValueAt(i)).toStdString());
    return rows;
}
inline std::vector<std::string> iptcTextsOf(const ImageBox& engine)
{
    std::vector<std::string> texts;
    for (const IptcFieldInfo& info : IptcFields())
        if (!engine.IptcText(info.field).isEmpty())
            texts.push_back(std::to_string(info.dataset) + '=' + engine.IptcText(info.field).toStdString());
    return texts;
}

}  // namespace lumora::test::metafiles
