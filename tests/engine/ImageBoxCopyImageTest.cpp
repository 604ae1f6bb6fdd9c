// Sharing an image between engines (ImageBox::CopyImageFrom): what the receiver gets is exactly
// the image as loaded or edited, pixels, depth and metadata; what stays is each engine's own
// settings, and neither engine's later edits reach the other.

#include "MetadataTestFiles.h"

#include "engine/EngineError.h"
#include "support/EngineFixtures.h"
#include "support/Oracles.h"

using namespace lumora;
using namespace lumora::test;

namespace {

class CopyImage : public EngineModes {
protected:
    // A view engine with settings of its own, holding another image with metadata of its own.
    void prepareReceiver(ImageBox& receiver)
    {
        metafiles::makePlainJpeg(path("other.jpg"), 20, 10);
        ASSERT_TRUE(metafiles::exiftoolWrite(path("other.jpg"), {"-Make=Nikon", "-Software=Other"}));
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
    metafiles::makePlainJpeg(photo, 48, 32);
    ASSERT_TRUE(metafiles::exiftoolWrite(photo, {"-Make=Canon", "-Artist=Ann Lee",
                                                 "-IPTC:Caption-Abstract=Harbour at dawn"}));
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
    EXPECT_EQ(metafiles::exifRowsOf(receiver), metafiles::exifRowsOf(box));
    EXPECT_EQ(receiver.IptcText(IptcField::Caption), "Harbour at dawn");
    EXPECT_FALSE(receiver.StretchToFit());
    EXPECT_EQ(receiver.Zoom(), 250);
    EXPECT_EQ(receiver.BackColor(), ole(1, 2, 3));
    EXPECT_EQ(receiver.Tag(), "receiver");

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
    EXPECT_EQ(metafiles::exiv2Row(path("out.jpg"), "Exif.Image.Make").value, "Pentax");
    EXPECT_EQ(metafiles::exiv2Row(path("out.jpg"), "Iptc.Application2.Caption").value, "Harbour at dawn");
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
