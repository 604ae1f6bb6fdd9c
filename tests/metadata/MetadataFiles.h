#pragma once

#include "core/LumoraError.h"
#include "engine/ImageBox.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataReading.h"

#include <QList>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace lumora::test {

// Photos with known metadata for the metadata pane's tests. ImageMagick makes the pictures and
// exiftool puts in the tags and reads back what Lumora wrote, so neither side of a check is
// Lumora's own code.

// A small picture without any metadata; the extension picks the format, `options` (ImageMagick's)
// the layout. Returns the path.
QString makePicture(const QString& path, const QStringList& options = {});

// Runs exiftool with the tag assignments ("-Make=Canon", "-Orientation#=6") on the file, in place.
// False (and a test failure) when exiftool refuses.
bool exiftoolWrite(const QString& path, const QStringList& assignments);

// One tag's value as exiftool prints it (-s3), "" when the file has no such tag; `numeric` reads
// the raw number (-n). Lists come joined with ",".
QString exiftoolValue(const QString& path, const QString& tag, bool numeric = false);

// Every tag exiftool reads from the file, "group:name" (family 1; a repeated name gets a "+") to
// its raw value (-n; lists joined with ", "); file system facts are left out.
using ExiftoolTags = QMap<QString, QString>;
ExiftoolTags exiftoolTags(const QString& path);

// The names whose values differ between two listings (added and removed too), leaving out the
// offsets that only say where a block lies.
QStringList changedTags(const ExiftoolTags& before, const ExiftoolTags& after);

// The photo's image data as the file format places it, found without Lumora's code: a JPEG's
// bytes from its first scan header on, a TIFF's strips or tiles (where `tags`, exiftool's listing
// of the file, says IFD0 has them), a PSD's sections after the image resources.
QByteArray imageDataOf(const QString& path, const ExiftoolTags& tags = {});

// The number of the LumoraError the work raises, 0 when it raises none.
inline int errorNumberOf(const std::function<void()>& work)
{
    try {
        work();
    } catch (const LumoraError& e) {
        return e.number();
    }
    return 0;
}

// Every record of an .xiff file, in order, as clsFileEXIF reads them.
using XiffRecords = QList<std::pair<QString, QString>>;
XiffRecords readXiff(const QString& path);

// A photo in a folder of its own, given tags by exiftool and loaded into an engine the way the
// preview loads it (the engine's tag holds the path), and the pane's list read from it.
class TaggedPhotoTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    // Makes `name`, writes the assignments ("-Make=Canon") into it, loads it and returns its path.
    QString photoWith(const QStringList& assignments, const QString& name = QStringLiteral("photo.jpg"),
                      const QStringList& layout = {})
    {
        photo = makePicture(path(name), layout);
        if (!assignments.isEmpty())
            exiftoolWrite(photo, assignments);
        engine.LoadFromFile(photo);
        engine.SetTag(photo);
        return photo;
    }

    // Such a photo, read into `list` as the pane reads it.
    void readExif(const QStringList& assignments, const QString& name = QStringLiteral("photo.jpg"))
    {
        photoWith(assignments, name);
        list.clear();
        ASSERT_TRUE(modMetadata::ReadFileEXIFInfo(engine, list, photo));
    }
    void readIptc(const QStringList& assignments, const QString& name = QStringLiteral("photo.jpg"))
    {
        photoWith(assignments, name);
        list.clear();
        ASSERT_TRUE(modMetadata::ReadFileIPTCInfo(engine, list, photo));
    }

    // The row standing for an attribute or field; fails the test when there is none.
    MetadataRow row(const QString& tag) const
    {
        const int position = list.findTag(tag);
        EXPECT_GE(position, 0) << "no row for " << tag.toStdString();
        return position < 0 ? MetadataRow{} : list.at(position);
    }

    QTemporaryDir dir;
    QString photo;
    ImageBox engine{ImageBox::Mode::Batch};
    MetadataList list;
};

}  // namespace lumora::test
