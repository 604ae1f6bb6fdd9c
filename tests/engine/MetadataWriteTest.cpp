// Writing the engine's metadata: into a JPEG in place without touching its image data, into the
// JPEG, TIFF and PSD files SaveToFile writes (not into other formats), across snapshots, and from
// engines on several threads at once. Failures leave files as they were.

#include "MetadataTestFiles.h"
#include "support/FullDisk.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

using namespace lumora;
using namespace lumora::test;
using namespace lumora::test::metafiles;

namespace {

class MetadataWrites : public MetadataFiles {
protected:
    // A photo with EXIF (and a thumbnail), IPTC, XMP, a colour profile (libvips' own sRGB) and a
    // comment.
    QString richJpeg()
    {
        const QString file = path("photo.jpg");
        EXPECT_EQ(runTool("convert", {"-size", "64x48", "plasma:", path("plasma.png")}).exitCode, 0);
        EXPECT_EQ(runTool("vips", {"icc_transform", path("plasma.png"), file, "srgb"}).exitCode, 0);
        makePlainJpeg(path("thumb.jpg"), 8, 6);
        EXPECT_TRUE(exiftoolWrite(file, {"-Make=Canon", "-Model=Old model", "-ExposureTime=1/60",
                                         "-IPTC:Headline=Old headline", "-XMP:Title=Kept title", "-Comment=kept comment",
                                         "-ThumbnailImage<=" + path("thumb.jpg")}));
        return file;
    }

    void editMetadata()
    {
        ASSERT_TRUE(box.SetExifAttribute("Model", "New model"));
        ASSERT_TRUE(box.SetExifAttribute("Artist", "Jörg"));
        box.SetIptcText(IptcField::Headline, "Neue Überschrift");
        box.AddKeyword("k1");
        box.SetIptcUrgency(4);
    }

    void expectEditedMetadata(const QString& file)
    {
        SCOPED_TRACE(file.toStdString());
        const QJsonObject seen = exiftoolJson(file, {"-n"});
        EXPECT_EQ(seen.value("IFD0:Model").toString(), "New model");
        EXPECT_EQ(seen.value("IFD0:Artist").toString(), "Jörg");
        EXPECT_EQ(seen.value("IFD0:Make").toString(), "Canon");
        EXPECT_NEAR(seen.value("ExifIFD:ExposureTime").toDouble(), 1.0 / 60, 1e-9);
        EXPECT_EQ(seen.value("IPTC:Headline").toString(), "Neue Überschrift");
        EXPECT_EQ(seen.value("IPTC:Keywords").toVariant().toString(), "k1");
        EXPECT_EQ(seen.value("IPTC:Urgency").toInt(), 4);
    }
};

TEST_F(MetadataWrites, WritingIntoAJpegKeepsItsImageDataAndEverythingElse)
{
    const QString file = richJpeg();
    const QByteArray before = readBytes(file);
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QFile::Permissions permissions = QFile::permissions(file);
    box.LoadFromFile(file);
    const Picture pixels = box.Picture();
    editMetadata();
    box.WriteMetadataToFile(file);

    const QByteArray after = readBytes(file);
    ASSERT_NE(after, before);
    ASSERT_FALSE(jpegScanData(after).isEmpty());
    EXPECT_EQ(jpegScanData(after), jpegScanData(before));
    ImageBox reader;
    reader.LoadFromFile(file);
    EXPECT_EQ(reader.Picture(), pixels);
    EXPECT_EQ(QFile::permissions(file), permissions);

    expectEditedMetadata(file);
    const QJsonObject seen = exiftoolJson(file, {"-a"});
    EXPECT_EQ(seen.value("XMP-dc:Title").toString(), "Kept title");
    EXPECT_EQ(seen.value("File:Comment").toString(), "kept comment");
    EXPECT_EQ(seen.value("ICC-header:ProfileClass").toString(), "Display Device Profile");
    EXPECT_TRUE(seen.contains("IFD1:ThumbnailImage")) << "the file's own thumbnail stays";
}

TEST_F(MetadataWrites, AFailedWriteThrowsAndLeavesTheFileAsItWas)
{
    const QString file = richJpeg();
    box.LoadFromFile(file);
    editMetadata();
    const QByteArray before = readBytes(file);

    writePng(gradientPicture(8, 8), path("picture.png"));
    const QByteArray png = readBytes(path("picture.png"));
    QFile::copy(path("picture.png"), path("disguised.jpg"));
    for (const QString& target : {path("vanished.jpg"), QStringLiteral("/proc/self/no-such-photo.jpg"),
                                 QStringLiteral("/proc/version"), dir.path(), path("picture.png"), path("disguised.jpg")})
        EXPECT_THROW(box.WriteMetadataToFile(target), EngineError) << target.toStdString();
    EXPECT_FALSE(QFile::exists(path("vanished.jpg")));
    EXPECT_EQ(readBytes(path("picture.png")), png);
    EXPECT_EQ(readBytes(path("disguised.jpg")), png);

    {
        const FullDisk disk(1000);  // the disk fills up part way through the new file
        EXPECT_THROW(box.WriteMetadataToFile(file), EngineError);
    }
    EXPECT_EQ(readBytes(file), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter("photo.jpg"), QStringList{"photo.jpg"})
        << "no half-written file beside it";
}

TEST_F(MetadataWrites, JpegTiffAndPsdOutputsCarryTheEnginesMetadataOtherFormatsNone)
{
    box.LoadFromFile(richJpeg());
    editMetadata();
    box.Scale(50);
    for (const QString name : {"out.jpg", "out.tif", "out.psd"}) {
        box.SaveToFile(path(name));
        expectEditedMetadata(path(name));
        ImageBox reader;
        reader.LoadFromFile(path(name));
        EXPECT_EQ(reader.ImageWidth(), 32) << name.toStdString();
        EXPECT_EQ(reader.ExifValueByName("Artist"), "Jörg") << name.toStdString();
        EXPECT_EQ(reader.IptcText(IptcField::Headline), "Neue Überschrift") << name.toStdString();
        EXPECT_EQ(reader.KeywordCount(), 1) << name.toStdString();
    }
    // The TIFF keeps its own description of its image data, and its pixels.
    EXPECT_EQ(identify(path("out.tif"), "%wx%h"), "32x24");
    ImageBox tiff;
    tiff.LoadFromFile(path("out.tif"));
    EXPECT_EQ(tiff.Picture(), box.Picture());
    EXPECT_EQ(exiv2Row(path("out.tif"), "Exif.Image.ImageWidth").value, "32");
    // The XMP goes along too, but no stale thumbnail of the old pixels.
    EXPECT_EQ(exiftoolJson(path("out.jpg")).value("XMP-dc:Title").toString(), "Kept title");
    EXPECT_EQ(exiftoolJson(path("out.tif")).value("XMP-dc:Title").toString(), "Kept title");
    EXPECT_FALSE(exiftoolJson(path("out.jpg")).contains("IFD1:ThumbnailImage"));

    for (const QString name : {"out.png", "out.bmp", "out.gif"}) {
        box.SaveToFile(path(name));
        const QStringList keys = exiftoolJson(path(name)).keys();
        EXPECT_TRUE(keys.filter("IFD0:").isEmpty()) << name.toStdString();
        EXPECT_TRUE(keys.filter("IPTC:").isEmpty()) << name.toStdString();
    }
}

TEST_F(MetadataWrites, OutputsCarryOnlyTheEnginesExifNotWhatLibvipsRemembers)
{
    box.LoadFromFile(richJpeg());
    box.ClearExif();
    box.ClearIptc();
    box.SaveToFile(path("bare.jpg"));
    const QStringList keys = exiftoolJson(path("bare.jpg")).keys();
    for (const char* group : {"IFD0:", "ExifIFD:", "IPTC:"})
        EXPECT_TRUE(keys.filter(group).isEmpty()) << group;

    // A picture from elsewhere has no metadata of its own; what is set is all there is.
    box.SetBitmapHandle(gradientPicture(16, 16));
    ASSERT_TRUE(box.SetExifAttribute("Software", "Lumora"));
    box.SaveToFile(path("software.jpg"));
    const QList<Exiv2Row> rows = exiv2Rows(path("software.jpg"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].key, "Exif.Image.Software");
}

TEST_F(MetadataWrites, MetadataBelongsToTheLoadedFile)
{
    const QString file = richJpeg();
    writePng(gradientPicture(8, 8), path("plain.png"));
    const std::pair<const char*, std::function<void()>> replacements[] = {
        {"a picture", [&] { box.SetBitmapHandle(gradientPicture(8, 8)); }},
        {"the bytes of a JPEG: pixels, no more", [&] { box.LoadFromMemory(2, readBytes(file)); }},
        {"no image", [&] { box.ClearImage(); }},
        {"a file without metadata", [&] { box.LoadFromFile(path("plain.png")); }}};
    for (const auto& [what, replace] : replacements) {
        box.LoadFromFile(file);
        ASSERT_TRUE(box.ExifCount() > 0 && box.HasIptc());
        replace();
        EXPECT_EQ(box.ExifCount(), 0) << what;
        EXPECT_FALSE(box.HasIptc()) << what;
    }
    box.LoadFromFile(file);
    EXPECT_THROW(box.LoadFromFile(path("missing.jpg")), EngineError);
    EXPECT_GT(box.ExifCount(), 0) << "a failed load keeps what was there";
}

TEST_F(MetadataWrites, SnapshotsRestoreExifAndIptcExactly)
{
    const QString file = richJpeg();
    ASSERT_EQ(runTool("exiv2", {"-M", "set Exif.Canon.OwnerName Ascii Owner", file}).exitCode, 0);
    box.LoadFromFile(file);
    editMetadata();
    ASSERT_TRUE(box.SetExifAttribute("UserComment", "Ünïcode"));
    box.SetIptcDate(IptcField::TimeCreated, QDateTime(QDate(2000, 1, 1), QTime(1, 2, 3)));
    const QByteArray snapshot = box.SaveToMemory(ImageBox::SnapshotFormat);

    ImageBox other(ImageBox::Mode::View);
    other.LoadFromMemory(ImageBox::SnapshotFormat, snapshot);
    EXPECT_EQ(exifRowsOf(other), exifRowsOf(box));
    EXPECT_EQ(iptcTextsOf(other), iptcTextsOf(box));
    EXPECT_EQ(other.IptcUrgency(), 4);
    EXPECT_EQ(other.SaveToMemory(ImageBox::SnapshotFormat), snapshot);

    box.SaveToFile(path("from-box.jpg"));
    other.SaveToFile(path("from-snapshot.jpg"));
    const auto metadataRows = [](const QString& f) {
        QStringList rows;
        for (const Exiv2Row& row : exiv2Rows(f))
            rows.append(row.key + u' ' + row.type + u' ' + row.value);
        return rows;
    };
    EXPECT_EQ(metadataRows(path("from-snapshot.jpg")), metadataRows(path("from-box.jpg")));

    // A damaged snapshot restores nothing, metadata included.
    EXPECT_THROW(other.LoadFromMemory(ImageBox::SnapshotFormat, snapshot.left(snapshot.size() - 3)), EngineError);
    EXPECT_EQ(other.IptcText(IptcField::Headline), "Neue Überschrift");
}

TEST(MetadataThreads, EnginesOnSeveralThreadsReadAndWriteMetadataAtOnce)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("source.jpg");
    makePlainJpeg(source, 48, 32);
    ASSERT_TRUE(exiftoolWrite(source, {"-Make=Threads", "-XMP:Title=Shared", "-IPTC:Caption-Abstract=Start"}));
    constexpr int kThreads = 4;
    constexpr int kRounds = 8;
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < kRounds; ++round) {
                try {
                    const QString out = dir.filePath(QStringLiteral("out-%1.jpg").arg(t));
                    const QString artist = QStringLiteral("Thread %1 round %2").arg(t).arg(round);
                    ImageBox engine;
                    engine.LoadFromFile(source);
                    engine.SetExifAttribute("Artist", artist);
                    engine.AddKeyword(artist);
                    engine.Scale(50);
                    engine.SaveToFile(out);
                    ImageBox reader;
                    reader.LoadFromFile(out);
                    reader.SetIptcText(IptcField::Headline, artist);
                    reader.WriteMetadataToFile(out);
                    reader.LoadFromFile(out);
                    if (reader.ExifValueByName("Artist") != artist || reader.ExifValueByName("Make") != u"Threads" ||
                        reader.Keyword(0) != artist ||
                        reader.IptcText(IptcField::Headline) != artist || reader.IptcText(IptcField::Caption) != u"Start")
                        ++wrong;
                } catch (const std::exception&) {
                    ++wrong;
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
