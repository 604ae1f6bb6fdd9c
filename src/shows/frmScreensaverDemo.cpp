#include "shows/frmScreensaverDemo.h"

namespace lumora {

frmScreensaverDemo::frmScreensaverDemo(SetupRecord::Screensaver& settings, QWidget* parent)
    : ShowDemoDialog(settings.processTaskBasket, settings.jpegQuality, parent)
{
    setObjectName(QStringLiteral("frmScreensaverDemo"));
    setWindowTitle(QStringLiteral("Generate a screensaver"));
}

}  // namespace lumora
