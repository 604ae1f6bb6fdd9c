#pragma once

#include <QString>

class QWidget;

namespace lumora {

// The help manual is an HTML page built into Lumora. Opening it writes it to
// <program folder>/help/index.html (so the browser can read it) and opens it in the default
// browser. Returns the path written, empty when it could not be written.
QString openHelpPage(QWidget* parent);
QString writeHelpPage();

}  // namespace lumora
