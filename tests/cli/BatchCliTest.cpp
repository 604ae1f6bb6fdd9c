// lumora-batch as scripts see it: exit codes, one-line errors, task lists and applied tasks,
// with ImageMagick checking what it wrote.

#include "support/Oracles.h"
#include "support/TestImages.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

const QString kBatch = QStringLiteral(LUMORA_BATCH_EXE);

ToolResult batch(const QStringList& arguments) { return runTool(kBatch, arguments); }

class BatchCli : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    QString writeTasks(const QByteArray& records)
    {
        const QString file = path(QStringLiteral("tasks.tbf"));
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(records);
        return file;
    }

    QTemporaryDir dir;
};

const QByteArray kHalveAndInvert =
    "\"3\",\"resize\",\"False\",\"50\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
    "\"11\",\"invert\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";

TEST_F(BatchCli, HelpVersionAndUsageErrors)
{
    ToolResult r = batch({QStringLiteral("--help")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains(QStringLiteral("apply --tasks FILE.tbf")));
    r = batch({QStringLiteral("--version")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("lumora-batch ")));
    EXPECT_EQ(batch({}).exitCode, 2);
    EXPECT_EQ(batch({QStringLiteral("frobnicate")}).exitCode, 2);
    EXPECT_EQ(batch({QStringLiteral("apply"), QStringLiteral("only-one-file.jpg")}).exitCode, 2);
    EXPECT_EQ(batch({QStringLiteral("apply"), QStringLiteral("--quality"), QStringLiteral("0"), QStringLiteral("--tasks"),
                     QStringLiteral("t.tbf"), QStringLiteral("a.jpg"), QStringLiteral("b.jpg")})
                  .exitCode,
              2);
}

TEST_F(BatchCli, TasksListsOneLinePerTask)
{
    const ToolResult r = batch({QStringLiteral("tasks"), writeTasks(kHalveAndInvert)});
    EXPECT_EQ(r.exitCode, 0);
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    const QStringList first = lines[0].split(u'\t');
    ASSERT_EQ(first.size(), 21);
    EXPECT_EQ(first.mid(0, 6), (QStringList{"1", "3", "Resize", "resize", "False", "50"}));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("2\t11\tNegative\tinvert\t")));
}

TEST_F(BatchCli, ApplyWritesTheEditedPhotoInTheFormatOfItsExtension)
{
    writePng(markedPicture(120, 80, 0, 0, Rgb{255, 255, 255}, Rgb{0, 0, 0}), path(QStringLiteral("in.png")));
    const QString tasks = writeTasks(kHalveAndInvert);
    ToolResult r = batch({QStringLiteral("apply"), QStringLiteral("--tasks"), tasks, path(QStringLiteral("in.png")),
                          path(QStringLiteral("out.jpg"))});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_EQ(identify(path(QStringLiteral("out.jpg")), QStringLiteral("%m %wx%h %Q")), QStringLiteral("JPEG 60x40 80"));
    // Inverted black is white.
    EXPECT_EQ(identify(path(QStringLiteral("out.jpg")), QStringLiteral("%[fx:int(255*mean+0.5)]")), QStringLiteral("255"));

    r = batch({QStringLiteral("apply"), QStringLiteral("-t"), tasks, QStringLiteral("--quality=55"),
               path(QStringLiteral("in.png")), path(QStringLiteral("out.tif"))});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(identify(path(QStringLiteral("out.tif")), QStringLiteral("%m %wx%h")), QStringLiteral("TIFF 60x40"));
}

TEST_F(BatchCli, FailuresExitWithOneLineOnStandardError)
{
    const QString tasks = writeTasks(kHalveAndInvert);
    ToolResult r = batch({QStringLiteral("apply"), QStringLiteral("--tasks"), tasks, path(QStringLiteral("missing.png")),
                          path(QStringLiteral("out.jpg"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed().count(u'\n'), 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("missing.png")));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("out.jpg"))));

    r = batch({QStringLiteral("tasks"), path(QStringLiteral("nothing-here.tbf"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed().count(u'\n'), 0) << r.err.toStdString();
}

TEST_F(BatchCli, ATaskThatFailsIsReportedAndThePhotoWrittenAsItStood)
{
    writePng(gradientPicture(50, 40), path(QStringLiteral("in.png")));
    const QString tasks = writeTasks(
        "\"3\",\"resize\",\"False\",\"50\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
        "\"2\",\"rotate\",\"False\",\"quarter\",\"0\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
    const ToolResult r = batch({QStringLiteral("apply"), QStringLiteral("--tasks"), tasks, path(QStringLiteral("in.png")),
                                path(QStringLiteral("out.png"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed().count(u'\n'), 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("subProcessPages")));
    EXPECT_TRUE(r.err.contains(QStringLiteral("13")));
    EXPECT_EQ(identify(path(QStringLiteral("out.png"))), QStringLiteral("25x20"));
}

}  // namespace
