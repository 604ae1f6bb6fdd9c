#include "PlayerSession.h"

#include <QApplication>
#include <QBuffer>
#include <QImageReader>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace lumora::players {

namespace {

QString ownPackagePath()
{
    // The running executable itself: Lumora appended the show to a copy of this program.
    return QCoreApplication::applicationFilePath();
}

}  // namespace

PlayerSession::PlayerSession(QApplication& app) : package_(ownPackagePath())
{
    bool ok = false;
    const int quitAfter = qEnvironmentVariableIntValue("LUMORA_PLAYER_QUIT_AFTER_MS", &ok);
    if (ok && quitAfter >= 0)
        QTimer::singleShot(quitAfter, &app, [] { QCoreApplication::exit(0); });
    if (!package_.isValid()) {
        fail(package_.error());
        return;
    }
    // A first picture that is no JPEG at all is damage too; its header is enough to tell.
    QByteArray bytes = package_.pictureBytes(0);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "jpeg");
    if (!reader.canRead() || !reader.size().isValid()) {
        failed_ = true;
        fail(QStringLiteral("The show's first picture is damaged."));
    }
}

int PlayerSession::fail(const QString& message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    std::fflush(stderr);
    QMessageBox::critical(nullptr, QCoreApplication::applicationName(), message);
    return 1;
}

QImage PlayerSession::picture(int i, QSize fitInto) const
{
    QByteArray bytes = package_.pictureBytes(i);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoTransform(true);
    // Large photos decode straight to the size they are shown at.
    if (!fitInto.isEmpty() && reader.canRead()) {
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            fitInto.transpose();
        const QSize size = reader.size();
        if (size.width() > fitInto.width() || size.height() > fitInto.height())
            reader.setScaledSize(size.scaled(fitInto, Qt::KeepAspectRatio));
    }
    QImage image = reader.read();
    if (image.isNull())
        std::fprintf(stderr, "Picture %d of the show cannot be shown: %s\n", i + 1,
                     qPrintable(reader.errorString()));
    return image;
}

void PlayerSession::pictureShown(QWidget& window)
{
    static bool written = false;
    const QString path = qEnvironmentVariable("LUMORA_PLAYER_SNAPSHOT");
    if (written || path.isEmpty())
        return;
    written = true;
    // After the paint that showed the picture has ended: a grab paints the window once more.
    QTimer::singleShot(0, &window, [&window, path] {
        const bool saved = window.grab().save(path, "PNG");
        QCoreApplication::exit(saved ? 0 : 1);
    });
}

void showFullScreen(QWidget& window)
{
    window.setGeometry(window.screen()->geometry());
    window.showFullScreen();
}

QRect fittedRect(QSize picture, const QRect& box)
{
    QSize size = picture;
    if (size.width() > box.width() || size.height() > box.height())
        size = size.scaled(box.size(), Qt::KeepAspectRatio);
    QRect rect(QPoint(0, 0), size);
    rect.moveCenter(box.center());
    return rect;
}

}  // namespace lumora::players
