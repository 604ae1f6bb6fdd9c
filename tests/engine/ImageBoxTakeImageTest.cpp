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
    // A receiver with settings of its own, holding another image with metadata of its own.
    void prepareReceiver(ImageBox& receiver)
    {
        metafiles::makePlainJpeg(path("other.jpg"), 20, 10);
        ASSERT_TRUE(metafiles::exiftoolWrite(path("other.jpg"), {"-Make=Nikon", "-Software=Other"}));
        receiver.LoadFromFile(path("other.jpg"));
        receiver.SetStretchToFit(false);
        receiver.SetZoom(250);
        receiver.SetWidth(300);
        receiver.SetHeight(200);
        receiver.SetBackColor(ole(1, 2, 3));
        receiver.SetJpegQuality(42);
        receiver.SetTiffPage(3);
        receiver.SetTag("receiver");
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
    const QString photo = path("tagged.jpg");
    metafiles::makePlainJpeg(photo, 48, 32);
    ASSERT_TRUE(metafiles::exiftoolWrite(photo, {"-Make=Canon", "-Model=EOS 5D", "-Artist=Ann Lee",
                                                 "-IPTC:Caption-Abstract=Harbour at dawn", "-IPTC:Keywords=alpha",
                                                 "-IPTC:Keywords=beta"}));
    box.LoadFromFile(photo);
    box.SetTag("source");
    // What the source held, read through a second engine so that the source's pipeline (a batch
    // engine streams the file) is still unread when it is handed over.
    ImageBox probe(ImageBox::Mode::View);
    probe.LoadFromFile(photo);
    ASSERT_EQ(probe.ExifValueByName("Make"), "Canon");

    ImageBox receiver(ImageBox::Mode::View);
    prepareReceiver(receiver);
    receiver.TakeImageFrom(box);

    EXPECT_EQ(receiver.Picture(), probe.Picture());
    EXPECT_EQ(receiver.ImageWidth(), 48);
    EXPECT_EQ(receiver.ImageHeight(), 32);
    EXPECT_EQ(receiver.ImageDepth(), 24);
    // The old image's metadata (Nikon, Software) is gone.
    EXPECT_EQ(metafiles::exifRowsOf(receiver), metafiles::exifRowsOf(probe));
    EXPECT_EQ(metafiles::iptcTextsOf(receiver), (std::vector<std::string>{"120=Harbour at dawn", "25=alpha, beta"}));

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
    EXPECT_EQ(receiver.Tag(), "receiver");

    // The source is empty and keeps its own settings too.
    expectEmpty(box);
    EXPECT_EQ(box.Tag(), "source");
    EXPECT_THROW(box.Picture(), EngineError);

    // The metadata travels with the image into what the receiver writes.
    receiver.SaveToFile(path("out.jpg"));
    EXPECT_EQ(metafiles::exiv2Row(path("out.jpg"), "Exif.Image.Make").value, "Canon");
    EXPECT_EQ(metafiles::exiv2Row(path("out.jpg"), "Iptc.Application2.Caption").value, "Harbour at dawn");
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
    // Read twice and pixel by pixel: the view engine holds it computed.
    for (int read = 0; read < 2; ++read)
        EXPECT_EQ(findColour(receiver.Picture(), Rgb{255, 0, 0}), (Point{25, 5}));
    EXPECT_EQ(receiver.PixelColor(25, 5), ole(255, 0, 0));
    receiver.Flip(0);
    EXPECT_EQ(receiver.Picture(), marked);

    // A picture handed over through SetBitmapHandle has the picture's depth and no metadata.
    const Picture withAlpha(2, 1, 4, QByteArray("\x10\x20\x30\x40\x50\x60\x70\x80", 8));
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
    EXPECT_EQ(receiver.Tag(), "receiver");

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
    EXPECT_FALSE(view.HasImage());
    batch.Flip(1);
    batch.Flip(1);
    batch.SaveToFile(dir.filePath("b.png"));
    ImageBox reader;
    reader.LoadFromFile(dir.filePath("b.png"));
    EXPECT_EQ(reader.Picture(), gradientPicture(16, 8));
}

}  // namespace
