#include "tasks/NoteOptions.h"

#include <QGridLayout>
#include <QLabel>

namespace lumora {

NoteOptions::NoteOptions(int kind, const QString& key, const QString& title, const QString& text, QWidget* parent)
    : TaskOptionPage(kind, key, title, parent)
{
    QGridLayout* grid = pageGrid();
    grid->addWidget(note(text, QStringLiteral("lblNote")), 0, 0);
    grid->setRowStretch(1, 1);
}

NoteOptions* NoteOptions::invert(QWidget* parent)
{
    return new NoteOptions(static_cast<int>(TaskKind::Negative), QStringLiteral("invert"),
                           QStringLiteral("Task Option - Invert"),
                           QStringLiteral("No Options Available. Click 'Preview' or 'Confirm' below to continue."),
                           parent);
}

NoteOptions* NoteOptions::nothing(QWidget* parent)
{
    return new NoteOptions(0, QStringLiteral("nothing"), QStringLiteral("Options"),
                           QStringLiteral("Select a task from above, or click finish button to exit edit mode."),
                           parent);
}

void NoteOptions::loadOptions(const SetupRecord::TaskDefaults&, const TaskViewContext&) {}

void NoteOptions::storeOptions(SetupRecord::TaskDefaults&) const {}

TaskRecord NoteOptions::record(const TaskViewContext&) const
{
    return TaskRecord(static_cast<TaskKind>(kind()), key());
}

}  // namespace lumora
