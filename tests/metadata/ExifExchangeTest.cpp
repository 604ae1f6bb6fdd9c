// .xiff files from the metadata pane: saving the editable rows, opening a file into a photo, and
// the batch side that only sets the engine. exiftool judges what reached the photos.

#include "engine/ImageBox.h"
#include "metadata/ExifExchange.h"
#include "metadata/MetadataFiles.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataReading.h"
#include "metadata/clsFileEXIF.h"
#include "support/FileBytes.h"
#include "support/ReportCapture.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

using namespace lumora;
using namespace lumora::test;
using namespace lumora::modMetadata;

namespace {

using Records = QList<std::pair<QString, QString>>;

class ExifExchange : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    // A JPEG with these tags, loaded and read into the EXIF list.
    QString open(const QStringList& assignments, const QString& name = QStringLiteral("photo.jpg"))
    {
        const QString file = makePicture(path(name));
        if (!assignments.isEmpty()) {
            EXPECT_TRUE(exiftoolWrite(file, assignments));
        }
        engine.LoadFromFile(file);
        engine.SetTag(file);
        list.clear();
        EXPECT_TRUE(ReadFileEXIFInfo(engine, list, file));
        return file;
    }

    void writeXiff(const QString& file, const QByteArray& bytes) { writeBytes(file, bytes); }

    Records records(const QString& file)
    {
        clsFileEXIF reader;
        EXPECT_TRUE(reader.OpenForRead(file));
        Records all;
        while (!reader.fEof()) {
            QString name;
            QString value;
            reader.ReadEXIF(name, value);
            all.append({name, value});
        }
        reader.closefile();
        return all;
    }

    QTemporaryDir dir;
    ImageBox engine{ImageBox::Mode::Batch};
    MetadataList list;
};

}  // namespace

TEST_F(ExifExchange, SavingWritesTheEditableRowsAsTheyShow)
{
    open({"-Make=Canon", "-Orientation#=6", "-Artist=Ann", "-DateTimeOriginal=2004:07:15 14:03:22"});
    EXPECT_EQ(SaveExifRows(list, path("carry")), ExifSaveResult::Saved);
    const Records saved = records(path("carry.xiff"));
    EXPECT_TRUE(saved.contains(std::pair<QString, QString>("Make", "Canon")));
    EXPECT_TRUE(saved.contains(std::pair<QString, QString>("Artist", "Ann")));
    EXPECT_TRUE(saved.contains(std::pair<QString, QString>("DateTimeOriginal", "7/15/2004 2:03:22 PM")));
    for (const auto& [name, value] : saved)
        EXPECT_NE(name, "Orientation");
    // Row order is kept.
    int position = 0;
    for (const MetadataRow& row : list.rows())
        if (!row.key.isEmpty()) {
            EXPECT_EQ(saved.at(position++).first, row.key);
        }
    EXPECT_EQ(position, saved.size());
}

TEST_F(ExifExchange, NothingEditableLeavesNoFile)
{
    open({"-Orientation#=1", "-EXIF:Flash#=16"});
    ASSERT_FALSE(list.isEmpty());
    writeBytes(path("old.xiff"), "\"Make\",\"Old\"\r\n");
    ReportCapture reports;
    EXPECT_EQ(SaveExifRows(list, path("old")), ExifSaveResult::NothingToSave);
    EXPECT_EQ(SaveExifRows(list, path("new")), ExifSaveResult::NothingToSave);
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_FALSE(QFile::exists(path("old.xiff")));
    EXPECT_FALSE(QFile::exists(path("new.xiff")));
    EXPECT_FALSE(QFile::exists(path("new")));
}

TEST_F(ExifExchange, OpeningAppliesEveryRecordToThePhoto)
{
    const QString photo = open({"-Make=Canon", "-DateTimeOriginal=2001:01:01 01:01:01"});
    const int rows = list.size();
    const int dateRow = list.findTag("DateTimeOriginal");
    writeXiff(path("a.xiff"), "\"DateTimeOriginal\",\"7/15/2004 2:03:22 PM\"\r\n"
                              "\"Orientation\",\"6\"\r\n"
                              "\"artist\",\"lower case\"\r\n"
                              "\"Artist\",\"Ann Example\"\r\n");
    ASSERT_TRUE(OpenExifAsks(list));
    ReportCapture reports;
    EXPECT_TRUE(fncOpenEXIF(path("a.xiff"), list, engine));
    EXPECT_TRUE(reports.reports().empty());

    EXPECT_EQ(exiftoolValue(photo, "EXIF:DateTimeOriginal"), "2004:07:15 14:03:22");
    EXPECT_EQ(exiftoolValue(photo, "EXIF:Artist"), "Ann Example");
    // Refused by the engine (not editable, or not a name it knows), and the rest went on.
    EXPECT_EQ(exiftoolValue(photo, "EXIF:Orientation", true), "");
    EXPECT_EQ(exiftoolValue(photo, "EXIF:Software"), "Lumora");

    // The date row is updated in place; Artist is new and comes at the end, once.
    ASSERT_EQ(list.size(), rows + 1);
    EXPECT_EQ(list.at(dateRow).value, "7/15/2004 2:03:22 PM");
    EXPECT_EQ(list.at(rows), (MetadataRow{"Artist", "Artist", "Artist", "Ann Example", true}));
}

TEST_F(ExifExchange, OpenedRowsGetTheirDisplayName)
{
    open({"-Make=Canon"});
    writeXiff(path("a.xiff"), "\"ImageDescription\",\"Harbour\"\r\n");
    EXPECT_TRUE(fncOpenEXIF(path("a.xiff"), list, engine));
    EXPECT_EQ(list.at(list.size() - 1), (MetadataRow{"Image Description", "ImageDescription", "ImageDescription",
                                                     "Harbour", true}));
}

TEST_F(ExifExchange, SavedFileCarriesAttributesToAnotherPhoto)
{
    open({"-Make=Canon", "-Artist=Ann", "-Copyright=(c) Ann", "-DateTimeOriginal=2004:07:15 14:03:22"},
         "source.jpg");
    ASSERT_EQ(SaveExifRows(list, path("carry.xiff")), ExifSaveResult::Saved);
    const QString target = open({}, "target.jpg");
    EXPECT_FALSE(OpenExifAsks(list));
    EXPECT_TRUE(fncOpenEXIF(path("carry.xiff"), list, engine));
    EXPECT_EQ(exiftoolValue(target, "EXIF:Make"), "Canon");
    EXPECT_EQ(exiftoolValue(target, "EXIF:Artist"), "Ann");
    EXPECT_EQ(exiftoolValue(target, "EXIF:Copyright"), "(c) Ann");
    EXPECT_EQ(exiftoolValue(target, "EXIF:DateTimeOriginal"), "2004:07:15 14:03:22");
}

TEST_F(ExifExchange, ARecordCutShortEndsTheOpeningAndKeepsWhatWasApplied)
{
    const QString photo = open({"-Make=Canon"});
    writeXiff(path("cut.xiff"), "\"Artist\",\"Ann\"\r\n\"Copyright\"");
    ReportCapture reports;
    EXPECT_FALSE(fncOpenEXIF(path("cut.xiff"), list, engine));
    reports.expectOne("modMetadata.fncOpenEXIF", 62, 2);
    EXPECT_EQ(exiftoolValue(photo, "EXIF:Artist"), "Ann");
    EXPECT_GE(list.findKey("Artist"), 0);
}

TEST_F(ExifExchange, AMissingFileIsReported)
{
    open({"-Make=Canon"});
    ReportCapture reports;
    EXPECT_FALSE(fncOpenEXIF(path("none.xiff"), list, engine));
    EXPECT_FALSE(subLoadEXIFFile(path("none.xiff"), engine));
    ASSERT_EQ(reports.reports().size(), 2u);
    EXPECT_EQ(reports.reports().at(0).routine, "modMetadata.fncOpenEXIF");
    EXPECT_EQ(reports.reports().at(1).routine, "modMetadata.subLoadEXIFFile");
}

TEST_F(ExifExchange, LoadingForABatchSetsTheEngineOnly)
{
    const QString photo = open({"-Make=Canon"});
    const QByteArray before = readBytes(photo);
    writeXiff(path("a.xiff"), "\"DateTimeOriginal\",\"7/15/2004 2:03:22 PM\"\r\n"
                              "\"Orientation\",\"6\"\r\n"
                              "\"Model\",\"EOS\"\r\n");
    ReportCapture reports;
    EXPECT_TRUE(subLoadEXIFFile(path("a.xiff"), engine));
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_EQ(engine.ExifValueByName("DateTimeOriginal"), "2004:07:15 14:03:22");
    EXPECT_EQ(engine.ExifValueByName("Model"), "EOS");
    EXPECT_EQ(engine.ExifValueByName("Software"), "Lumora");
    EXPECT_EQ(readBytes(photo), before);
    // Saved by the batch, the photo carries them.
    engine.SaveToFile(path("out.jpg"));
    EXPECT_EQ(exiftoolValue(path("out.jpg"), "EXIF:DateTimeOriginal"), "2004:07:15 14:03:22");
    EXPECT_EQ(exiftoolValue(path("out.jpg"), "EXIF:Model"), "EOS");
}
