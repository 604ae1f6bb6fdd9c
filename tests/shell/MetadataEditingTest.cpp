#include "edit/EditSession.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataMessages.h"
#include "shell/ItemListEditor.h"
#include "shell/MetadataCommands.h"
#include "shell/MetadataPane.h"
#include "shell/PreviewPane.h"
#include "shell/frmExifEditAttribute.h"
#include "shell/frmExifNewAttribute.h"
#include "shell/frmIPTCKeywords.h"
#include "support/Oracles.h"
#include "support/ReportCapture.h"
#include "support/ScriptedDialogs.h"
#include "support/WaitFor.h"
#include "tasks/TaskBasket.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>

using namespace lumora;
using namespace lumora::test;

namespace {

// The rules of the add dialog: what it offers, when OK may be pressed, and what it gives.
TEST(MetadataDialogsTest, NewAttributeOffersTheMissingAttributesAndEnablesOkOnlyForAValue)
{
    frmExifNewAttribute none({});
    EXPECT_EQ(none.attributeBox()->currentText(), modMetadata::NoEditableAttributeToAdd);
    EXPECT_FALSE(none.attributeBox()->isEnabled() || none.okButton()->isEnabled());

    frmExifNewAttribute dialog({"Artist", "DateTimeOriginal"});
    struct Step { int attribute; QString text; bool picker; bool ok; };
    for (const Step& step : {Step{0, "", false, false}, Step{0, "   ", false, false}, Step{0, " Ann ", false, true},
                             Step{1, "", true, true}, Step{0, "", false, false}}) {
        dialog.attributeBox()->setCurrentIndex(step.attribute);
        dialog.valueBox()->setText(step.text);
        const std::string where = std::to_string(step.attribute) + " '" + step.text.toStdString() + "'";
        EXPECT_EQ(!dialog.picker()->isHidden(), step.picker) << where;
        EXPECT_EQ(dialog.okButton()->isEnabled(), step.ok) << where;
    }
    dialog.attributeBox()->setCurrentIndex(1);
    // The picker starts on the moment the date attribute was chosen.
    EXPECT_LT(std::abs(dialog.picker()->dateTime().secsTo(QDateTime::currentDateTime())), 24 * 3600);
    dialog.picker()->setDateTime(QDateTime(QDate(2004, 7, 15), QTime(14, 3, 22)));
    dialog.okButton()->click();
    EXPECT_TRUE(dialog.valueAccepted());
    EXPECT_EQ(dialog.attribute(), "DateTimeOriginal");
    EXPECT_EQ(dialog.value(), "7/15/2004 2:03:22 PM");
}

// The edit dialog gives a value only when it differs from the one shown: text trimmed, dates as
// the picker shows them.
TEST(MetadataDialogsTest, EditAcceptsOnlyAChangedValue)
{
    const QDateTime july15(QDate(2004, 7, 15), QTime(14, 3, 22));
    struct Case {
        QString value;
        bool date;
        QString typed;  // or, for a date, picked:
        QDateTime picked;
        QString given;  // "" when nothing is to be written
    };
    for (const Case& c : {Case{"Ann Lee", false, "Ann Lee", {}, ""}, Case{"Ann Lee", false, "  Ann Lee ", {}, ""},
                          Case{"Ann Lee", false, " Bo Chen ", {}, "Bo Chen"},
                          Case{"7/15/2004 2:03:22 PM", true, "", july15, ""},
                          Case{"7/15/2004 2:03:22 PM", true, "", july15.addSecs(23 * 3600), "7/16/2004 1:03:22 PM"},
                          Case{"", true, "", july15, "7/15/2004 2:03:22 PM"},
                          Case{QLocale().toString(july15.date(), QLocale::ShortFormat), true, "",  // an IPTC date
                               july15.date().startOfDay(), ""}}) {
        frmExifEditAttribute dialog("Name", c.value, c.date);
        EXPECT_EQ(dialog.valueBox()->isHidden(), c.date);
        EXPECT_EQ(dialog.picker()->isHidden(), !c.date);
        if (c.date)
            dialog.picker()->setDateTime(c.picked);
        else
            dialog.valueBox()->setText(c.typed);
        dialog.okButton()->click();
        EXPECT_EQ(dialog.valueAccepted(), !c.given.isEmpty()) << c.value.toStdString();
        EXPECT_EQ(dialog.value(), c.given) << c.value.toStdString();
    }
}

QString exiftoolValue(const QString& path, const QString& tag)
{
    return runTool("exiftool", {"-s3", "-sep", ",", "-" + tag, path}).out.trimmed();
}

// The pane of a previewed JPEG with the commands behind its bars; exiftool writes the photo's
// metadata and reads what the commands wrote.
class MetadataCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        photo = dir.filePath("tagged.jpg");
        ASSERT_EQ(runTool("convert", {"-size", "64x48", "gradient:red-blue", photo}).exitCode, 0);
        const QStringList tags{"-Make=Canon", "-Artist=Ann Lee", "-EXIF:Flash#=16", "-IPTC:Keywords=alpha",
                               "-IPTC:Keywords=beta", "-IPTC:Caption-Abstract=Harbour"};
        ASSERT_EQ(runTool("exiftool", QStringList{"-q", "-overwrite_original"} + tags + QStringList{photo}).exitCode, 0);
        pane.resize(420, 700);
        pane.show();
        QSignalSpy shown(&preview, &PreviewPane::previewShown);
        ASSERT_TRUE(preview.showSelectedFile(photo, 1, QString()));
        ASSERT_TRUE(waitFor([&] { return !shown.isEmpty(); }));
        ASSERT_TRUE(waitFor([&] { return !session.isBusy(); }));
    }

    // Double-clicks the row of the tab's view that stands for an attribute or field.
    void doubleClick(int tab, const QString& tag)
    {
        QTreeView* view = pane.view(tab);
        const QModelIndexList found = view->model()->match(view->model()->index(0, 0), MetadataList::TagRole, tag, 1,
                                                           Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << tag.toStdString();
        view->scrollTo(found.first());
        const QPoint centre = view->visualRect(found.first()).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
    }

    // Runs a command and answers the modal dialog it opens; the dialog's class, "" when none
    // opened.
    QString withDialog(const std::function<void()>& command, const std::function<void(QDialog&)>& answer)
    {
        QString opened;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                poll.stop();
                opened = dialog->metaObject()->className();
                answer(*dialog);
            }
        });
        poll.start(10);
        command();
        return opened;
    }

    QTemporaryDir dir;
    QString photo;
    ScriptedDialogs dialogs;
    ReportCapture reports;
    MetadataPane pane;
    TaskBasket basket;
    EditSession session{basket};
    PreviewPane preview{session, pane.exifList(), pane.iptcList()};
    MetadataCommands commands{pane, preview, &pane};
};

// Editing and deleting act on the row the view shows, whatever its order.
TEST_F(MetadataCommandsTest, DoubleClickEditsEditableRowsAndDeleteAfterSortingRemovesTheSelectedOne)
{
    const auto typeBoChen = [](QDialog& dialog) {
        static_cast<frmExifEditAttribute&>(dialog).valueBox()->setText("Bo Chen");
        dialog.accept();
    };
    EXPECT_EQ(withDialog([&] { doubleClick(MetadataPane::ExifTab, "Artist"); }, typeBoChen), "lumora::frmExifEditAttribute");
    EXPECT_EQ(exiftoolValue(photo, "Artist"), "Bo Chen");
    EXPECT_EQ(pane.exifList().at(pane.exifList().findTag("Artist")).value, "Bo Chen");
    EXPECT_EQ(withDialog([&] { doubleClick(MetadataPane::ExifTab, "Flash"); }, [](QDialog& d) { d.reject(); }), "");

    QTreeView* view = pane.exifView();
    const QHeaderView* header = view->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, 5));
    const QModelIndex first = view->model()->index(0, 0);
    ASSERT_EQ(first.data(MetadataList::TagRole).toString(), "Artist");  // sorted by name
    ASSERT_NE(pane.exifList().findTag("Artist"), 0);                    // not the list's own order
    view->setCurrentIndex(first);
    pane.exifCommand(MetadataPane::ExifDelete)->trigger();
    EXPECT_EQ(exiftoolValue(photo, "Artist"), "");
    EXPECT_EQ(exiftoolValue(photo, "Make"), "Canon");
    EXPECT_EQ(pane.exifList().findTag("Artist"), -1);
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(MetadataCommandsTest, ClearAllIptcKeepsItsRowsEmptyAndKeywordsDialogWritesTheList)
{
    pane.tabs()->setCurrentIndex(MetadataPane::IptcTab);
    const auto addGamma = [](QDialog& dialog) {
        ItemListEditor* editor = dynamic_cast<frmIPTCKeywords&>(dialog).editor();
        editor->box()->setText("gamma");
        editor->addButton()->click();
        dialog.accept();
    };
    EXPECT_EQ(withDialog([&] { doubleClick(MetadataPane::IptcTab, "Keywords"); }, addGamma), "lumora::frmIPTCKeywords");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Keywords"), "alpha,beta,gamma");
    EXPECT_EQ(pane.iptcList().at(pane.iptcList().findTag("Keywords")).value, "alpha,beta,gamma");

    pane.iptcCommand(MetadataPane::IptcClearAll)->trigger();  // answered Yes
    ASSERT_EQ(dialogs.messageTexts(), QStringList{modMetadata::ClearAllIptcQuestion});
    ASSERT_EQ(pane.iptcList().size(), 52);
    for (const MetadataRow& row : pane.iptcList().rows())
        EXPECT_EQ(row.value, "") << row.text.toStdString();
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Keywords"), "");
    EXPECT_EQ(exiftoolValue(photo, "IPTC:Caption-Abstract"), "");
    EXPECT_EQ(exiftoolValue(photo, "Artist"), "Ann Lee");
    EXPECT_TRUE(reports.reports().empty());
}

}  // namespace
