#include "support/FileBytes.h"

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

using lumora::test::readBytes;
using lumora::test::writeBytes;

QByteArray jpegOf(QColor colour, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);
    return bytes;
}

// A show as Lumora packages it, composed here from the layout alone: the player, the JPEGs, the
// options record, the index lines and the 15-byte trailer.
QByteArray package(const char* player, const QList<QByteArray>& jpegs, const QByteArray& options = {})
{
    QByteArray file = readBytes(QString::fromUtf8(player));
    QByteArray index;
    for (qsizetype i = 0; i < jpegs.size(); ++i) {
        index += "Photo " + QByteArray::number(i + 1) + ';' + QByteArray::number(file.size()) + ';'
            + QByteArray::number(jpegs[i].size()) + ";\r\n";
        file += jpegs[i];
    }
    if (!options.isEmpty()) {
        index += "OPTIONS;" + QByteArray::number(file.size()) + ";\r\n";
        file += options;
    }
    const qint64 indexOffset = file.size();
    return file + index + QByteArray("\x08\x00\x0b\x00", 4)
        + QByteArray::number(indexOffset).leftJustified(10, ' ') + QByteArray(1, '\0');
}

QByteArray slideShowOptions(quint32 oleColour, qint16 seconds)
{
    QByteArray record(6, '\0');
    qToLittleEndian(oleColour, record.data());
    qToLittleEndian(seconds, record.data() + 4);
    return record;
}

struct PlayerRun {
    int exitCode = -1;
    bool crashed = true;
    QByteArray errors;
};

PlayerRun play(const QTemporaryDir& dir, const QByteArray& bytes, const QString& snapshot = {})
{
    const QString path = writeBytes(dir.filePath(QStringLiteral("show.run")), bytes);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("LUMORA_PLAYER_SNAPSHOT"), snapshot);
    // Closes the message box of a damaged show at once.
    environment.insert(QStringLiteral("LUMORA_PLAYER_QUIT_AFTER_MS"), snapshot.isEmpty() ? QStringLiteral("0") : QString());
    process.setProcessEnvironment(environment);
    process.start(path, {});
    process.waitForFinished(120000);
    return {process.exitCode(), process.exitStatus() != QProcess::NormalExit, process.readAllStandardError()};
}

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

int countRed(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += isRed(image.pixel(x, y));
    return count;
}

// Each player shows its first picture (red; the second is green): the slide show at its own size
// over the options' background, the greeting in a window of the picture's size, the screensaver
// fitted under its fireworks. The offscreen screen is 800 x 600.
TEST(Players, ShowTheFirstPictureOfTheirPackage)
{
    const QByteArray red = jpegOf(Qt::red, {640, 480});
    const QByteArray green = jpegOf(Qt::green, {640, 480});
    QTemporaryDir dir;
    const QString shot = dir.filePath(QStringLiteral("shot.png"));

    ASSERT_EQ(play(dir, package(LUMORA_SLIDESHOW_EXE, {red, green}, slideShowOptions(0x00FF0000, 5)), shot).exitCode, 0);
    QImage slide(shot);
    EXPECT_TRUE(isRed(slide.pixel(slide.rect().center())));
    EXPECT_NEAR(countRed(slide), 640 * 480, 640 * 4);
    EXPECT_EQ(slide.pixel(2, 2), qRgb(0, 0, 255)) << "the background is OLE 0x00BBGGRR";

    const QByteArray small = jpegOf(Qt::red, {320, 240});
    ASSERT_EQ(play(dir, package(LUMORA_GREETING_EXE, {small}), shot).exitCode, 0);
    QImage greeting(shot);
    EXPECT_EQ(greeting.size(), QSize(320, 240));
    EXPECT_GT(countRed(greeting), 320 * 240 * 9 / 10);

    ASSERT_EQ(play(dir, package(LUMORA_SCREENSAVER_EXE, {red, green}), shot).exitCode, 0);
    QImage saver(shot);
    EXPECT_GT(countRed(saver), 640 * 480 * 8 / 10);
    EXPECT_LT(countRed(saver), 640 * 480) << "sparks are drawn over the photo";
}

// A damaged show ends every player with a message and a non-zero exit, never a crash.
TEST(Players, RefuseDamagedPackages)
{
    QTemporaryDir dir;
    const QByteArray jpeg = jpegOf(Qt::red, {64, 48});
    for (const char* player : {LUMORA_SLIDESHOW_EXE, LUMORA_GREETING_EXE, LUMORA_SCREENSAVER_EXE}) {
        const QByteArray good = package(player, {jpeg});
        QByteArray farIndex = good;
        farIndex.replace(farIndex.size() - 11, 10, "9999999999");
        QByteArray longPicture = good;
        longPicture.replace(";" + QByteArray::number(jpeg.size()) + ";\r\n", ";99999999;\r\n");
        QByteArray notJpeg = good;
        notJpeg.replace(good.indexOf(jpeg), 16, QByteArray(16, 'x'));
        const QList<std::pair<const char*, QByteArray>> cases = {
            {"bare player", readBytes(QString::fromUtf8(player))},
            {"truncated", good.left(good.size() - 7)},
            {"index beyond the file", farIndex},
            {"picture beyond the index", longPicture},
            {"no JPEG", notJpeg},
        };
        for (const auto& [name, bytes] : cases) {
            const PlayerRun run = play(dir, bytes);
            EXPECT_FALSE(run.crashed) << player << ": " << name;
            EXPECT_NE(run.exitCode, 0) << player << ": " << name;
            EXPECT_FALSE(run.errors.trimmed().isEmpty()) << player << ": " << name;
        }
    }
}

}  // namespace
