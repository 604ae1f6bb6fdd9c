#include "shows/frmGreetingDemo.h"

#include <QLabel>
#include <QVBoxLayout>

namespace lumora {

frmGreetingDemo::frmGreetingDemo(SetupRecord::Greeting& settings, QWidget* parent)
    : ShowDemoDialog(settings.processTaskBasket, settings.jpegQuality, parent)
{
    setObjectName(QStringLiteral("frmGreetingDemo"));
    setWindowTitle(QStringLiteral("Generate a greeting image"));
    auto* usage = new QLabel(
        QStringLiteral("USAGE: When you run a greeting image, you can press 'F' to toggle between fullscreen and "
                       "fixed image size"),
        this);
    usage->setObjectName(QStringLiteral("lblUsage"));
    usage->setWordWrap(true);
    extraLines()->addWidget(usage);
}

}  // namespace lumora
