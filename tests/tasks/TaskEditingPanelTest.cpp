// The task pane on a real preview and edit session: what a person's clicks record in the Task
// Basket and what the photo on screen then is. Expected pictures come from plain synchronous runs
// of the same tasks on the photo as loaded.
#include "tasks/TaskEditingPanel.h"

#include "controls/isExplorerBar.h"
#include "edit/EditSession.h"
#include "engine/ImageBox.h"
#include "metadata/MetadataList.h"
#include "shell/EngineView.h"
#include "shell/PictureImage.h"
#include "shell/PreviewPane.h"
#include "support/ReportCapture.h"
#include "support/ScriptedDialogs.h"
#include "support/TestImages.h"
#include "support/WaitFor.h"
#include "tasks/TaskBasket.h"
#include "tasks/TaskRunner.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

QImage asImage(const Picture& picture) { return toQImage(picture).convertToFormat(QImage::Format_RGB32); }

class TaskEditingPanelTest : public ::testing::Test {
protected:
    TaskEditingPanelTest()
    {
        setDefaults(record, dir.path());
        preview.resize(420, 320);
        preview.show();
        panel.resize(260, 700);
        panel.show();
        panel.bar().setAnimated(false);
        explorerList.setModel(panel.editPreviewList()->model());
        panel.setExplorerList(&explorerList);
        // Wired as the window wires them.
        preview.setLastRowProvider([this] { return panel.lastRow(); });
    }

    // Previews the photo (a generated 400 x 300 one by default) and waits until it is on screen.
    bool showPhoto(const Picture& picture = gradientPicture(400, 300))
    {
        photo = writePng(picture, dir.filePath(QStringLiteral("photo%1.png").arg(++photos)));
        QSignalSpy shownSpy(&preview, &PreviewPane::previewShown);
        return preview.showSelectedFile(photo, 1, QString()) && waitFor([&] { return !shownSpy.isEmpty(); }) &&
               idle();
    }

    bool idle() { return waitFor([&] { return !session.isBusy(); }); }
    // Previews a generated photo and enters edit mode on it.
    bool editPhoto()
    {
        const bool shown = showPhoto();
        panel.enterEditMode();
        return shown && idle();
    }

    QImage shown() const { return asImage(session.picture()); }
    // The photo as loaded with `tasks` run on it the way a batch would.
    QImage rendered(const QList<TaskRecord>& tasks) const
    {
        ImageBox engine;
        engine.LoadFromFile(photo);
        subProcessPages(tasks, engine);
        return asImage(engine.Picture());
    }

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

    // Adds a task as a person would: choose it, type the angle of a rotation, confirm it.
    void confirm(const QString& item, const QString& degrees = {})
    {
        panel.chooseItem(item);
        if (!degrees.isEmpty())
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
    QString photo;
    int photos = 0;
    SetupRecord record;
    MetadataList exif;
    MetadataList iptc;
    TaskBasket basket;
    EditSession session{basket};
    PreviewPane preview{session, exif, iptc};
    TaskEditingPanel panel{basket, session, preview, record.taskDefaults};
    QListView explorerList;
    ScriptedDialogs dialogs;
    ReportCapture reports;
};

TEST_F(TaskEditingPanelTest, EditModeNeedsAPhotoEditsItsBaseAndFinishShowsThePhotoAsLoadedAgain)
{
    EXPECT_EQ(panel.bar().ItemCount(isExplorerBar::SpecialGroupKey), static_cast<int>(taskKinds().size()));
    panel.enterEditMode();
    EXPECT_EQ(panel.viewMode(), 0) << "no photo to edit";

    basket.append(TaskRecord(TaskKind::Rotate, QStringLiteral("rotate"), {"False", "90", "0"}));
    basket.append(TaskRecord(TaskKind::Negative, QStringLiteral("invert")));
    ASSERT_TRUE(showPhoto());
    // The explorer view's list has the first task selected: the preview shows the photo after it.
    explorerList.setCurrentIndex(explorerList.model()->index(0, 0));
    panel.taskListClicked();
    ASSERT_TRUE(idle());
    ASSERT_EQ(shown(), rendered({basket.at(0)}));

    // Edit mode edits the photo with every task, whatever the list had selected.
    QSignalSpy modeSpy(&panel, &TaskEditingPanel::editModeChanged);
    panel.editAction()->trigger();
    ASSERT_TRUE(idle());
    EXPECT_EQ(panel.viewMode(), 1);
    EXPECT_EQ(panel.startSize(), QSize(300, 400));
    EXPECT_TRUE(panel.atBase());
    EXPECT_EQ(shown(), rendered(basket.tasks()));

    panel.editMenuAction()->trigger();
    EXPECT_EQ(panel.viewMode(), 0);
    ASSERT_EQ(modeSpy.count(), 2);
    EXPECT_FALSE(modeSpy.at(1).at(0).toBool());

    // Finish leaves edit mode too, and the Original preview then shows the photo as loaded.
    preview.chooseType(PreviewPane::Original);
    ASSERT_TRUE(idle());
    panel.enterEditMode();
    ASSERT_TRUE(idle());
    ASSERT_NE(shown(), rendered({}));
    ASSERT_EQ(panel.confirmButton()->text(), QStringLiteral("Finish"));
    panel.confirmButton()->click();
    ASSERT_TRUE(idle());
    EXPECT_EQ(panel.viewMode(), 0);
    EXPECT_EQ(shown(), rendered({}));
}

TEST_F(TaskEditingPanelTest, AChosenTaskIsPendingUntilConfirmRecordsWhatItPreviewedFirst)
{
    ASSERT_TRUE(editPhoto());
    panel.chooseItem(QStringLiteral("Watermark"));
    EXPECT_EQ(panel.titleLabel()->text(), QStringLiteral("Task Option - Watermark/merge"));
    EXPECT_EQ(panel.pendingKind(), static_cast<TaskKind>(9));
    EXPECT_EQ(panel.confirmButton()->text(), QStringLiteral("Confirm"));
    // Ready to preview as it stands.
    EXPECT_TRUE(panel.optionsChanged());
    EXPECT_TRUE(panel.previewButton()->isEnabled());
    EXPECT_TRUE(panel.atBase());
    EXPECT_FALSE(panel.imageModified());

    // Crop and red-eye wait for a rectangle before they can be previewed or confirmed.
    panel.chooseItem(QStringLiteral("Crop"));
    EXPECT_FALSE(panel.optionsChanged());
    EXPECT_FALSE(panel.previewButton()->isEnabled());
    EXPECT_FALSE(panel.confirmButton()->isEnabled());

    panel.chooseItem(QStringLiteral("RedEye"));
    EXPECT_FALSE(panel.previewButton()->isEnabled());

    // Confirm right after a change previews first and records what was previewed.
    confirm(QStringLiteral("Rotate"), QStringLiteral("90"));
    ASSERT_EQ(basket.size(), 1);
    EXPECT_EQ(basket.at(0).kind, TaskKind::Rotate);
    EXPECT_EQ(basket.at(0).params[1], QStringLiteral("90"));
    // The photo on screen is the rotated one, and it is the new base.
    EXPECT_EQ(session.imageSize(), QSize(300, 400));
    EXPECT_EQ(shown(), rendered(basket.tasks()));
    EXPECT_TRUE(panel.atBase());
    // Back to no task, with Finish as the one command.
    EXPECT_EQ(panel.pendingKind(), TaskKind::None);
    EXPECT_EQ(panel.confirmButton()->text(), QStringLiteral("Finish"));
    EXPECT_FALSE(panel.imageModified());
    // The rotation is remembered for the next time.
    EXPECT_EQ(record.taskDefaults.field10, 90);
    panel.chooseItem(QStringLiteral("Rotate"));
    EXPECT_EQ(control<QLineEdit>("txtDegrees")->text(), QStringLiteral("90"));
}

TEST_F(TaskEditingPanelTest, PreviewAndResetStartFromTheBaseNoClickIsLostAndAnotherTaskAsksFirst)
{
    ASSERT_TRUE(editPhoto());
    const QImage base = shown();

    // Two previews asked for one right after the other, before the first is there: the second
    // one shows, made from the base (90 then 180 more would leave the photo on its side).
    panel.chooseItem(QStringLiteral("Rotate"));
    typeInto("txtDegrees", QStringLiteral("90"));
    panel.previewTask();
    EXPECT_TRUE(panel.imageModified()) << "a preview under way counts as a change";
    typeInto("txtDegrees", QStringLiteral("180"));
    EXPECT_TRUE(panel.previewButton()->isEnabled()) << "nothing waits for the worker";
    panel.previewTask();
    ASSERT_TRUE(idle());
    EXPECT_EQ(session.imageSize(), QSize(400, 300));
    EXPECT_EQ(panel.pendingTask().params[1], QStringLiteral("180"));
    EXPECT_FALSE(panel.atBase());
    EXPECT_FALSE(panel.previewButton()->isEnabled());
    EXPECT_TRUE(panel.resetButton()->isEnabled());

    panel.resetTask();
    ASSERT_TRUE(idle());
    EXPECT_EQ(shown(), base);
    EXPECT_TRUE(panel.atBase());
    EXPECT_FALSE(panel.imageModified());
    EXPECT_TRUE(basket.isEmpty());

    // Choosing another task after a preview asks first.
    panel.chooseItem(QStringLiteral("Invert"));
    panel.previewTask();
    ASSERT_TRUE(idle());
    ASSERT_TRUE(panel.imageModified());

    // Cancel: nothing changes, the click is ignored.
    dialogs.answerNextMessage(QMessageBox::Cancel);
    panel.chooseItem(QStringLiteral("Flip"));
    EXPECT_EQ(dialogs.messageTexts(), QStringList(QStringLiteral("The image has been modified!\r\nDo you want to "
                                                                 "confirm the changes made to the image?")));
    EXPECT_EQ(panel.pendingKind(), static_cast<TaskKind>(11));
    EXPECT_TRUE(panel.imageModified());

    // No: the preview goes, no task is added, the new task is chosen.
    dialogs.answerNextMessage(QMessageBox::No);
    panel.chooseItem(QStringLiteral("Flip"));
    EXPECT_EQ(panel.pendingKind(), static_cast<TaskKind>(1));
    EXPECT_TRUE(basket.isEmpty());
    ASSERT_TRUE(idle());
    EXPECT_EQ(shown(), rendered({}));

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

TEST_F(TaskEditingPanelTest, CropByMouseCropsTheDraggedRectangleAndRedEyeChangesTheBaseButIsNeverRecorded)
{
    // A photo with a red "pupil" at (90, 65), shown at its own size.
    Picture eye = gradientPicture(200, 150);
    for (int y = 65; y < 85; ++y)
        for (int x = 90; x < 110; ++x)
            eye.setPixel(x, y, {250, 10, 10});
    ASSERT_TRUE(showPhoto(eye));
    preview.chooseFit(PreviewPane::ActualSize);
    panel.enterEditMode();
    ASSERT_TRUE(idle());

    panel.chooseItem(QStringLiteral("Crop"));
    dragOnPhoto("chkCropMouse", {150, 120}, {40, 20});
    ASSERT_TRUE(panel.previewButton()->isEnabled());
    panel.confirmTask();
    ASSERT_TRUE(idle());
    // Normalised, in photo pixels (shown at its own size): no view box recorded.
    ASSERT_EQ(basket.size(), 1);
    EXPECT_EQ(basket.at(0).params, TaskRecord({}, {}, {"False", "40", "20", "150", "120"}).params);
    EXPECT_EQ(session.imageSize(), QSize(110, 100));
    EXPECT_EQ(shown(), rendered(basket.tasks()));

    // The pupil is at (50, 45) of the cropped photo.
    panel.chooseItem(QStringLiteral("RedEye"));
    dragOnPhoto("chkRedEye", {40, 35}, {80, 75});
    ASSERT_TRUE(panel.confirmButton()->isEnabled());
    panel.confirmTask();
    ASSERT_TRUE(idle());
    EXPECT_EQ(basket.size(), 1) << "red-eye is applied at once, never recorded";
    EXPECT_TRUE(panel.atBase());
    EXPECT_LT(meanChannel(session.picture(), 0, 52, 47, 68, 63), 200) << "the red cast is gone from the pupil";
}

TEST_F(TaskEditingPanelTest, AWatermarkWithoutALogoSaysSoAndDrawsNothing)
{
    ASSERT_TRUE(editPhoto());
    record.taskDefaults.watermarkFile.clear();
    const QImage base = shown();

    panel.chooseItem(QStringLiteral("Watermark"));
    panel.previewTask();
    ASSERT_TRUE(idle());
    ASSERT_EQ(dialogs.messageTexts(),
              QStringList{QStringLiteral("Please select an image/logo for watermarking the image.")});
    EXPECT_EQ(shown(), base);

    record.taskDefaults.watermarkFile = dir.filePath(QStringLiteral("gone.png"));
    dialogs.answerNextMessage(QMessageBox::No);  // asks first: the watermark was previewed
    panel.chooseItem(QStringLiteral("Invert"));
    panel.chooseItem(QStringLiteral("Watermark"));
    dialogs.clear();
    panel.previewTask();
    ASSERT_TRUE(idle());
    EXPECT_EQ(dialogs.messageTexts(),
              QStringList{QStringLiteral("The last watermark image/logo file has either moved, renamed or deleted.\r\n"
                                         "Please select an image/logo from disk.")});
    EXPECT_EQ(shown(), base);
}

TEST_F(TaskEditingPanelTest, ClickedRemovedSavedAndReopenedTasksRerenderFromThePhotoAsLoaded)
{
    ASSERT_TRUE(editPhoto());
    confirm(QStringLiteral("Rotate"), QStringLiteral("90"));
    confirm(QStringLiteral("Invert"));
    confirm(QStringLiteral("Flip"));
    ASSERT_EQ(basket.size(), 3);
    EXPECT_EQ(shown(), rendered(basket.tasks()));

    // A click on the first task: the photo as it stands after it.
    QListView* list = panel.editPreviewList();
    list->show();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    ASSERT_TRUE(idle());
    EXPECT_EQ(shown(), rendered({basket.at(0)}));
    EXPECT_FALSE(panel.atBase());

    // Removing the second: both lists follow, and the base is the photo with the two left.
    list->setCurrentIndex(list->model()->index(1, 0));
    panel.editBarAction(3)->trigger();
    ASSERT_TRUE(idle());
    ASSERT_EQ(basket.size(), 2);
    EXPECT_EQ(basket.at(0).kind, TaskKind::Rotate);
    EXPECT_EQ(basket.at(1).kind, TaskKind::Orientation);
    EXPECT_EQ(explorerList.model()->rowCount(), 2);
    EXPECT_TRUE(panel.atBase());
    EXPECT_EQ(shown(), rendered(basket.tasks()));

    // Saved, emptied and opened again.
    const QList<TaskRecord> saved = basket.tasks();
    const QImage composed = shown();

    const QString file = dir.filePath(QStringLiteral("recipe"));
    dialogs.answerNextFileDialog({file, 1});
    panel.editBarAction(2)->trigger();
    ASSERT_TRUE(QFile::exists(file + QStringLiteral(".tbf")));

    // A new basket empties all three and shows the photo as loaded.
    panel.editBarAction(0)->trigger();
    EXPECT_TRUE(basket.isEmpty());
    EXPECT_EQ(explorerList.model()->rowCount(), 0);
    ASSERT_TRUE(idle());
    EXPECT_EQ(shown(), rendered({}));

    dialogs.answerNextFileDialog({file + QStringLiteral(".tbf"), 1});
    panel.editBarAction(1)->trigger();
    ASSERT_TRUE(idle());
    EXPECT_EQ(basket.tasks(), saved);
    ASSERT_EQ(explorerList.model()->rowCount(), 2);
    EXPECT_FALSE(explorerList.model()->index(1, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(shown(), composed);
    EXPECT_TRUE(panel.atBase());

    // A file that is not a task basket says so.
    QFile broken(dir.filePath(QStringLiteral("broken.tbf")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("\"x\",\"rotate\"\r\n") > 0);
    broken.close();
    dialogs.answerNextFileDialog({broken.fileName(), 1});
    panel.openTaskBasket();
    EXPECT_EQ(dialogs.messageTexts(),
              QStringList{QStringLiteral("Error opening task basket!\r\nPlease select a valid task basket file.")});
}

}  // namespace
