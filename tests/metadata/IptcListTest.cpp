// The IPTC list of the metadata pane, the keyword and supplemental category dialogs, and .ffo
// files that carry the IPTC of one photo to another, checked against what exiftool put into and
// reads out of the photos.

#include "engine/IptcField.h"
#include "metadata/IptcExchange.h"
#include "metadata/IptcListEdits.h"
#include "metadata/MetadataFiles.h"
#include "metadata/MetadataUpdate.h"
#include "metadata/clsFileEXIF.h"
#include "support/FileBytes.h"
#include "support/ReportCapture.h"

#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;
using namespace lumora::modMetadata;

namespace {

using IptcReading = TaggedPhotoTest;
using IptcExchange = TaggedPhotoTest;

}  // namespace

TEST_F(IptcReading, AJpegWithoutIptcShowsEveryListedFieldEmpty)
{
    readIptc({});
    ASSERT_EQ(list.size(), 52);
    EXPECT_EQ(list.tag(), photo);
    for (int i = 0; i < list.size(); ++i) {
        const QString label = QString::fromUtf8(IptcFields().at(static_cast<size_t>(i)).label);
        EXPECT_EQ(list.at(i), (MetadataRow{label, label, label, "", true})) << i;
    }
    EXPECT_EQ(list.at(0).text, "Caption");
    EXPECT_EQ(list.findTag("Time Released"), -1);  // kept by the engine, not listed
    EXPECT_EQ(list.findTag("Time Created"), -1);
}

TEST_F(IptcReading, TextListsAndDatesAsThePaneShowsThem)
{
    readIptc({"-IPTC:Caption-Abstract=A quiet harbour", "-IPTC:Keywords=alpha", "-IPTC:Keywords=beta",
              "-IPTC:Keywords=gamma", "-IPTC:SupplementalCategories=boats", "-IPTC:SupplementalCategories=sea",
              "-IPTC:DateCreated=2012:11:25", "-IPTC:City=Kiel"});
    EXPECT_EQ(row("Caption").value, "A quiet harbour");
    EXPECT_EQ(row("City").value, "Kiel");
    EXPECT_EQ(row("Keywords").value, "alpha,beta,gamma");
    EXPECT_EQ(row("Supplemental Categories").value, "boats,sea");
    EXPECT_EQ(row("Date Created").value, QLocale::system().toString(QDate(2012, 11, 25), QLocale::ShortFormat));
    EXPECT_EQ(row("Date Released").value, "");
}

TEST_F(IptcReading, KeywordDialogWritesTheListIntoTheFileOrReportsWhyNot)
{
    readIptc({"-IPTC:Keywords=alpha", "-IPTC:Keywords=beta", "-IPTC:Keywords=gamma"});
    ReportCapture reports;
    // The dialog's list after "beta" was deleted.
    EXPECT_EQ(subUpdateIPTC_Keywords(engine, {"alpha", "gamma"}), "alpha,gamma");
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Keywords"), "alpha,gamma");

    // A write that fails: the row shows what the engine holds, the file keeps its keywords.
    engine.SetTag(path("missing.jpg"));
    EXPECT_EQ(subUpdateIPTC_Keywords(engine, {"beta"}), "beta");
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(reports.reports().front().routine, "modMetadata.subUpdateIPTC_Keywords");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Keywords"), "alpha,gamma");
}

TEST_F(IptcReading, CategoryDialogWritesCategoriesAndUrgency)
{
    readIptc({"-IPTC:SupplementalCategories=old"});
    EXPECT_EQ(subUpdateIPTC_Category(engine, {"boats", "harbour"}, " 3"), "boats,harbour");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:SupplementalCategories"), "boats,harbour");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Urgency", true), "3");
    EXPECT_EQ(subUpdateIPTC_Category(engine, {}, "None"), "");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:SupplementalCategories"), "");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Urgency", true), "");
}

TEST_F(IptcReading, DeletingKeywordsOrCategoriesEmptiesThemInTheFile)
{
    readIptc({"-IPTC:Keywords=alpha", "-IPTC:SupplementalCategories=sea", "-IPTC:Caption-Abstract=kept"});
    EXPECT_FALSE(fncDeleteIPTC_Keywords_suppCat(photo, "Caption", engine));
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Keywords"), "alpha");
    EXPECT_TRUE(fncDeleteIPTC_Keywords_suppCat(photo, "Keywords", engine));
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Keywords"), "");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:SupplementalCategories"), "sea");
    EXPECT_TRUE(fncDeleteIPTC_Keywords_suppCat(photo, "Supplemental Categories", engine));
    EXPECT_EQ(exiftoolValue(photo, "IPTC:SupplementalCategories"), "");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Caption-Abstract"), "kept");
}

TEST(ExchangeFileName, ExtensionIsAppendedUnlessThePathEndsInItInAnyCase)
{
    const char* const cases[][3] = {
        // given, .ffo name, .xiff name
        {"/a/b", "/a/b.ffo", "/a/b.xiff"},
        {"/a/b.ffo", "/a/b.ffo", "/a/b.ffo.xiff"},
        {"/a/b.FFO", "/a/b.FFO", "/a/b.FFO.xiff"},
        {"/a/b.XIFF", "/a/b.XIFF.ffo", "/a/b.XIFF"},
        {"/a/b.xiff", "/a/b.xiff.ffo", "/a/b.xiff"},
        {"/a/bffo", "/a/bffo.ffo", "/a/bffo.xiff"},
        {"/a/bxiff", "/a/bxiff.ffo", "/a/bxiff.xiff"},
        {"/a/b.ff", "/a/b.ff.ffo", "/a/b.ff.xiff"},
        {"/a/b.xif", "/a/b.xif.ffo", "/a/b.xif.xiff"},
    };
    for (const auto& [given, ffo, xiff] : cases) {
        EXPECT_EQ(iptcExchangeFileName(given), ffo);
        EXPECT_EQ(exifExchangeFileName(given), xiff);
    }
}

TEST_F(IptcExchange, SavedIptcReplacesAnotherPhotosAndTheListIsReadAgain)
{
    readIptc({}, "plain.jpg");
    EXPECT_FALSE(OpenIptcAsks(list, engine));  // nothing to replace
    readIptc({"-IPTC:Caption-Abstract=harbour", "-IPTC:Keywords=boat", "-IPTC:Keywords=sea"}, "source.jpg");
    ASSERT_TRUE(fncSaveIPTC(engine, path("info")));
    ASSERT_TRUE(QFile::exists(path("info.ffo")));

    readIptc({"-IPTC:City=Kiel"}, "target.jpg");
    const QString target = photo;
    EXPECT_TRUE(OpenIptcAsks(list, engine));
    EXPECT_FALSE(OpenIptcAsks(MetadataList(), engine));
    ReportCapture reports;
    EXPECT_TRUE(fncOpenIPTC(path("info.ffo"), list, engine));
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_EQ(exiftoolValue(target, "IPTC:Caption-Abstract"), "harbour");
    EXPECT_EQ(exiftoolValue(target, "IPTC:Keywords"), "boat,sea");
    EXPECT_EQ(exiftoolValue(target, "IPTC:City"), "");  // replaced, not merged
    ASSERT_EQ(list.size(), 52);
    EXPECT_EQ(row("Caption").value, "harbour");
    EXPECT_EQ(row("Keywords").value, "boat,sea");
    EXPECT_EQ(row("City").value, "");
}

TEST_F(IptcExchange, APngGetsTheIptcInTheEngineOnly)
{
    photoWith({"-IPTC:Caption-Abstract=harbour"}, "source.jpg");
    ASSERT_TRUE(fncSaveIPTC(engine, path("info.ffo")));
    const QString png = makePicture(path("target.png"));
    const QByteArray before = readBytes(png);
    engine.LoadFromFile(png);
    list.setTag(png);
    EXPECT_TRUE(fncOpenIPTC(path("info.ffo"), list, engine));
    EXPECT_EQ(engine.IptcText(IptcField::Caption), "harbour");
    EXPECT_EQ(readBytes(png), before);
    EXPECT_TRUE(list.isEmpty());
}

TEST_F(IptcExchange, AFileThatIsNotIptcIsReported)
{
    readIptc({"-IPTC:Caption-Abstract=kept"});
    writeBytes(path("bad.ffo"), "not IPTC at all");
    ReportCapture reports;
    EXPECT_FALSE(fncOpenIPTC(path("bad.ffo"), list, engine));
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(reports.reports().front().routine, "modMetadata.fncOpenIPTC");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Caption-Abstract"), "kept");
}
