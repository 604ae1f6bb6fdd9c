// The IPTC list of the metadata pane and the keyword and supplemental category dialogs, checked
// against what exiftool put into and reads out of the photo.

#include "engine/ImageBox.h"
#include "engine/IptcField.h"
#include "metadata/IptcListEdits.h"
#include "metadata/MetadataFiles.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataReading.h"
#include "metadata/TaggedPhotoTest.h"
#include "metadata/MetadataUpdate.h"
#include "support/ReportCapture.h"

#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;
using namespace lumora::modMetadata;

namespace {

class IptcReading : public TaggedPhotoTest {
protected:

    void read(const QStringList& assignments, const QString& name = QStringLiteral("photo.jpg"))
    {
        loadTagged(assignments, name);
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(ReadFileIPTCInfo(engine, list, photo));
    }

    QString value(const QString& label) const
    {
        const int position = list.findTag(label);
        EXPECT_GE(position, 0) << "no row " << label.toStdString();
        return position < 0 ? QString() : list.at(position).value;
    }

    MetadataList list{QStringLiteral("Field")};
};

}  // namespace

TEST_F(IptcReading, AJpegWithoutIptcShowsEveryListedFieldEmpty)
{
    read({});
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
    read({"-IPTC:Caption-Abstract=A quiet harbour", "-IPTC:Keywords=alpha", "-IPTC:Keywords=beta",
          "-IPTC:Keywords=gamma", "-IPTC:SupplementalCategories=boats", "-IPTC:SupplementalCategories=sea",
          "-IPTC:DateCreated=2012:11:25", "-IPTC:City=Kiel"});
    EXPECT_EQ(value("Caption"), "A quiet harbour");
    EXPECT_EQ(value("City"), "Kiel");
    EXPECT_EQ(value("Keywords"), "alpha,beta,gamma");
    EXPECT_EQ(value("Supplemental Categories"), "boats,sea");
    EXPECT_EQ(value("Date Created"), QLocale::system().toString(QDate(2012, 11, 25), QLocale::ShortFormat));
    EXPECT_EQ(value("Date Released"), "");
}

TEST_F(IptcReading, KeywordDialogWritesTheListIntoTheFile)
{
    read({"-IPTC:Keywords=alpha", "-IPTC:Keywords=beta", "-IPTC:Keywords=gamma"});
    ASSERT_EQ(value("Keywords"), "alpha,beta,gamma");
    ReportCapture reports;
    // The dialog's list after "beta" was deleted.
    EXPECT_EQ(subUpdateIPTC_Keywords(engine, {"alpha", "gamma"}), "alpha,gamma");
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Keywords"), "alpha,gamma");
}

TEST_F(IptcReading, CategoryDialogWritesCategoriesAndUrgency)
{
    read({"-IPTC:SupplementalCategories=old"});
    EXPECT_EQ(subUpdateIPTC_Category(engine, {"boats", "harbour"}, " 3"), "boats,harbour");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:SupplementalCategories"), "boats,harbour");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Urgency", true), "3");
    EXPECT_EQ(subUpdateIPTC_Category(engine, {}, "None"), "");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:SupplementalCategories"), "");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Urgency", true), "");
}

TEST_F(IptcReading, DeletingKeywordsOrCategoriesEmptiesThemInTheFile)
{
    read({"-IPTC:Keywords=alpha", "-IPTC:SupplementalCategories=sea", "-IPTC:Caption-Abstract=kept"});
    EXPECT_FALSE(fncDeleteIPTC_Keywords_suppCat(photo, "Caption", engine));
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Keywords"), "alpha");
    EXPECT_TRUE(fncDeleteIPTC_Keywords_suppCat(photo, "Keywords", engine));
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Keywords"), "");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:SupplementalCategories"), "sea");
    EXPECT_TRUE(fncDeleteIPTC_Keywords_suppCat(photo, "Supplemental Categories", engine));
    EXPECT_EQ(exiftoolValue(photo, "IPTC:SupplementalCategories"), "");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Caption-Abstract"), "kept");
}

TEST_F(IptcReading, AFailedKeywordWriteIsReportedAndTheRowShowsTheEngine)
{
    read({"-IPTC:Keywords=alpha"});
    engine.SetTag(path("missing.jpg"));
    ReportCapture reports;
    EXPECT_EQ(subUpdateIPTC_Keywords(engine, {"beta"}), "beta");
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(reports.reports().front().routine, "modMetadata.subUpdateIPTC_Keywords");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Keywords"), "alpha");
}
