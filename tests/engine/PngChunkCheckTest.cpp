// PNG files whose chunks claim more bytes than the file has are kept away from libpng, which
// would allocate and read for the claimed length; truncated image data stays readable.

#include "engine/EngineError.h"
#include "engine/ImageBox.h"
#include "engine/PngChunkCheck.h"
#include "imageio/LoadPic.h"
#include "support/FileBytes.h"
#include "support/TestImages.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

constexpr int kAfterHeader = 8 + 25;  // signature, then the IHDR chunk

// A tEXt chunk header claiming `length` bytes, with a few bytes of text after it.
QByteArray textChunkClaiming(quint32 length)
{
    QByteArray chunk;
    for (int shift = 24; shift >= 0; shift -= 8)
        chunk.append(static_cast<char>((length >> shift) & 0xFF));
    return chunk + "tEXtComment" + QByteArray(1, '\0') + "hello";
}

class PngChunkCheck : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QByteArray valid;

    void SetUp() override { valid = readBytes(writePng(gradientPicture(30, 20), dir.filePath("valid.png"))); }

    QString write(const QString& name, const QByteArray& bytes)
    {
        writeBytes(dir.filePath(name), bytes);
        return dir.filePath(name);
    }
};

TEST_F(PngChunkCheck, AChunkLongerThanTheFileIsRefusedEverywhere)
{
    // Found by fuzzing: a text chunk claiming 1.6 GB made libpng take 1.7 GB and ten seconds.
    QByteArray hostile = valid;
    hostile.insert(kAfterHeader, textChunkClaiming(0x65000000));
    const QString path = write("hostile.png", hostile);
    EXPECT_FALSE(PngChunksFitTheFile(path));

    ImageBox box;
    EXPECT_THROW(box.LoadFromFile(path), EngineError);
    EXPECT_TRUE(LoadPic(path).isNull());
    EXPECT_TRUE(LoadPic(path, FixedBox, 40, 40).isNull());

    QByteArray beyondTheFormat = valid;
    beyondTheFormat.insert(kAfterHeader, textChunkClaiming(0x80000000));
    EXPECT_FALSE(PngChunksFitTheFile(write("beyond.png", beyondTheFormat)));
}

TEST_F(PngChunkCheck, WholeAndTruncatedImagesAndOtherFilesPass)
{
    const QString whole = write("whole.png", valid);
    EXPECT_TRUE(PngChunksFitTheFile(whole));
    ImageBox box;
    box.LoadFromFile(whole);
    EXPECT_EQ(box.ImageWidth(), 30);

    // Cut inside the image data: the stream decoder deals with that, so the file goes on.
    EXPECT_TRUE(PngChunksFitTheFile(write("cut.png", valid.left(valid.size() - 20))));
    // Cut before the image data: nothing to draw.
    EXPECT_FALSE(PngChunksFitTheFile(write("header-only.png", valid.left(kAfterHeader + 4))));
    // Not a PNG at all: other checks decide.
    EXPECT_TRUE(PngChunksFitTheFile(write("text.png", "just text")));
    EXPECT_TRUE(PngChunksFitTheFile(dir.filePath("missing.png")));
}

}  // namespace
