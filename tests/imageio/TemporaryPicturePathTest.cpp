#include "imageio/TemporaryPicturePath.h"

#include "support/FileBytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(TemporaryPicturePath, FilesOfProcessesThatAreGoneAreRemovedOthersStay)
{
    // A process that has ended: its number is free (until the system hands it out again).
    QProcess probe;
    probe.start(QStringLiteral("true"));
    ASSERT_TRUE(probe.waitForStarted());
    const qint64 deadPid = probe.processId();
    ASSERT_TRUE(probe.waitForFinished());
    ASSERT_GT(deadPid, 0);

    const QString temp = QDir::tempPath();
    const QString orphan = temp + QStringLiteral("/lumora-4546643-%1-7.bmp").arg(deadPid);
    const QString ours = temp + QStringLiteral("/lumora-4546643-%1-7.bmp").arg(QCoreApplication::applicationPid());
    const QString foreign = temp + QStringLiteral("/lumora-4546643-notes.bmp");
    for (const QString& path : {orphan, ours, foreign})
        test::writeBytes(path, "BM");

    TemporaryPicturePath::removeOrphans();
    EXPECT_FALSE(QFile::exists(orphan));
    EXPECT_TRUE(QFile::exists(ours));
    EXPECT_TRUE(QFile::exists(foreign));
    for (const QString& path : {ours, foreign})
        QFile::remove(path);
}

}  // namespace
}  // namespace lumora
