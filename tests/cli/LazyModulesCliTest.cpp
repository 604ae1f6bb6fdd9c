// What lumora-batch loads for one photo: ImageMagick's libvips module only for content libvips
// does not read by itself, as the dynamic loader tells it (LD_DEBUG=files).

#include "cli/LumoraBatch.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace lumora::test;

TEST_F(BatchFolderTest, ImageMagicksModuleIsOpenedOnlyForPhotosThatNeedIt)
{
    for (const auto& [format, needsMagick] : {std::pair{"jpg", false}, {"png", false}, {"bmp", true}}) {
        SCOPED_TRACE(format);
        const QString photo = path(QStringLiteral("photo.") + format);
        ASSERT_EQ(runTool("convert", {"-size", "64x48", "gradient:", photo}).exitCode, 0);
        QFile::remove(path("thumb.png"));
        const ToolResult r = runTool("env", {"LD_DEBUG=files", LUMORA_BATCH_EXE, "thumb", photo, path("thumb.png")});
        EXPECT_EQ(identify(path("thumb.png")), "40x40");
        EXPECT_EQ(r.err.contains("vips-magick.so"), needsMagick);
    }
}
