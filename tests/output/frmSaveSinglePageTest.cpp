#include "controls/NumericField.h"
#include "output/frmSaveSinglePage.h"
#include "settings/SetupRecord.h"
#include "support/ScriptedDialogs.h"

#include <QButtonGroup>
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

namespace lumora {
namespace {

// The batch dialog on a Naming block of a first start; file dialogs and message boxes answered
// by the script.
class frmSaveSinglePageTest : public ::testing::Test {
protected:
    frmSaveSinglePageTest() : settings(defaultSetup(QStringLiteral("/lumora")).naming) {}

    frmSaveSinglePage& dialog()
    {
        if (!dialog_) {
            dialog_ = std::make_unique<frmSaveSinglePage>(settings);
            dialog_->show();
        }
        return *dialog_;
    }

    template <typename T>
    T* find(const char* name)
    {
        T* widget = dialog().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QComboBox* combo(const char* name) { return find<QComboBox>(name); }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(name); }
    QRadioButton* radio(const char* name) { return find<QRadioButton>(name); }
    QCheckBox* check(const char* name) { return find<QCheckBox>(name); }
    QPushButton* button(const char* name) { return find<QPushButton>(name); }

    void leave(QWidget* widget)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(widget, &out);
    }

    SetupRecord::Naming settings;
    test::ScriptedDialogs scripted;

private:
    std::unique_ptr<frmSaveSinglePage> dialog_;
};

TEST_F(frmSaveSinglePageTest, CaptionsAndListsInOrder)
{
    EXPECT_EQ(radio("OptName_0")->text(), "Retain the original filename (extension will differ)");
    EXPECT_EQ(radio("OptName_1")->text(), "Hybrid");
    EXPECT_EQ(radio("OptName_2")->text(), "Generic ");
    EXPECT_EQ(radio("optDestinationFolder_0")->text(), "Place the output files to the source folder");
    EXPECT_EQ(radio("optDestinationFolder_1")->text(), "Place the output files to the following folder");
    EXPECT_EQ(check("chkOverwrite")->text(), "Overwrite existing files");
    EXPECT_EQ(check("chkProcessEditingList")->text(), "Process task basket");
    EXPECT_EQ(check("chkImportEXIF")->text(), "Import a .XIFF (EXIF file info)");
    EXPECT_EQ(check("chkImportIPTC")->text(), "Import a .FFO (IPTC file info)");
    EXPECT_EQ(check("chkJPGProgressive")->text(), "Progressive");
    EXPECT_EQ(radio("optJPEGDepth_0")->text(), "24 bit True Color");
    EXPECT_EQ(radio("optJPEGDepth_1")->text(), "8 bit Grayscale");
    EXPECT_EQ(button("cmdStarConversion")->text(), "Save");
    EXPECT_EQ(button("cmdCancel")->text(), "Cancel");

    const auto items = [](QComboBox* box) {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list.append(box->itemText(i));
        return list;
    };
    const QStringList tokens{"[No Prefix]", "[Resulting resolution]", "[Resulting size]", "[Date Today-Time]",
                             "[Date Today]", "[Source resolution]", "[Source size]", "[Source Date Created]",
                             "[Source Date Modified]", "[Source Date Accessed]", "[EXIF Image Description]",
                             "[EXIF Artist]", "[EXIF Date]", "[EXIF Date-Time]", "[EXIF Make]", "[EXIF Model]",
                             "[EXIF Make & Model]", "[EXIF X-Y Dimension]", "[IPTC Headline]", "[IPTC Caption]",
                             "[IPTC Author]", "[IPTC Date Created]", "[IPTC Date Released]", "[IPTC Ref. Date]",
                             "[IPTC Ref. Number]"};
    const QStringList separators{"_", "-", "=", ",", ".", ";", "!", "AND", "[WhiteSpace]", "[No Separator]"};
    EXPECT_EQ(items(combo("cboRenamePrefix")), tokens);
    EXPECT_EQ(items(combo("cboRenameSuffix")), tokens);
    EXPECT_EQ(items(combo("cboSeparator1")), separators);
    EXPECT_EQ(items(combo("cboSeparator2")), separators);
    EXPECT_EQ(items(combo("cboRenameGeneric")), (QStringList{"[Starting 1]", "[Starting 1001]"}));
    for (const char* name : {"cboRenamePrefix", "cboSeparator1", "cboSeparator2", "cboRenameSuffix", "cboRenameGeneric"})
        EXPECT_TRUE(combo(name)->isEditable()) << name;
}

TEST_F(frmSaveSinglePageTest, OpensWithTheStoredSettings)
{
    settings.nameMode = 1;
    settings.prefix = "[Source size]";
    settings.separator1 = "[WhiteSpace]";
    settings.separator2 = "AND";
    settings.suffix = "Holiday";
    settings.genericName = "Trip";
    settings.counterStart = "[Starting 1001]";
    settings.destinationChoice = 1;
    settings.destinationFolder = "/photos/out/";
    settings.overwrite = 0;
    settings.processTaskBasket = 0;
    settings.importExif = 1;
    settings.exifFile = "/meta/a.xiff";
    settings.importIptc = 0;
    settings.iptcFile = "/meta/b.ffo";
    settings.jpegQuality = 42;
    settings.progressive = 1;
    settings.jpegDepth = 1;

    EXPECT_TRUE(radio("OptName_1")->isChecked());
    EXPECT_EQ(combo("cboRenamePrefix")->currentText(), "[Source size]");
    EXPECT_EQ(combo("cboSeparator1")->currentText(), "[WhiteSpace]");
    EXPECT_EQ(combo("cboSeparator2")->currentText(), "AND");
    EXPECT_EQ(combo("cboRenameSuffix")->currentText(), "Holiday");
    EXPECT_EQ(edit("txtRenameGeneric")->text(), "Trip");
    EXPECT_EQ(combo("cboRenameGeneric")->currentText(), "[Starting 1001]");
    EXPECT_TRUE(radio("optDestinationFolder_1")->isChecked());
    EXPECT_EQ(edit("txtDestinationFolder")->text(), "/photos/out/");
    EXPECT_FALSE(check("chkOverwrite")->isChecked());
    EXPECT_FALSE(check("chkProcessEditingList")->isChecked());
    EXPECT_TRUE(check("chkImportEXIF")->isChecked());
    EXPECT_EQ(edit("txtImportEXIF")->text(), "/meta/a.xiff");
    EXPECT_FALSE(check("chkImportIPTC")->isChecked());
    EXPECT_EQ(edit("txtImportIPTC")->text(), "/meta/b.ffo");
    EXPECT_EQ(find<QSlider>("sldJPGQuality")->value(), 42);
    EXPECT_EQ(find<NumericField>("tJPGQuality")->text(), "42");
    EXPECT_EQ(find<QScrollBar>("tJPGQualityD")->value(), 42);
    EXPECT_TRUE(check("chkJPGProgressive")->isChecked());
    EXPECT_TRUE(radio("optJPEGDepth_1")->isChecked());
}

TEST_F(frmSaveSinglePageTest, SaveStoresEveryControl)
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
    EXPECT_EQ(dialog().result(), QDialog::Accepted);
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(settings.running, -1);
    EXPECT_EQ(settings.nameMode, 2);
    EXPECT_EQ(settings.prefix, "[Resulting size]");
    EXPECT_EQ(settings.separator1, "[WhiteSpace]");
    EXPECT_EQ(settings.separator2, "AND");
    EXPECT_EQ(settings.suffix, "Holiday");
    EXPECT_EQ(settings.genericName, "Trip");
    EXPECT_EQ(settings.counterStart, "50");
    EXPECT_EQ(settings.destinationChoice, 1);
    EXPECT_EQ(settings.destinationFolder, "/photos/out/");
    EXPECT_EQ(settings.overwrite, 0);
    EXPECT_EQ(settings.processTaskBasket, 0);
    EXPECT_EQ(settings.importExif, 1);
    EXPECT_EQ(settings.exifFile, "/meta/a.xiff");
    EXPECT_EQ(settings.importIptc, 1);
    EXPECT_EQ(settings.iptcFile, "/meta/b.ffo");
    EXPECT_EQ(settings.jpegQuality, 100);
    EXPECT_EQ(settings.progressive, 1);
    EXPECT_EQ(settings.jpegDepth, 1);
}

TEST_F(frmSaveSinglePageTest, SaveKeepsAFolderThatEndsInSlashAndTheOtherChoices)
{
    settings.destinationFolder = "/photos/out/";
    settings.overwrite = 0;
    settings.processTaskBasket = 0;
    radio("OptName_1")->click();
    check("chkOverwrite")->setChecked(true);
    check("chkProcessEditingList")->setChecked(true);
    find<QSlider>("sldJPGQuality")->setValue(63);
    radio("optJPEGDepth_0")->click();

    button("cmdStarConversion")->click();

    EXPECT_EQ(settings.nameMode, 1);
    EXPECT_EQ(settings.destinationChoice, 0);
    EXPECT_EQ(settings.destinationFolder, "/photos/out/");
    EXPECT_EQ(settings.overwrite, 1);
    EXPECT_EQ(settings.processTaskBasket, 1);
    EXPECT_EQ(settings.jpegQuality, 63);
    EXPECT_EQ(settings.jpegDepth, 0);
    EXPECT_EQ(settings.counterStart, "[Starting 1]");
}

TEST_F(frmSaveSinglePageTest, CounterMustBeGivenAndNumeric)
{
    radio("OptName_2")->click();
    combo("cboRenameGeneric")->setEditText("   ");
    button("cmdStarConversion")->click();
    EXPECT_EQ(scripted.messageTexts(), QStringList{"The count variable cannot be empty!"});
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_NE(dialog().result(), QDialog::Accepted);

    // Only digits can be typed, but a settings file may hold anything.
    scripted.clear();
    combo("cboRenameGeneric")->setEditText("[Starting 7]");
    button("cmdStarConversion")->click();
    EXPECT_EQ(scripted.messageTexts(), QStringList{"Count should be numeric!"});
    EXPECT_TRUE(dialog().isVisible());

    // Cancel after a refused Save: no run.
    button("cmdCancel")->click();
    EXPECT_EQ(settings.running, 0);
    EXPECT_EQ(dialog().result(), QDialog::Rejected);
    EXPECT_FALSE(dialog().isVisible());
}

TEST_F(frmSaveSinglePageTest, BothListedCountersAreAccepted)
{
    for (int index : {0, 1}) {
        settings.running = 0;
        frmSaveSinglePage dlg(settings);
        dlg.show();
        auto* counter = dlg.findChild<QComboBox*>("cboRenameGeneric");
        counter->setCurrentIndex(index);
        dlg.findChild<QPushButton*>("cmdStarConversion")->click();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(settings.running, -1);
        EXPECT_EQ(settings.counterStart, counter->itemText(index));
    }
    EXPECT_TRUE(scripted.messages().isEmpty());
}

TEST_F(frmSaveSinglePageTest, CounterTakesDigitsAndIsHeldToItsLimitsOnLeaving)
{
    radio("OptName_2")->click();
    QComboBox* counter = combo("cboRenameGeneric");
    counter->lineEdit()->clear();
    QTest::keyClicks(counter->lineEdit(), "a4 b-2.x");
    EXPECT_EQ(counter->currentText(), "42");
    leave(counter);
    EXPECT_EQ(counter->currentText(), "42");

    counter->lineEdit()->insert("x999");  // a paste
    EXPECT_EQ(counter->currentText(), "42999");
    leave(counter);
    EXPECT_EQ(counter->currentText(), "30000");

    counter->lineEdit()->clear();
    QTest::keyClicks(counter->lineEdit(), "0");
    leave(counter);
    EXPECT_EQ(counter->currentText(), "1");

    counter->lineEdit()->clear();
    QTest::keyClicks(counter->lineEdit(), "99999999999999");
    leave(counter);
    EXPECT_EQ(counter->currentText(), "30000");

    // A list item is not a typed number and stays.
    counter->setCurrentIndex(1);
    leave(counter);
    EXPECT_EQ(counter->currentText(), "[Starting 1001]");
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
    EXPECT_EQ(combo("cboRenamePrefix")->currentText(), "[EXIF Make & Model]");
    button("cmdStarConversion")->click();
    EXPECT_EQ(settings.prefix, "[EXIF Make & Model]");
    EXPECT_EQ(settings.genericName, "Sample 1");
}

TEST_F(frmSaveSinglePageTest, OnlyTheChosenNamingModesBoxesAreEnabled)
{
    const auto enabled = [this] {
        QStringList names;
        for (const char* name : {"cboRenamePrefix", "cboSeparator1", "cboSeparator2", "cboRenameSuffix",
                                 "txtRenameGeneric", "cboRenameGeneric"}) {
            if (find<QWidget>(name)->isEnabled())
                names.append(QString::fromLatin1(name));
        }
        return names;
    };
    EXPECT_TRUE(radio("OptName_0")->isChecked());
    EXPECT_EQ(enabled(), QStringList{});
    radio("OptName_1")->click();
    EXPECT_EQ(enabled(), (QStringList{"cboRenamePrefix", "cboSeparator1", "cboSeparator2", "cboRenameSuffix"}));
    radio("OptName_2")->click();
    EXPECT_EQ(enabled(), (QStringList{"txtRenameGeneric", "cboRenameGeneric"}));
    radio("OptName_0")->click();
    EXPECT_EQ(enabled(), QStringList{});
}

TEST_F(frmSaveSinglePageTest, DestinationOptionEnablesTheFolderAndItsBrowser)
{
    settings.destinationFolder = "/photos/";
    QLineEdit* folder = edit("txtDestinationFolder");
    QPushButton* browse = button("cmdBrowseFolder");
    EXPECT_TRUE(radio("optDestinationFolder_0")->isChecked());
    EXPECT_FALSE(folder->isEnabled());
    EXPECT_FALSE(browse->isEnabled());

    radio("optDestinationFolder_1")->click();
    EXPECT_TRUE(folder->isEnabled());
    EXPECT_TRUE(browse->isEnabled());

    scripted.answerNextFileDialog({"/picked/here", 0});
    browse->click();
    ASSERT_EQ(scripted.fileDialogs().size(), 1);
    EXPECT_EQ(scripted.fileDialogs().at(0).kind, ui::FileDialogRequest::Kind::Folder);
    EXPECT_EQ(folder->text(), "/picked/here");

    browse->click();  // cancelled: the text stays
    EXPECT_EQ(scripted.fileDialogs().size(), 2);
    EXPECT_EQ(folder->text(), "/picked/here");

    radio("optDestinationFolder_0")->click();
    EXPECT_FALSE(folder->isEnabled());
    EXPECT_FALSE(browse->isEnabled());

    radio("optDestinationFolder_1")->click();
    button("cmdStarConversion")->click();
    EXPECT_EQ(settings.destinationFolder, "/picked/here/");
}

TEST_F(frmSaveSinglePageTest, ImportBoxesShowTheirPathAndBrowser)
{
    struct Import {
        const char* check;
        const char* text;
        const char* browse;
        QString title;
        QString filter;
    };
    const Import imports[] = {
        {"chkImportEXIF", "txtImportEXIF", "cmdImportEXIF", "Open EXIF .xiff file", "EXIF file (*.xiff)|*.xiff"},
        {"chkImportIPTC", "txtImportIPTC", "cmdImportIPTC", "Open IPTC .ffo file", "IPTC file (*.ffo)|*.ffo"},
    };
    for (const Import& import : imports) {
        QCheckBox* box = check(import.check);
        QLineEdit* path = edit(import.text);
        QPushButton* browse = button(import.browse);
        EXPECT_FALSE(box->isChecked());
        EXPECT_FALSE(path->isVisible()) << import.text;
        EXPECT_FALSE(browse->isVisible()) << import.browse;

        box->click();
        EXPECT_TRUE(path->isVisible()) << import.text;
        EXPECT_TRUE(browse->isVisible()) << import.browse;

        scripted.clear();
        scripted.answerNextFileDialog({"/meta/chosen", 0});
        browse->click();
        ASSERT_EQ(scripted.fileDialogs().size(), 1);
        EXPECT_EQ(scripted.fileDialogs().at(0).kind, ui::FileDialogRequest::Kind::OpenFile);
        EXPECT_EQ(scripted.fileDialogs().at(0).title, import.title);
        EXPECT_EQ(scripted.fileDialogs().at(0).filter, import.filter);
        EXPECT_EQ(path->text(), "/meta/chosen");
        browse->click();  // cancelled
        EXPECT_EQ(path->text(), "/meta/chosen");

        box->click();
        EXPECT_FALSE(path->isVisible()) << import.text;
        EXPECT_FALSE(browse->isVisible()) << import.browse;
    }
}

TEST_F(frmSaveSinglePageTest, QualitySliderFieldAndSpinnerMirrorEachOther)
{
    auto* slider = find<QSlider>("sldJPGQuality");
    auto* field = find<NumericField>("tJPGQuality");
    auto* spinner = find<QScrollBar>("tJPGQualityD");
    EXPECT_EQ(slider->minimum(), 1);
    EXPECT_EQ(slider->maximum(), 100);
    EXPECT_EQ(field->text(), "80");

    slider->setValue(55);
    EXPECT_EQ(field->text(), "55");
    EXPECT_EQ(spinner->value(), 55);

    spinner->setValue(20);
    EXPECT_EQ(slider->value(), 20);
    EXPECT_EQ(field->text(), "20");

    // The spinner's upper arrow raises the value, the lower one lowers it.
    QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(spinner->width() / 2, 2));
    EXPECT_EQ(spinner->value(), 21);
    EXPECT_EQ(field->text(), "21");
    QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(spinner->width() / 2, spinner->height() - 3));
    QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(spinner->width() / 2, spinner->height() - 3));
    EXPECT_EQ(slider->value(), 19);
    EXPECT_EQ(field->text(), "19");

    field->setText("0");
    leave(field);
    EXPECT_EQ(field->text(), "1");
    EXPECT_EQ(slider->value(), 1);
    EXPECT_EQ(spinner->value(), 1);

    field->setText("250");
    leave(field);
    EXPECT_EQ(field->text(), "100");
    EXPECT_EQ(slider->value(), 100);
    EXPECT_EQ(spinner->value(), 100);
}

TEST_F(frmSaveSinglePageTest, CancelAndEscapeClearTheRunningFlag)
{
    settings.running = -1;
    radio("OptName_2")->click();
    button("cmdCancel")->click();
    EXPECT_EQ(settings.running, 0);
    EXPECT_EQ(dialog().result(), QDialog::Rejected);
    EXPECT_EQ(settings.nameMode, 0);  // nothing stored

    settings.running = -1;
    frmSaveSinglePage again(settings);
    again.show();
    QTest::keyClick(&again, Qt::Key_Escape);
    EXPECT_EQ(settings.running, 0);
    EXPECT_FALSE(again.isVisible());
}

}  // namespace
}  // namespace lumora
