#include "controls/NumericField.h"
#include "output/frmSaveSinglePage.h"
#include "settings/SetupRecord.h"
#include "support/ScriptedDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>
#include <type_traits>

namespace lumora {
namespace {

// The batch dialog on a Naming block of a first start; file dialogs and message boxes answered
// by the script.
class frmSaveSinglePageTest : public ::testing::Test {
protected:
    frmSaveSinglePageTest() { dialog.show(); }

    template <typename T = QWidget>
    T* find(const char* name)
    {
        T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QComboBox* combo(const char* name) { return find<QComboBox>(name); }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(name); }
    QRadioButton* radio(const char* name) { return find<QRadioButton>(name); }
    QCheckBox* check(const char* name) { return find<QCheckBox>(name); }
    QPushButton* button(const char* name) { return find<QPushButton>(name); }

    static void leave(QWidget* widget)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(widget, &out);
    }

    SetupRecord::Naming settings = defaultSetup(QStringLiteral("/lumora")).naming;
    test::ScriptedDialogs scripted;
    frmSaveSinglePage dialog{settings};
};

// Every field of the settings, in their order, as "name=value" texts.
QString describe(const SetupRecord::Naming& naming)
{
    QStringList fields;
    SetupRecord::Naming::forEachField(naming, [&](const char* name, const auto& value) {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, QString>)
            fields.append(QString::fromLatin1(name) + u'=' + value);
        else
            fields.append(QString::fromLatin1(name) + u'=' + QString::number(value));
    });
    return fields.join(u' ');
}

TEST_F(frmSaveSinglePageTest, SaveStoresEveryControlAndTheDialogShowsItAgain)
{
    radio("OptName_2")->click();
    combo("cboRenamePrefix")->setCurrentIndex(2);
    combo("cboSeparator1")->setCurrentIndex(8);
    combo("cboSeparator2")->setEditText("AND");
    combo("cboRenameSuffix")->setEditText("Holiday");
    edit("txtRenameGeneric")->setText("Trip");
    combo("cboRenameGeneric")->setEditText("50");
    radio("optDestinationFolder_1")->click();
    edit("txtDestinationFolder")->setText("/photos/out");
    check("chkOverwrite")->setChecked(false);
    check("chkProcessEditingList")->setChecked(false);
    check("chkImportEXIF")->setChecked(true);
    edit("txtImportEXIF")->setText("/meta/a.xiff");
    check("chkImportIPTC")->setChecked(true);
    edit("txtImportIPTC")->setText("/meta/b.ffo");
    // Typed and not left yet: Save holds it to the limits as leaving the field would.
    find<NumericField>("tJPGQuality")->setText("137");
    check("chkJPGProgressive")->setChecked(true);
    radio("optJPEGDepth_1")->click();
    button("cmdStarConversion")->click();
    EXPECT_TRUE(scripted.messages().isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    const QString saved = "jpegQuality=100 progressive=1 jpegDepth=1 suffix=Holiday prefix=[Resulting size] "
                          "separator1=[WhiteSpace] separator2=AND nameMode=2 genericName=Trip counterStart=50 "
                          "destinationChoice=1 destinationFolder=/photos/out/ overwrite=0 running=-1 importIptc=1 "
                          "importExif=1 iptcFile=/meta/b.ffo exifFile=/meta/a.xiff processTaskBasket=0";
    EXPECT_EQ(describe(settings), saved);

    // Opened again, a Save keeps it: the controls show what was saved, each in its place.
    settings.running = 0;
    frmSaveSinglePage(settings).findChild<QPushButton*>("cmdStarConversion")->click();
    EXPECT_EQ(describe(settings), saved);

    // The other choice of every option and box is stored too.
    frmSaveSinglePage third(settings);
    for (const char* name : {"OptName_1", "optDestinationFolder_0", "chkOverwrite", "chkProcessEditingList",
                             "chkImportEXIF", "chkImportIPTC", "chkJPGProgressive", "optJPEGDepth_0"})
        third.findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
    third.findChild<QSlider*>("sldJPGQuality")->setValue(63);
    third.findChild<QPushButton*>("cmdStarConversion")->click();
    EXPECT_EQ(describe(settings), "jpegQuality=63 progressive=0 jpegDepth=0 suffix=Holiday prefix=[Resulting size] "
                                  "separator1=[WhiteSpace] separator2=AND nameMode=1 genericName=Trip counterStart=50 "
                                  "destinationChoice=0 destinationFolder=/photos/out/ overwrite=1 running=-1 "
                                  "importIptc=0 importExif=0 iptcFile=/meta/b.ffo exifFile=/meta/a.xiff "
                                  "processTaskBasket=1");
}

TEST_F(frmSaveSinglePageTest, SaveRefusesAMissingOrNonNumericCounterAndEscapeCancels)
{
    // Only digits can be typed, but a settings file may hold anything.
    for (const auto& [counter, message] : {std::pair{"   ", "The count variable cannot be empty!"},
                                           {"[Starting 7]", "Count should be numeric!"}}) {
        scripted.clear();
        combo("cboRenameGeneric")->setEditText(counter);
        button("cmdStarConversion")->click();
        EXPECT_EQ(scripted.messageTexts(), QStringList{message});
        EXPECT_TRUE(dialog.isVisible());
    }
    // Esc after a refused Save: no run.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(settings.running, 0);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());

    frmSaveSinglePage listed(settings);
    listed.findChild<QComboBox*>("cboRenameGeneric")->setCurrentIndex(1);
    listed.findChild<QPushButton*>("cmdStarConversion")->click();
    EXPECT_EQ(listed.result(), QDialog::Accepted);
    EXPECT_EQ(settings.counterStart, "[Starting 1001]");
}

TEST_F(frmSaveSinglePageTest, CounterTakesDigitsAndIsHeldToItsLimitsOnLeaving)
{
    radio("OptName_2")->click();
    QLineEdit* counter = combo("cboRenameGeneric")->lineEdit();
    const struct {
        bool clear;
        const char* typed;
        const char* shown;
        const char* left;
    } cases[] = {
        {true, "a4 b-2.x", "42", "42"},
        {false, "x999", "42999", "30000"},
        {true, "0", "0", "1"},
        {true, "99999999999999", "99999999999999", "30000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        if (c.clear)
            counter->clear();
        QTest::keyClicks(counter, QString::fromLatin1(c.typed));
        EXPECT_EQ(counter->text(), c.shown);
        leave(combo("cboRenameGeneric"));
        EXPECT_EQ(counter->text(), c.left);
    }
    // A list item is not a typed number and stays.
    combo("cboRenameGeneric")->setCurrentIndex(1);
    leave(combo("cboRenameGeneric"));
    EXPECT_EQ(counter->text(), "[Starting 1001]");
}

TEST_F(frmSaveSinglePageTest, FileNameCharactersAreDroppedAsTypedOrPasted)
{
    radio("OptName_1")->click();
    for (const char* name : {"cboRenamePrefix", "cboSeparator1", "cboSeparator2", "cboRenameSuffix"}) {
        QLineEdit* line = combo(name)->lineEdit();
        line->clear();
        QTest::keyClicks(line, "Ho\"li&d*a/y:<>?\\|s");
        EXPECT_EQ(line->text(), "Holidays") << name;
        line->setCursorPosition(2);
        line->insert("|a:b*c");  // what a paste does
        EXPECT_EQ(line->text(), "Hoabclidays") << name;
        EXPECT_EQ(line->cursorPosition(), 5) << name;
    }
    radio("OptName_2")->click();
    QLineEdit* generic = edit("txtRenameGeneric");
    generic->clear();
    QTest::keyClicks(generic, "Sa?mp<le 1");
    EXPECT_EQ(generic->text(), "Sample 1");

    // Chosen from the list, a token keeps the "&" that cannot be typed.
    combo("cboRenamePrefix")->setCurrentIndex(16);
    button("cmdStarConversion")->click();
    EXPECT_EQ(settings.prefix, "[EXIF Make & Model]");
    EXPECT_EQ(settings.genericName, "Sample 1");
}

TEST_F(frmSaveSinglePageTest, EachOptionOpensItsOwnBoxesAndBrowseButtonsFillThem)
{
    const auto open = [this] {
        QStringList names;
        for (const char* name : {"cboRenamePrefix", "cboSeparator1", "cboSeparator2", "cboRenameSuffix",
                                 "txtRenameGeneric", "cboRenameGeneric", "txtDestinationFolder", "cmdBrowseFolder",
                                 "txtImportEXIF", "cmdImportEXIF", "txtImportIPTC", "cmdImportIPTC"}) {
            if (find(name)->isEnabled() && find(name)->isVisible())
                names.append(QString::fromLatin1(name));
        }
        return names.join(u' ');
    };
    EXPECT_EQ(open(), QString());
    radio("OptName_1")->click();
    EXPECT_EQ(open(), "cboRenamePrefix cboSeparator1 cboSeparator2 cboRenameSuffix");
    radio("OptName_2")->click();
    radio("optDestinationFolder_1")->click();
    check("chkImportEXIF")->click();
    EXPECT_EQ(open(), "txtRenameGeneric cboRenameGeneric txtDestinationFolder cmdBrowseFolder txtImportEXIF cmdImportEXIF");
    check("chkImportIPTC")->click();
    EXPECT_TRUE(find("txtImportIPTC")->isVisible() && find("cmdImportIPTC")->isVisible());

    // Each browse button fills its box, unless its dialog is cancelled.
    for (const auto& [browse, text, kind] :
         {std::tuple{"cmdBrowseFolder", "txtDestinationFolder", ui::FileDialogRequest::Kind::Folder},
          {"cmdImportEXIF", "txtImportEXIF", ui::FileDialogRequest::Kind::OpenFile},
          {"cmdImportIPTC", "txtImportIPTC", ui::FileDialogRequest::Kind::OpenFile}}) {
        SCOPED_TRACE(browse);
        scripted.clear();
        scripted.answerNextFileDialog({"/picked/here", 0});
        button(browse)->click();
        ASSERT_EQ(scripted.fileDialogs().size(), 1);
        EXPECT_EQ(scripted.fileDialogs().at(0).kind, kind);
        EXPECT_EQ(edit(text)->text(), "/picked/here");
        button(browse)->click();
        EXPECT_EQ(edit(text)->text(), "/picked/here");
    }
    radio("OptName_0")->click();
    radio("optDestinationFolder_0")->click();
    check("chkImportEXIF")->click();
    check("chkImportIPTC")->click();
    EXPECT_EQ(open(), QString());

    radio("optDestinationFolder_1")->click();
    button("cmdStarConversion")->click();
    EXPECT_EQ(settings.destinationFolder, "/picked/here/");
}

TEST_F(frmSaveSinglePageTest, QualitySliderFieldAndSpinnerMirrorEachOther)
{
    auto* slider = find<QSlider>("sldJPGQuality");
    auto* field = find<NumericField>("tJPGQuality");
    auto* spinner = find<QScrollBar>("tJPGQualityD");
    const auto shown = [&] {
        return QStringLiteral("%1 %2 %3").arg(slider->value()).arg(field->text()).arg(spinner->value());
    };
    EXPECT_EQ(shown(), "80 80 80");
    slider->setValue(55);
    EXPECT_EQ(shown(), "55 55 55");
    spinner->setValue(20);
    EXPECT_EQ(shown(), "20 20 20");
    // The spinner's upper arrow raises the value, the lower one lowers it.
    QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(spinner->width() / 2, 2));
    EXPECT_EQ(shown(), "21 21 21");
    QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(spinner->width() / 2, spinner->height() - 3));
    QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(spinner->width() / 2, spinner->height() - 3));
    EXPECT_EQ(shown(), "19 19 19");
    // The field is held to 1..100 on leaving.
    field->setText("0");
    leave(field);
    EXPECT_EQ(shown(), "1 1 1");
    field->setText("250");
    leave(field);
    EXPECT_EQ(shown(), "100 100 100");

    button("cmdCancel")->click();  // Cancel stores nothing
    EXPECT_TRUE(settings == defaultSetup(QStringLiteral("/lumora")).naming);
}

}  // namespace
}  // namespace lumora
