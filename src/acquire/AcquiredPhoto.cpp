#include "acquire/AcquiredPhoto.h"

#include "basket/BasketEntryMaker.h"
#include "basket/BasketListView.h"
#include "basket/BasketPanel.h"
#include "core/ErrorReporter.h"
#include "core/ProgramFolder.h"
#include "shell/frmMain.h"

#include <QFileInfo>

namespace lumora {

bool AcquiredPhoto::take(const QString& path, const QString& routine)
{
    BasketPanel& panel = window_.basketPanel();
    QList<BasketEntry> entries;
    try {
        BasketEntryMaker(BasketRoad::AddButton, panel.thumbnailSize(), ProgramFolder::tempFolder()).make(path, entries);
    } catch (const std::exception& error) {
        ReportError(QString::fromUtf8(error.what()), 0, 0, routine);
        return false;
    }
    if (entries.isEmpty()) {
        ReportError(QStringLiteral("'%1' could not be read as a picture").arg(QFileInfo(path).fileName()), 0, 0,
                    routine);
        return false;
    }
    ImageBasket& basket = panel.basket();
    const int row = basket.size();
    basket.append(entries);
    Q_EMIT panel.statusText(QStringLiteral("queue"), basket.countText());
    if (auto* list = qobject_cast<BasketListView*>(panel.basketList()))
        list->selectRows({row});
    window_.previewFromBasket(entries.first().tag);
    return true;
}

}  // namespace lumora
