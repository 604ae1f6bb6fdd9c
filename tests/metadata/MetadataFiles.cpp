#include "metadata/MetadataFiles.h"

#include "metadata/clsFileEXIF.h"
#include "support/Oracles.h"

namespace lumora::test {

QString makePicture(const QString& path)
{
    const ToolResult made = runTool("convert", {"-size", "16x12", "gradient:red-blue", "-depth", "8", path});
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
