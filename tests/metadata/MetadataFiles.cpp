#include "metadata/MetadataFiles.h"

#include "support/Oracles.h"

#include <gtest/gtest.h>

namespace lumora::test {

QString makePicture(const QString& path)
{
    const ToolResult made = runTool(QStringLiteral("convert"),
                                    {QStringLiteral("-size"), QStringLiteral("16x12"), QStringLiteral("gradient:red-blue"),
                                     QStringLiteral("-depth"), QStringLiteral("8"), path});
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    return path;
}

bool exiftoolWrite(const QString& path, const QStringList& assignments)
{
    const ToolResult r = runTool(QStringLiteral("exiftool"),
                                 QStringList{QStringLiteral("-q"), QStringLiteral("-overwrite_original")} + assignments +
                                     QStringList{path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return r.exitCode == 0;
}

QString exiftoolValue(const QString& path, const QString& tag, bool numeric)
{
    QStringList arguments{QStringLiteral("-s3"), QStringLiteral("-sep"), QStringLiteral(",")};
    if (numeric)
        arguments << QStringLiteral("-n");
    arguments << QStringLiteral("-") + tag << path;
    const ToolResult r = runTool(QStringLiteral("exiftool"), arguments);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    QString out = r.out;
    while (out.endsWith(u'\n') || out.endsWith(u'\r'))
        out.chop(1);
    return out;
}

}  // namespace lumora::test
