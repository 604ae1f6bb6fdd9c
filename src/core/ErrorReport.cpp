#include "core/ErrorReport.h"

namespace lumora {

QString ErrorReport::systemError() const
{
    return QString::number(number) + QStringLiteral(" - ") + description;
}

QString ErrorReport::oneLine() const
{
    QString text = routine + QStringLiteral(": ") + systemError();
    if (line != 0)
        text += QStringLiteral(" (line %1)").arg(line);
    if (!trappingString.isEmpty())
        text += QStringLiteral(" while \"") + trappingString + u'"';
    return text;
}

}  // namespace lumora
