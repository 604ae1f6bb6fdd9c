#include "tasks/modSaveOpenImageList.h"

#include "core/Conversions.h"
#include "core/CurrentOperation.h"
#include "core/ErrorReporter.h"
#include "core/LumoraError.h"
#include "core/ReportFailures.h"
#include "tasks/TaskBasket.h"
#include "tasks/clsFile.h"

#include <exception>

namespace lumora::modSaveOpenImageList {
namespace {

// Kind, key and the parameter slots.
constexpr int TaskFieldCount = 2 + TaskRecord::SlotCount;

const QString TaskBasketExtension = QStringLiteral(".tbf");

QStringList taskFields(const TaskRecord& task)
{
    QStringList fields;
    fields.reserve(TaskFieldCount);
    fields << task.kindText() << task.key;
    for (const QString& value : task.params)
        fields << value;
    return fields;
}

// The kind is read as a 16-bit number: a kind that is no number makes the file unusable, while an
// unknown number loads as a task that shows no name and does nothing.
TaskRecord taskFromFields(const QStringList& fields)
{
    TaskRecord task;
    task.kind = static_cast<TaskKind>(convert::toInt16(fields.at(0)));
    task.key = fields.at(1);
    for (int i = 0; i < TaskRecord::SlotCount; ++i)
        task.params[static_cast<size_t>(i)] = fields.at(2 + i);
    return task;
}


}  // namespace

QString taskBasketFileName(const QString& path)
{
    if (path.endsWith(TaskBasketExtension, Qt::CaseInsensitive))
        return path;
    return path + TaskBasketExtension;
}

bool fncSaveTaskBasket(const QString& path, const TaskBasket& basket)
{
    static const QString routine = QStringLiteral("modSaveOpenImageList.fncSaveTaskBasket");
    SetCurrentOperation(QStringLiteral("Saving task basket file"));
    if (basket.isEmpty())
        return false;

    int record = 0;
    return reportFailures(routine, record, [&] {
        clsFile file;
        // Not being able to create the file is a failure like any other: the user must not believe
        // a basket saved that was not.
        if (!file.OpenForWrite(taskBasketFileName(path)))
            throw LumoraError(file.lastErrorNumber(), file.lastError());
        for (const TaskRecord& task : basket.tasks()) {
            ++record;
            file.writeRecord(taskFields(task));
        }
        if (!file.closefile())
            throw LumoraError(file.lastErrorNumber(), file.lastError());
    });
}

bool fncOpenTaskBasket(const QString& path, TaskBasket& basket, bool genericIcons)
{
    static const QString routine = QStringLiteral("modSaveOpenImageList.fncOpenTaskBasket");
    SetCurrentOperation(QStringLiteral("Opening task basket file"));
    basket.clear();
    basket.setGenericIcons(genericIcons);

    int record = 0;
    return reportFailures(routine, record, [&] {
        clsFile file;
        if (!file.OpenForRead(path))
            throw LumoraError(file.lastErrorNumber(), file.lastError());
        while (!file.fEof()) {
            ++record;
            const TaskRecord task = taskFromFields(file.readRecord(TaskFieldCount));
            if (!basket.append(task))
                throw LumoraError(errnum::Overflow,
                                  QStringLiteral("Overflow: a task basket holds at most %1 tasks")
                                      .arg(TaskBasket::MaxTasks));
        }
        file.closefile();
    });
}

}  // namespace lumora::modSaveOpenImageList
