#pragma once

#include <QString>

class QWidget;

namespace lumora {

// The help manual: HTML pages with index.html as their start. Lumora reads them from the first
// place that has them: an installed prefix's share/lumora/help beside the executable, the source
// tree's resources/help when it runs from its build folder, else the copy built into Lumora,
// written to <program folder>/help (so that the browser can read it).
//
// helpPagePath returns the index page's path, empty when no place has it and it cannot be
// written. openHelpPage opens it in the default browser, or says that it could not.
QString helpPagePath();
QString openHelpPage(QWidget* parent);
// The built-in copy, written to <program folder>/help; its index page's path, empty on failure.
QString writeHelpPage();

}  // namespace lumora
