// Writing the engine's metadata: into a JPEG in place without touching its image data, into the
// JPEG, TIFF and PSD files SaveToFile writes (not into other formats), across snapshots, shared
// images and engines on several threads at once. Failures leave files as they were.

#include "MetadataTestFiles.h"
#include "support/EngineFixtures.h"
#include "support/FullDisk.h"

#include <QDir>
#include <QFile>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

using namespace lumora;
using namespace lumora::test;
using namespace lumora::test::metafiles;

namespace {

// The entropy-coded image data of a JPEG: from its first start-of-scan marker to the end.
QByteArray jpegScanData(const QByteArray& jpeg)
{
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        if (uchar(jpeg[at + 1]) == 0xDA)
            return jpeg.mid(at);
        at += 2 + ((uchar(jpeg[at + 2]) << 8) | uchar(jpeg[at + 3]));
    }
    return {};
}

// The metadata that editMetadata() leaves, as exiftoolValues() lists it.
const QStringList kEditedTags{"IFD0:Model", "IFD0:Artist", "IFD0:Make", "ExifIFD:ExposureTime", "IPTC:Headline",
                              "IPTC:Keywords", "IPTC:Urgency#"};
const char* const kEdited = "New model\nJörg\nCanon\n1/60\nNeue Überschrift\nk1\n4";

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
    // The file's XMP, comment, colour profile and own thumbnail stay.
    EXPECT_EQ(exiftoolValues(file, kEditedTags + QStringList{"XMP-dc:Title", "File:Comment", "ICC-header:ProfileClass",
                                                             "IFD1:Compression"}),
              std::string(kEdited) + "\nKept title\nkept comment\nDisplay Device Profile\nJPEG (old-style)");
}

TEST_F(MetadataWrites, AFailedWriteThrowsAndLeavesTheFileAsItWas)
{
    const QString file = richJpeg();
    box.LoadFromFile(file);
    editMetadata();
    const QByteArray before = readBytes(file);

    const QByteArray png = readBytes(writePng(gradientPicture(8, 8), path("picture.png")));
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

TEST_F(MetadataWrites, JpegTiffAndPsdOutputsCarryTheEnginesMetadataOnlyOtherFormatsNone)
{
    box.LoadFromFile(richJpeg());
    editMetadata();
    box.Scale(50);
    for (const QString name : {"out.jpg", "out.tif", "out.psd"}) {
        SCOPED_TRACE(name.toStdString());
        box.SaveToFile(path(name));
        EXPECT_EQ(exiftoolValues(path(name), kEditedTags), kEdited);
        ImageBox reader;
        reader.LoadFromFile(path(name));
        EXPECT_EQ(reader.ImageWidth(), 32);
        EXPECT_EQ(reader.ExifValueByName("Artist"), "Jörg");
        EXPECT_EQ(iptcTextsOf(reader), iptcTextsOf(box));
        EXPECT_TRUE(name != "out.tif" || reader.Picture() == box.Picture()) << "the TIFF's pixels";
    }
    // The TIFF keeps its own description of its image data.
    EXPECT_EQ(exiftoolValues(path("out.tif"), {"IFD0:ImageWidth", "IFD0:ImageHeight", "XMP-dc:Title"}),
              "32\n24\nKept title");
    // The XMP goes along too, but no stale thumbnail of the old pixels.
    EXPECT_EQ(exiftoolValues(path("out.jpg"), {"XMP-dc:Title", "IFD1:Compression"}), "Kept title\n-");

    for (const QString name : {"out.png", "out.bmp", "out.gif"}) {
        box.SaveToFile(path(name));
        EXPECT_EQ(exiftoolValues(path(name), {"IFD0:Artist", "IPTC:Headline"}), "-\n-") << name.toStdString();
    }

    // Only the engine's own metadata, not what libvips remembers of the file.
    box.ClearExif();
    box.ClearIptc();
    box.SaveToFile(path("bare.jpg"));
    for (const Exiv2Row& row : exiv2Rows(path("bare.jpg")))
        EXPECT_TRUE(row.key.startsWith("Xmp.")) << row.key.toStdString();
    // A picture from elsewhere has no metadata of its own; what is set is all there is.
    box.SetBitmapHandle(gradientPicture(16, 16));
    ASSERT_TRUE(box.SetExifAttribute("Software", "Lumora"));
    box.SaveToFile(path("software.jpg"));
    const QList<Exiv2Row> rows = exiv2Rows(path("software.jpg"));
    EXPECT_TRUE(rows.size() == 1 && rows[0].key == "Exif.Image.Software") << rows.size();
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

TEST_F(MetadataWrites, SnapshotsRestoreTheImageAndItsMetadataExactly)
{
    const QString file = richJpeg();
    ASSERT_EQ(runTool("exiv2", {"-M", "set Exif.Canon.OwnerName Ascii Owner", file}).exitCode, 0);
    box.LoadFromFile(file);
    box.Rotate(17);
    editMetadata();
    ASSERT_TRUE(box.SetExifAttribute("UserComment", "Ünïcode"));
    box.SetIptcDate(IptcField::TimeCreated, QDateTime(QDate(2000, 1, 1), QTime(1, 2, 3)));
    const QByteArray snapshot = box.SaveToMemory(ImageBox::SnapshotFormat);
    const Picture picture = box.Picture();
    const std::vector<std::string> exif = exifRowsOf(box), iptc = iptcTextsOf(box);

    // Restored after other edits, and in an engine of the other mode.
    box.Negative();
    box.Crop(0, 0, 5, 5);
    box.ClearExif();
    box.LoadFromMemory(ImageBox::SnapshotFormat, snapshot);
    ImageBox other(ImageBox::Mode::View);
    other.LoadFromMemory(ImageBox::SnapshotFormat, snapshot);
    for (const ImageBox* engine : {&box, &other}) {
        EXPECT_EQ(engine->Picture(), picture);
        EXPECT_EQ(engine->ImageDepth(), 24);
        EXPECT_EQ(exifRowsOf(*engine), exif);
        EXPECT_EQ(iptcTextsOf(*engine), iptc);
        EXPECT_EQ(engine->IptcUrgency(), 4);
    }
    EXPECT_EQ(other.SaveToMemory(ImageBox::SnapshotFormat), snapshot);

    box.SaveToFile(path("from-box.jpg"));
    other.SaveToFile(path("from-snapshot.jpg"));
    const auto metadataRows = [](const QString& f) {
        QStringList rows;
        for (const Exiv2Row& row : exiv2Rows(f))
            rows.append(row.key + u' ' + row.type + u' ' + row.value);
        return rows.join(u'\n').toStdString();
    };
    EXPECT_EQ(metadataRows(path("from-snapshot.jpg")), metadataRows(path("from-box.jpg")));

    // A damaged snapshot restores nothing, image and metadata kept.
    EXPECT_THROW(other.LoadFromMemory(ImageBox::SnapshotFormat, QByteArray("garbage")), EngineError);
    EXPECT_THROW(other.LoadFromMemory(ImageBox::SnapshotFormat, snapshot.left(snapshot.size() - 3)), EngineError);
    EXPECT_THROW(other.LoadFromMemory(ImageBox::SnapshotFormat, snapshot.left(snapshot.size() / 2)), EngineError);
    EXPECT_EQ(other.Picture(), picture);
    EXPECT_EQ(other.IptcText(IptcField::Headline), "Neue Überschrift");
}

TEST(MetadataThreads, EnginesOnSeveralThreadsReadAndWriteMetadataAtOnce)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("source.jpg");
    makePlainJpeg(source, 48, 32);
    ASSERT_TRUE(exiftoolWrite(source, {"-Make=Threads", "-XMP:Title=Shared", "-IPTC:Caption-Abstract=Start"}));
    // Each round: load, edit, save scaled; write a headline into that file and read it all back.
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            const QString out = dir.filePath(QStringLiteral("out-%1.jpg").arg(t));
            for (int round = 0; round < 8; ++round)
                try {
                    const QString artist = QStringLiteral("Thread %1 round %2").arg(t).arg(round);
                    ImageBox engine, reader;
                    engine.LoadFromFile(source);
                    engine.SetExifAttribute("Artist", artist);
                    engine.AddKeyword(artist);
                    engine.Scale(50);
                    engine.SaveToFile(out);
                    reader.LoadFromFile(out);
                    reader.SetIptcText(IptcField::Headline, artist);
                    reader.WriteMetadataToFile(out);
                    reader.LoadFromFile(out);
                    wrong += reader.ExifValueByName("Artist") != artist || reader.ExifValueByName("Make") != u"Threads" ||
                             reader.Keyword(0) != artist || reader.IptcText(IptcField::Headline) != artist ||
                             reader.IptcText(IptcField::Caption) != u"Start";
                } catch (const std::exception&) {
                    ++wrong;
                }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);
}

// --- shared images --------------------------------------------------------------------------------

// Sharing an image between engines (ImageBox::CopyImageFrom): what the receiver gets is exactly
// the image as loaded or edited, pixels, depth and metadata; what stays is each engine's own
// settings, and neither engine's later edits reach the other.
class CopyImage : public EngineModes {
protected:
    // A view engine with settings of its own, holding another image with metadata of its own.
    void prepareReceiver(ImageBox& receiver)
    {
        makePlainJpeg(path("other.jpg"), 20, 10);
        ASSERT_TRUE(exiftoolWrite(path("other.jpg"), {"-Make=Nikon", "-Software=Other"}));
        receiver.LoadFromFile(path("other.jpg"));
        receiver.SetStretchToFit(false);
        receiver.SetZoom(250);
        receiver.SetBackColor(ole(1, 2, 3));
        receiver.SetTag("receiver");
    }
};
LUMORA_BOTH_ENGINE_MODES(CopyImage);

TEST_P(CopyImage, PixelsDepthAndMetadataAreSharedAndEachEngineKeepsItsSettingsAndEdits)
{
    const QString photo = path("tagged.jpg");
    makePlainJpeg(photo, 48, 32);
    ASSERT_TRUE(exiftoolWrite(photo, {"-Make=Canon", "-Artist=Ann Lee", "-IPTC:Caption-Abstract=Harbour at dawn"}));
    box.LoadFromFile(photo);
    // A batch engine streams its file: it can be shared only once computed.
    ImageBox receiver(ImageBox::Mode::View);
    prepareReceiver(receiver);
    if (GetParam() == ImageBox::Mode::Batch) {
        EXPECT_THROW(receiver.CopyImageFrom(box), EngineError);
        EXPECT_EQ(receiver.ExifValueByName("Make"), "Nikon") << "a refused copy changes nothing";
        ASSERT_FALSE(box.Picture().isNull());
    }
    receiver.CopyImageFrom(box);

    EXPECT_EQ(receiver.Picture(), box.Picture());
    EXPECT_EQ(receiver.ImageDepth(), 24);
    EXPECT_EQ(exifRowsOf(receiver), exifRowsOf(box));
    EXPECT_EQ(receiver.IptcText(IptcField::Caption), "Harbour at dawn");
    EXPECT_TRUE(!receiver.StretchToFit() && receiver.Zoom() == 250 && receiver.BackColor() == ole(1, 2, 3) &&
                receiver.Tag() == "receiver")
        << "the receiver's own settings stay";

    // Edits of either engine stay its own.
    const Picture before = box.Picture();
    receiver.Flip(0);
    receiver.SetExifAttribute("Make", "Pentax");
    EXPECT_EQ(box.Picture(), before);
    EXPECT_EQ(box.ExifValueByName("Make"), "Canon");
    box.Negative();
    EXPECT_NE(receiver.Picture(), box.Picture());

    // The metadata travels with the image into what the receiver writes.
    receiver.SaveToFile(path("out.jpg"));
    EXPECT_EQ(exiftoolValues(path("out.jpg"), {"IFD0:Make", "IPTC:Caption-Abstract"}), "Pentax\nHarbour at dawn");
}

TEST_P(CopyImage, FromAnEmptyEngineEmptiesTheReceiverAndFromItselfChangesNothing)
{
    ImageBox receiver(ImageBox::Mode::View);
    prepareReceiver(receiver);
    receiver.CopyImageFrom(box);
    EXPECT_FALSE(receiver.HasImage());
    EXPECT_EQ(receiver.ExifCount(), 0);
    EXPECT_EQ(receiver.Tag(), "receiver");

    box.SetBitmapHandle(gradientPicture(12, 9));
    box.CopyImageFrom(box);
    EXPECT_EQ(box.Picture(), gradientPicture(12, 9));
}

}  // namespace
