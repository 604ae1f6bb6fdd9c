// lumora-batch show: a greeting's size limit, and the package read back the way a player reads it
// (trailer, index, image), the image judged by ImageMagick.

#include "cli/LumoraBatch.h"
#include "engine/ImageBox.h"
#include "support/ScopedEnvironment.h"
#include "support/TestImages.h"

#include <QFile>

namespace lumora::test {
namespace {

class ShowCli : public BatchFolderTest {
protected:
    ScopedEnvironment home{"LUMORA_HOME", dir.path().toUtf8()};
};

TEST_F(ShowCli, GreetingIsAtMost800By600)
{
    struct Case {
        int width, height;
        bool accepted;
    };
    for (const Case c : {Case{801, 600, false}, Case{800, 601, false}, Case{800, 600, true}}) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        ImageBox engine;
        engine.SetBitmapHandle(gradientPicture(c.width, c.height));
        engine.SaveToFile(path("photo.png"));
        QFile::remove(path("hello.run"));
        const ToolResult r = lumoraBatch({"show", "--kind", "greeting", "--out", path("hello.run"), path("photo.png")});
        if (!c.accepted) {
            expectFailure(r, "800x600");
            EXPECT_FALSE(QFile::exists(path("hello.run")));
            continue;
        }
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        // A player's road: the index offset from the trailer, one "Single;offset;length;" line.
        const QByteArray file = readBytes(path("hello.run"));
        ASSERT_GT(file.size(), 15);
        const qint64 indexAt = file.mid(file.size() - 11, 10).trimmed().toLongLong();
        const QList<QByteArray> fields = file.mid(indexAt, file.size() - 15 - indexAt).split(';');
        ASSERT_EQ(fields.size(), 4);
        EXPECT_EQ(fields[0], "Single");
        EXPECT_EQ(fields[3], "\r\n");
        writeBytes(path("inside.jpg"), file.mid(fields[1].toLongLong(), fields[2].toLongLong()));
        EXPECT_EQ(identify(path("inside.jpg"), "%m %wx%h"), "JPEG 800x600");
        EXPECT_TRUE(QFile::permissions(path("hello.run")) & QFileDevice::ExeOther);
        // Once there, the package is replaced only when asked to.
        expectFailure(lumoraBatch({"show", "--kind", "greeting", "--out", path("hello.run"), path("photo.png")}),
                      "--overwrite");
    }
}

}  // namespace
}  // namespace lumora::test
