// lumora-batch convert as scripts see it: usage errors, the summary line, naming and save
// options, settings files, metadata imports, failures and the terminal's progress bar, with
// ImageMagick and exiftool reading what it wrote.

#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/TestImages.h"

#include "settings/SetupRecordCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

const QString kBatch = QStringLiteral(LUMORA_BATCH_EXE);

ToolResult convert(const QStringList& arguments) { return runTool(kBatch, QStringList{QStringLiteral("convert")} + arguments); }

QString exifTag(const QString& path, const QString& tag)
{
    return runTool(QStringLiteral("exiftool"), {QStringLiteral("-s3"), u'-' + tag, path}).out.trimmed();
}

class ConvertCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        beach = writePng(gradientPicture(160, 120), path(QStringLiteral("beach.png")));
        logo = writePng(gradientPicture(30, 20), path(QStringLiteral("logo.png")));
        const ToolResult r = runTool(QStringLiteral("convert"), {logo, path(QStringLiteral("flag.gif"))});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        flag = path(QStringLiteral("flag.gif"));
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    QString writeTasks(const QByteArray& records)
    {
        const QString file = path(QStringLiteral("tasks.tbf"));
        writeBytes(file, records);
        return file;
    }

    QTemporaryDir dir;
    QString beach;
    QString logo;
    QString flag;
};

const QByteArray kResize80x60 =
    "\"3\",\"resize\",\"True\",\"80\",\"60\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";

TEST_F(ConvertCli, UsageErrors)
{
    EXPECT_TRUE(runTool(kBatch, {QStringLiteral("--help")}).out.contains(QStringLiteral("convert [OPTIONS]")));
    const QList<QStringList> wrong{
        {},
        {QStringLiteral("--naming"), QStringLiteral("fancy"), QStringLiteral("a.png")},
        {QStringLiteral("--quality"), QStringLiteral("0"), QStringLiteral("a.png")},
        {QStringLiteral("--quality"), QStringLiteral("high"), QStringLiteral("a.png")},
        {QStringLiteral("--jobs"), QStringLiteral("0"), QStringLiteral("a.png")},
        {QStringLiteral("--counter"), QStringLiteral("first"), QStringLiteral("a.png")},
        {QStringLiteral("--overwrite"), QStringLiteral("--no-overwrite"), QStringLiteral("a.png")},
        {QStringLiteral("--frobnicate"), QStringLiteral("a.png")},
    };
    for (const QStringList& arguments : wrong) {
        const ToolResult r = convert(arguments);
        EXPECT_EQ(r.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST_F(ConvertCli, ConvertsNextToTheSourcesAndCountsExactly)
{
    writeBytes(path(QStringLiteral("notes.xyz")), "no photo");
    ToolResult r = convert({beach, path(QStringLiteral("notes.xyz")), flag, logo});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();  // no progress bar off a terminal
    EXPECT_EQ(r.out.trimmed(), QStringLiteral("written 3, skipped 1, failed 0"));
    EXPECT_EQ(identify(path(QStringLiteral("beach.jpg")), QStringLiteral("%m %wx%h %Q")), QStringLiteral("JPEG 160x120 80"));
    EXPECT_EQ(identify(path(QStringLiteral("flag.jpg")), QStringLiteral("%m %wx%h")), QStringLiteral("JPEG 30x20"));
    EXPECT_EQ(identify(path(QStringLiteral("logo.jpg")), QStringLiteral("%m %wx%h")), QStringLiteral("JPEG 30x20"));
    EXPECT_EQ(exifTag(path(QStringLiteral("logo.jpg")), QStringLiteral("Software")), QStringLiteral("Lumora"));

    // Overwriting is on by default (the settings of a first start); --no-overwrite leaves them.
    const QDateTime before = QFileInfo(path(QStringLiteral("beach.jpg"))).lastModified();
    const QByteArray bytes = readBytes(path(QStringLiteral("beach.jpg")));
    r = convert({QStringLiteral("--no-overwrite"), QStringLiteral("--quality"), QStringLiteral("30"), beach, flag, logo});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.trimmed(), QStringLiteral("written 0, skipped 3, failed 0"));
    EXPECT_EQ(QFileInfo(path(QStringLiteral("beach.jpg"))).lastModified(), before);
    EXPECT_EQ(readBytes(path(QStringLiteral("beach.jpg"))), bytes);
    r = convert({QStringLiteral("--quality"), QStringLiteral("30"), beach});
    EXPECT_EQ(r.out.trimmed(), QStringLiteral("written 1, skipped 0, failed 0"));
    EXPECT_EQ(identify(path(QStringLiteral("beach.jpg")), QStringLiteral("%Q")), QStringLiteral("30"));
}

TEST_F(ConvertCli, HybridNamesAfterTheTasksIntoTheDestination)
{
    const QString out = path(QStringLiteral("new/folder"));
    const ToolResult r = convert({QStringLiteral("--tasks"), writeTasks(kResize80x60), QStringLiteral("--dest"), out,
                                  QStringLiteral("--naming"), QStringLiteral("hybrid"), QStringLiteral("--prefix"),
                                  QStringLiteral("[No Prefix]"), QStringLiteral("--sep1"), QStringLiteral("[No Separator]"),
                                  QStringLiteral("--sep2"), QStringLiteral("_"), QStringLiteral("--suffix"),
                                  QStringLiteral("[Resulting resolution]"), beach});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(identify(out + QStringLiteral("/beach_80x60.jpg")), QStringLiteral("80x60"));

    // Typed text goes in literally, less the characters a name cannot hold.
    const ToolResult typed = convert({QStringLiteral("--dest"), out, QStringLiteral("--naming"), QStringLiteral("hybrid"),
                                      QStringLiteral("--prefix"), QStringLiteral("Holi/day?"), QStringLiteral("--sep2"),
                                      QStringLiteral("[WhiteSpace]"), QStringLiteral("--suffix"), QStringLiteral("[No Prefix]"),
                                      beach});
    EXPECT_EQ(typed.exitCode, 0) << typed.err.toStdString();
    EXPECT_TRUE(QFile::exists(out + QStringLiteral("/Holiday_beach .jpg")));
}

TEST_F(ConvertCli, GenericNamesFromABasketFile)
{
    writeBytes(path(QStringLiteral("trip.ibf")), (u'"' + beach + QStringLiteral("\"\r\n\"") + path(QStringLiteral("gone.png"))
                                                  + QStringLiteral("\"\r\n\"") + flag + QStringLiteral("\"\r\n"))
                                                     .toUtf8());
    const QString out = path(QStringLiteral("out"));
    const ToolResult r = convert({QStringLiteral("--basket"), path(QStringLiteral("trip.ibf")), QStringLiteral("--dest"), out,
                                  QStringLiteral("--naming"), QStringLiteral("generic"), QStringLiteral("--generic-name"),
                                  QStringLiteral("Trip"), QStringLiteral("--counter"), QStringLiteral("[Starting 1001]"),
                                  QStringLiteral("--jobs"), QStringLiteral("2"), logo});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed(), QStringLiteral("written 3, skipped 1, failed 0"));
    EXPECT_EQ(QDir(out).entryList(QDir::Files),
              (QStringList{"Trip1001.jpg", "Trip1003.jpg", "Trip1004.jpg"}));
    EXPECT_EQ(identify(out + QStringLiteral("/Trip1001.jpg")), QStringLiteral("160x120"));
    EXPECT_EQ(identify(out + QStringLiteral("/Trip1004.jpg")), QStringLiteral("30x20"));
}

TEST_F(ConvertCli, SaveOptionsAndJobsGiveTheSameFiles)
{
    const QStringList options{QStringLiteral("--quality"), QStringLiteral("55"), QStringLiteral("--progressive"),
                              QStringLiteral("--grey"), QStringLiteral("--tasks"), writeTasks(kResize80x60)};
    ToolResult r = convert(options + QStringList{QStringLiteral("--jobs"), QStringLiteral("1"), QStringLiteral("--dest"),
                                                 path(QStringLiteral("one")), beach, flag, logo});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = convert(options + QStringList{QStringLiteral("--jobs"), QStringLiteral("3"), QStringLiteral("--dest"),
                                      path(QStringLiteral("three")), beach, flag, logo});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(identify(path(QStringLiteral("one/beach.jpg")), QStringLiteral("%Q %[colorspace] %[interlace] %wx%h")),
              QStringLiteral("55 Gray JPEG 80x60"));
    for (const QString& name : {QStringLiteral("beach.jpg"), QStringLiteral("flag.jpg"), QStringLiteral("logo.jpg")})
        EXPECT_EQ(readBytes(path(QStringLiteral("one/") + name)), readBytes(path(QStringLiteral("three/") + name)))
            << name.toStdString();
}

TEST_F(ConvertCli, SettingsFileGivesTheDefaultsAndOptionsWin)
{
    SetupRecord record = defaultSetup(dir.path());
    record.naming.nameMode = 2;
    record.naming.genericName = QStringLiteral("Album");
    record.naming.counterStart = QStringLiteral("20");
    record.naming.jpegQuality = 42;
    record.naming.overwrite = 0;
    writeBytes(path(QStringLiteral("lumora")), encodeSetup(record));

    ToolResult r = convert({QStringLiteral("--settings"), path(QStringLiteral("lumora")), beach});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(identify(path(QStringLiteral("Album20.jpg")), QStringLiteral("%Q")), QStringLiteral("42"));
    r = convert({QStringLiteral("--settings"), path(QStringLiteral("lumora")), beach});
    EXPECT_EQ(r.out.trimmed(), QStringLiteral("written 0, skipped 1, failed 0"));  // the file's no-overwrite

    r = convert({QStringLiteral("--settings"), path(QStringLiteral("lumora")), QStringLiteral("--naming"),
                 QStringLiteral("original"), QStringLiteral("--quality"), QStringLiteral("90"), beach});
    EXPECT_EQ(identify(path(QStringLiteral("beach.jpg")), QStringLiteral("%Q")), QStringLiteral("90"));

    r = convert({QStringLiteral("--settings"), path(QStringLiteral("no-such-settings")), beach});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed().count(u'\n'), 0);
}

TEST_F(ConvertCli, MetadataImports)
{
    writeBytes(path(QStringLiteral("studio.xiff")), "\"Artist\",\"Jane Roe\"\r\n");
    QByteArray iptc("\x1c\x02\x00\x00\x02\x00\x04", 7);
    iptc += QByteArray("\x1c\x02\x69\x00\x05", 5) + "Storm";
    writeBytes(path(QStringLiteral("desk.ffo")), iptc);
    ToolResult r = convert({QStringLiteral("--import-exif"), path(QStringLiteral("studio.xiff")),
                            QStringLiteral("--import-iptc"), path(QStringLiteral("desk.ffo")), flag});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(exifTag(path(QStringLiteral("flag.jpg")), QStringLiteral("Artist")), QStringLiteral("Jane Roe"));
    EXPECT_EQ(exifTag(path(QStringLiteral("flag.jpg")), QStringLiteral("Software")), QStringLiteral("Lumora"));
    EXPECT_EQ(exifTag(path(QStringLiteral("flag.jpg")), QStringLiteral("IPTC:Headline")), QStringLiteral("Storm"));

    // A file named on the command line that is not there is an error, not silently skipped.
    r = convert({QStringLiteral("--import-exif"), path(QStringLiteral("none.xiff")), flag});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed().count(u'\n'), 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("none.xiff")));
}

TEST_F(ConvertCli, FailuresExitWithOne)
{
    writeBytes(path(QStringLiteral("file.txt")), "a file");
    ToolResult r = convert({QStringLiteral("--jobs"), QStringLiteral("1"), QStringLiteral("--dest"),
                            path(QStringLiteral("file.txt/sub")), beach, logo});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed().count(u'\n'), 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("fncSaveSinglePage")));
    EXPECT_EQ(r.out.trimmed(), QStringLiteral("written 0, skipped 0, failed 1"));

    // A task that fails is reported; the photos are still written, and the exit status says so.
    r = convert({QStringLiteral("--tasks"),
                 writeTasks("\"2\",\"rotate\",\"False\",\"quarter\",\"0\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
                            "\"\",\"\",\"\",\"\"\r\n"),
                 beach});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("subProcessPages")));
    EXPECT_EQ(r.out.trimmed(), QStringLiteral("written 1, skipped 0, failed 0"));

    r = convert({QStringLiteral("--tasks"), path(QStringLiteral("none.tbf")), beach});
    EXPECT_EQ(r.exitCode, 1);
}

TEST_F(ConvertCli, ProgressBarOnATerminal)
{
    const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
    if (script.isEmpty())
        GTEST_SKIP() << "no script(1) to give the program a terminal";
    const QString command = QStringLiteral("'%1' convert --jobs 1 '%2' '%3'").arg(kBatch, beach, logo);
    const ToolResult r = runTool(script, {QStringLiteral("-qec"), command, QStringLiteral("/dev/null")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("\r[##########          ] 1/2"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("\r[####################] 2/2"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("written 2, skipped 0, failed 0")));
}

}  // namespace
