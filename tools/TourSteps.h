#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <functional>

namespace lumora::tools {

// The steps the window tours are made of: letting the window work for a while, waiting for a
// state, and a screenshot of the whole screen. For the tours only, never for tests.

inline void pump(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

inline void waitUntil(const std::function<bool()>& done, int limitMs = 60000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

// Saves the screen as FOLDER/NAME.png and prints the path.
inline void shoot(const QString& folder, const QString& name)
{
    pump(300);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    shot.save(path);
    std::printf("%s\n", qPrintable(path));
}

}  // namespace lumora::tools
