#include "tasks/NoteOptions.h"

#include "tasks/TaskIconPainting.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace lumora {

NoteOptions::NoteOptions(const TaskKindInfo& info, QWidget* parent) : TaskOptionPage(info, parent)
{
    showNote(QStringLiteral("No Options Available. Click 'Preview' or 'Confirm' below to continue."));
}

NoteOptions::NoteOptions(QWidget* parent)
    : TaskOptionPage(TaskKind::None, QStringLiteral("nothing"), QStringLiteral("Options"), parent)
{
    showNote(QStringLiteral("Select a task from above, or click finish button to exit edit mode."));
}

void NoteOptions::showNote(const QString& text)
{
    QGridLayout* grid = pageGrid();
    grid->addWidget(note(text, QStringLiteral("lblNote")), 0, 0);
    grid->setRowStretch(1, 1);
}

NoteOptions* NoteOptions::nothing(QWidget* parent) { return new NoteOptions(parent); }

void NoteOptions::loadOptions(const SetupRecord::TaskDefaults&, const TaskViewContext&) {}

void NoteOptions::storeOptions(SetupRecord::TaskDefaults&) const {}

TaskRecord NoteOptions::record(const TaskViewContext&) const
{
    return TaskRecord(kind(), key());
}


// The page's task icon, on the 24 x 24 grid of every task icon.
void drawInvertIcon(QPainter& p)
{
    using namespace iconpaint;
    p.setPen(pen(Ink, 1));
    p.setBrush(Ink);
    p.drawRect(QRectF(2.5, 2.5, 12, 12));
    p.setBrush(Paper);
    p.drawRect(QRectF(9.5, 9.5, 12, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(Paper);
    p.drawEllipse(QPointF(7, 7), 2.5, 2.5);
    p.setBrush(Ink);
    p.drawEllipse(QPointF(17, 17), 2.5, 2.5);
}

}  // namespace lumora
