// The album window and the basket entry's description dialog, driven as a user drives them, with
// colour and file dialogs and message boxes answered by script.

#include "album/AlbumRun.h"
#include "album/GenerateAlbum.h"
#include "album/MetadataBasketFile.h"
#include "album/frmAlbum.h"
#include "basket/BasketListView.h"
#include "basket/BasketPanel.h"
#include "controls/NumericField.h"
#include "support/OpenedUrls.h"
#include "support/ReportCapture.h"
#include "support/ScriptedDialogs.h"
#include "support/TestImages.h"
#include "support/WaitFor.h"
#include "tasks/TaskBasket.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <type_traits>

namespace lumora {
namespace {

// Runs a command that opens a modal dialog and answers the dialog from the event loop it runs.
void answerModal(const std::function<void()>& command, const std::function<void(QDialog&)>& answer)
{
    bool answered = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            poll.stop();
            answered = true;
            answer(*dialog);
        }
    });
    poll.start(10);
    command();
    EXPECT_TRUE(answered) << "no dialog opened";
}

std::string describe(const SetupRecord::Album& album)
{
    QStringList fields;
    SetupRecord::Album::forEachField(album, [&](const char* name, const auto& value) {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, QString>)
            fields.append(QString::fromLatin1(name) + u'=' + value);
        else
            fields.append(QString::fromLatin1(name) + u'=' + QString::number(value));
    });
    return fields.join(u' ').toStdString();
}

class frmAlbumTest : public ::testing::Test {
protected:
    frmAlbumTest() { dialog.show(); }

    template <typename T = QWidget>
    T* find(const char* name)
    {
        T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void click(const char* name) { find<QAbstractButton>(name)->click(); }
    static void leave(QWidget* widget)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(widget, &out);
    }
    // Picks these items in the insert-metadata dialog and presses OK, or Cancel.
    void choose(const QStringList& items, bool ok = true)
    {
        answerModal([this] { click("cmdChooseMetadata"); }, [&](QDialog& chooser) {
            auto* list = chooser.findChild<QListWidget*>("lstMetadata");
            for (const QString& item : items)
                list->findItems(item, Qt::MatchExactly).front()->setSelected(true);
            chooser.findChild<QPushButton*>(ok ? "cmdOK" : "cmdCancel")->click();
        });
    }
    QStringList listed() { return dialog.metadataEntries(); }

    SetupRecord::Album settings = defaultSetup(QStringLiteral("/lumora")).album;
    test::ScriptedDialogs scripted;
    test::ReportCapture reports;
    frmAlbum dialog{settings};
};

TEST_F(frmAlbumTest, GenerateStoresEveryControlAndCancelStoresNothing)
{
    const SetupRecord::Album before = settings;
    SetupRecord::Album cancelled = before;
    frmAlbum other{cancelled};
    other.findChild<QLineEdit*>("TAlbumTitle")->setText("Never");
    other.findChild<QPushButton*>("cmdCancel")->click();
    EXPECT_EQ(describe(cancelled), describe(before));

    // Every control away from what the block held.
    const char* boxes[] = {"TThumbnailWidth", "TthumbnailHeight", "TBorderSize", "TPicturesPerRow", "TableBorderSize"};
    for (int i = 0; i < 5; ++i)
        find<QLineEdit>(boxes[i])->setText(QString::number(i < 2 ? 31 + i : 3 + i));
    for (int i = 0; const char* name : {"BorderColor", "AlbumBackground", "cmdContainerBackground", "CellBorderColor",
                                        "cmdFontColor", "cmdMetadataFontColor"}) {
        scripted.answerNextColor(0x102030 + i++);
        click(name);
    }
    for (const char* name : {"chkResample", "CShowFileName", "CShowImageResolution", "chkJPGProgressive",
                             "chkProcessTaskBasket", "chkOpenWhenOver", "optPageStyle_1", "optPageImage_3",
                             "optContainerImage_4", "optContainerBackground_2"})
        click(name);
    auto* fonts = find<QComboBox>("cboFonts");
    fonts->setCurrentIndex(fonts->count() - 1);
    find<QComboBox>("cboFontSize")->setCurrentIndex(4);
    find<QSlider>("sldQuality")->setValue(42);
    EXPECT_EQ(find<QLabel>("lblJPGQuality")->text(), "42");
    find<QLineEdit>("TAlbumTitle")->setText("Trip");
    scripted.answerNextFileDialog({"/photos/albums", 0});
    click("cmdFolder");

    click("cmdGenerate");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const SetupRecord::Album wanted{
        .thumbnailWidth = 31, .thumbnailHeight = 32, .resample = 0, .borderSize = 5, .borderColor = 0x102030,
        .picturesPerRow = 6, .showFileName = 0, .showImageResolution = 0, .pageStyle = 1, .pageImage = 3,
        .albumBackground = 0x102031, .containerBackgroundChoice = 2, .containerImageChoice = 4,
        .containerBackground = 0x102032, .tableBorderSize = 7, .cellBorderColor = 0x102033,
        .fontName = fonts->currentText(), .fontSize = 4, .fontColor = 0x102034, .title = "Trip",
        .folder = "/photos/albums", .jpegQuality = 42, .progressive = 1, .processTaskBasket = 0, .openWhenDone = 1,
        .metadataFontColor = 0x102035};
    EXPECT_EQ(describe(settings), describe(wanted));
    // A window opened on the stored block shows it again: generating at once stores the same.
    SetupRecord::Album again = settings;
    frmAlbum reopened{again};
    reopened.findChild<QPushButton*>("cmdGenerate")->click();
    EXPECT_EQ(describe(again), describe(wanted));
}

TEST_F(frmAlbumTest, NumericBoxesRefillAndHoldTheirRanges)
{
    const struct {
        const char* name;
        QString refill;
        int lower, upper, arrowsLower;
    } boxes[] = {{"TableBorderSize", "8", 0, 8, 0}, {"TBorderSize", "8", 0, 8, 0}, {"TPicturesPerRow", "8", 0, 8, 2},
                 {"TThumbnailWidth", "80", 30, 300, 30}, {"TthumbnailHeight", "80", 30, 300, 30}};
    for (const auto& box : boxes) {
        SCOPED_TRACE(box.name);
        auto* field = find<NumericField>(box.name);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(field->selectedText(), box.refill);
        QTest::keyClicks(field, "999");
        leave(field);
        EXPECT_EQ(field->text(), QString::number(box.upper));
        // The arrows stop at their own limits; the box keeps what it accepts (0 pictures per
        // row makes one row).
        auto* arrows = find<QAbstractSlider>((std::string(box.name) + "D").c_str());
        EXPECT_EQ(arrows->value(), box.upper);
        EXPECT_EQ(arrows->minimum(), box.arrowsLower);
        EXPECT_EQ(arrows->maximum(), box.upper);
        field->setText(QString::number(box.lower));
        leave(field);
        EXPECT_EQ(field->text(), QString::number(box.lower));
        arrows->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(field->text(), QString::number(box.arrowsLower + 1));
    }
}

TEST_F(frmAlbumTest, TheMetadataBasketListsEachChoiceOnceAndKeepsItInItsFile)
{
    choose({"EXIF - Make", "IPTC - Caption"});
    choose({"EXIF - Make", "EXIF - Model"}, false);  // Cancel adds nothing
    choose({"IPTC - Caption", "EXIF - Artist"});
    const QStringList chosen{"EXIF - Make", "IPTC - Caption", "EXIF - Artist"};
    EXPECT_EQ(listed(), chosen);

    QTemporaryDir dir;
    scripted.answerNextFileDialog({dir.filePath("trip"), 0});
    click("cmdSave");
    ASSERT_EQ(scripted.fileDialogs().size(), 1);
    EXPECT_EQ(scripted.fileDialogs()[0].title, "Save Metadata Basket");
    EXPECT_EQ(scripted.fileDialogs()[0].filter, "Metadata basket file (*.mbf)|*.mbf");

    auto* list = find<QListWidget>("lstMetadata");
    list->setCurrentRow(1);
    click("cmdRemove");
    EXPECT_EQ(listed(), (QStringList{"EXIF - Make", "EXIF - Artist"}));
    click("cmdNew");
    EXPECT_TRUE(listed().isEmpty());
    click("cmdSave");  // nothing to save: no dialog
    EXPECT_EQ(scripted.fileDialogs().size(), 1);

    scripted.answerNextFileDialog({dir.filePath("trip.mbf"), 0});
    click("cmdOpen");
    EXPECT_EQ(scripted.fileDialogs().last().title, "Open Metadata basket");
    EXPECT_EQ(listed(), chosen);
    EXPECT_TRUE(scripted.messages().isEmpty());

    scripted.answerNextFileDialog({dir.filePath("missing.mbf"), 0});
    click("cmdOpen");
    scripted.answerNextFileDialog({dir.filePath("no/such/folder/trip"), 0});
    choose({"EXIF - Model"});
    click("cmdSave");
    EXPECT_EQ(scripted.messageTexts(), (QStringList{OpenMetadataBasketFailedMessage, SaveMetadataBasketFailedMessage}));
    EXPECT_EQ(reports.reports().size(), 2u);
}

TEST(frmAlbumDescriptionTest, AddStoresTheTypedTextWithoutQuotesOrAmpersandsOnTheSelectedEntry)
{
    BasketPanel panel;
    for (const char* name : {"beach", "harbour"})
        panel.basket().append(BasketEntry{name, QString("/photos/") + name + ".jpg", {}, {}, {}, {}, "old", {}});
    panel.show();
    auto* view = qobject_cast<BasketListView*>(panel.basketList());
    view->selectionModel()->select(panel.basket().index(1), QItemSelectionModel::ClearAndSelect);

    const auto describe = [&](const char* button) {
        answerModal([&] { panel.describeSelected(); }, [&](QDialog& dialog) {
            EXPECT_EQ(dialog.findChild<QLabel*>("lblDescription")->text(), "Description of the image - 'harbour'");
            auto* text = dialog.findChild<QLineEdit*>("txtDescription");
            EXPECT_EQ(text->text(), "old");
            text->clear();
            QTest::keyClicks(text, "Boats & \"nets\"");
            EXPECT_EQ(text->text(), "Boats & nets");  // the quote key does nothing
            dialog.findChild<QPushButton*>(button)->click();
        });
    };
    describe("cmdCancel");
    EXPECT_EQ(panel.basket().at(1).description, "old");
    describe("cmdAdd");
    EXPECT_EQ(panel.basket().at(1).description, "Boats  nets");
    EXPECT_EQ(panel.basket().at(0).description, "old");
}

// The album as the Output menu makes it, on two small photos, "View the web album when done"
// ticked; `cancel` presses the status window's Cancel as soon as the run is under way.
TEST(GenerateAlbumTest, TheRunTellsItsProgressAndOnlyACompletedAlbumOpensInTheBrowser)
{
    for (const bool cancel : {false, true}) {
        SCOPED_TRACE(cancel ? "cancelled" : "completed");
        QTemporaryDir dir;
        ImageBasket basket;
        for (const QString name : {"one", "two"}) {
            const QString path = test::writePng(test::gradientPicture(64, 48), dir.filePath(name + ".png"));
            basket.append(BasketEntry{name, path, {}, {}, {}, path, {}, {}});
        }
        TaskBasket tasks;
        SetupRecord::Album settings = defaultSetup(dir.path()).album;
        settings.folder = dir.filePath("album");
        settings.openWhenDone = 1;
        test::OpenedUrls browser;
        QPointer<AlbumRun> run;
        answerModal([&] { run = subGenerateAlbum(nullptr, basket, tasks, settings); },
                    [](QDialog& window) { window.findChild<QPushButton*>("cmdGenerate")->click(); });
        ASSERT_TRUE(run);
        QStringList captions;
        QObject::connect(run, &AlbumRun::progress, [&](const QString& caption) { captions.append(caption); });
        QPointer<QWidget> status;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "frmStatus" && top->isVisible())
                status = top;
        ASSERT_TRUE(status);
        if (cancel)
            status->findChild<QPushButton*>("cmdCancel")->click();
        ASSERT_TRUE(test::waitFor([&] { return !run && !status; }));

        const QString index = dir.filePath("album/index.htm");
        EXPECT_TRUE(QFile::exists(index));
        EXPECT_EQ(QFile::exists(dir.filePath("album/My Album_two.html")), !cancel);
        EXPECT_EQ(captions.removeDuplicates(), cancel ? 0 : 2);
        EXPECT_EQ(captions, cancel ? QStringList{"Loading Template..."}
                                   : QStringList({"Loading Template...", "Working with - one", "Working with - two"}));
        EXPECT_EQ(browser.urls, cancel ? QList<QUrl>{} : QList<QUrl>{QUrl::fromLocalFile(index)});
    }
}

}  // namespace
}  // namespace lumora

