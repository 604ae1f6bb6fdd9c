#pragma once

#include "tasks/TaskOptionPanel.h"
#include "tasks/TaskRecord.h"
#include "tasks/TaskRunner.h"
#include "tasks/TaskViewContext.h"

#include <QByteArray>
#include <QSize>
#include <QWidget>

#include <functional>
#include <vector>

class QAction;
class QLabel;
class QListView;
class QPushButton;

namespace lumora {

class EngineView;
class ImageBox;
class PreviewPane;
class TaskBasket;
class isExplorerBar;

// Edit mode of the main window: the task pane where a person builds the Task Basket on the photo
// in the preview. Its three groups are the task chart ("Tasks Chart"), the options of the chosen
// task (" Task Options", with Preview, Confirm and Reset) and the Task Basket with its four
// commands.
//
// The panel works on the preview's engine. It keeps a base image (the photo with the confirmed
// Task Basket applied) on which the chosen task is previewed, so Reset and a second Preview start
// from it. Runs of the whole Task Basket (a click in a task list, a removal, an opened file) are
// computed off the GUI thread by the preview; until one has arrived the commands that change the
// image wait.
//
// The same Task Basket model backs both visible lists (`lvEdit` in the browse pane and
// `lvEditPreview` here), so the three copies of the basket can never disagree.
class TaskEditingPanel : public QWidget {
    Q_OBJECT
public:
    enum ViewModes { ExplorerView = 0, EditMode = 1 };

    TaskEditingPanel(TaskBasket& basket, PreviewPane& preview, QWidget* parent = nullptr);
    ~TaskEditingPanel() override;

    isExplorerBar& bar() const { return *bar_; }
    QListView* editPreviewList() const { return lvEditPreview_; }
    // The explorer view's list of the Task Basket (`lvEdit`), whose selection the runs follow
    // outside edit mode.
    void setExplorerList(QListView* list);

    // The four Task Basket commands `cmdEditBar(0..3)`: new, open, save, remove.
    QAction* editBarAction(int index) const;
    // The edit command (`CmdPreviewEdit`, "     Edit" / "     Finish") and its menu item
    // ("Edit/Enhance image" / "Back to Explorer view").
    QAction* editAction() const { return editAction_; }
    QAction* editMenuAction() const { return editMenuAction_; }

    // How a run of the Task Basket on the preview goes now: the list in view decides where it
    // stops.
    TaskRunOptions runOptions(bool applyAll = false) const;

    int viewMode() const { return viewMode_; }
    void enterEditMode();
    void leaveEditMode();
    void toggleEditMode();

    // A click on an item of the task chart ("Resize" ... "RedEye"), or "Nothing".
    void chooseItem(const QString& itemKey);
    // cmdApply. The task is previewed on the preview's worker; `then` runs once it is on screen.
    void previewTask(std::function<void()> then = {});
    // cmdOK: previews first when the options changed since; `then` runs once it is recorded.
    void confirmTask(std::function<void()> then = {});
    void resetTask();     // cmdReset

    void newTaskBasket();     // cmdEditBar(0)
    void openTaskBasket();    // cmdEditBar(1)
    void saveTaskBasket();    // cmdEditBar(2)
    void removeTask();        // cmdEditBar(3)
    // A click in a visible task list: the preview shows the photo as it stands after that task.
    void taskListClicked();

    // The state behind the commands.
    bool optionsChanged() const { return optionsChanged_; }
    bool imageModified() const { return imageModified_; }
    bool atBase() const { return atBase_; }
    TaskKind pendingKind() const { return pending_.kind; }
    const TaskRecord& pendingTask() const { return pending_; }
    QSize startSize() const { return startSize_; }
    const QByteArray& baseSnapshot() const { return base_; }
    // True while a run of the Task Basket is being computed for the preview.
    bool isBusy() const { return busy_ > 0; }

    TaskOptionPanel* currentPage() const { return current_; }
    TaskOptionPanel* page(const QString& key) const;
    QPushButton* previewButton() const { return cmdApply_; }
    QPushButton* confirmButton() const { return cmdOK_; }
    QPushButton* resetButton() const { return cmdReset_; }
    QLabel* titleLabel() const { return title_; }

    // What the option pages need of the photo on screen.
    TaskViewContext viewContext() const;

Q_SIGNALS:
    void editModeChanged(bool editing);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void photoChanged(const QString& path, bool ok);
    void buildBar();
    QWidget* buildOptionsGroup();
    QWidget* buildBasketGroup();
    void buildActions();
    void setEditCaption(const QString& caption);
    void connectView();
    void showPage(const QString& key);
    void loadPage();
    void pageChangedOptions();
    void updateButtons();
    void fitOptionsGroup();
    void scrollToOptions();
    void applyMouseTool();
    void cancelMouseTool();
    void refresh();
    // Runs the Task Basket on the as-loaded photo off the GUI thread; `retakeBase` makes the
    // result the new base once it is shown.
    void renderBasket(bool retakeBase);
    // The photo on screen becomes the base when it already shows every task, else a run makes it.
    void takeBaseFromScreen(const QListView* stopping);
    // The photo on screen, as `base`, becomes the base.
    void takeBase(const QByteArray& base);
    int selectedRow(const QListView* list) const;
    // A callback for the preview that does nothing once the panel is gone.
    std::function<void()> whileAlive(std::function<void()> callback);

    ImageBox& engine() const;
    EngineView& view() const;

    TaskBasket& basket_;
    PreviewPane& preview_;

    isExplorerBar* bar_ = nullptr;
    QWidget* optionsGroup_ = nullptr;
    QLabel* title_ = nullptr;
    QWidget* pages_ = nullptr;
    std::vector<TaskOptionPanel*> pageList_;
    TaskOptionPanel* current_ = nullptr;
    QPushButton* cmdApply_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdReset_ = nullptr;
    QListView* lvEditPreview_ = nullptr;
    QListView* lvEdit_ = nullptr;
    QAction* editBar_[4] = {};
    QAction* editAction_ = nullptr;
    QAction* editMenuAction_ = nullptr;

    int viewMode_ = ExplorerView;
    TaskRecord pending_;
    bool optionsChanged_ = false;
    bool imageModified_ = false;
    bool atBase_ = true;
    QSize startSize_;
    QByteArray base_;
    int busy_ = 0;
};

}  // namespace lumora
