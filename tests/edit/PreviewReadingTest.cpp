// What the preview shows of a photo too large to load whole.

#include "edit/PreviewReading.h"
#include "engine/ImageBox.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <vips/vips8>

using namespace lumora;

TEST(PreviewReading, AJpegPastThePixelLimitIsShownReduced)
{
    // 16200 x 16200, 262 megapixels: the engine refuses to load it whole.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("panorama.jpg"));
    vips::VImage::black(16200, 16200).jpegsave(QFile::encodeName(path).constData());
    const std::unique_ptr<ImageBox> engine = ReadForPreview(path);
    ASSERT_TRUE(engine && engine->HasImage());
    EXPECT_EQ(engine->ImageWidth(), 4000);
    EXPECT_EQ(engine->ImageHeight(), 4000);
}
