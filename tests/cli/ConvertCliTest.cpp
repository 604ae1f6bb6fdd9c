// lumora-batch convert as scripts see it: the summary line, naming and save options, settings
// files, metadata imports, failures and the terminal's progress bar, with ImageMagick and
// exiftool reading what it wrote.

#include "cli/LumoraBatch.h"
#include "metadata/MetadataFiles.h"
#include "settings/SetupRecordCodec.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

const QByteArray kResize80x60 = taskRecord("\"3\",\"resize\",\"True\",\"80\",\"60\"");

ToolResult convert(const QStringList& arguments) { return lumoraBatch(QStringList{"convert"} + arguments); }

class ConvertCli : public BatchFolderTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const ToolResult r = runTool("convert", {logo, flag});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }

    const QString beach = writePng(gradientPicture(160, 120), path("beach.png"));
    const QString logo = writePng(gradientPicture(30, 20), path("logo.png"));
    const QString flag = path("flag.gif");
};

TEST_F(ConvertCli, ConvertsNextToTheSourcesAndCountsExactly)
{
    writeBytes(path("notes.xyz"), "no photo");
    // The content decides how a photo is read, not its name.
    ASSERT_EQ(runTool("convert", {beach, "WEBP:" + path("webp.png")}).exitCode, 0);
    ToolResult r = convert({beach, path("notes.xyz"), flag, logo, path("webp.png")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    // No progress bar off a terminal; a skipped file says why.
    EXPECT_EQ(r.err, QStringLiteral("lumora-batch: skipped: \"%1\" is not a picture Lumora can read\n").arg(path("notes.xyz")));
    EXPECT_EQ(r.out, "written 4, skipped 1, failed 0\n");
    EXPECT_EQ(identify(path("webp.jpg"), "%m %wx%h"), "JPEG 160x120");
    EXPECT_EQ(identify(path("beach.jpg"), "%m %wx%h %Q"), "JPEG 160x120 80");
    EXPECT_EQ(identify(path("flag.jpg"), "%m %wx%h"), "JPEG 30x20");
    EXPECT_EQ(identify(path("logo.jpg"), "%m %wx%h"), "JPEG 30x20");
    EXPECT_EQ(exiftoolValue(path("logo.jpg"), "Software"), "Lumora");

    // Overwriting is on by default (the settings of a first start); --no-overwrite leaves them.
    const QByteArray bytes = readBytes(path("beach.jpg"));
    r = convert({"--no-overwrite", "--quality", "30", beach, flag, logo});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "written 0, skipped 3, failed 0\n");
    EXPECT_EQ(readBytes(path("beach.jpg")), bytes);
    r = convert({"--quality", "30", beach});
    EXPECT_EQ(r.out, "written 1, skipped 0, failed 0\n");
    EXPECT_EQ(identify(path("beach.jpg"), "%Q"), "30");
}

TEST_F(ConvertCli, HybridAndGenericNamesIntoTheDestination)
{
    QString out = path("new/folder");
    ToolResult r = convert({"--tasks", writeTasks(kResize80x60), "--dest", out, "--naming", "hybrid", "--prefix",
                            "[No Prefix]", "--sep1", "[No Separator]", "--sep2", "_", "--suffix",
                            "[Resulting resolution]", beach});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(identify(out + "/beach_80x60.jpg"), "80x60");

    // Typed text goes in literally, less the characters a name cannot hold.
    r = convert({"--dest", out, "--naming", "hybrid", "--prefix", "Holi/day?", "--sep2", "[WhiteSpace]", "--suffix",
                 "[No Prefix]", beach});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(out + "/Holiday_beach .jpg"));

    // Generic names count by the position in the basket file, then on the command line.
    const QString basket = QStringLiteral("\"%1\"\r\n\"%2\"\r\n\"%3\"\r\n").arg(beach, path("gone.png"), flag);
    writeBytes(path("trip.ibf"), basket.toUtf8());
    out = path("out");
    r = convert({"--basket", path("trip.ibf"), "--dest", out, "--naming", "generic", "--generic-name", "Trip",
                 "--counter", "[Starting 1001]", "--jobs", "2", logo});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "written 3, skipped 1, failed 0\n");
    EXPECT_EQ(QDir(out).entryList(QDir::Files), (QStringList{"Trip1001.jpg", "Trip1003.jpg", "Trip1004.jpg"}));
    EXPECT_EQ(identify(out + "/Trip1001.jpg"), "160x120");
    EXPECT_EQ(identify(out + "/Trip1004.jpg"), "30x20");
}

TEST_F(ConvertCli, SaveOptionsAndJobsGiveTheSameFiles)
{
    const QStringList options{"--quality", "55", "--progressive", "--grey", "--tasks", writeTasks(kResize80x60)};
    for (const char* jobs : {"1", "3"}) {
        const ToolResult r = convert(options + QStringList{"--jobs", jobs, "--dest", path(jobs), beach, flag, logo});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    EXPECT_EQ(identify(path("1/beach.jpg"), "%Q %[colorspace] %[interlace] %wx%h"), "55 Gray JPEG 80x60");
    for (const char* name : {"beach.jpg", "flag.jpg", "logo.jpg"})
        EXPECT_EQ(readBytes(path("1/") + name), readBytes(path("3/") + name)) << name;
}

TEST_F(ConvertCli, SettingsFileGivesTheDefaultsAndOptionsWin)
{
    SetupRecord record = defaultSetup(dir.path());
    record.naming.nameMode = 2;
    record.naming.genericName = "Album";
    record.naming.counterStart = "20";
    record.naming.jpegQuality = 42;
    record.naming.overwrite = 0;
    writeBytes(path("lumora"), encodeSetup(record));

    ToolResult r = convert({"--settings", path("lumora"), beach});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(identify(path("Album20.jpg"), "%Q"), "42");
    r = convert({"--settings", path("lumora"), beach});
    EXPECT_EQ(r.out, "written 0, skipped 1, failed 0\n");  // the file's no-overwrite
    r = convert({"--settings", path("lumora"), "--naming", "original", "--quality", "90", beach});
    EXPECT_EQ(identify(path("beach.jpg"), "%Q"), "90");
}

TEST_F(ConvertCli, MetadataImports)
{
    writeBytes(path("studio.xiff"), "\"Artist\",\"Jane Roe\"\r\n");
    writeBytes(path("desk.ffo"), QByteArray("\x1c\x02\x00\x00\x02\x00\x04\x1c\x02\x69\x00\x05Storm", 17));
    const ToolResult r = convert({"--import-exif", path("studio.xiff"), "--import-iptc", path("desk.ffo"), flag});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(runTool("exiftool", {"-s3", "-Artist", "-Software", "-IPTC:Headline", path("flag.jpg")}).out,
              "Jane Roe\nLumora\nStorm\n");

    // A text no EXIF block can hold is said, not dropped silently; the rest of the file counts.
    writeBytes(path("long.xiff"), "\"Artist\",\"" + QByteArray(70000, 'A') + "\"\r\n\"Copyright\",\"Jane Roe\"\r\n");
    const ToolResult longText = convert({"--import-exif", path("long.xiff"), "--dest", path("long"), flag});
    expectFailure(longText, "Artist");
    EXPECT_EQ(longText.out, "written 1, skipped 0, failed 0, warnings 1\n");
    EXPECT_EQ(exiftoolValue(path("long/flag.jpg"), "Copyright"), "Jane Roe");
}

TEST_F(ConvertCli, FailuresExitWithOne)
{
    writeBytes(path("file.txt"), "a file");
    ToolResult r = convert({"--jobs", "1", "--dest", path("file.txt/sub"), beach, logo});
    expectFailure(r, "fncSaveSinglePage");
    EXPECT_EQ(r.out, "written 0, skipped 0, failed 1\n");

    // A task that fails is reported; the photos are still written, and the exit status says so.
    r = convert({"--tasks", writeTasks(kFailingRotation), beach});
    expectFailure(r, "subProcessPages");
    EXPECT_EQ(r.out, "written 1, skipped 0, failed 0, warnings 1\n");

    // A file an option names that is not there is an error, not silently skipped.
    for (const char* option : {"--tasks", "--settings", "--import-exif", "--import-iptc"})
        expectFailure(convert({option, path("none.file"), beach}), "none.file");
}

TEST_F(ConvertCli, OriginalsAreReplacedOnlyWithInPlace)
{
    // An output landing on the photo it is made from, or on another photo of the run.
    const struct {
        QStringList photos;
        QString replaced;
    } cases[] = {{{"beach.jpg"}, "beach.jpg"}, {{"beach.png", "beach.jpg"}, "beach.jpg"}};
    for (const auto& c : cases) {
        ASSERT_EQ(runTool("convert", {beach, path("beach.jpg")}).exitCode, 0);
        const QByteArray original = readBytes(path(c.replaced));
        QStringList photos;
        for (const QString& name : c.photos)
            photos.append(path(name));
        const QStringList before = QDir(dir.path()).entryList(QDir::Files);
        ToolResult r = convert(photos);
        EXPECT_EQ(r.exitCode, 2) << c.photos.join(' ').toStdString();
        EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("--dest") && r.err.contains("--in-place") && r.err.contains(c.replaced))
            << r.err.toStdString();
        EXPECT_EQ(readBytes(path(c.replaced)), original);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);

        r = convert(QStringList{"--in-place"} + photos);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_NE(readBytes(path(c.replaced)), original);
    }

    // A name made from the photo's values is judged when the photo is written: an empty artist
    // and no separators give the photo's own name.
    const QByteArray original = readBytes(path("beach.jpg"));
    const ToolResult r = convert({"--naming", "hybrid", "--prefix", "[EXIF Artist]", "--sep1", "[No Separator]",
                                  "--sep2", "[No Separator]", "--suffix", "[No Prefix]", path("beach.jpg")});
    expectFailure(r, "--in-place");
    EXPECT_EQ(r.out, "written 0, skipped 1, failed 0\n");
    EXPECT_EQ(readBytes(path("beach.jpg")), original);
}

TEST_F(ConvertCli, KeepGoingWritesThePhotosAfterOneThatFails)
{
    // A JPEG cut short is not written grey-filled as if it were whole: it fails, and ends the run
    // unless it is to keep going.
    ASSERT_EQ(runTool("convert", {beach, path("whole.jpg")}).exitCode, 0);
    const QByteArray whole = readBytes(path("whole.jpg"));
    writeBytes(path("cut.jpg"), whole.left(whole.size() / 2));
    for (const bool keepGoing : {false, true}) {
        const QString out = path(keepGoing ? "kept" : "ended");
        QStringList arguments{"--jobs", "1", "--dest", out, path("cut.jpg"), beach};
        if (keepGoing)
            arguments.prepend("--keep-going");
        const ToolResult r = convert(arguments);
        expectFailure(r, "Premature end");
        EXPECT_EQ(r.out, keepGoing ? "written 1, skipped 0, failed 1\n" : "written 0, skipped 0, failed 1\n");
        EXPECT_EQ(QDir(out).entryList(QDir::Files), keepGoing ? QStringList{"beach.jpg"} : QStringList{});
    }
}

TEST_F(ConvertCli, DiskFaultsSayWhatTheSystemSays)
{
    // A folder of its own mounted full or read-only, in a mount namespace of the test's own.
    const QString unshare = QStandardPaths::findExecutable("unshare");
    if (unshare.isEmpty() || runTool(unshare, {"-rm", "true"}).exitCode != 0)
        GTEST_SKIP() << "no mount namespace for the test";
    const struct {
        QString options;
        QString message;
    } cases[] = {{"size=4k", "No space left on device"}, {"ro", "Read-only file system"}};
    QDir().mkpath(path("mnt"));
    const QString photo = writePng(gradientPicture(800, 600), path("large.png"));
    for (const auto& c : cases) {
        const QString script = QStringLiteral("mount -t tmpfs -o %1 none '%2' && exec '%3' convert --dest '%2' '%4'")
                                   .arg(c.options, path("mnt"), LUMORA_BATCH_EXE, photo);
        const ToolResult r = runTool(unshare, {"-rm", "sh", "-c", script});
        expectFailure(r, c.message);
        EXPECT_EQ(r.out, "written 0, skipped 0, failed 1\n");
    }
}

TEST_F(ConvertCli, ProgressBarOnATerminal)
{
    const QString script = QStandardPaths::findExecutable("script");
    if (script.isEmpty())
        GTEST_SKIP() << "no script(1) to give the program a terminal";
    const QString command = QStringLiteral("'%1' convert --jobs 1 '%2' '%3'").arg(LUMORA_BATCH_EXE, beach, logo);
    const ToolResult r = runTool(script, {"-qec", command, "/dev/null"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("\r[##########          ] 1/2")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("\r[####################] 2/2")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("written 2, skipped 0, failed 0"));
}

}  // namespace
