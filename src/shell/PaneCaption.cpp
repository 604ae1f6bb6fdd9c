#include "shell/PaneCaption.h"

#include <QLabel>

namespace lumora {

QLabel* makePaneCaption(const QString& text, const QString& objectName, QWidget* parent)
{
    auto* caption = new QLabel(text, parent);
    caption->setObjectName(objectName);
    QFont font = caption->font();
    font.setBold(true);
    caption->setFont(font);
    caption->setContentsMargins(4, 3, 4, 3);
    return caption;
}

}  // namespace lumora
