#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QLocalServer;
class QLocalSocket;

namespace lumora {

// Lumora runs once per program folder: a second copy would write the same settings file at exit
// and lose the first copy's changes. The claim is a lock file in the program folder that holds
// the owner's process id, so a copy that crashed does not keep later starts out.
//
// The copy that holds the claim also listens on a local socket named after the program folder.
// A second copy started with photos or folders (a file manager's "Open with") hands them over
// there and ends; the running window opens them.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    SingleInstance();
    ~SingleInstance() override;

    // Tries to claim the program folder and starts listening for hand-overs; false when another
    // running copy holds it.
    bool claim(const QString& programFolder);
    bool claimed() const { return lock_ && lock_->isLocked(); }

    // Hands paths to the copy that holds programFolder. True once that copy has taken them;
    // false when none listens (none runs, or it is still starting).
    static bool handOver(const QString& programFolder, const QStringList& paths);

    // The local socket's name for a program folder: one per folder and user.
    static QString serverName(const QString& programFolder);

    // "There is already an instance of Lumora running!" and the second line.
    static QString AlreadyRunningMessage();

Q_SIGNALS:
    // Paths another copy handed over, as it was given them (made absolute).
    void pathsReceived(const QStringList& paths);

private:
    void listen(const QString& programFolder);
    void readHandOver(QLocalSocket* socket);

    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
};

}  // namespace lumora
