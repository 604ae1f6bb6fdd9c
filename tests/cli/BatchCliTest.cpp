// lumora-batch as scripts see it: help, version and the wrong usage of every command, task lists
// and applied tasks, with ImageMagick checking what it wrote.

#include "cli/LumoraBatch.h"
#include "support/ScopedEnvironment.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

const QByteArray kHalveAndInvert = taskRecord("\"3\",\"resize\",\"False\",\"50\"") + taskRecord("\"11\",\"invert\"");

using BatchCli = BatchFolderTest;

TEST_F(BatchCli, HelpVersionAndWrongUsageOfEveryCommand)
{
    ToolResult r = lumoraBatch({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    for (const char* usage : {"apply --tasks FILE.tbf", "convert [OPTIONS]", "header FILE", "info [--json] FILE",
                              "thumb [--mode 0|1|2]"})
        EXPECT_TRUE(r.out.contains(usage)) << usage;
    r = lumoraBatch({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("lumora-batch "));

    // Run in the test's folder beside a real photo, a.png: no wrong usage may write anything.
    const ScopedEnvironment home("LUMORA_HOME", dir.path().toUtf8());  // nothing may land elsewhere
    const QString cwd = QDir::currentPath();
    writePng(gradientPicture(8, 8), path("a.png"));
    QDir::setCurrent(dir.path());
    const QList<QStringList> wrong{
        {}, {"frobnicate"}, {"apply", "only-one-file.jpg"},
        {"apply", "--quality", "0", "--tasks", "t.tbf", "a.jpg", "b.jpg"},
        {"convert"}, {"convert", "--naming", "fancy", "a.png"}, {"convert", "--quality", "0", "a.png"},
        {"convert", "--quality", "high", "a.png"}, {"convert", "--jobs", "0", "a.png"},
        {"convert", "--counter", "first", "a.png"}, {"convert", "--overwrite", "--no-overwrite", "a.png"},
        {"convert", "--frobnicate", "a.png"}, {"header"}, {"header", "a.jpg", "b.jpg"}, {"header", "--width"},
        {"info"}, {"info", "a.jpg", "a.jpg"}, {"info", "--xml", "a.jpg"},
        {"settings"}, {"settings", "init"}, {"settings", "frob"}, {"thumb", "a.png"},
        {"thumb", "--mode", "3", "a.png", "b.png"}, {"thumb", "--size", "40", "a.png", "b.png"},
        {"thumb", "--size", "0x40", "a.png", "b.png"}, {"thumb", "--jobs", "2", "a.png", "b.png"},
        {"thumb", "--out-dir", "d"}, {"thumb", "--jobs", "0", "--out-dir", "d", "a.png"}};
    for (const QStringList& arguments : wrong) {
        r = lumoraBatch(arguments);
        EXPECT_EQ(r.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << arguments.join(u' ').toStdString();
    }
    QDir::setCurrent(cwd);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{"a.png"});
}

TEST_F(BatchCli, TasksListsTheTasksAndApplyWritesTheEditedPhotoInTheFormatOfItsExtensionOrFails)
{
    // Position, kind number, name, key and the 17 slots.
    const QString tasks = writeTasks(kHalveAndInvert);
    ToolResult r = lumoraBatch({"tasks", tasks});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "1\t3\tResize\tresize\tFalse\t50" + QString(15, u'\t') + "\n2\t11\tNegative\tinvert" +
                         QString(17, u'\t') + "\n");

    const QString in = writePng(markedPicture(120, 80, 0, 0, Rgb{255, 255, 255}, Rgb{0, 0, 0}), path("in.png"));
    r = lumoraBatch({"apply", "--tasks", tasks, in, path("out.jpg")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    // Inverted black is white.
    EXPECT_EQ(identify(path("out.jpg"), "%m %wx%h %Q %[fx:int(255*mean+0.5)]"), "JPEG 60x40 80 255");

    r = lumoraBatch({"apply", "-t", tasks, "--quality=55", in, path("out.tif")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(identify(path("out.tif"), "%m %wx%h"), "TIFF 60x40");

    // Failures exit with one line on standard error.
    expectFailure(lumoraBatch({"apply", "--tasks", tasks, path("missing.png"), path("new.jpg")}), "missing.png");
    EXPECT_FALSE(QFile::exists(path("new.jpg")));
    expectFailure(lumoraBatch({"tasks", path("nothing-here.tbf")}), "nothing-here.tbf");

    // A task that fails is reported, and the photo is written as it stood.
    writePng(gradientPicture(50, 40), path("in.png"));
    writeTasks(taskRecord("\"3\",\"resize\",\"False\",\"50\"") + kFailingRotation);
    r = lumoraBatch({"apply", "--tasks", tasks, path("in.png"), path("out.png")});
    expectFailure(r, "subProcessPages");
    EXPECT_TRUE(r.err.contains("13"));
    EXPECT_EQ(identify(path("out.png")), "25x20");
}

}  // namespace
