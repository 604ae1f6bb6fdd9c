#include "GreetingWindow.h"
#include "PlayerSession.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Greeting"));
    lumora::players::PlayerSession session(app);
    if (!session.ok())
        return 1;
    lumora::players::GreetingWindow window(session);
    if (!window.hasPicture())
        return lumora::players::PlayerSession::fail(QStringLiteral("The greeting's picture is damaged."));
    window.showOwnSize();
    return app.exec();
}
