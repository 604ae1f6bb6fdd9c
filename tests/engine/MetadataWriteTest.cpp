// Writing the engine's metadata: into a JPEG in place without touching its image data, into the
// JPEG, TIFF and PSD files SaveToFile writes (not into other formats), across snapshots, and from
// engines on several threads at once. Failures leave files as they were.

#include "MetadataTestFiles.h"
#include "engine/EngineError.h"
#include "engine/ImageBox.h"
#include "support/FileBytes.h"
#include "support/FullDisk.h"
#include "support/Oracles.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace lumora;
using namespace lumora::test;
using namespace lumora::test::metafiles;

namespace {

class MetadataWrites : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ImageBox box;

    QString path(const QString& name) const { return dir.filePath(name); }

    // A photo with EXIF (and a thumbnail), IPTC, XMP, a colour profile (libvips' own sRGB) and a
    // comment.
    QString richJpeg(const QString& name)
    {
        const QString file = path(name);
        EXPECT_EQ(runTool(QStringLiteral("convert"), {QStringLiteral("-size"), QStringLiteral("64x48"),
                                                      QStringLiteral("plasma:"), path("plasma.png")})
                      .exitCode,
                  0);
        EXPECT_EQ(runTool(QStringLiteral("vips"), {QStringLiteral("icc_transform"), path("plasma.png"), file,
                                                   QStringLiteral("srgb")})
                      .exitCode,
                  0);
        makePlainJpeg(path("thumb.jpg"), 8, 6);
        EXPECT_TRUE(exiftoolWrite(file, {QStringLiteral("-Make=Canon"), QStringLiteral("-Model=Old model"),
                                         QStringLiteral("-ExposureTime=1/60"), QStringLiteral("-IPTC:Headline=Old headline"),
                                         QStringLiteral("-XMP:Title=Kept title"), QStringLiteral("-Comment=kept comment"),
                                         QStringLiteral("-ThumbnailImage<=") + path("thumb.jpg")}));
        return file;
    }

    void editMetadata()
    {
        ASSERT_TRUE(box.SetExifAttribute(QStringLiteral("Model"), QStringLiteral("New model")));
        ASSERT_TRUE(box.SetExifAttribute(QStringLiteral("Artist"), QStringLiteral("Jörg")));
        box.SetIptcText(IptcField::Headline, QStringLiteral("Neue Überschrift"));
        box.AddKeyword(QStringLiteral("k1"));
        box.SetIptcUrgency(4);
    }

    void expectEditedMetadata(const QString& file, const char* what)
    {
        const QJsonObject seen = exiftoolJson(file, {QStringLiteral("-n")});
        EXPECT_EQ(seen.value(QStringLiteral("IFD0:Model")).toString(), QStringLiteral("New model")) << what;
        EXPECT_EQ(seen.value(QStringLiteral("IFD0:Artist")).toString(), QStringLiteral("Jörg")) << what;
        EXPECT_EQ(seen.value(QStringLiteral("IFD0:Make")).toString(), QStringLiteral("Canon")) << what;
        EXPECT_NEAR(seen.value(QStringLiteral("ExifIFD:ExposureTime")).toDouble(), 1.0 / 60, 1e-9) << what;
        EXPECT_EQ(seen.value(QStringLiteral("IPTC:Headline")).toString(), QStringLiteral("Neue Überschrift")) << what;
        EXPECT_EQ(seen.value(QStringLiteral("IPTC:Keywords")).toVariant().toString(), QStringLiteral("k1")) << what;
        EXPECT_EQ(seen.value(QStringLiteral("IPTC:Urgency")).toInt(), 4) << what;
    }
};

TEST_F(MetadataWrites, WritingIntoAJpegKeepsItsImageDataAndEverythingElse)
{
    const QString file = richJpeg(QStringLiteral("photo.jpg"));
    const QByteArray before = readBytes(file);
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QFile::Permissions permissions = QFile::permissions(file);
    box.LoadFromFile(file);
    const Picture pixels = box.Picture();
    editMetadata();
    box.WriteMetadataToFile(file);

    const QByteArray after = readBytes(file);
    ASSERT_NE(after, before);
    EXPECT_EQ(jpegScanData(after), jpegScanData(before));
    ASSERT_FALSE(jpegScanData(after).isEmpty());
    ImageBox reader;
    reader.LoadFromFile(file);
    EXPECT_EQ(reader.Picture(), pixels);
    EXPECT_EQ(QFile::permissions(file), permissions);

    expectEditedMetadata(file, "in place");
    const QJsonObject seen = exiftoolJson(file, {QStringLiteral("-a")});
    EXPECT_EQ(seen.value(QStringLiteral("XMP-dc:Title")).toString(), QStringLiteral("Kept title"));
    EXPECT_EQ(seen.value(QStringLiteral("File:Comment")).toString(), QStringLiteral("kept comment"));
    EXPECT_EQ(seen.value(QStringLiteral("ICC-header:ProfileClass")).toString(), QStringLiteral("Display Device Profile"));
    EXPECT_TRUE(seen.contains(QStringLiteral("IFD1:ThumbnailImage"))) << "the file's own thumbnail stays";
}

TEST_F(MetadataWrites, AFailedWriteThrowsAndLeavesTheFileAsItWas)
{
    const QString file = richJpeg(QStringLiteral("photo.jpg"));
    box.LoadFromFile(file);
    editMetadata();
    const QByteArray before = readBytes(file);

    EXPECT_THROW(box.WriteMetadataToFile(path("vanished.jpg")), EngineError);
    EXPECT_FALSE(QFile::exists(path("vanished.jpg")));
    EXPECT_THROW(box.WriteMetadataToFile(QStringLiteral("/proc/self/no-such-photo.jpg")), EngineError);
    EXPECT_THROW(box.WriteMetadataToFile(QStringLiteral("/proc/version")), EngineError);
    EXPECT_THROW(box.WriteMetadataToFile(dir.path()), EngineError);

    writePng(gradientPicture(8, 8), path("picture.png"));
    const QByteArray png = readBytes(path("picture.png"));
    EXPECT_THROW(box.WriteMetadataToFile(path("picture.png")), EngineError);
    EXPECT_EQ(readBytes(path("picture.png")), png);
    QFile::copy(path("picture.png"), path("disguised.jpg"));
    EXPECT_THROW(box.WriteMetadataToFile(path("disguised.jpg")), EngineError);
    EXPECT_EQ(readBytes(path("disguised.jpg")), png);

    {
        const FullDisk disk(1000);  // the disk fills up part way through the new file
        EXPECT_THROW(box.WriteMetadataToFile(file), EngineError);
    }
    EXPECT_EQ(readBytes(file), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("photo.jpg")),
              QStringList{QStringLiteral("photo.jpg")})
        << "no half-written file beside it";
}

TEST_F(MetadataWrites, JpegTiffAndPsdOutputsCarryTheEnginesMetadataOtherFormatsNone)
{
    box.LoadFromFile(richJpeg(QStringLiteral("photo.jpg")));
    editMetadata();
    box.Scale(50);
    for (const char* name : {"out.jpg", "out.tif", "out.psd"}) {
        box.SaveToFile(path(QString::fromLatin1(name)));
        expectEditedMetadata(path(QString::fromLatin1(name)), name);
        ImageBox reader;
        reader.LoadFromFile(path(QString::fromLatin1(name)));
        EXPECT_EQ(reader.ImageWidth(), 32) << name;
        EXPECT_EQ(reader.ExifValueByName(QStringLiteral("Artist")), QStringLiteral("Jörg")) << name;
        EXPECT_EQ(reader.IptcText(IptcField::Headline), QStringLiteral("Neue Überschrift")) << name;
        EXPECT_EQ(reader.KeywordCount(), 1) << name;
    }
    // The TIFF keeps its own description of its image data, and its pixels.
    EXPECT_EQ(identify(path("out.tif"), QStringLiteral("%wx%h")), QStringLiteral("32x24"));
    ImageBox tiff;
    tiff.LoadFromFile(path("out.tif"));
    EXPECT_EQ(tiff.Picture(), box.Picture());
    EXPECT_EQ(exiv2Row(path("out.tif"), QStringLiteral("Exif.Image.ImageWidth")).value, QStringLiteral("32"));
    // The XMP goes along too.
    EXPECT_EQ(exiftoolJson(path("out.jpg")).value(QStringLiteral("XMP-dc:Title")).toString(), QStringLiteral("Kept title"));
    EXPECT_EQ(exiftoolJson(path("out.tif")).value(QStringLiteral("XMP-dc:Title")).toString(), QStringLiteral("Kept title"));
    // No stale thumbnail of the old pixels.
    EXPECT_FALSE(exiftoolJson(path("out.jpg")).contains(QStringLiteral("IFD1:ThumbnailImage")));

    for (const char* name : {"out.png", "out.bmp", "out.gif"}) {
        box.SaveToFile(path(QString::fromLatin1(name)));
        const QStringList keys = exiftoolJson(path(QString::fromLatin1(name))).keys();
        EXPECT_TRUE(keys.filter(QStringLiteral("IFD0:")).isEmpty()) << name;
        EXPECT_TRUE(keys.filter(QStringLiteral("IPTC:")).isEmpty()) << name;
    }
}

TEST_F(MetadataWrites, OutputsCarryOnlyTheEnginesExifNotWhatLibvipsRemembers)
{
    box.LoadFromFile(richJpeg(QStringLiteral("photo.jpg")));
    box.ClearExif();
    box.ClearIptc();
    box.SaveToFile(path("bare.jpg"));
    const QJsonObject seen = exiftoolJson(path("bare.jpg"));
    EXPECT_TRUE(seen.keys().filter(QStringLiteral("IFD0:")).isEmpty());
    EXPECT_TRUE(seen.keys().filter(QStringLiteral("ExifIFD:")).isEmpty());
    EXPECT_TRUE(seen.keys().filter(QStringLiteral("IPTC:")).isEmpty());

    // A picture from elsewhere has no metadata of its own; what is set is all there is.
    box.SetBitmapHandle(gradientPicture(16, 16));
    ASSERT_TRUE(box.SetExifAttribute(QStringLiteral("Software"), QStringLiteral("Lumora")));
    box.SaveToFile(path("software.jpg"));
    QStringList exifKeys;
    for (const Exiv2Row& row : exiv2Rows(path("software.jpg")))
        exifKeys.append(row.key);
    EXPECT_EQ(exifKeys, QStringList{QStringLiteral("Exif.Image.Software")});
}

TEST_F(MetadataWrites, MetadataBelongsToTheLoadedFile)
{
    const QString file = richJpeg(QStringLiteral("photo.jpg"));
    const auto loaded = [&] {
        box.LoadFromFile(file);
        return box.ExifCount() > 0 && box.HasIptc();
    };
    ASSERT_TRUE(loaded());
    box.SetBitmapHandle(gradientPicture(8, 8));
    EXPECT_EQ(box.ExifCount(), 0);
    EXPECT_FALSE(box.HasIptc());

    ASSERT_TRUE(loaded());
    box.LoadFromMemory(2, readBytes(file));  // the bytes of a JPEG: pixels, no more
    EXPECT_EQ(box.ExifCount(), 0);
    EXPECT_FALSE(box.HasIptc());

    ASSERT_TRUE(loaded());
    EXPECT_THROW(box.LoadFromFile(path("missing.jpg")), EngineError);
    EXPECT_GT(box.ExifCount(), 0) << "a failed load keeps what was there";
    box.ClearImage();
    EXPECT_EQ(box.ExifCount(), 0);
    EXPECT_FALSE(box.HasIptc());

    ASSERT_TRUE(loaded());
    writePng(gradientPicture(8, 8), path("plain.png"));
    box.LoadFromFile(path("plain.png"));
    EXPECT_EQ(box.ExifCount(), 0);
    EXPECT_FALSE(box.HasIptc());
}

TEST_F(MetadataWrites, SnapshotsRestoreExifAndIptcExactly)
{
    const QString file = richJpeg(QStringLiteral("photo.jpg"));
    ASSERT_EQ(runTool(QStringLiteral("exiv2"), {QStringLiteral("-M"), QStringLiteral("set Exif.Canon.OwnerName Ascii Owner"),
                                                file})
                  .exitCode,
              0);
    box.LoadFromFile(file);
    editMetadata();
    ASSERT_TRUE(box.SetExifAttribute(QStringLiteral("UserComment"), QStringLiteral("Ünïcode")));
    box.SetIptcDate(IptcField::TimeCreated, QDateTime(QDate(2000, 1, 1), QTime(1, 2, 3)));
    const QByteArray snapshot = box.SaveToMemory(ImageBox::SnapshotFormat);

    ImageBox other(ImageBox::Mode::View);
    other.LoadFromMemory(ImageBox::SnapshotFormat, snapshot);
    ASSERT_EQ(other.ExifCount(), box.ExifCount());
    for (int i = 0; i < box.ExifCount(); ++i) {
        EXPECT_EQ(other.ExifNameAt(i), box.ExifNameAt(i));
        EXPECT_EQ(other.ExifValueAt(i), box.ExifValueAt(i)) << box.ExifNameAt(i).toStdString();
    }
    for (const IptcFieldInfo& info : IptcFields())
        EXPECT_EQ(other.IptcText(info.field), box.IptcText(info.field)) << info.label;
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
    EXPECT_EQ(other.IptcText(IptcField::Headline), QStringLiteral("Neue Überschrift"));
}

TEST(MetadataThreads, EnginesOnSeveralThreadsReadAndWriteMetadataAtOnce)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("source.jpg"));
    makePlainJpeg(source, 48, 32);
    ASSERT_TRUE(exiftoolWrite(source, {QStringLiteral("-Make=Threads"), QStringLiteral("-XMP:Title=Shared"),
                                       QStringLiteral("-IPTC:Caption-Abstract=Start")}));
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
                    engine.SetExifAttribute(QStringLiteral("Artist"), artist);
                    engine.AddKeyword(artist);
                    engine.Scale(50);
                    engine.SaveToFile(out);
                    ImageBox reader;
                    reader.LoadFromFile(out);
                    reader.SetIptcText(IptcField::Headline, artist);
                    reader.WriteMetadataToFile(out);
                    reader.LoadFromFile(out);
                    if (reader.ExifValueByName(QStringLiteral("Artist")) != artist ||
                        reader.ExifValueByName(QStringLiteral("Make")) != u"Threads" || reader.Keyword(0) != artist ||
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
