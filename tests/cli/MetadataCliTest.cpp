// lumora-batch exif and iptc: the metadata pane's edits, deletions, clearing and exchange files on
// several photos at once, exiftool judging what reached the files.

#include "cli/LumoraBatch.h"
#include "metadata/MetadataFiles.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace lumora::test;

namespace {

// exiftool's reading of these tags ("EXIF:Artist") in every file, in one run: by file, then by
// tag, "" where the file has no such tag; lists joined with ",".
QHash<QString, QHash<QString, QString>> exiftoolRead(const QStringList& files, const QStringList& tags)
{
    QStringList arguments{"-j", "-G", "-sep", ","};
    for (const QString& tag : tags)
        arguments << u'-' + tag;
    const ToolResult r = runTool("exiftool", arguments + files);
    QHash<QString, QHash<QString, QString>> values;
    for (const QJsonValue& file : QJsonDocument::fromJson(r.out.toUtf8()).array())
        for (const QString& tag : tags)
            values[file["SourceFile"].toString()][tag] = file[tag].toVariant().toString();
    return values;
}

class MetadataCli : public BatchFolderTest {
protected:
    // Pictures of these names, made by ImageMagick, with exiftool's assignments in them.
    QStringList photos(const QStringList& names, const QStringList& assignments = {})
    {
        QStringList paths;
        for (const QString& name : names)
            paths << makePicture(path(name));
        if (!assignments.isEmpty()) {
            EXPECT_EQ(runTool("exiftool", QStringList{"-q", "-overwrite_original"} + assignments + paths).exitCode, 0);
        }
        return paths;
    }

    // Every edit of the table, each on fresh photos of these names given in one command.
    void expectEditsReadBack(const QStringList& names);
};

struct Edit {
    QStringList command;  // before the files
    QStringList before;   // what the photos carry first
    QString tag;          // exiftool's name of what changes
    QString expected;
};

const Edit kEdits[] = {
    {{"exif", "set", "Artist", "Jane Doe"}, {}, "EXIF:Artist", "Jane Doe"},
    {{"exif", "set", "DateTimeOriginal", "7/15/2004 2:03:22 PM"}, {}, "EXIF:DateTimeOriginal", "2004:07:15 14:03:22"},
    {{"exif", "set", "DateTimeDigitized", "2004:07:16 10:00:00"}, {}, "EXIF:CreateDate", "2004:07:16 10:00:00"},
    {{"exif", "set", "PixelXDimension", "640"}, {}, "EXIF:ExifImageWidth", "640"},
    {{"exif", "delete", "Artist"}, {"-Artist=Old"}, "EXIF:Artist", ""},
    {{"exif", "clear"}, {"-Make=Canon", "-Artist=Old"}, "EXIF:Make", ""},
    {{"iptc", "set", "Caption", "harbour"}, {}, "IPTC:Caption-Abstract", "harbour"},
    {{"iptc", "set", "Credit", "-h"}, {}, "IPTC:Credit", "-h"},  // a value, not a call for help
    {{"iptc", "set", "Keywords", "alpha, beta,gamma"}, {"-IPTC:Keywords=old"}, "IPTC:Keywords", "alpha,beta,gamma"},
    {{"iptc", "set", "Supplemental Categories", ""}, {"-IPTC:SupplementalCategories=old"}, "IPTC:SupplementalCategories", ""},
    {{"iptc", "set", "Date Created", "2024-03-05"}, {}, "IPTC:DateCreated", "2024:03:05"},
    {{"iptc", "set", "Time Created", "2:03:22 PM"}, {}, "IPTC:TimeCreated", "14:03:22+00:00"},
    {{"iptc", "delete", "Keywords"}, {"-IPTC:Keywords=a", "-IPTC:Keywords=b"}, "IPTC:Keywords", ""},
    {{"iptc", "delete", "City"}, {"-IPTC:City=Kiel", "-IPTC:Headline=kept"}, "IPTC:City", ""},
    {{"iptc", "clear"}, {"-IPTC:By-line=Jane", "-IPTC:Headline=gone"}, "IPTC:By-line", ""},
};

void MetadataCli::expectEditsReadBack(const QStringList& names)
{
    for (const Edit& edit : kEdits) {
        SCOPED_TRACE(edit.command.join(u' ').toStdString());
        const QStringList files = photos(names, edit.before);
        const ToolResult r = lumoraBatch(edit.command + files);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.err, "");
        const auto read = exiftoolRead(files, {edit.tag, "EXIF:Software", "IPTC:Headline"});
        for (const QString& file : files) {
            SCOPED_TRACE(file.toStdString());
            EXPECT_EQ(read[file][edit.tag], edit.expected);
            const bool exifChange = edit.command.at(0) == u"exif" && edit.command.at(1) != u"clear";
            EXPECT_EQ(read[file]["EXIF:Software"], exifChange ? "Lumora" : "");
            EXPECT_EQ(read[file]["IPTC:Headline"], edit.before.contains("-IPTC:Headline=kept") ? "kept" : "");
        }
    }
}

TEST_F(MetadataCli, EditsOfJpegFilesReadBackInExiftool) { expectEditsReadBack({"a.jpg", "b.jpeg"}); }

// Every edit is written back into these too, the image data left as it is.
TEST_F(MetadataCli, EditsOfJpeTiffAndPsdFilesReadBackInExiftool)
{
    expectEditsReadBack({"a.JPE", "b.tif", "c.tiff", "d.psd"});
}

TEST_F(MetadataCli, ARefusedNameLabelValueOrExchangeFileTouchesNoFile)
{
    writeBytes(path("dated.xiff"), "\"Artist\",\"Studio\"\r\n\"DateTime\",\"yesterday\"\r\n");
    writeBytes(path("cut.xiff"), "\"Artist\"");
    writeBytes(path("text.ffo"), "not IPTC at all");
    const QStringList files = photos({"a.jpg", "b.tif"}, {"-Artist=Old", "-IPTC:Caption-Abstract=old"});
    const QByteArray a = readBytes(files.at(0));
    const QByteArray b = readBytes(files.at(1));
    const struct {
        QStringList command;
        QString mention;
    } refusals[] = {
        {{"exif", "set", "Flash", "1"}, "PixelYDimension"},  // names the attributes that can be set
        {{"exif", "set", "Software", "x"}, "Software"},
        {{"exif", "set", "DateTime", "yesterday"}, "yesterday"},
        {{"exif", "set", "DateTimeOriginal", "2/30/2024 1:00:00 PM"}, "2/30/2024"},
        {{"exif", "set", "PixelXDimension", "wide"}, "wide"},
        {{"iptc", "set", "Headline (Title)", "x"}, "Headline (Title)"},
        {{"iptc", "delete", "caption"}, "caption"},
        {{"iptc", "set", "Date Created", "31/12/2024"}, "31/12/2024"},
        {{"exif", "import", path("dated.xiff")}, "dated.xiff"},
        {{"exif", "import", path("cut.xiff")}, "cut.xiff"},
        {{"iptc", "import", path("text.ffo")}, "text.ffo"},
    };
    for (const auto& refusal : refusals) {
        SCOPED_TRACE(refusal.command.join(u' ').toStdString());
        expectFailure(lumoraBatch(refusal.command + files), refusal.mention);
        EXPECT_EQ(readBytes(files.at(0)), a);
        EXPECT_EQ(readBytes(files.at(1)), b);
    }
    const QStringList usage[] = {{"exif"}, {"iptc", "rename", files.at(0)}, {"exif", "set", "Artist", files.at(0)},
                                 {"iptc", "delete"}, {"exif", "export", files.at(0), path("out.txt")}};
    for (const QStringList& command : usage) {
        SCOPED_TRACE(command.join(u' ').toStdString());
        EXPECT_EQ(lumoraBatch(command).exitCode, 2);
        EXPECT_EQ(readBytes(files.at(0)), a);
    }
    EXPECT_FALSE(QFile::exists(path("out.txt")));
}

TEST_F(MetadataCli, FilesThatCannotBeWrittenAreReportedAndLeftAloneWhileTheOthersAreWritten)
{
    const QStringList good = photos({"a.jpg", "b.jpg"});
    const QStringList bad{makePicture(path("picture.png")), path("missing.jpg"), path("readonly.jpg"),
                          path("png-inside.jpg")};
    makePicture(path("readonly.jpg"));
    QFile::setPermissions(bad.at(2), QFile::ReadOwner | QFile::ReadGroup);
    QFile::copy(bad.at(0), bad.at(3));
    QList<QByteArray> before;
    for (const QString& file : bad)
        before << readBytes(file);

    const ToolResult r = lumoraBatch(QStringList{"iptc", "set", "City", "Kiel", good.at(0)} << bad << good.at(1));
    EXPECT_EQ(r.exitCode, 1);
    const QStringList lines = r.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), bad.size()) << r.err.toStdString();
    for (qsizetype i = 0; i < bad.size(); ++i) {
        EXPECT_TRUE(lines.at(i).contains(bad.at(i) + ": ")) << lines.at(i).toStdString();
        EXPECT_EQ(readBytes(bad.at(i)), before.at(i)) << bad.at(i).toStdString();
    }
    EXPECT_FALSE(QFile::exists(bad.at(1)));
    for (const QString& file : good)
        EXPECT_EQ(exiftoolRead(good, {"IPTC:City"})[file]["IPTC:City"], "Kiel");
}

TEST_F(MetadataCli, ExportThenImportCarriesTheEditableExifAndTheIptcToOtherPhotos)
{
    const QString source = photos({"source.jpg"}, {"-Artist=Studio", "-DateTimeOriginal=2004:07:15 14:03:22",
                                                   "-Model=X100", "-IPTC:Caption-Abstract=harbour",
                                                   "-IPTC:Keywords=alpha", "-IPTC:Keywords=beta"})
                               .first();
    ASSERT_EQ(lumoraBatch({"exif", "export", source, path("carried.XIFF")}).exitCode, 0);
    ASSERT_EQ(lumoraBatch({"iptc", "export", source, path("carried.ffo")}).exitCode, 0);

    const QStringList targets = photos({"t1.jpg", "t2.jpg"}, {"-Make=Canon", "-Artist=Other", "-IPTC:City=Kiel"});
    const ToolResult exif = lumoraBatch(QStringList{"exif", "import", path("carried.XIFF")} + targets);
    const ToolResult iptc = lumoraBatch(QStringList{"iptc", "import", path("carried.ffo")} + targets);
    EXPECT_EQ(exif.exitCode, 0) << exif.err.toStdString();
    EXPECT_EQ(iptc.exitCode, 0) << iptc.err.toStdString();
    // Make is not in the source's exchange file and stays; the IPTC is replaced whole (City goes).
    const QMap<QString, QString> carried{
        {"EXIF:Artist", "Studio"}, {"EXIF:DateTimeOriginal", "2004:07:15 14:03:22"}, {"EXIF:Make", "Canon"},
        {"EXIF:Software", "Lumora"}, {"IPTC:Caption-Abstract", "harbour"}, {"IPTC:Keywords", "alpha,beta"},
        {"IPTC:City", ""}};
    const auto read = exiftoolRead(targets, carried.keys());
    for (const QString& target : targets)
        for (const QString& tag : carried.keys())
            EXPECT_EQ(read[target][tag], carried[tag]) << target.toStdString() << " " << tag.toStdString();

    // A photo with nothing to carry leaves no file behind.
    const QString bare = photos({"bare.jpg"}).first();
    expectFailure(lumoraBatch({"exif", "export", bare, path("bare.xiff")}), "no user editable EXIF");
    expectFailure(lumoraBatch({"iptc", "export", bare, path("bare.ffo")}), "bare.jpg");
    EXPECT_FALSE(QFile::exists(path("bare.xiff")));
    EXPECT_FALSE(QFile::exists(path("bare.ffo")));
}

}  // namespace
