#include "OutputTestFiles.h"

#include "support/Oracles.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace lumora::test {

QString makePhoto(const QString& folder, const QString& name, int width, int height)
{
    const QString path = QDir(folder).filePath(name);
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == u"png") {
        writePng(gradientPicture(width, height), path);
        return path;
    }
    const QString png = path + QStringLiteral(".source.png");
    writePng(gradientPicture(width, height), png);
    const ToolResult r = runTool(QStringLiteral("convert"), {png, path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile::remove(png);
    return path;
}

QString exifTag(const QString& path, const QString& tag)
{
    return runTool(QStringLiteral("exiftool"), {QStringLiteral("-s3"), u'-' + tag, path}).out.trimmed();
}

void writeExifTags(const QString& path, const QStringList& assignments)
{
    const ToolResult r =
        runTool(QStringLiteral("exiftool"), QStringList{QStringLiteral("-overwrite_original")} + assignments + QStringList{path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

}  // namespace lumora::test
