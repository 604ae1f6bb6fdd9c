#include "basket/BasketEntry.h"

#include "core/clsFileInfo.h"

namespace lumora {

void setFileColumns(BasketEntry& entry, const QString& path)
{
    clsFileInfo info;
    info.setFilePath(path);
    entry.fileSize = info.fSizeFormated();
    entry.fileType = info.fType();
}

QString sourceSizeText(int width, int height)
{
    return QString::number(width) + QStringLiteral(" X ") + QString::number(height);
}

}  // namespace lumora
