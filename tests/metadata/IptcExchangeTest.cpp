// .ffo files: the IPTC of one photo saved and put on another.

#include "engine/ImageBox.h"
#include "metadata/IptcExchange.h"
#include "metadata/MetadataFiles.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataReading.h"
#include "support/FileBytes.h"
#include "support/ReportCapture.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;
using namespace lumora::modMetadata;

namespace {

class IptcExchange : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    QString open(const QStringList& assignments, const QString& name)
    {
        const QString file = makePicture(path(name));
        if (!assignments.isEmpty()) {
            EXPECT_TRUE(exiftoolWrite(file, assignments));
        }
        engine.LoadFromFile(file);
        list.clear();
        EXPECT_TRUE(ReadFileIPTCInfo(engine, list, file));
        return file;
    }

    QString value(const QString& label) const { return list.at(list.findTag(label)).value; }

    QTemporaryDir dir;
    ImageBox engine{ImageBox::Mode::Batch};
    MetadataList list;
};

}  // namespace

TEST(IptcExchangeName, ExtensionIsAppendedUnlessTheLastFourCharactersAreFfo)
{
    EXPECT_EQ(iptcExchangeFileName("/a/b"), "/a/b.ffo");
    EXPECT_EQ(iptcExchangeFileName("/a/b.ffo"), "/a/b.ffo");
    EXPECT_EQ(iptcExchangeFileName("/a/b.FFO"), "/a/b.FFO");
    EXPECT_EQ(iptcExchangeFileName("/a/bffo"), "/a/bffo.ffo");
    EXPECT_EQ(iptcExchangeFileName("/a/b.ff"), "/a/b.ff.ffo");
}

TEST_F(IptcExchange, SavedIptcIsPutOnAnotherPhotoAndTheListReadAgain)
{
    open({"-IPTC:Caption-Abstract=harbour", "-IPTC:Keywords=boat", "-IPTC:Keywords=sea"}, "source.jpg");
    ASSERT_TRUE(fncSaveIPTC(engine, path("info")));
    ASSERT_TRUE(QFile::exists(path("info.ffo")));

    const QString target = open({"-IPTC:City=Kiel"}, "target.jpg");
    EXPECT_TRUE(OpenIptcAsks(list, engine));
    ReportCapture reports;
    EXPECT_TRUE(fncOpenIPTC(path("info.ffo"), list, engine));
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_EQ(exiftoolValue(target, "IPTC:Caption-Abstract"), "harbour");
    EXPECT_EQ(exiftoolValue(target, "IPTC:Keywords"), "boat,sea");
    EXPECT_EQ(exiftoolValue(target, "IPTC:City"), "");  // replaced, not merged
    ASSERT_EQ(list.size(), 52);
    EXPECT_EQ(value("Caption"), "harbour");
    EXPECT_EQ(value("Keywords"), "boat,sea");
    EXPECT_EQ(value("City"), "");
}

TEST_F(IptcExchange, TheQuestionIsAskedOnlyWhenThereIsIptcToReplace)
{
    open({}, "plain.jpg");
    EXPECT_FALSE(OpenIptcAsks(list, engine));
    MetadataList empty;
    EXPECT_FALSE(OpenIptcAsks(empty, engine));
}

TEST_F(IptcExchange, APngGetsTheIptcInTheEngineOnly)
{
    open({"-IPTC:Caption-Abstract=harbour"}, "source.jpg");
    ASSERT_TRUE(fncSaveIPTC(engine, path("info.ffo")));
    const QString png = makePicture(path("target.png"));
    const QByteArray before = readBytes(png);
    engine.LoadFromFile(png);
    list.clear();
    list.setTag(png);
    EXPECT_TRUE(fncOpenIPTC(path("info.ffo"), list, engine));
    EXPECT_EQ(engine.IptcText(IptcField::Caption), "harbour");
    EXPECT_EQ(readBytes(png), before);
    EXPECT_TRUE(list.isEmpty());
}

TEST_F(IptcExchange, AFileThatIsNotIptcIsReported)
{
    const QString photo = open({"-IPTC:Caption-Abstract=kept"}, "photo.jpg");
    writeBytes(path("bad.ffo"), "not IPTC at all");
    ReportCapture reports;
    EXPECT_FALSE(fncOpenIPTC(path("bad.ffo"), list, engine));
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(reports.reports().front().routine, "modMetadata.fncOpenIPTC");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Caption-Abstract"), "kept");
}
