#include "shell/SingleInstance.h"

#include "core/AppInfo.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace lumora {
namespace {

// What a hand-over starts with, so that a stray connection is not read as paths.
constexpr quint32 kHandOverMagic = 0x4C4D4F50;  // "LMOP"
// How long a second copy waits for the running one; it only has to read a short list.
constexpr int kHandOverWaitMs = 5000;
constexpr char kTaken = '1';

}  // namespace

SingleInstance::SingleInstance() = default;
SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim(const QString& programFolder)
{
    QDir().mkpath(programFolder);
    lock_ = std::make_unique<QLockFile>(QDir(programFolder).filePath(QStringLiteral("lumora.lock")));
    // A lock file whose process is gone is taken over; a live one is never considered stale.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0))
        return false;
    listen(programFolder);
    return true;
}

QString SingleInstance::serverName(const QString& programFolder)
{
    const QByteArray folder = QDir::cleanPath(QDir(programFolder).absolutePath()).toUtf8();
    const QByteArray digest = QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("lumora-%1-%2").arg(getuid()).arg(QString::fromLatin1(digest));
}

void SingleInstance::listen(const QString& programFolder)
{
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = serverName(programFolder);
    // A socket left by a copy that crashed: the claim says no copy uses it any more.
    if (!server_->listen(name)) {
        QLocalServer::removeServer(name);
        if (!server_->listen(name)) {
            // Without it a second copy shows the "already running" message instead of handing
            // over, which is what every copy did before hand-overs existed.
            server_.reset();
            return;
        }
    }
    connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readHandOver(socket); });
            readHandOver(socket);
        }
    });
}

void SingleInstance::readHandOver(QLocalSocket* socket)
{
    QDataStream in(socket);
    in.setVersion(QDataStream::Qt_6_0);
    in.startTransaction();
    quint32 magic = 0;
    QStringList paths;
    in >> magic >> paths;
    if (!in.commitTransaction())
        return;  // the rest is still on its way
    if (magic != kHandOverMagic) {
        socket->abort();
        return;
    }
    socket->write(&kTaken, 1);
    socket->flush();
    Q_EMIT pathsReceived(paths);
}

bool SingleInstance::handOver(const QString& programFolder, const QStringList& paths)
{
    QLocalSocket socket;
    socket.connectToServer(serverName(programFolder));
    if (!socket.waitForConnected(kHandOverWaitMs))
        return false;
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kHandOverMagic << paths;
    socket.write(message);
    if (!socket.waitForBytesWritten(kHandOverWaitMs))
        return false;
    char answer = 0;
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(kHandOverWaitMs))
            return false;
    }
    return socket.read(&answer, 1) == 1 && answer == kTaken;
}

QString SingleInstance::AlreadyRunningMessage()
{
    return QStringLiteral("There is already an instance of %1 running!\nMultiple instance is unsupported.")
        .arg(QString::fromLatin1(app::Title));
}

}  // namespace lumora
