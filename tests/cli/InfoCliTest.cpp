// lumora-batch info: the metadata pane's rows on standard output, as text or JSON, for photos
// whose tags exiftool put in.

#include "metadata/MetadataFiles.h"
#include "support/FileBytes.h"
#include "support/Oracles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora::test;

namespace {

const QString kBatch = QStringLiteral(LUMORA_BATCH_EXE);

ToolResult info(const QStringList& arguments) { return runTool(kBatch, QStringList{QStringLiteral("info")} + arguments); }

class InfoCli : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    QString photo(const QStringList& assignments, const QString& name = QStringLiteral("photo.jpg"))
    {
        const QString file = makePicture(path(name));
        if (!assignments.isEmpty()) {
            EXPECT_TRUE(exiftoolWrite(file, assignments));
        }
        return file;
    }

    QTemporaryDir dir;
};

QStringList lines(const QString& out) { return out.split(u'\n', Qt::SkipEmptyParts); }

}  // namespace

TEST_F(InfoCli, PrintsExifThenIptcRowsAsThePaneShowsThem)
{
    const QString jpg = photo({"-Make=Canon", "-Orientation#=6", "-ExposureTime=1/250",
                               "-DateTimeOriginal=2004:07:15 14:03:22", "-IPTC:Caption-Abstract=harbour",
                               "-IPTC:Keywords=alpha", "-IPTC:Keywords=beta"});
    const ToolResult r = info({jpg});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    const QStringList out = lines(r.out);
    ASSERT_FALSE(out.isEmpty());
    EXPECT_EQ(out.first(), "EXIF");
    const qsizetype iptc = out.indexOf(QStringLiteral("IPTC"));
    ASSERT_GT(iptc, 0);
    const QStringList exifLines = out.mid(1, iptc - 1);
    EXPECT_TRUE(exifLines.contains("Make: Canon"));
    EXPECT_TRUE(exifLines.contains("Orientation: Right Upper"));
    EXPECT_TRUE(exifLines.contains("Exposure Time: 1/250 s"));
    EXPECT_TRUE(exifLines.contains("Date/Time Original: 7/15/2004 2:03:22 PM"));
    const QStringList iptcLines = r.out.split(u'\n').mid(iptc + 1, 52);
    EXPECT_EQ(iptcLines.first(), "Caption: harbour");
    EXPECT_TRUE(iptcLines.contains("Keywords: alpha,beta"));
    EXPECT_TRUE(iptcLines.contains("City: "));
    EXPECT_EQ(r.out.split(u'\n').size(), iptc + 1 + 52 + 1);  // the last line ends the output
}

TEST_F(InfoCli, JsonCarriesRawNamesAndTheEditableFlag)
{
    const QString jpg = photo({"-Make=Canon", "-EXIF:Flash#=16", "-IPTC:City=Kiel"});
    const ToolResult r = info({"--json", jpg});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    QJsonParseError error;
    const QJsonObject document = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    EXPECT_EQ(document.value("file").toString(), jpg);

    QJsonObject make;
    QJsonObject flash;
    for (const QJsonValue& row : document.value("exif").toArray()) {
        if (row.toObject().value("name") == "Make")
            make = row.toObject();
        if (row.toObject().value("name") == "Flash")
            flash = row.toObject();
    }
    EXPECT_EQ(make, (QJsonObject{{"name", "Make"}, {"text", "Make"}, {"value", "Canon"}, {"editable", true}}));
    EXPECT_EQ(flash, (QJsonObject{{"name", "Flash"},
                                  {"text", "Flash"},
                                  {"value", "Flash did not fire, compulsory flash mode"},
                                  {"editable", false}}));

    const QJsonArray iptc = document.value("iptc").toArray();
    ASSERT_EQ(iptc.size(), 52);
    EXPECT_EQ(iptc.at(0).toObject(), (QJsonObject{{"label", "Caption"}, {"value", ""}}));
    bool city = false;
    for (const QJsonValue& row : iptc)
        city = city || row.toObject() == QJsonObject{{"label", "City"}, {"value", "Kiel"}};
    EXPECT_TRUE(city);
}

TEST_F(InfoCli, OtherFormatsListNothing)
{
    const QString png = photo({}, "picture.png");
    ToolResult r = info({png});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "");
    r = info({png, "--json"});
    const QJsonObject document = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_TRUE(document.value("exif").toArray().isEmpty());
    EXPECT_TRUE(document.value("iptc").toArray().isEmpty());
}

TEST_F(InfoCli, AValueThatCannotBeInterpretedIsShownRawAndReported)
{
    const QString jpg = photo({"-FocalLength=inf"});
    const ToolResult r = info({jpg});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(lines(r.out).contains("Focal Length: 1/0"));
    EXPECT_EQ(lines(r.err).size(), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("modMetadata.fncEXIFInterpret"));
}

TEST_F(InfoCli, UnreadableFilesFailWithOneLine)
{
    writeBytes(path("notes.jpg"), "shopping list\n");
    for (const QString& file : {path("notes.jpg"), path("missing.jpg"), dir.path()}) {
        const ToolResult r = info({file});
        EXPECT_EQ(r.exitCode, 1) << file.toStdString();
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(lines(r.err).size(), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(file));
    }
}

TEST_F(InfoCli, WrongUsageExitsWithTwo)
{
    const QString jpg = photo({});
    EXPECT_EQ(info({}).exitCode, 2);
    EXPECT_EQ(info({jpg, jpg}).exitCode, 2);
    EXPECT_EQ(info({"--xml", jpg}).exitCode, 2);
    EXPECT_TRUE(runTool(kBatch, {"--help"}).out.contains("info [--json] FILE"));
}
