#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "tasks/TaskBasket.h"
#include "tasks/modSaveOpenImageList.h"

#include "core/Conversions.h"
#include "core/LumoraError.h"

namespace lumora::cli {

int runTasks(const QStringList& arguments)
{
    if (arguments.size() != 1 || arguments.at(0).startsWith(u'-'))
        throw UsageProblem{QStringLiteral("tasks needs exactly one FILE.tbf")};
    ReportCounter reports;
    TaskBasket basket;
    if (!modSaveOpenImageList::fncOpenTaskBasket(arguments.at(0), basket, false))
        return Failure;
    // One line per task, fields separated by tabs: position, kind, name, key, P0 .. P16.
    for (int row = 0; row < basket.size(); ++row) {
        const TaskRecord& task = basket.at(row);
        QStringList fields{QString::number(row + 1), task.kindText(),
                           basket.data(basket.index(row), Qt::DisplayRole).toString(), task.key};
        for (const QString& value : task.params)
            fields << value;
        printOut(fields.join(u'\t'));
    }
    return Success;
}

}  // namespace lumora::cli
