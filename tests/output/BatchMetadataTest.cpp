// Metadata on the batch's outputs, read back by exiftool: the Software attribute, EXIF from an
// exchange file, IPTC from a File Info file, and names made of metadata.

#include "BatchFixture.h"

#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/ReportCapture.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

// One IIM dataset of record 2.
QByteArray dataset(int number, const QByteArray& value)
{
    QByteArray bytes;
    bytes.append('\x1c');
    bytes.append('\x02');
    bytes.append(static_cast<char>(number));
    bytes.append(static_cast<char>((value.size() >> 8) & 0xff));
    bytes.append(static_cast<char>(value.size() & 0xff));
    return bytes + value;
}

class BatchMetadata : public BatchFixture {
protected:
    QStringList sources()
    {
        const QString camera = makePhoto(dir.path(), QStringLiteral("camera.jpg"), 40, 30);
        writeExifTags(camera, {QStringLiteral("-Make=Canon"), QStringLiteral("-Model=EOS 5D/II"),
                               QStringLiteral("-Software=Camera firmware 1.1")});
        return {makePhoto(dir.path(), QStringLiteral("drawing.png"), 20, 10), camera,
                makePhoto(dir.path(), QStringLiteral("old.gif"), 12, 12)};
    }
};

TEST_F(BatchMetadata, EveryOutputNamesLumoraAsItsSoftware)
{
    const QStringList files = sources();
    ReportCapture reports;
    ASSERT_TRUE(run(files));
    EXPECT_TRUE(reports.reports().empty());
    for (const QString& name : {QStringLiteral("drawing.jpg"), QStringLiteral("camera.jpg"), QStringLiteral("old.jpg")})
        EXPECT_EQ(exifTag(path(name), QStringLiteral("Software")), QStringLiteral("Lumora")) << name.toStdString();
    // The camera's own attributes travel with the photo.
    EXPECT_EQ(exifTag(path(QStringLiteral("camera.jpg")), QStringLiteral("Make")), QStringLiteral("Canon"));
}

TEST_F(BatchMetadata, ExifExchangeFileIsAppliedToEveryOutput)
{
    const QStringList files = sources();
    writeBytes(path(QStringLiteral("studio.xiff")),
               "\"Artist\",\"Jane Roe\"\r\n\"ImageDescription\",\"Harbour at dawn\"\r\n\"Copyright\",\"(c) Roe\"\r\n");
    settings.importExif = 1;
    settings.exifFile = QStringLiteral("  ") + path(QStringLiteral("studio.xiff"));
    settings.destinationChoice = 1;
    settings.destinationFolder = path(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(settings.destinationFolder));
    ASSERT_TRUE(run(files, 2));
    for (const QString& name : {QStringLiteral("drawing.jpg"), QStringLiteral("camera.jpg"), QStringLiteral("old.jpg")}) {
        const QString out = path(QStringLiteral("out/") + name);
        EXPECT_EQ(exifTag(out, QStringLiteral("Artist")), QStringLiteral("Jane Roe")) << name.toStdString();
        EXPECT_EQ(exifTag(out, QStringLiteral("ImageDescription")), QStringLiteral("Harbour at dawn"));
        EXPECT_EQ(exifTag(out, QStringLiteral("Copyright")), QStringLiteral("(c) Roe"));
        EXPECT_EQ(exifTag(out, QStringLiteral("Software")), QStringLiteral("Lumora"));
    }

    // Switched off, or pointing at nothing, the file is passed over without a word.
    settings.destinationFolder = path(QStringLiteral("off"));
    ASSERT_TRUE(QDir().mkpath(settings.destinationFolder));
    settings.importExif = 0;
    ReportCapture reports;
    ASSERT_TRUE(run(files));
    EXPECT_EQ(exifTag(path(QStringLiteral("off/drawing.jpg")), QStringLiteral("Artist")), QString());
    settings.importExif = 1;
    settings.exifFile = path(QStringLiteral("none.xiff"));
    ASSERT_TRUE(run(files));
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_EQ(exifTag(path(QStringLiteral("off/drawing.jpg")), QStringLiteral("Software")), QStringLiteral("Lumora"));
}

TEST_F(BatchMetadata, IptcFileIsAppliedToEveryOutput)
{
    const QStringList files = sources();
    writeBytes(path(QStringLiteral("desk.ffo")), dataset(0, QByteArray("\x00\x04", 2)) +
                                                     dataset(105, "Storm warning") + dataset(80, "Bob Roe") +
                                                     dataset(120, "Waves over the pier"));
    settings.importIptc = 1;
    settings.iptcFile = path(QStringLiteral("desk.ffo"));
    ASSERT_TRUE(run(files));
    for (const QString& name : {QStringLiteral("drawing.jpg"), QStringLiteral("camera.jpg"), QStringLiteral("old.jpg")}) {
        const QString out = path(name);
        EXPECT_EQ(exifTag(out, QStringLiteral("IPTC:Headline")), QStringLiteral("Storm warning")) << name.toStdString();
        EXPECT_EQ(exifTag(out, QStringLiteral("IPTC:By-line")), QStringLiteral("Bob Roe"));
        EXPECT_EQ(exifTag(out, QStringLiteral("IPTC:Caption-Abstract")), QStringLiteral("Waves over the pier"));
    }

    // A file that is not IPTC is an error that ends the run.
    writeBytes(path(QStringLiteral("desk.ffo")), "not iptc at all");
    ReportCapture reports;
    EXPECT_FALSE(run(files));
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(reports.reports().at(0).routine, QStringLiteral("fncSaveSinglePage"));
}

TEST_F(BatchMetadata, NamesMadeOfMetadataLoseWhatAFileNameCannotHold)
{
    const QStringList files = sources();
    settings.nameMode = 1;
    settings.prefix = QStringLiteral("[EXIF Make & Model]");
    settings.separator1 = QStringLiteral("[WhiteSpace]");
    settings.separator2 = QStringLiteral("[No Separator]");
    settings.suffix = QStringLiteral("[No Prefix]");
    ASSERT_TRUE(run(files));
    EXPECT_EQ(conversion->results().at(1).outputPath, path(QStringLiteral("Canon-EOS 5DII camera.jpg")));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("Canon-EOS 5DII camera.jpg"))));
    // Without make and model: no stray "-".
    EXPECT_EQ(conversion->results().at(0).outputPath, path(QStringLiteral(" drawing.jpg")));
}

}  // namespace
