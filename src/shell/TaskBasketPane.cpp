#include "shell/TaskBasketPane.h"

#include "shell/FileDialogs.h"
#include "shell/MessageBoxes.h"
#include "tasks/TaskBasket.h"
#include "tasks/modSaveOpenImageList.h"

#include <QListView>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace lumora {

namespace {
const QString TaskBasketFilter = QStringLiteral("Task basket file (*.tbf)|*.tbf");

QToolButton* commandButton(QWidget* parent, const char* name, const QString& text, QStyle::StandardPixmap icon,
                           const QString& tip)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}
}  // namespace

TaskBasketPane::TaskBasketPane(TaskBasket& tasks, QWidget* parent) : QWidget(parent), tasks_(tasks)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    auto* bar = new QToolBar(this);
    bar->setIconSize(QSize(16, 16));
    auto* openButton = commandButton(this, "cmdEditOpen", tr("Open"), QStyle::SP_DialogOpenButton,
                                     tr("Open a task basket file"));
    saveButton_ = commandButton(this, "cmdEditSave", tr("Save"), QStyle::SP_DialogSaveButton,
                                tr("Save the Task Basket to a file"));
    bar->addWidget(openButton);
    bar->addWidget(saveButton_);
    layout->addWidget(bar);

    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("lvEdit"));
    list_->setModel(&tasks_);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(list_, 1);

    connect(openButton, &QToolButton::clicked, this, &TaskBasketPane::openTaskBasket);
    connect(saveButton_, &QToolButton::clicked, this, &TaskBasketPane::saveTaskBasket);
    auto updateSave = [this] { saveButton_->setEnabled(!tasks_.isEmpty()); };
    connect(&tasks_, &TaskBasket::rowsInserted, this, updateSave);
    connect(&tasks_, &TaskBasket::rowsRemoved, this, updateSave);
    connect(&tasks_, &TaskBasket::modelReset, this, updateSave);
    updateSave();
}

void TaskBasketPane::openTaskBasket()
{
    const ui::FileChoice choice = ui::ChooseOpenFile(this, QStringLiteral("Open task basket"), TaskBasketFilter);
    if (choice.path.isEmpty())
        return;
    if (!modSaveOpenImageList::fncOpenTaskBasket(choice.path, tasks_, false)) {
        ui::ShowMessage(this, QStringLiteral("Error opening task basket!\r\nPlease select a valid task basket file."),
                        QMessageBox::Information);
    }
    // The rows read before a failure stay in the basket, so the preview follows them either way.
    Q_EMIT tasksOpened();
}

void TaskBasketPane::saveTaskBasket()
{
    if (tasks_.isEmpty())
        return;
    const ui::FileChoice choice = ui::ChooseSaveFile(this, QStringLiteral("Save task basket"), TaskBasketFilter);
    if (choice.path.isEmpty())
        return;
    if (!modSaveOpenImageList::fncSaveTaskBasket(choice.path, tasks_))
        ui::ShowMessage(this, QStringLiteral("Error saving task basket!\r\nPlease try again!"), QMessageBox::Information);
}

}  // namespace lumora
