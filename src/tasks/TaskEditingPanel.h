#pragma once

#include "settings/SetupRecord.h"
#include "tasks/TaskOptionPanel.h"
#include "tasks/TaskRecord.h"
#include "tasks/TaskViewContext.h"

#include <QSize>
#include <QWidget>

#include <functional>
#include <vector>

class QAction;
class QLabel;
class QListView;
class QPushButton;

namespace lumora {

class EditSession;
class EngineView;
class PreviewPane;
class TaskBasket;
class isExplorerBar;

// Edit mode of the main window: the task pane where a person builds the Task Basket on the photo
// in the preview. Its three groups are the task chart ("Tasks Chart"), the options of the chosen
// task (" Task Options", with Preview, Confirm and Reset) and the Task Basket with its four
// commands.
//
// The photo, its base (the photo with the confirmed Task Basket) and the task previewed on it are
// the edit session's (EditSession): the panel keeps its option pages and buttons, asks the
// session to preview, confirm, reset or run the basket, and follows its state. Requests never
// wait for each other: a new one replaces the work under way, or waits for it when it must (a
// confirm for its preview), so no click is lost while a large photo is being worked on.
//
// The same Task Basket model backs both visible lists (`lvEdit` in the browse pane and
// `lvEditPreview` here), so the lists and the data can never disagree.
class TaskEditingPanel : public QWidget {
    Q_OBJECT
public:
    enum ViewModes { ExplorerView = 0, EditMode = 1 };

    // `defaults`: the remembered options of the task kinds, read when a page is shown and written
    // when its task is confirmed.
    TaskEditingPanel(TaskBasket& basket, EditSession& session, PreviewPane& preview,
                     SetupRecord::TaskDefaults& defaults, QWidget* parent = nullptr);
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

    // The last task a run of the Task Basket on the preview goes to: the row selected in the
    // list in view, or -1 (every task) when none is.
    int lastRow() const;

    int viewMode() const { return viewMode_; }
    void enterEditMode();
    void leaveEditMode();
    void toggleEditMode();

    // A click on an item of the task chart ("Resize" ... "RedEye"), or "Nothing".
    void chooseItem(const QString& itemKey);
    void previewTask();   // cmdApply
    // cmdOK: previews first when the options changed since; the task is recorded once its
    // preview is there.
    void confirmTask();
    void resetTask();     // cmdReset

    void newTaskBasket();     // cmdEditBar(0)
    void openTaskBasket();    // cmdEditBar(1)
    void saveTaskBasket();    // cmdEditBar(2)
    void removeTask();        // cmdEditBar(3)
    // A click in a visible task list: the preview shows the photo as it stands after that task.
    void taskListClicked();

    // The state behind the commands.
    bool optionsChanged() const { return optionsChanged_; }
    // A task is previewed on the photo (or its preview is being made).
    bool imageModified() const;
    // The photo on show is the base.
    bool atBase() const;
    TaskKind pendingKind() const { return pending_.kind; }
    const TaskRecord& pendingTask() const { return pending_; }
    QSize startSize() const { return startSize_; }

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
    void taskPreviewed();
    void taskConfirmed(bool recorded);
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
    // After a change of the Task Basket: the photo with every task in edit mode (the new base),
    // else what the preview type and list ask for.
    void showBasketChanged();
    int selectedRow(const QListView* list) const;

    EngineView& view() const;

    TaskBasket& basket_;
    EditSession& session_;
    PreviewPane& preview_;
    SetupRecord::TaskDefaults& defaults_;

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
    QSize startSize_;
    // What follows a confirm asked for by a task-chart click ("Yes, confirm the changes").
    std::function<void()> afterConfirm_;
};

}  // namespace lumora
