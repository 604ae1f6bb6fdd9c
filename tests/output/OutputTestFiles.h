#pragma once

#include "support/Oracles.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace lumora::test {

// Photos and metadata for the output tests, made and read by the independent tools (ImageMagick,
// exiftool) so that Lumora's reading and writing are checked against others.

// A photo of w x h with a different colour at every pixel, written in the format of the name's
// extension (png by Lumora's test helper; gif, pcx, psd, jpg, tif and the rest by ImageMagick).
inline QString makePhoto(const QString& folder, const QString& name, int width, int height)
{
    const QString path = QDir(folder).filePath(name);
    if (QFileInfo(name).suffix().toLower() == u"png")
        return writePng(gradientPicture(width, height), path);
    const QString png = writePng(gradientPicture(width, height), path + QStringLiteral(".source.png"));
    const ToolResult r = runTool(QStringLiteral("convert"), {png, path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile::remove(png);
    return path;
}

// exiftool's values of the tags ("Software", "IPTC:Headline"), printed plainly, "-" for a tag the
// file does not have.
inline QStringList exifTags(const QString& path, const QStringList& tags)
{
    QStringList arguments{QStringLiteral("-f"), QStringLiteral("-s3")};
    for (const QString& tag : tags)
        arguments.append(u'-' + tag);
    return runTool(QStringLiteral("exiftool"), arguments << path).out.trimmed().split(u'\n');
}

// Writes tags into the file in place ("-Make=Canon", "-IPTC:Headline=Harbour").
inline void writeExifTags(const QString& path, const QStringList& assignments)
{
    const ToolResult r = runTool(QStringLiteral("exiftool"),
                                 QStringList{QStringLiteral("-overwrite_original")} + assignments + QStringList{path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
}

// The files of a folder, sorted by name.
inline QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

}  // namespace lumora::test
