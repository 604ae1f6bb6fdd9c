#include "PlayerSession.h"
#include "SlideShowWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Slide show"));
    lumora::players::PlayerSession session(app);
    if (!session.ok())
        return 1;
    lumora::players::SlideShowWindow window(session);
    lumora::players::showFullScreen(window);
    return app.exec();
}
