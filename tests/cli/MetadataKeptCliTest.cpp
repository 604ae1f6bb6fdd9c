// What lumora-batch convert keeps of photos' metadata, exiftool judging: the photos of
// tests/data/makernotes carry the maker notes, IPTC, XMP and vendor segments of some thirty
// makers and writers, and each output must read as its source did.

#include "cli/LumoraBatch.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

// exiftool's reading of each file, by file name: "Group:Tag" -> value.
QMap<QString, QJsonObject> exiftoolTags(const QStringList& files)
{
    const ToolResult r = runTool("exiftool", QStringList{"-j", "-a", "-G1", "-s", "-n"} + files);
    QMap<QString, QJsonObject> tags;
    for (const QJsonValue& file : QJsonDocument::fromJson(r.out.toUtf8()).array())
        tags.insert(QFileInfo(file["SourceFile"].toString()).fileName(), file.toObject());
    return tags;
}

std::string textOf(const QJsonValue& value)
{
    return QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).toStdString();
}

// Tags that describe the new file and its image data, not the photo, or give positions in the
// file; the multi-picture index points into the old file.
bool describesTheNewFile(const QString& key)
{
    static const QStringList groups{"SourceFile", "System", "File", "JFIF", "Adobe", "ExifTool", "Composite",
                                    "MPF0", "MPImage1", "MPImage2"};
    static const QStringList tags{"ExifImageWidth", "ExifImageHeight", "ThumbnailOffset", "ThumbnailLength",
                                  "ThumbnailImage", "PreviewImageStart", "Software"};
    return groups.contains(key.section(u':', 0, 0)) || tags.contains(key.section(u':', -1));
}

class MetadataKeptCli : public BatchFolderTest {};

TEST_F(MetadataKeptCli, EveryTagOfTheSourceReadsTheSameInTheConvertedPhoto)
{
    const QDir sources(QStringLiteral(LUMORA_SOURCE_DIR "/tests/data/makernotes"));
    QStringList photos;
    for (const QString& name : sources.entryList({"*.jpg"}, QDir::Files, QDir::Name))
        photos << sources.filePath(name);
    ASSERT_GE(photos.size(), 41);
    // Smaller than any source, so that the size the EXIF gives must be the new one.
    const QString tasks = writeTasks(taskRecord("\"3\",\"resize\",\"True\",\"6\",\"5\""));
    ASSERT_EQ(lumoraBatch(QStringList{"convert", "--jobs", "2", "--tasks", tasks, "--dest", dir.path()} + photos).exitCode, 0);

    QStringList outputs;
    for (const QString& photo : photos)
        outputs << path(QFileInfo(photo).fileName());
    const QMap<QString, QJsonObject> before = exiftoolTags(photos);
    const QMap<QString, QJsonObject> after = exiftoolTags(outputs);
    ASSERT_EQ(after.size(), photos.size());
    for (auto file = before.begin(); file != before.end(); ++file) {
        SCOPED_TRACE(file.key().toStdString());
        const QJsonObject source = file.value();
        const QJsonObject output = after.value(file.key());
        QStringList keys = source.keys() + output.keys();
        keys.removeDuplicates();
        for (const QString& key : keys) {
            if (key == u"IFD0:Orientation") {  // the photo is written upright
                EXPECT_EQ(textOf(output.value(key)), "[1]");
            } else if (!describesTheNewFile(key)) {
                EXPECT_EQ(textOf(source.value(key)), textOf(output.value(key))) << key.toStdString();
            }
        }
        EXPECT_EQ(output["IFD0:Software"].toString(), "Lumora");
        if (output.contains("ExifIFD:ExifImageWidth")) {
            EXPECT_EQ(textOf(output["ExifIFD:ExifImageWidth"]), textOf(output["File:ImageWidth"]));
            EXPECT_EQ(textOf(output["ExifIFD:ExifImageHeight"]), textOf(output["File:ImageHeight"]));
        }
    }
}

}  // namespace
