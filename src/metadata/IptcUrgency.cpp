#include "metadata/IptcUrgency.h"

#include "core/Conversions.h"

namespace lumora::modMetadata {

const QStringList& UrgencyItems()
{
    static const QStringList items{QStringLiteral(" 1"), QStringLiteral(" 2"), QStringLiteral(" 3"),
                                   QStringLiteral(" 4"), QStringLiteral(" 5"), QStringLiteral(" 6"),
                                   QStringLiteral(" 7"), QStringLiteral(" 8"), QStringLiteral("None")};
    return items;
}

QString UrgencyText(int urgency)
{
    return urgency == 0 ? QStringLiteral("None") : QStringLiteral(" ") + QString::number(urgency);
}

int UrgencyOfText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed == u"None")
        return 0;
    return convert::toInt32(trimmed);
}

}  // namespace lumora::modMetadata
