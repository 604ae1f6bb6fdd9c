// The fixed tables of the metadata pane: editable and date attributes, IPTC date labels, the two
// halves of a rational, the files each list is read for, and the item lists of the dialogs.

#include "core/LumoraError.h"
#include "metadata/ExifDisplayName.h"
#include "metadata/InsertMetadataItems.h"
#include "metadata/IptcUrgency.h"
#include "metadata/MetadataTables.h"

#include <gtest/gtest.h>

#include <functional>

using namespace lumora;
using namespace lumora::modMetadata;

namespace {

int errorNumberOf(const std::function<void()>& work)
{
    try {
        work();
    } catch (const LumoraError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace

TEST(MetadataTables, EditableAttributesInTheirOrder)
{
    EXPECT_EQ(EditableExifAttributes(),
              QStringList({"Make", "Model", "DateTime", "ImageDescription", "Artist", "Copyright", "DateTimeOriginal",
                           "DateTimeDigitized", "UserComment", "PixelXDimension", "PixelYDimension"}));
    for (const QString& name : EditableExifAttributes())
        EXPECT_TRUE(IsEditableExif(name)) << name.toStdString();
    for (const char* name : {"make", "MAKE", "Software", "Orientation", "Flash", "", "Make "})
        EXPECT_FALSE(IsEditableExif(QString::fromLatin1(name))) << name;
}

TEST(MetadataTables, DateAttributesAndLabelsAreExactAndCaseSensitive)
{
    for (const char* name : {"DateTime", "DateTimeOriginal", "DateTimeDigitized"})
        EXPECT_TRUE(IsExifDate(QString::fromLatin1(name))) << name;
    for (const char* name : {"datetime", "SubSecTime", "Date/Time", "GPSDateStamp"})
        EXPECT_FALSE(IsExifDate(QString::fromLatin1(name))) << name;

    for (const char* label : {"Date Created", "Date Released", "Time Released", "Reference Date", "Time Created"})
        EXPECT_TRUE(IsIptcDate(QString::fromLatin1(label))) << label;
    for (const char* label : {"date created", "DateCreated", "Caption", "Reference Number"})
        EXPECT_FALSE(IsIptcDate(QString::fromLatin1(label))) << label;
}

TEST(MetadataTables, RationalHalvesSplitAtTheLastSlash)
{
    EXPECT_EQ(RationalNumerator("28/10"), 28);
    EXPECT_EQ(RationalDenominator("28/10"), 10);
    EXPECT_EQ(RationalNumerator("-1/3"), -1);
    EXPECT_EQ(RationalDenominator("-1/3"), 3);
    EXPECT_EQ(RationalNumerator(" 7 / 2 "), 7);
    EXPECT_EQ(RationalDenominator(" 7 / 2 "), 2);
    // Halves are numbers as Lumora reads them: rounded half to even.
    EXPECT_EQ(RationalNumerator("2.5/1"), 2);
    EXPECT_EQ(RationalNumerator("3.5/1"), 4);
    // Without a slash nothing stands before it; the whole text is after it.
    EXPECT_EQ(RationalDenominator("5"), 5);
    EXPECT_EQ(errorNumberOf([] { RationalNumerator("5"); }), errnum::TypeMismatch);
}

TEST(MetadataTables, RationalHalvesThatAreNotNumbersOrTooLargeRaise)
{
    EXPECT_EQ(errorNumberOf([] { RationalNumerator("1/2/3"); }), errnum::TypeMismatch);
    EXPECT_EQ(RationalDenominator("1/2/3"), 3);
    EXPECT_EQ(errorNumberOf([] { RationalNumerator("abc/1"); }), errnum::TypeMismatch);
    EXPECT_EQ(errorNumberOf([] { RationalDenominator("1/"); }), errnum::TypeMismatch);
    EXPECT_EQ(errorNumberOf([] { RationalNumerator("4294967295/1"); }), errnum::Overflow);
    EXPECT_EQ(errorNumberOf([] { RationalDenominator("1/4294967295"); }), errnum::Overflow);
}

TEST(MetadataTables, WhichFilesTheListsAreReadFor)
{
    for (const char* path : {"/p/a.tif", "/p/a.TIFF", "/p/a.jpg", "/p/a.Jpeg", "/p/a.jpe"}) {
        EXPECT_TRUE(ShowsExif(QString::fromLatin1(path))) << path;
        EXPECT_TRUE(ShowsIptc(QString::fromLatin1(path))) << path;
    }
    EXPECT_FALSE(ShowsExif("/p/a.psd"));
    EXPECT_TRUE(ShowsIptc("/p/a.PSD"));
    for (const char* path : {"/p/a.png", "/p/a.bmp", "/p/jpg", "/p.jpg/a", "/p/a.jpg.png", "/p/a."}) {
        EXPECT_FALSE(ShowsExif(QString::fromLatin1(path))) << path;
        EXPECT_FALSE(ShowsIptc(QString::fromLatin1(path))) << path;
    }
    // Attributes are added to JPEG and TIFF files only; "jpe" is not among them.
    for (const char* path : {"/p/a.jpeg", "/p/a.JPG", "/p/a.tif", "/p/a.tiff"})
        EXPECT_TRUE(CanAddExif(QString::fromLatin1(path))) << path;
    for (const char* path : {"/p/a.jpe", "/p/a.psd", "/p/a.png"})
        EXPECT_FALSE(CanAddExif(QString::fromLatin1(path))) << path;
}

TEST(MetadataTables, InsertMetadataItemsNameEveryEditableAttributeAndIptcField)
{
    const QStringList& items = InsertMetadataItems();
    ASSERT_EQ(items.size(), 11 + 34 + 20);
    // The EXIF items are the editable attributes under the names the pane shows them by.
    for (int i = 0; i < EditableExifAttributes().size(); ++i) {
        const QString name = EditableExifAttributes().at(i);
        const QString shown = fncFormattedAttributed(name);
        EXPECT_EQ(items.at(i), QStringLiteral("EXIF - ") + (shown.isEmpty() ? name : shown));
    }
    EXPECT_EQ(items.at(11), "IPTC - Caption");
    EXPECT_EQ(items.at(15), "IPTC - By (Author)");
    EXPECT_EQ(items.at(16), "IPTC - By Title (Author's Position)");
    EXPECT_EQ(items.at(23), "IPTC - Original Transmission Reference (OTR)");
    EXPECT_EQ(items.at(44), "IPTC - Local Caption");
    EXPECT_EQ(items.at(45), "IPTC - Custom Field 1");
    EXPECT_EQ(items.last(), "IPTC - Custom Field 20");
    QStringList distinct = items;
    EXPECT_EQ(distinct.removeDuplicates(), 0);
}

TEST(MetadataTables, UrgencyItemsAndTheirTexts)
{
    EXPECT_EQ(UrgencyItems(), QStringList({" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", "None"}));
    EXPECT_EQ(UrgencyText(0), "None");
    EXPECT_EQ(UrgencyText(3), " 3");
    // Every item stands for the urgency that shows it.
    for (const QString& item : UrgencyItems())
        EXPECT_EQ(UrgencyText(UrgencyOfText(item)), item);
    EXPECT_EQ(UrgencyOfText(""), 0);
    EXPECT_EQ(errorNumberOf([] { UrgencyOfText("urgent"); }), errnum::TypeMismatch);
}
