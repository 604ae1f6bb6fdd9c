// The show packagers: the package's bytes composed here part by part, from the player built by
// the project, the photos encoded on an engine of the test's own and the layout players read.

#include "core/ProgramFolder.h"
#include "engine/ImageBox.h"
#include "shows/modScreensaver.h"
#include "support/FileBytes.h"
#include "support/ScopedEnvironment.h"
#include "support/TestImages.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lumora::test {
namespace {

class ShowPackager : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QString photo(const QString& name, int width, int height)
    {
        ImageBox engine;
        engine.SetBitmapHandle(gradientPicture(width, height));
        engine.SaveToFile(path(name));
        return path(name);
    }
    // The photo as a package carries it: read and encoded again at `quality`.
    QByteArray packed(const QString& photoPath, int quality)
    {
        ImageBox engine;
        engine.LoadFromFile(photoPath);
        engine.SetJpegQuality(quality);
        engine.SaveToFile(path("expected.jpg"));
        return readBytes(path("expected.jpg"));
    }
    static QByteArray line(const QByteArray& name, qint64 offset, qint64 length)
    {
        return name + ';' + QByteArray::number(offset) + ';' + QByteArray::number(length) + ";\r\n";
    }
    static QByteArray trailer(qint64 indexOffset)
    {
        QByteArray number = QByteArray::number(indexOffset);
        return QByteArray("\x08\x00\x0B\x00", 4) + number + QByteArray(10 - number.size(), ' ') + QByteArray(1, '\0');
    }
    // stub, photos, the options record (colour 0x00332211, 7 seconds), index, trailer.
    QByteArray slideShow(const QList<QPair<QByteArray, QByteArray>>& photos)
    {
        QByteArray file = readBytes(QStringLiteral(LUMORA_SLIDESHOW_PLAYER));
        QByteArray index;
        for (const auto& [name, jpeg] : photos) {
            index += line(name, file.size(), jpeg.size());
            file += jpeg;
        }
        index += "OPTIONS;" + QByteArray::number(file.size()) + ";\r\n";
        file += QByteArray("\x11\x22\x33\x00\x07\x00", 6);
        const qint64 indexOffset = file.size();
        return file + index + trailer(indexOffset);
    }
    ShowJob job(const QList<ShowEntry>& entries)
    {
        ShowJob j;
        j.outPath = path("show.run");
        j.entries = entries;
        j.quality = 70;
        j.processTasks = false;
        j.options = {0x00332211, 7};
        return j;
    }

    QTemporaryDir dir;
    ScopedEnvironment home{"LUMORA_HOME", dir.path().toUtf8()};
};

TEST_F(ShowPackager, SlideShowIsStubPhotosOptionsIndexAndTrailerWithoutMissingEntries)
{
    const QString a = photo("a.jpg", 64, 48);
    const QString b = photo("b.png", 30, 40);
    ImageBox engine;
    EXPECT_EQ(MkSlideShow(engine, job({{"a", a}, {"gone", path("gone.jpg")}, {"b", b}})).outcome, ShowOutcome::Written);
    EXPECT_EQ(readBytes(path("show.run")), slideShow({{"a", packed(a, 70)}, {"b", packed(b, 70)}}));
    EXPECT_EQ(QFile::permissions(path("show.run")) & QFileDevice::Permissions(0x7077), QFileDevice::Permissions(0x7055));
    EXPECT_FALSE(QFile::exists(ProgramFolder::tempFolder() + "plugin.tmp"));
    EXPECT_FALSE(QFile::exists(ProgramFolder::tempFolder() + "temp0001.jpg"));
}

TEST_F(ShowPackager, StoppedSlideShowStillEndsWithIndexAndTrailer)
{
    const QString a = photo("a.jpg", 64, 48);
    std::stop_source stop;
    ShowJob j = job({{"a", a}, {"b", photo("b.jpg", 20, 20)}});
    j.progress = [&](const QString&, int done, int) {
        if (done == 1)
            stop.request_stop();
    };
    ImageBox engine;
    EXPECT_EQ(MkSlideShow(engine, j, stop.get_token()).outcome, ShowOutcome::Cancelled);
    EXPECT_EQ(readBytes(path("show.run")), slideShow({{"a", packed(a, 70)}}));
}

TEST_F(ShowPackager, TrailerNumberIsLeftAlignedAndBlankPadded)
{
    EXPECT_EQ(showTrailer(12345), QByteArray("\x08\x00\x0B\x00" "12345     \0", 15));
}

TEST_F(ShowPackager, DeclinedOverwriteKeepsTheFile)
{
    writeBytes(path("show.run"), "mine");
    ShowJob j = job({{"a", photo("a.jpg", 8, 8)}});
    QString asked;
    j.askOverwrite = [&](const QString& question) {
        asked = question;
        return false;
    };
    ImageBox engine;
    EXPECT_EQ(subMakeSingleScreensaver(engine, path("a.jpg"), j).outcome, ShowOutcome::Declined);
    EXPECT_EQ(readBytes(path("show.run")), "mine");
    EXPECT_TRUE(asked.endsWith("Would You Like To Replace It?"));
}

}  // namespace
}  // namespace lumora::test
