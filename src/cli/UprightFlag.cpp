#include "cli/UprightFlag.h"

#include "core/UprightPhotos.h"

namespace lumora::cli {

QStringList takeUprightFlag(const QString& command, const QStringList& arguments)
{
    static const QStringList readingPhotos{QStringLiteral("apply"), QStringLiteral("thumb"),
                                           QStringLiteral("convert"), QStringLiteral("save"),
                                           QStringLiteral("print"), QStringLiteral("album"),
                                           QStringLiteral("show")};
    if (!readingPhotos.contains(command))
        return arguments;
    QStringList kept;
    bool upright = true;
    for (const QString& argument : arguments) {
        if (argument == u"--auto-orient")
            upright = true;
        else if (argument == u"--no-auto-orient")
            upright = false;
        else
            kept.append(argument);
    }
    UprightPhotos::setEnabled(upright);
    return kept;
}

}  // namespace lumora::cli
