#pragma once

#include <QIcon>
#include <QString>

namespace lumora {

// The icons of the metadata pane's command bars: the desktop theme's icon of that name
// ("document-edit", "list-add", "list-remove", "edit-clear-all", "document-open",
// "document-save"), or a drawing of Lumora's own where the theme has none, so the commands show
// under any desktop.
QIcon metadataBarIcon(const QString& themeName);

}  // namespace lumora
