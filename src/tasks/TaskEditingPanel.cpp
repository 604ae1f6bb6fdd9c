#include "tasks/TaskEditingPanel.h"

#include "controls/isExplorerBar.h"
#include "edit/EditSession.h"
#include "shell/EngineView.h"
#include "shell/FileDialogs.h"
#include "shell/MessageBoxes.h"
#include "shell/PreviewPane.h"
#include "tasks/TaskBasket.h"
#include "tasks/TaskIconModel.h"
#include "tasks/TaskIcons.h"
#include "tasks/TaskOptionPages.h"
#include "tasks/TaskPreview.h"
#include "tasks/modSaveOpenImageList.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace lumora {

namespace {

const QString ChartGroup = isExplorerBar::SpecialGroupKey;
const QString OptionsGroupKey = QStringLiteral("Dialog");
const QString BasketGroupKey = QStringLiteral("Editing");
const QString NothingKey = QStringLiteral("Nothing");
const QString TaskBasketFilter = QStringLiteral("Task basket file (*.tbf)|*.tbf");

}  // namespace

TaskEditingPanel::~TaskEditingPanel() = default;

TaskEditingPanel::TaskEditingPanel(TaskBasket& basket, EditSession& session, PreviewPane& preview,
                                   SetupRecord::TaskDefaults& defaults, QWidget* parent)
    : QWidget(parent), basket_(basket), session_(session), preview_(preview), defaults_(defaults)
{
    setObjectName(QStringLiteral("picTaskPane"));
    buildActions();
    buildBar();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar_);
    connectView();
    showPage(NothingKey.toLower());
    updateButtons();

    connect(&session_, &EditSession::stateChanged, this, &TaskEditingPanel::updateButtons);
    connect(&session_, &EditSession::previewed, this, &TaskEditingPanel::taskPreviewed);
    connect(&session_, &EditSession::confirmed, this, &TaskEditingPanel::taskConfirmed);
    connect(&preview_, &PreviewPane::previewShown, this, &TaskEditingPanel::photoChanged);
}

void TaskEditingPanel::photoChanged(const QString&, bool ok)
{
    if (viewMode_ != EditMode) {
        updateButtons();
        return;
    }
    if (!ok) {
        leaveEditMode();
        return;
    }
    // Editing goes on with the new photo: its size is the new start size, and what is shown is
    // its base, the photo with the whole Task Basket.
    cancelMouseTool();
    startSize_ = session_.imageSize();
    showPage(NothingKey.toLower());
    loadPage();
    lvEditPreview_->clearSelection();
    session_.showBase();
}

void TaskEditingPanel::buildActions()
{
    const char* names[] = {"cmdEditBar0", "cmdEditBar1", "cmdEditBar2", "cmdEditBar3"};
    const QString captions[] = {
        QStringLiteral("Create a new task basket"),
        QStringLiteral("Open an existing task basket (.TBF)"),
        QStringLiteral("Save the current task basket to file (.TBF)"),
        QStringLiteral("Remove the current task from the basket"),
    };
    const QStyle::StandardPixmap icons[] = {QStyle::SP_FileIcon, QStyle::SP_DialogOpenButton,
                                            QStyle::SP_DialogSaveButton, QStyle::SP_DialogDiscardButton};
    for (int i = 0; i < 4; ++i) {
        editBar_[i] = new QAction(style()->standardIcon(icons[i]), captions[i], this);
        editBar_[i]->setObjectName(QString::fromLatin1(names[i]));
    }
    connect(editBar_[0], &QAction::triggered, this, &TaskEditingPanel::newTaskBasket);
    connect(editBar_[1], &QAction::triggered, this, &TaskEditingPanel::openTaskBasket);
    connect(editBar_[2], &QAction::triggered, this, &TaskEditingPanel::saveTaskBasket);
    connect(editBar_[3], &QAction::triggered, this, &TaskEditingPanel::removeTask);

    editAction_ = new QAction(style()->standardIcon(QStyle::SP_FileDialogContentsView), QString(), this);
    setEditCaption(QStringLiteral("     Edit"));
    editAction_->setObjectName(QStringLiteral("CmdPreviewEdit"));
    editMenuAction_ = new QAction(QStringLiteral("Edit/Enhance image"), this);
    editMenuAction_->setObjectName(QStringLiteral("mnuPreviewEdit"));
    connect(editAction_, &QAction::triggered, this, &TaskEditingPanel::toggleEditMode);
    connect(editMenuAction_, &QAction::triggered, this, &TaskEditingPanel::toggleEditMode);
}

void TaskEditingPanel::buildBar()
{
    bar_ = new isExplorerBar(this);
    bar_->setObjectName(QStringLiteral("eb"));

    ExplorerBarImageList images;
    for (const TaskKindInfo& kind : taskKinds())
        images.append({kind.key(), taskIcon(kind.key())});
    bar_->SetImageList(images);

    bar_->DisableUpdates(true);
    bar_->AddSpecialGroup(QStringLiteral("Tasks Chart"));
    for (const TaskKindInfo& kind : taskKinds())
        bar_->AddItem(ChartGroup, QString::fromLatin1(kind.itemKey), QString::fromLatin1(kind.caption), kind.key());
    bar_->AddGroup(OptionsGroupKey, QStringLiteral(" Task Options"));
    bar_->AddGroup(BasketGroupKey, QStringLiteral("Task Basket"));
    optionsGroup_ = buildOptionsGroup();
    bar_->SetGroupChild(OptionsGroupKey, optionsGroup_);
    bar_->SetGroupChild(BasketGroupKey, buildBasketGroup());
    bar_->DisableUpdates(false);

    connect(bar_, &isExplorerBar::ItemClick, this, [this](const QString& group, const QString& item) {
        if (group == ChartGroup)
            chooseItem(item);
    });
}

QWidget* TaskEditingPanel::buildOptionsGroup()
{
    auto* group = new QWidget;
    group->setObjectName(QStringLiteral("picTaskOptions"));
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(6);
    // The group's height is set from the page shown (fitOptionsGroup), never held at the
    // minimum an earlier, taller page left behind.
    layout->setSizeConstraint(QLayout::SetNoConstraint);

    title_ = new QLabel(group);
    title_->setObjectName(QStringLiteral("lblTaskTitle"));
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    layout->addWidget(title_);

    // The pages share one place; only the chosen one is shown, and only its height counts.
    pages_ = new QWidget(group);
    auto* pageLayout = new QVBoxLayout(pages_);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageList_ = makeTaskOptionPages(pages_);
    for (TaskOptionPanel* page : pageList_) {
        pageLayout->addWidget(page);
        page->hide();
        // A page that shows or hides some of its controls changes height.
        page->installEventFilter(this);
        connect(page, &TaskOptionPanel::optionsChanged, this, &TaskEditingPanel::pageChangedOptions);
        connect(page, &TaskOptionPanel::mouseToolChanged, this, &TaskEditingPanel::applyMouseTool);
        connect(page, &TaskOptionPanel::backColorChosen, &session_, &EditSession::setBackColor);
        page->setRemembered(&defaults_);
    }
    layout->addWidget(pages_);
    pages_->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    auto makeButton = [group, buttons](const char* name, const QString& text) {
        auto* button = new QPushButton(text, group);
        button->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(button);
        return button;
    };
    cmdApply_ = makeButton("cmdApply", QStringLiteral("Preview"));
    cmdOK_ = makeButton("cmdOK", QStringLiteral("Confirm"));
    cmdReset_ = makeButton("cmdReset", QStringLiteral("Reset"));
    layout->addLayout(buttons);

    connect(cmdApply_, &QPushButton::clicked, this, [this] { previewTask(); });
    connect(cmdOK_, &QPushButton::clicked, this, [this] { confirmTask(); });
    connect(cmdReset_, &QPushButton::clicked, this, &TaskEditingPanel::resetTask);
    return group;
}

QWidget* TaskEditingPanel::buildBasketGroup()
{
    auto* group = new QWidget;
    group->setObjectName(QStringLiteral("picTaskBasket"));
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);

    auto* commands = new QHBoxLayout;
    commands->setSpacing(2);
    for (QAction* action : editBar_) {
        auto* button = new QToolButton(group);
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        commands->addWidget(button);
    }
    commands->addStretch(1);
    layout->addLayout(commands);

    lvEditPreview_ = new QListView(group);
    lvEditPreview_->setObjectName(QStringLiteral("lvEditPreview"));
    lvEditPreview_->setModel(new TaskIconModel(basket_, lvEditPreview_));
    lvEditPreview_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvEditPreview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvEditPreview_->setMinimumHeight(140);
    layout->addWidget(lvEditPreview_);
    group->resize(240, 190);
    connect(lvEditPreview_, &QListView::clicked, this, &TaskEditingPanel::taskListClicked);
    return group;
}

void TaskEditingPanel::setExplorerList(QListView* list)
{
    lvEdit_ = list;
    if (list)
        connect(list, &QListView::clicked, this, &TaskEditingPanel::taskListClicked);
}

QAction* TaskEditingPanel::editBarAction(int index) const
{
    return index >= 0 && index < 4 ? editBar_[index] : nullptr;
}

void TaskEditingPanel::connectView()
{
    EngineView& v = view();
    connect(&v, &EngineView::colorPicked, this, [this](QPoint, std::uint32_t colour) {
        if (!current_ || current_->mouseTool() != TaskOptionPanel::MouseTool::PickColor)
            return;
        current_->colorPicked(colour);
        session_.setBackColor(colour);
        pageChangedOptions();
    });
    connect(&v, &EngineView::pointPicked, this, [this](QPoint point) {
        if (current_ && current_->mouseTool() == TaskOptionPanel::MouseTool::PickPoint)
            current_->pointPicked(point);
    });
    connect(&v, &EngineView::rectanglePressed, this, [this](QPoint point) {
        if (current_ && current_->mouseTool() == TaskOptionPanel::MouseTool::DragRectangle)
            current_->rectanglePressed(point);
    });
    connect(&v, &EngineView::rectangleReleased, this, [this](QPoint start, QPoint end) {
        if (current_ && current_->mouseTool() == TaskOptionPanel::MouseTool::DragRectangle)
            current_->rectangleReleased(start, end);
    });
    connect(&v, &EngineView::mouseReleased, this, [this] {
        if (current_)
            current_->mouseReleased();
    });
}

EngineView& TaskEditingPanel::view() const { return *preview_.view(); }

TaskOptionPanel* TaskEditingPanel::page(const QString& key) const
{
    for (TaskOptionPanel* p : pageList_)
        if (p->key() == key)
            return p;
    return nullptr;
}

TaskViewContext TaskEditingPanel::viewContext() const
{
    return TaskViewContext::of(session_.imageSize(), startSize_, view().viewSettings());
}

int TaskEditingPanel::lastRow() const
{
    const int row = selectedRow(viewMode_ == EditMode ? lvEditPreview_ : lvEdit_);
    return row < 0 ? EditSession::AllTasks : row;
}

bool TaskEditingPanel::imageModified() const { return session_.taskPending(); }

bool TaskEditingPanel::atBase() const { return session_.atBase(); }

int TaskEditingPanel::selectedRow(const QListView* list) const
{
    if (!list || !list->selectionModel())
        return -1;
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

// --- edit mode ------------------------------------------------------------------------------

void TaskEditingPanel::setEditCaption(const QString& caption)
{
    // The leading blanks make room for the button's picture; Qt places the icon itself, so the
    // button shows the caption without them (an action's icon text is trimmed).
    editAction_->setText(caption);
}

void TaskEditingPanel::toggleEditMode()
{
    if (viewMode_ == EditMode)
        leaveEditMode();
    else
        enterEditMode();
}

void TaskEditingPanel::enterEditMode()
{
    if (viewMode_ == EditMode || !session_.shown())
        return;
    viewMode_ = EditMode;
    setEditCaption(QStringLiteral("     Finish"));
    editMenuAction_->setText(QStringLiteral("Back to Explorer view"));
    startSize_ = session_.imageSize();
    showPage(NothingKey.toLower());
    loadPage();
    Q_EMIT editModeChanged(true);
    // The photo is edited on its base: every task, whatever the explorer list had selected.
    lvEditPreview_->clearSelection();
    session_.showBase();
}

void TaskEditingPanel::leaveEditMode()
{
    if (viewMode_ != EditMode)
        return;
    cancelMouseTool();
    viewMode_ = ExplorerView;
    setEditCaption(QStringLiteral("     Edit"));
    editMenuAction_->setText(QStringLiteral("Edit/Enhance image"));
    showPage(NothingKey.toLower());
    optionsChanged_ = false;
    afterConfirm_ = nullptr;
    Q_EMIT editModeChanged(false);
    // Back to what the preview type asks for; a task previewed but not confirmed goes.
    preview_.reapplyTasks();
    updateButtons();
}

// --- the chosen task ------------------------------------------------------------------------

void TaskEditingPanel::chooseItem(const QString& itemKey)
{
    const QString key = itemKey.toLower();
    auto choose = [this, key] {
        showPage(key);
        loadPage();
        // The chart is tall: bring the options the person has just asked for into view.
        QTimer::singleShot(0, this, &TaskEditingPanel::scrollToOptions);
    };
    if (imageModified()) {
        const auto answer = ui::ShowMessage(
            this,
            QStringLiteral("The image has been modified!\r\nDo you want to confirm the changes made to the image?"),
            QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel)
            return;
        if (answer == QMessageBox::Yes) {
            afterConfirm_ = choose;
            confirmTask();
            return;
        }
        resetTask();
    }
    choose();
}

bool TaskEditingPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::LayoutRequest && (watched == current_ || watched == pages_))
        QTimer::singleShot(0, this, &TaskEditingPanel::fitOptionsGroup);
    return QWidget::eventFilter(watched, event);
}

void TaskEditingPanel::scrollToOptions()
{
    const QRect caption = bar_->GroupCaptionRect(OptionsGroupKey);
    QScrollBar* scroll = bar_->verticalScrollBar();
    if (caption.isEmpty() || !scroll->isVisible())
        return;
    const int bottom = caption.top() + optionsGroup_->height() + caption.height();
    if (caption.top() < 0 || bottom > bar_->height())
        scroll->setValue(scroll->value() + caption.top() - 4);
}

void TaskEditingPanel::showPage(const QString& key)
{
    TaskOptionPanel* next = page(key);
    if (!next)
        next = page(NothingKey.toLower());
    if (current_)
        current_->cancelMouseTool();
    current_ = next;
    for (TaskOptionPanel* p : pageList_)
        p->setVisible(p == current_);
    title_->setText(current_->title());
    pending_ = TaskRecord();
    pending_.kind = current_->kind();
    pending_.key = current_->key();
    cmdOK_->setText(current_->kind() == TaskKind::None ? QStringLiteral("Finish") : QStringLiteral("Confirm"));
    fitOptionsGroup();
}

void TaskEditingPanel::loadPage()
{
    current_->loadOptions(defaults_, viewContext());
    cancelMouseTool();
    // Crop and red-eye wait for an area; every other task previews as it stands, so Confirm
    // without a change still shows what it records.
    const TaskKind kind = current_->kind();
    optionsChanged_ = kind != TaskKind::None && kind != TaskKind::Crop && kind != TaskKind::RedEye;
    updateButtons();
}

void TaskEditingPanel::pageChangedOptions()
{
    optionsChanged_ = true;
    updateButtons();
}

void TaskEditingPanel::updateButtons()
{
    const bool editing = viewMode_ == EditMode;
    const TaskKind kind = current_ ? current_->kind() : TaskKind::None;
    if (kind == TaskKind::None) {
        cmdApply_->setEnabled(false);
        cmdOK_->setEnabled(editing);
        cmdReset_->setEnabled(false);
        return;
    }
    cmdApply_->setEnabled(editing && optionsChanged_);
    cmdOK_->setEnabled(editing && (optionsChanged_ || imageModified()));
    cmdReset_->setEnabled(editing && imageModified());
}

void TaskEditingPanel::fitOptionsGroup()
{
    // The bar hosts the group at the group's own height: follow the page shown.
    pages_->layout()->invalidate();
    optionsGroup_->layout()->invalidate();
    optionsGroup_->layout()->activate();
    const int width = optionsGroup_->width() > 0 ? optionsGroup_->width() : optionsGroup_->sizeHint().width();
    optionsGroup_->resize(width, optionsGroup_->sizeHint().height());
}

void TaskEditingPanel::applyMouseTool()
{
    using Tool = TaskOptionPanel::MouseTool;
    const Tool tool = current_ ? current_->mouseTool() : Tool::None;
    switch (tool) {
    case Tool::PickColor:
        view().setMouseTool(EngineView::MouseTool::PickColor);
        break;
    case Tool::PickPoint:
        view().setMouseTool(EngineView::MouseTool::PickPoint);
        break;
    case Tool::DragRectangle:
        view().setMouseTool(EngineView::MouseTool::DragRectangle);
        break;
    case Tool::None:
        // A marked area stays drawn until the task is previewed or left.
        if (!current_ || current_->markedArea().isEmpty())
            view().setMouseTool(EngineView::MouseTool::None);
        break;
    }
}

void TaskEditingPanel::cancelMouseTool()
{
    if (current_)
        current_->cancelMouseTool();
    view().setMouseTool(EngineView::MouseTool::None);
}

void TaskEditingPanel::previewTask()
{
    if (!optionsChanged_ || pendingKind() == TaskKind::None || !session_.shown())
        return;
    const TaskViewContext context = viewContext();
    const TaskRecord task = current_->record(context);
    const QRect area = current_->markedArea();
    if (current_->needsMarkedArea())
        view().setMouseTool(EngineView::MouseTool::None);
    // A logo that cannot be drawn is said before any work starts; the preview then shows the base.
    const TaskPreviewResult logo = CheckWatermarkLogo(task);
    if (logo != TaskPreviewResult::Applied) {
        ui::ShowMessage(this,
                        logo == TaskPreviewResult::NoLogoChosen
                            ? QStringLiteral("Please select an image/logo for watermarking the image.")
                            : QStringLiteral("The last watermark image/logo file has either moved, renamed or deleted.\r\n"
                                             "Please select an image/logo from disk."),
                        QMessageBox::Information);
    }
    optionsChanged_ = false;
    pending_ = task;
    session_.previewTask(task, context, area);
    updateButtons();
}

void TaskEditingPanel::taskPreviewed()
{
    // The task as previewed, with what the preview worked out on the photo (a text's anchor).
    pending_ = session_.previewedTask();
    updateButtons();
}

void TaskEditingPanel::confirmTask()
{
    if (pendingKind() == TaskKind::None) {
        leaveEditMode();
        return;
    }
    // Confirm without a preview of the latest options previews them first, so what is recorded
    // is what was seen.
    if (optionsChanged_)
        previewTask();
    if (!imageModified()) {
        afterConfirm_ = nullptr;
        return;
    }
    session_.confirm();
}

void TaskEditingPanel::taskConfirmed(bool recorded)
{
    if (recorded)
        current_->storeOptions(defaults_);
    cancelMouseTool();
    showPage(NothingKey.toLower());
    optionsChanged_ = false;
    updateButtons();
    if (auto then = std::exchange(afterConfirm_, nullptr))
        then();
}

void TaskEditingPanel::resetTask()
{
    if (pendingKind() == TaskKind::None)
        return;
    afterConfirm_ = nullptr;
    session_.reset();
    loadPage();
}

// --- the Task Basket --------------------------------------------------------------------------

void TaskEditingPanel::showBasketChanged()
{
    if (!session_.shown())
        return;
    if (viewMode_ == EditMode) {
        lvEditPreview_->clearSelection();
        session_.showBase();
    } else {
        preview_.reapplyTasks();
    }
}

void TaskEditingPanel::taskListClicked()
{
    if (basket_.isEmpty())
        return;
    // The photo as it stands after the clicked task; in edit mode a preview starts from the base.
    if (viewMode_ == EditMode)
        session_.runBasket(lastRow());
    else
        preview_.reapplyTasks();
}

void TaskEditingPanel::newTaskBasket()
{
    if (basket_.isEmpty())
        return;
    basket_.clear();
    showBasketChanged();
}

void TaskEditingPanel::openTaskBasket()
{
    const ui::FileChoice choice = ui::ChooseOpenFile(this, QStringLiteral("Open task basket"), TaskBasketFilter);
    if (choice.path.isEmpty())
        return;
    if (!modSaveOpenImageList::fncOpenTaskBasket(choice.path, basket_, false)) {
        ui::ShowMessage(this, QStringLiteral("Error opening task basket!\r\nPlease select a valid task basket file."),
                        QMessageBox::Information);
    }
    // The tasks read before a failure stay in the basket, so the preview follows them either way.
    showBasketChanged();
}

void TaskEditingPanel::saveTaskBasket()
{
    if (basket_.isEmpty())
        return;
    const ui::FileChoice choice = ui::ChooseSaveFile(this, QStringLiteral("Save task basket"), TaskBasketFilter);
    if (choice.path.isEmpty())
        return;
    if (!modSaveOpenImageList::fncSaveTaskBasket(choice.path, basket_))
        ui::ShowMessage(this, QStringLiteral("Error saving task basket!\r\nPlease try again!"), QMessageBox::Information);
}

void TaskEditingPanel::removeTask()
{
    if (basket_.isEmpty())
        return;
    const int row = selectedRow(viewMode_ == EditMode ? lvEditPreview_ : lvEdit_);
    if (row < 0 || row >= basket_.size())
        return;
    basket_.removeAt(row);
    showBasketChanged();
}

}  // namespace lumora
