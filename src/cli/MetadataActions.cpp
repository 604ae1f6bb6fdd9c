#include "cli/MetadataActions.h"

#include "cli/CliSupport.h"

namespace lumora::cli {

int runMetadataAction(const QString& command, const QStringList& arguments, const MetadataActions& actions)
{
    const QString action = arguments.value(0);
    const QStringList rest = arguments.mid(1);
    if (action == u"set")
        return actions.set(rest);
    if (action == u"delete")
        return actions.remove(rest);
    if (action == u"clear")
        return actions.clear(rest);
    if (action == u"export")
        return actions.exportTo(rest);
    if (action == u"import")
        return actions.importFrom(rest);
    if (action.isEmpty())
        throw UsageProblem{QStringLiteral("%1 needs set, delete, clear, export or import").arg(command)};
    throw UsageProblem{
        QStringLiteral("unknown %1 command \"%2\"; give set, delete, clear, export or import").arg(command, action)};
}

}  // namespace lumora::cli
