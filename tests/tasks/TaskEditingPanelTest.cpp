#include "tasks/TaskEditingPanel.h"

#include "controls/isExplorerBar.h"
#include "engine/ImageBox.h"
#include "shell/EngineView.h"
#include "shell/GlobalSetup.h"
#include "shell/PictureImage.h"
#include "shell/PreviewPane.h"
#include "support/ReportCapture.h"
#include "support/ScriptedDialogs.h"
#include "support/TestImages.h"
#include "support/WaitFor.h"
#include "tasks/TaskBasket.h"
#include "tasks/TaskRunner.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

// The photo as the preview engine holds it now, for comparing images.
QImage shown(const ImageBox& engine) { return toQImage(engine.Picture()).convertToFormat(QImage::Format_RGB32); }

// The as-loaded photo with `tasks` run on it the way a batch would: the independent result a
// re-render must match.
QImage rendered(const QByteArray& asLoaded, const QList<TaskRecord>& tasks)
{
    ImageBox engine;
    engine.LoadFromMemory(ImageBox::SnapshotFormat, asLoaded);
    subProcessPages(tasks, engine);
    return shown(engine);
}

class TaskEditingPanelTest : public ::testing::Test {
protected:
    TaskEditingPanelTest()
    {
        setDefaults(globalSetup(), dir.path());
        preview.resize(420, 320);
        preview.show();
        panel.resize(260, 700);
        panel.show();
        panel.bar().setAnimated(false);
        explorerList.setModel(panel.editPreviewList()->model());
        panel.setExplorerList(&explorerList);
        // Wired as the window wires them.
        preview.setTaskBasket(&basket);
        preview.setTaskRunOptionsProvider([this] { return panel.runOptions(); });
    }

    // Previews a generated photo and waits until it is on screen.
    bool showPhoto(int width = 400, int height = 300)
    {
        const QString file = writePng(gradientPicture(width, height), dir.filePath(QStringLiteral("photo%1.png").arg(++photos)));
        QSignalSpy shownSpy(&preview, &PreviewPane::previewShown);
        if (!preview.showSelectedFile(file, 1, QString()))
            return false;
        return waitFor([&] { return !shownSpy.isEmpty(); }) && preview.engine().HasImage();
    }

    bool idle() { return waitFor([&] { return !panel.isBusy() && !preview.isRendering(); }); }

    template <typename T>
    T* control(const char* name) const
    {
        T* found = panel.currentPage() ? panel.currentPage()->findChild<T*>(QString::fromLatin1(name)) : nullptr;
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void typeInto(const char* name, const QString& text)
    {
        auto* field = control<QLineEdit>(name);
        if (!field)
            return;
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
        // Leaving the field, as a click on a command would.
        QTest::keyClick(field, Qt::Key_Tab);
    }

    // Adds a task with its remembered options as a person would: choose it, confirm it.
    void confirmItem(const QString& item)
    {
        panel.chooseItem(item);
        panel.confirmTask();
        ASSERT_TRUE(idle());
    }

    // Adds a task through the panel as a person would: choose, set, confirm.
    void confirmRotate(const QString& degrees)
    {
        panel.chooseItem(QStringLiteral("Rotate"));
        typeInto("txtDegrees", degrees);
        panel.confirmTask();
        ASSERT_TRUE(idle());
    }

    QPoint onView(QPoint viewPoint) const { return preview.view()->imageRect().topLeft() + viewPoint; }

    // Ticks the page's box that arms a mouse tool, then drags over the photo from one view point
    // to another as a person would.
    void dragOnPhoto(const char* armingBox, QPoint from, QPoint to)
    {
        auto* arm = control<QCheckBox>(armingBox);
        ASSERT_TRUE(arm);
        arm->click();
        EngineView* view = preview.view();
        QTest::mousePress(view, Qt::LeftButton, {}, onView(from));
        QTest::mouseMove(view, onView(to));
        QTest::mouseRelease(view, Qt::LeftButton, {}, onView(to));
    }

    QTemporaryDir dir;
    int photos = 0;
    PreviewPane preview;
    TaskBasket basket;
    TaskEditingPanel panel{basket, preview};
    QListView explorerList;
    ScriptedDialogs dialogs;
    ReportCapture reports;
};

TEST_F(TaskEditingPanelTest, ThePaneHasTheChartTheOptionsAndTheBasketGroups)
{
    isExplorerBar& bar = panel.bar();
    EXPECT_EQ(bar.GroupCaption(isExplorerBar::SpecialGroupKey), QStringLiteral("Tasks Chart"));
    ASSERT_EQ(bar.GroupCount(), 2);
    EXPECT_EQ(bar.GroupKey(1), QStringLiteral("Dialog"));
    EXPECT_EQ(bar.GroupCaption(QStringLiteral("Dialog")), QStringLiteral(" Task Options"));
    EXPECT_EQ(bar.GroupKey(2), QStringLiteral("Editing"));
    EXPECT_EQ(bar.GroupCaption(QStringLiteral("Editing")), QStringLiteral("Task Basket"));

    const QStringList keys = {"Resize", "Canvas", "Crop",     "Rotate", "Flip",   "Invert", "Contrast", "Sharpen",
                              "Blur",   "Brightness", "Text", "Watermark", "Mask", "Shadow", "Frame",   "RedEye"};
    ASSERT_EQ(bar.ItemCount(isExplorerBar::SpecialGroupKey), keys.size());
    for (int i = 0; i < keys.size(); ++i)
        EXPECT_EQ(bar.ItemKey(isExplorerBar::SpecialGroupKey, i + 1), keys[i]);
    EXPECT_EQ(bar.ItemCaption(isExplorerBar::SpecialGroupKey, QStringLiteral("Watermark")), QStringLiteral("Watermark/Merge"));
    EXPECT_EQ(bar.ItemCaption(isExplorerBar::SpecialGroupKey, QStringLiteral("RedEye")), QStringLiteral("Red-Eye Correction"));
    EXPECT_EQ(bar.ItemIcon(isExplorerBar::SpecialGroupKey, QStringLiteral("Brightness")).toString(), QStringLiteral("brightness"));

    // No task yet: the options say how to start, and the one command is Finish.
    EXPECT_EQ(panel.titleLabel()->text(), QStringLiteral("Options"));
    EXPECT_EQ(panel.confirmButton()->text(), QStringLiteral("Finish"));
}

TEST_F(TaskEditingPanelTest, EditModeNeedsAPhotoAndTakesItsSizeAsTheStart)
{
    panel.enterEditMode();
    EXPECT_EQ(panel.viewMode(), 0) << "no photo to edit";

    ASSERT_TRUE(showPhoto(400, 300));
    QSignalSpy modeSpy(&panel, &TaskEditingPanel::editModeChanged);
    panel.editAction()->trigger();
    ASSERT_TRUE(idle());
    EXPECT_EQ(panel.viewMode(), 1);
    EXPECT_EQ(panel.editAction()->text(), QStringLiteral("     Finish"));
    EXPECT_EQ(panel.editMenuAction()->text(), QStringLiteral("Back to Explorer view"));
    EXPECT_EQ(panel.startSize(), QSize(400, 300));
    EXPECT_FALSE(panel.baseSnapshot().isEmpty());

    panel.editMenuAction()->trigger();
    EXPECT_EQ(panel.viewMode(), 0);
    EXPECT_EQ(panel.editAction()->text(), QStringLiteral("     Edit"));
    EXPECT_EQ(panel.editMenuAction()->text(), QStringLiteral("Edit/Enhance image"));
    EXPECT_TRUE(panel.baseSnapshot().isEmpty());
    ASSERT_EQ(modeSpy.count(), 2);
    EXPECT_TRUE(modeSpy.at(0).at(0).toBool());
    EXPECT_FALSE(modeSpy.at(1).at(0).toBool());
}

TEST_F(TaskEditingPanelTest, TheBaseHoldsEveryTaskEvenWhenThePreviewStoppedAtASelectedOne)
{
    basket.append(TaskRecord(TaskKind::Rotate, QStringLiteral("rotate"), {"False", "90", "0"}));
    basket.append(TaskRecord(TaskKind::Negative, QStringLiteral("invert")));
    ASSERT_TRUE(showPhoto(400, 300));
    ASSERT_TRUE(idle());
    // The explorer view's list has the first task selected: the preview shows the photo after it.
    explorerList.setCurrentIndex(explorerList.model()->index(0, 0));
    panel.taskListClicked();
    ASSERT_TRUE(idle());
    ASSERT_EQ(shown(preview.engine()), rendered(preview.snapshot(), {basket.at(0)}));

    panel.enterEditMode();
    ASSERT_TRUE(idle());
    ImageBox expected;
    expected.LoadFromMemory(ImageBox::SnapshotFormat, preview.snapshot());
    subProcessPages(basket.tasks(), expected);
    EXPECT_EQ(panel.baseSnapshot(), expected.SaveToMemory(ImageBox::SnapshotFormat));
    EXPECT_EQ(shown(preview.engine()), shown(expected));
}

TEST_F(TaskEditingPanelTest, ChoosingATaskShowsItsPanelWithTheTaskPending)
{
    ASSERT_TRUE(showPhoto());
    panel.enterEditMode();
    ASSERT_TRUE(idle());

    panel.chooseItem(QStringLiteral("Watermark"));
    EXPECT_EQ(panel.titleLabel()->text(), QStringLiteral("Task Option - Watermark/merge"));
    EXPECT_EQ(panel.pendingKind(), static_cast<TaskKind>(9));
    EXPECT_EQ(panel.pendingTask().key, QStringLiteral("watermark"));
    EXPECT_EQ(panel.confirmButton()->text(), QStringLiteral("Confirm"));
    // Ready to preview as it stands.
    EXPECT_TRUE(panel.optionsChanged());
    EXPECT_TRUE(panel.previewButton()->isEnabled());
    EXPECT_TRUE(panel.atBase());
    EXPECT_FALSE(panel.imageModified());

    // Crop waits for a rectangle before it can be previewed or confirmed.
    panel.chooseItem(QStringLiteral("Crop"));
    EXPECT_EQ(panel.titleLabel()->text(), QStringLiteral("Task Option - Crop"));
    EXPECT_FALSE(panel.optionsChanged());
    EXPECT_FALSE(panel.previewButton()->isEnabled());
    EXPECT_FALSE(panel.confirmButton()->isEnabled());

    panel.chooseItem(QStringLiteral("RedEye"));
    EXPECT_EQ(panel.titleLabel()->text(), QStringLiteral("Red-Eye Correction"));
    EXPECT_FALSE(panel.previewButton()->isEnabled());
}

TEST_F(TaskEditingPanelTest, ConfirmRightAfterAChangePreviewsFirstAndRecordsWhatWasPreviewed)
{
    ASSERT_TRUE(showPhoto(400, 300));
    panel.enterEditMode();
    ASSERT_TRUE(idle());
    const QImage before = shown(preview.engine());

    confirmRotate(QStringLiteral("90"));

    ASSERT_EQ(basket.size(), 1);
    const TaskRecord& task = basket.at(0);
    EXPECT_EQ(task.kind, static_cast<TaskKind>(2));
    EXPECT_EQ(task.key, QStringLiteral("rotate"));
    EXPECT_EQ(task.params[1], QStringLiteral("90"));
    // The photo on screen is the rotated one, and it is the new base.
    EXPECT_EQ(preview.engine().ImageWidth(), 300);
    EXPECT_EQ(preview.engine().ImageHeight(), 400);
    EXPECT_EQ(shown(preview.engine()), rendered(preview.snapshot(), basket.tasks()));
    EXPECT_NE(shown(preview.engine()), before);
    EXPECT_EQ(panel.baseSnapshot(), preview.engine().SaveToMemory(ImageBox::SnapshotFormat));
    // Back to no task, with Finish as the one command.
    EXPECT_EQ(panel.pendingKind(), static_cast<TaskKind>(0));
    EXPECT_EQ(panel.confirmButton()->text(), QStringLiteral("Finish"));
    EXPECT_FALSE(panel.imageModified());
    // The rotation is remembered for the next time.
    panel.chooseItem(QStringLiteral("Rotate"));
    EXPECT_EQ(control<QLineEdit>("txtDegrees")->text(), QStringLiteral("90"));
}

TEST_F(TaskEditingPanelTest, PreviewAndResetStartFromTheBaseEveryTime)
{
    ASSERT_TRUE(showPhoto(400, 300));
    panel.enterEditMode();
    ASSERT_TRUE(idle());
    const QImage base = shown(preview.engine());

    panel.chooseItem(QStringLiteral("Rotate"));
    typeInto("txtDegrees", QStringLiteral("90"));
    panel.previewTask();
    // The work is the preview's worker's: the window goes on, with the commands that would change
    // the photo or the basket meanwhile switched off until the result is on screen.
    EXPECT_TRUE(panel.isBusy());
    EXPECT_EQ(shown(preview.engine()), base);
    EXPECT_FALSE(panel.confirmButton()->isEnabled());
    EXPECT_FALSE(panel.editBarAction(3)->isEnabled());
    EXPECT_FALSE(panel.editAction()->isEnabled());
    ASSERT_TRUE(idle());
    EXPECT_TRUE(panel.editBarAction(3)->isEnabled());
    EXPECT_TRUE(panel.imageModified());
    EXPECT_FALSE(panel.atBase());
    EXPECT_FALSE(panel.previewButton()->isEnabled());
    EXPECT_TRUE(panel.resetButton()->isEnabled());
    EXPECT_EQ(preview.engine().ImageWidth(), 300);

    // A second preview after another change starts again from the base, not from the rotated
    // photo: 90 then 90 more would be upside down.
    typeInto("txtDegrees", QStringLiteral("180"));
    EXPECT_TRUE(panel.previewButton()->isEnabled());
    panel.previewTask();
    ASSERT_TRUE(idle());
    EXPECT_EQ(preview.engine().ImageWidth(), 400);
    EXPECT_EQ(panel.pendingTask().params[1], QStringLiteral("180"));

    panel.resetTask();
    EXPECT_EQ(shown(preview.engine()), base);
    EXPECT_TRUE(panel.atBase());
    EXPECT_FALSE(panel.imageModified());
    EXPECT_TRUE(basket.isEmpty());
}

TEST_F(TaskEditingPanelTest, ChoosingAnotherTaskAfterAPreviewAsksFirst)
{
    ASSERT_TRUE(showPhoto(400, 300));
    panel.enterEditMode();
    ASSERT_TRUE(idle());

    panel.chooseItem(QStringLiteral("Invert"));
    panel.previewTask();
    ASSERT_TRUE(idle());
    ASSERT_TRUE(panel.imageModified());

    // Cancel: nothing changes, the click is ignored.
    dialogs.answerNextMessage(QMessageBox::Cancel);
    panel.chooseItem(QStringLiteral("Flip"));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().at(0).text,
              QStringLiteral("The image has been modified!\r\nDo you want to confirm the changes made to the image?"));
    EXPECT_EQ(panel.pendingKind(), static_cast<TaskKind>(11));
    EXPECT_TRUE(panel.imageModified());

    // No: the preview goes, no task is added, the new task is chosen.
    const QImage base = rendered(preview.snapshot(), {});
    dialogs.answerNextMessage(QMessageBox::No);
    panel.chooseItem(QStringLiteral("Flip"));
    EXPECT_EQ(panel.pendingKind(), static_cast<TaskKind>(1));
    EXPECT_TRUE(basket.isEmpty());
    EXPECT_EQ(shown(preview.engine()), base);

    // Yes: the previewed task is confirmed first.
    panel.previewTask();
    ASSERT_TRUE(idle());
    dialogs.answerNextMessage(QMessageBox::Yes);
    panel.chooseItem(QStringLiteral("Blur"));
    ASSERT_TRUE(idle());
    ASSERT_EQ(basket.size(), 1);
    EXPECT_EQ(basket.at(0).kind, static_cast<TaskKind>(1));
    EXPECT_EQ(panel.pendingKind(), static_cast<TaskKind>(4));
}

TEST_F(TaskEditingPanelTest, RedEyeChangesTheBaseButIsNeverRecorded)
{
    // A grey photo with a red "pupil" in the middle.
    Picture red = Picture::filled(200, 150, {128, 128, 128});
    for (int y = 65; y < 85; ++y)
        for (int x = 90; x < 110; ++x)
            red.setPixel(x, y, {250, 10, 10});
    const QString spot = writePng(red, dir.filePath(QStringLiteral("spot.png")));
    QSignalSpy shownSpy(&preview, &PreviewPane::previewShown);
    ASSERT_TRUE(preview.showSelectedFile(spot, 1, QString()));
    ASSERT_TRUE(waitFor([&] { return !shownSpy.isEmpty(); }));
    preview.chooseFit(PreviewPane::ActualSize);
    panel.enterEditMode();
    ASSERT_TRUE(idle());
    const QByteArray baseBefore = panel.baseSnapshot();

    panel.chooseItem(QStringLiteral("RedEye"));
    dragOnPhoto("chkRedEye", {80, 55}, {120, 95});
    ASSERT_TRUE(panel.confirmButton()->isEnabled());
    panel.confirmTask();
    ASSERT_TRUE(idle());

    EXPECT_TRUE(basket.isEmpty()) << "red-eye is applied at once, never recorded";
    EXPECT_NE(panel.baseSnapshot(), baseBefore);
    const Picture after = preview.engine().Picture();
    EXPECT_LT(meanChannel(after, 0, 92, 67, 108, 83), 200) << "the red cast is gone from the pupil";
    EXPECT_FALSE(panel.page(QStringLiteral("redeye"))->findChild<QCheckBox*>(QStringLiteral("chkRedEye"))->isChecked());
}

TEST_F(TaskEditingPanelTest, CropByMouseCropsTheDraggedRectangleOfThePhoto)
{
    ASSERT_TRUE(showPhoto(400, 300));
    preview.chooseFit(PreviewPane::ActualSize);
    panel.enterEditMode();
    ASSERT_TRUE(idle());

    panel.chooseItem(QStringLiteral("Crop"));
    dragOnPhoto("chkCropMouse", {150, 120}, {40, 20});
    ASSERT_TRUE(panel.previewButton()->isEnabled());
    panel.confirmTask();
    ASSERT_TRUE(idle());

    ASSERT_EQ(basket.size(), 1);
    const TaskRecord& task = basket.at(0);
    EXPECT_EQ(task.params[0], QStringLiteral("False"));
    // Normalised, in photo pixels (shown at its own size): no view box recorded.
    EXPECT_EQ(task.params[1], QStringLiteral("40"));
    EXPECT_EQ(task.params[2], QStringLiteral("20"));
    EXPECT_EQ(task.params[3], QStringLiteral("150"));
    EXPECT_EQ(task.params[4], QStringLiteral("120"));
    EXPECT_TRUE(task.params[5].isEmpty());
    EXPECT_EQ(preview.engine().ImageWidth(), 110);
    EXPECT_EQ(preview.engine().ImageHeight(), 100);
    EXPECT_EQ(shown(preview.engine()), rendered(preview.snapshot(), basket.tasks()));
}

TEST_F(TaskEditingPanelTest, AWatermarkWithoutALogoSaysSoAndDrawsNothing)
{
    ASSERT_TRUE(showPhoto());
    panel.enterEditMode();
    ASSERT_TRUE(idle());
    globalSetup().taskDefaults.watermarkFile.clear();
    const QImage base = shown(preview.engine());

    panel.chooseItem(QStringLiteral("Watermark"));
    panel.previewTask();
    ASSERT_TRUE(idle());
    ASSERT_EQ(dialogs.messageTexts(), QStringList{QStringLiteral("Please select an image/logo for watermarking the image.")});
    EXPECT_EQ(shown(preview.engine()), base);

    dialogs.clear();
    globalSetup().taskDefaults.watermarkFile = dir.filePath(QStringLiteral("gone.png"));
    dialogs.answerNextMessage(QMessageBox::No);  // asks first: the watermark was previewed
    panel.chooseItem(QStringLiteral("Invert"));
    panel.chooseItem(QStringLiteral("Watermark"));
    dialogs.clear();
    panel.previewTask();
    ASSERT_TRUE(idle());
    EXPECT_EQ(dialogs.messageTexts(),
              QStringList{QStringLiteral("The last watermark image/logo file has either moved, renamed or deleted.\r\n"
                                         "Please select an image/logo from disk.")});
    EXPECT_EQ(shown(preview.engine()), base);
}

TEST_F(TaskEditingPanelTest, RemovingTheSecondOfThreeTasksRerendersFromThePhotoAsLoaded)
{
    ASSERT_TRUE(showPhoto(400, 300));
    panel.enterEditMode();
    ASSERT_TRUE(idle());
    confirmRotate(QStringLiteral("90"));
    confirmItem(QStringLiteral("Invert"));
    confirmItem(QStringLiteral("Flip"));
    ASSERT_EQ(basket.size(), 3);
    EXPECT_EQ(shown(preview.engine()), rendered(preview.snapshot(), basket.tasks()));

    panel.editPreviewList()->setCurrentIndex(panel.editPreviewList()->model()->index(1, 0));
    panel.editBarAction(3)->trigger();
    ASSERT_TRUE(idle());

    ASSERT_EQ(basket.size(), 2);
    EXPECT_EQ(basket.at(0).kind, static_cast<TaskKind>(2));
    EXPECT_EQ(basket.at(1).kind, static_cast<TaskKind>(1));
    EXPECT_EQ(explorerList.model()->rowCount(), 2);
    EXPECT_EQ(panel.editPreviewList()->model()->rowCount(), 2);
    // Whatever the list selects now, the base is the photo with both remaining tasks.
    ImageBox expected;
    expected.LoadFromMemory(ImageBox::SnapshotFormat, preview.snapshot());
    subProcessPages(basket.tasks(), expected);
    EXPECT_EQ(panel.baseSnapshot(), expected.SaveToMemory(ImageBox::SnapshotFormat));
}

TEST_F(TaskEditingPanelTest, ClickingATaskShowsThePhotoAsItStandsAfterThatTask)
{
    ASSERT_TRUE(showPhoto(400, 300));
    panel.enterEditMode();
    ASSERT_TRUE(idle());
    confirmRotate(QStringLiteral("90"));
    confirmItem(QStringLiteral("Invert"));

    QListView* list = panel.editPreviewList();
    list->show();
    const QRect first = list->visualRect(list->model()->index(0, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
    ASSERT_TRUE(idle());
    EXPECT_EQ(shown(preview.engine()), rendered(preview.snapshot(), {basket.at(0)}));
}

TEST_F(TaskEditingPanelTest, ASavedTaskBasketReopensIntoTheSameLists)
{
    ASSERT_TRUE(showPhoto(400, 300));
    panel.enterEditMode();
    ASSERT_TRUE(idle());
    confirmRotate(QStringLiteral("30"));
    confirmItem(QStringLiteral("Invert"));
    const QList<TaskRecord> saved = basket.tasks();
    const QImage composed = shown(preview.engine());

    const QString file = dir.filePath(QStringLiteral("recipe"));
    dialogs.answerNextFileDialog({file, 1});
    panel.editBarAction(2)->trigger();
    ASSERT_EQ(dialogs.fileDialogs().size(), 1);
    EXPECT_EQ(dialogs.fileDialogs().at(0).title, QStringLiteral("Save task basket"));
    ASSERT_TRUE(QFile::exists(file + QStringLiteral(".tbf")));

    // A new basket empties all three and shows the photo as loaded.
    panel.editBarAction(0)->trigger();
    EXPECT_TRUE(basket.isEmpty());
    EXPECT_EQ(explorerList.model()->rowCount(), 0);
    EXPECT_EQ(shown(preview.engine()), rendered(preview.snapshot(), {}));

    dialogs.answerNextFileDialog({file + QStringLiteral(".tbf"), 1});
    panel.editBarAction(1)->trigger();
    ASSERT_TRUE(idle());
    EXPECT_EQ(dialogs.fileDialogs().at(1).title, QStringLiteral("Open task basket"));
    EXPECT_EQ(basket.tasks(), saved);
    for (QAbstractItemModel* model : {explorerList.model(), panel.editPreviewList()->model()}) {
        ASSERT_EQ(model->rowCount(), 2);
        EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("Rotate"));
        EXPECT_EQ(model->index(1, 0).data().toString(), QStringLiteral("Negative"));
        EXPECT_FALSE(model->index(1, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    }
    EXPECT_EQ(shown(preview.engine()), composed);
    EXPECT_EQ(panel.baseSnapshot(), preview.engine().SaveToMemory(ImageBox::SnapshotFormat));
}

TEST_F(TaskEditingPanelTest, AFileThatIsNotATaskBasketSaysSo)
{
    const QString file = dir.filePath(QStringLiteral("broken.tbf"));
    QFile broken(file);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\"x\",\"rotate\"\r\n");
    broken.close();
    dialogs.answerNextFileDialog({file, 1});
    panel.openTaskBasket();
    EXPECT_EQ(dialogs.messageTexts(),
              QStringList{QStringLiteral("Error opening task basket!\r\nPlease select a valid task basket file.")});
}

TEST_F(TaskEditingPanelTest, FinishLeavesEditModeAndTheOriginalPreviewShowsThePhotoAsLoaded)
{
    ASSERT_TRUE(showPhoto(400, 300));
    preview.chooseType(PreviewPane::Original);
    ASSERT_TRUE(idle());
    panel.enterEditMode();
    ASSERT_TRUE(idle());
    confirmRotate(QStringLiteral("90"));
    ASSERT_EQ(preview.engine().ImageWidth(), 300);

    ASSERT_EQ(panel.confirmButton()->text(), QStringLiteral("Finish"));
    panel.confirmButton()->click();
    ASSERT_TRUE(idle());
    EXPECT_EQ(panel.viewMode(), 0);
    ASSERT_TRUE(idle());
    EXPECT_EQ(shown(preview.engine()), rendered(preview.snapshot(), {}));
}

}  // namespace
