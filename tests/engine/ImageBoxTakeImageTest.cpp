// Handing an image from one engine to another (ImageBox::TakeImageFrom): what moves is exactly the
// image as loaded or edited, pixels, depth and metadata; what stays is each engine's own settings.

#include "MetadataTestFiles.h"

#include "engine/EngineError.h"
#include "engine/IptcField.h"
#include "support/EngineFixtures.h"
#include "support/Oracles.h"

using namespace lumora;
using namespace lumora::test;

namespace {

// The source engine runs in both modes; the receiver is a view engine as the preview's is.
class TakeImage : public EngineModes {
protected:
    // A JPEG whose EXIF and IPTC exiftool wrote.
    QString taggedJpeg()
    {
        const QString photo = path(QStringLiteral("tagged.jpg"));
        metafiles::makePlainJpeg(photo, 48, 32);
        EXPECT_TRUE(metafiles::exiftoolWrite(
            photo, {QStringLiteral("-Make=Canon"), QStringLiteral("-Model=EOS 5D"), QStringLiteral("-Artist=Ann Lee"),
                    QStringLiteral("-IPTC:Caption-Abstract=Harbour at dawn"), QStringLiteral("-IPTC:Keywords=alpha"),
                    QStringLiteral("-IPTC:Keywords=beta")}));
        return photo;
    }

    // A receiver with settings of its own, holding another image with metadata of its own.
    void prepareReceiver(ImageBox& receiver)
    {
        const QString other = path(QStringLiteral("other.jpg"));
        metafiles::makePlainJpeg(other, 20, 10);
        ASSERT_TRUE(metafiles::exiftoolWrite(other, {QStringLiteral("-Make=Nikon"), QStringLiteral("-Software=Other")}));
        receiver.LoadFromFile(other);
        receiver.SetStretchToFit(false);
        receiver.SetZoom(250);
        receiver.SetWidth(300);
        receiver.SetHeight(200);
        receiver.SetBackColor(ole(1, 2, 3));
        receiver.SetJpegQuality(42);
        receiver.SetTiffPage(3);
        receiver.SetTag(QStringLiteral("receiver"));
    }

    static void expectEmpty(const ImageBox& engine)
    {
        EXPECT_FALSE(engine.HasImage());
        EXPECT_EQ(engine.ImageWidth(), 0);
        EXPECT_EQ(engine.ImageHeight(), 0);
        EXPECT_EQ(engine.ImageDepth(), 0);
        EXPECT_EQ(engine.ExifCount(), 0);
        EXPECT_FALSE(engine.HasIptc());
    }
};
LUMORA_BOTH_ENGINE_MODES(TakeImage);

TEST_P(TakeImage, PixelsDepthAndMetadataMoveAndTheReceiverKeepsItsSettings)
{
    const QString photo = taggedJpeg();
    box.LoadFromFile(photo);
    box.SetTag(QStringLiteral("source"));
    // What the source held, read through a second engine so that the source's pipeline (a batch
    // engine streams the file) is still unread when it is handed over.
    ImageBox probe(ImageBox::Mode::View);
    probe.LoadFromFile(photo);
    const Picture pixels = probe.Picture();
    QStringList exif;
    for (int i = 0; i < probe.ExifCount(); ++i)
        exif << probe.ExifNameAt(i) + u'=' + probe.ExifValueAt(i);
    ASSERT_GE(exif.size(), 3);
    ASSERT_EQ(probe.ExifValueByName(QStringLiteral("Make")), QStringLiteral("Canon"));

    ImageBox receiver(ImageBox::Mode::View);
    prepareReceiver(receiver);
    receiver.TakeImageFrom(box);

    EXPECT_EQ(receiver.Picture(), pixels);
    EXPECT_EQ(receiver.ImageWidth(), 48);
    EXPECT_EQ(receiver.ImageHeight(), 32);
    EXPECT_EQ(receiver.ImageDepth(), 24);
    QStringList taken;
    for (int i = 0; i < receiver.ExifCount(); ++i)
        taken << receiver.ExifNameAt(i) + u'=' + receiver.ExifValueAt(i);
    EXPECT_EQ(taken, exif);
    EXPECT_EQ(receiver.ExifValueByName(QStringLiteral("Software")), QString());  // the old image's is gone
    EXPECT_EQ(receiver.IptcText(IptcField::Caption), QStringLiteral("Harbour at dawn"));
    ASSERT_EQ(receiver.KeywordCount(), 2);
    EXPECT_EQ(receiver.Keyword(0), QStringLiteral("alpha"));
    EXPECT_EQ(receiver.Keyword(1), QStringLiteral("beta"));

    // The receiver's own settings, and the view geometry they give for the new image.
    EXPECT_FALSE(receiver.StretchToFit());
    EXPECT_EQ(receiver.Zoom(), 250);
    EXPECT_EQ(receiver.Width(), 300);
    EXPECT_EQ(receiver.Height(), 200);
    EXPECT_EQ(receiver.ViewWidth(), 120);
    EXPECT_EQ(receiver.ViewHeight(), 80);
    EXPECT_EQ(receiver.BackColor(), ole(1, 2, 3));
    EXPECT_EQ(receiver.JpegQuality(), 42);
    EXPECT_EQ(receiver.TiffPage(), 3);
    EXPECT_EQ(receiver.Tag(), QStringLiteral("receiver"));

    // The source is empty and keeps its own settings too.
    expectEmpty(box);
    EXPECT_EQ(box.Tag(), QStringLiteral("source"));
    EXPECT_THROW(box.Picture(), EngineError);

    // The metadata travels with the image into what the receiver writes.
    receiver.SaveToFile(path(QStringLiteral("out.jpg")));
    EXPECT_EQ(metafiles::exiv2Row(path(QStringLiteral("out.jpg")), QStringLiteral("Exif.Image.Make")).value,
              QStringLiteral("Canon"));
    EXPECT_EQ(metafiles::exiv2Row(path(QStringLiteral("out.jpg")), QStringLiteral("Iptc.Application2.Caption")).value,
              QStringLiteral("Harbour at dawn"));
}

TEST_P(TakeImage, AnEditedImageMovesAsItStandsAndCanBeReadAgainAndAgain)
{
    // Loaded through a file and flipped: a batch source hands over a pipeline with an edit.
    const Picture marked = markedPicture(30, 20, 4, 5, Rgb{255, 0, 0});
    loadThroughFile(marked);
    box.Flip(0);
    ImageBox receiver(ImageBox::Mode::View);
    receiver.TakeImageFrom(box);
    expectEmpty(box);
    ASSERT_TRUE(receiver.HasImage());
    EXPECT_EQ(findColour(receiver.Picture(), Rgb{255, 0, 0}), (Point{25, 5}));
    // Read a second time and pixel by pixel: the view engine holds it computed.
    EXPECT_EQ(findColour(receiver.Picture(), Rgb{255, 0, 0}), (Point{25, 5}));
    EXPECT_EQ(receiver.PixelColor(25, 5), ole(255, 0, 0));
    receiver.Flip(0);
    EXPECT_EQ(receiver.Picture(), marked);

    // A picture handed over through SetBitmapHandle has the picture's depth and no metadata.
    Picture withAlpha(2, 1, 4, QByteArray("\x10\x20\x30\x40\x50\x60\x70\x80", 8));
    box.SetBitmapHandle(withAlpha);
    receiver.TakeImageFrom(box);
    EXPECT_EQ(receiver.ImageDepth(), 32);
    EXPECT_EQ(receiver.Picture(), withAlpha);
    EXPECT_EQ(receiver.ExifCount(), 0);
}

TEST_P(TakeImage, FromAnEmptyEngineEmptiesTheReceiverAndFromItselfChangesNothing)
{
    ImageBox receiver(ImageBox::Mode::View);
    prepareReceiver(receiver);
    ASSERT_TRUE(receiver.HasImage());
    receiver.TakeImageFrom(box);
    expectEmpty(receiver);
    EXPECT_EQ(receiver.Tag(), QStringLiteral("receiver"));

    loadThroughFile(gradientPicture(12, 9));
    box.TakeImageFrom(box);
    ASSERT_TRUE(box.HasImage());
    EXPECT_EQ(box.Picture(), gradientPicture(12, 9));
}

// A batch engine may receive a view engine's image and go on streaming edits from it.
TEST(TakeImageIntoBatch, TheReceiverWorksOnTheImageInItsOwnMode)
{
    QTemporaryDir dir;
    ImageBox view(ImageBox::Mode::View);
    view.SetBitmapHandle(gradientPicture(16, 8));
    ImageBox batch(ImageBox::Mode::Batch);
    batch.TakeImageFrom(view);
    EXPECT_EQ(batch.mode(), ImageBox::Mode::Batch);
    batch.Flip(1);
    batch.Flip(1);
    batch.SaveToFile(dir.filePath(QStringLiteral("b.png")));
    ImageBox reader;
    reader.LoadFromFile(dir.filePath(QStringLiteral("b.png")));
    EXPECT_EQ(reader.Picture(), gradientPicture(16, 8));
    EXPECT_FALSE(view.HasImage());
}

}  // namespace
