// lumora-batch info: the metadata pane's rows on standard output, as text or JSON, for photos
// whose tags exiftool put in.

#include "cli/LumoraBatch.h"
#include "metadata/MetadataFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace lumora::test;

namespace {

ToolResult info(const QStringList& arguments) { return lumoraBatch(QStringList{"info"} + arguments); }

using InfoCli = TaggedPhotoTest;

QStringList lines(const QString& out) { return out.split(u'\n', Qt::SkipEmptyParts); }

TEST_F(InfoCli, PrintsExifThenIptcRowsAsThePaneShowsThemOrAsJsonWithRawNamesAndTheEditableFlag)
{
    // exiftool writes an infinite focal length as 1/0, which shows raw and is reported.
    const QString jpg = photoWith({"-Make=Canon", "-Orientation#=6", "-ExposureTime=1/250", "-FocalLength=inf",
                                   "-DateTimeOriginal=2004:07:15 14:03:22", "-EXIF:Flash#=16",
                                   "-IPTC:Caption-Abstract=harbour", "-IPTC:Keywords=alpha", "-IPTC:Keywords=beta",
                                   "-IPTC:City=Kiel"});
    ToolResult r = info({jpg});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(lines(r.err).size(), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("modMetadata.fncEXIFInterpret"));
    const QStringList out = lines(r.out);
    ASSERT_EQ(out.value(0), "EXIF");
    const qsizetype iptcAt = out.indexOf("IPTC");
    ASSERT_GT(iptcAt, 0);
    for (const char* line : {"Make: Canon", "Orientation: Right Upper", "Exposure Time: 1/250 s", "Focal Length: 1/0",
                             "Date/Time Original: 7/15/2004 2:03:22 PM"})
        EXPECT_TRUE(out.mid(1, iptcAt - 1).contains(line)) << line;
    const QStringList iptcLines = r.out.split(u'\n').mid(iptcAt + 1, 52);
    EXPECT_EQ(iptcLines.first(), "Caption: harbour");
    EXPECT_TRUE(iptcLines.contains("Keywords: alpha,beta"));
    EXPECT_TRUE(iptcLines.contains("City: Kiel"));
    EXPECT_EQ(r.out.split(u'\n').size(), iptcAt + 1 + 52 + 1);  // the last line ends the output

    r = info({"--json", jpg});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    QJsonParseError error;
    const QJsonObject document = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    EXPECT_EQ(document.value("file").toString(), jpg);
    const QJsonArray exif = document.value("exif").toArray();
    EXPECT_TRUE(exif.contains(QJsonObject{{"name", "Make"}, {"text", "Make"}, {"value", "Canon"}, {"editable", true}}));
    EXPECT_TRUE(exif.contains(QJsonObject{{"name", "Flash"},
                                          {"text", "Flash"},
                                          {"value", "Flash did not fire, compulsory flash mode"},
                                          {"editable", false}}));
    const QJsonArray iptc = document.value("iptc").toArray();
    ASSERT_EQ(iptc.size(), 52);
    EXPECT_EQ(iptc.at(0).toObject(), (QJsonObject{{"label", "Caption"}, {"value", "harbour"}}));
    EXPECT_TRUE(iptc.contains(QJsonObject{{"label", "City"}, {"value", "Kiel"}}));
}

TEST_F(InfoCli, OtherFormatsListNothingAndUnreadableFilesFailWithOneLine)
{
    const QString png = photoWith({}, "picture.png");
    ToolResult r = info({png});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "");
    const QJsonObject document = QJsonDocument::fromJson(info({png, "--json"}).out.toUtf8()).object();
    EXPECT_TRUE(document.value("exif").toArray().isEmpty() && document.value("iptc").toArray().isEmpty());
    EXPECT_EQ(document.value("file").toString(), png);

    writeBytes(path("notes.jpg"), "shopping list\n");
    for (const QString& file : {path("notes.jpg"), path("missing.jpg"), dir.path()}) {
        SCOPED_TRACE(file.toStdString());
        r = info({file});
        expectFailure(r, file);
        EXPECT_EQ(r.out, "");
    }
}

}  // namespace
