#pragma once

#include "metadata/MetadataFiles.h"
#include "engine/ImageBox.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lumora::test {

// A fixture for the metadata lists: a small photo given tags by exiftool and loaded into an
// engine the way the preview loads it (the engine's tag holds the path).
class TaggedPhotoTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    // Makes `name`, writes the assignments ("-Make=Canon") into it and loads it.
    void loadTagged(const QStringList& assignments, const QString& name)
    {
        photo = makePicture(path(name));
        if (!assignments.isEmpty()) {
            ASSERT_TRUE(exiftoolWrite(photo, assignments));
        }
        engine.LoadFromFile(photo);
        engine.SetTag(photo);
    }

    QTemporaryDir dir;
    QString photo;
    ImageBox engine{ImageBox::Mode::Batch};
};

}  // namespace lumora::test
