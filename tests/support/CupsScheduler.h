#pragma once

#include "support/Oracles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <cups/cups.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace lumora::test {

// A CUPS scheduler of the test's own, with one cups-pdf queue that is the default destination:
// cupsd -f on a private configuration, spool, log and socket in a temporary folder; this
// process and the programs it starts talk to it (CUPS_SERVER, cupsSetServer). The queue's PDFs
// land in outFolder(). cups-pdf reads its settings only under /etc/cups, per queue from
// cups-pdf-QUEUE.conf, so that one file is written there and removed again. Start it once per
// test suite: libcups keeps the server it first talked to.
class CupsScheduler {
public:
    ~CupsScheduler() { stop(); }

    // False with error() when the scheduler or the queue cannot be set up.
    bool start()
    {
        if (!dir_.isValid())
            return fail(QStringLiteral("no temporary folder"));
        root_ = dir_.path();
        // The filters run as the lp user and must reach the spool and temporary folders.
        QFile::setPermissions(root_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                         | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        for (const char* sub : {"spool", "cache", "state", "log", "run", "out", "tmp"})
            QDir(root_).mkpath(QString::fromLatin1(sub));
        ::chmod(QFile::encodeName(root_ + QStringLiteral("/tmp")).constData(), 01777);
        socket_ = root_ + QStringLiteral("/run/cups.sock");
        queue_ = QStringLiteral("lumora_test_%1").arg(QCoreApplication::applicationPid());
        write(QStringLiteral("cupsd.conf"),
              QStringLiteral("Listen %1\nLogLevel warn\nWebInterface No\nBrowsing No\n"
                             "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n")
                  .arg(socket_));
        write(QStringLiteral("cups-files.conf"),
              QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                             "TempDir %1/tmp\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                             "PageLog %1/log/page_log\nSandboxing Relaxed\n")
                  .arg(root_));
        cupsPdfConf_ = QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(queue_);
        QFile conf(cupsPdfConf_);
        if (!conf.open(QIODevice::WriteOnly))
            return fail(QStringLiteral("cannot write %1 (run as root, with printer-driver-cups-pdf installed)")
                            .arg(cupsPdfConf_));
        conf.write(
            QStringLiteral(
                "Out %1/out\nSpool %1/cups-pdf-spool\nLog %1/log\nAnonDirName %1/out\nUserPrefix\nLabel 1\nGrp root\n")
                .arg(root_)
                .toUtf8());
        conf.close();

        cupsd_ = std::make_unique<QProcess>();
        cupsd_->setProcessChannelMode(QProcess::MergedChannels);
        cupsd_->start(tool(QStringLiteral("cupsd")),
                      {QStringLiteral("-f"), QStringLiteral("-c"), root_ + QStringLiteral("/cupsd.conf"),
                       QStringLiteral("-s"), root_ + QStringLiteral("/cups-files.conf")});
        if (!cupsd_->waitForStarted())
            return fail(QStringLiteral("cupsd does not start (is the cups package installed?)"));
        qputenv("CUPS_SERVER", socket_.toUtf8());
        cupsSetServer(socket_.toUtf8().constData());
        if (!poll([] {
                return runTool(QStringLiteral("lpstat"), {QStringLiteral("-r")})
                    .out.startsWith(QStringLiteral("scheduler is running"));
            }))
            return fail(QStringLiteral("cupsd did not come up: ") + QString::fromUtf8(cupsd_->readAll()) + log());
        const ToolResult added = runTool(tool(QStringLiteral("lpadmin")),
                                         {QStringLiteral("-p"), queue_, QStringLiteral("-E"), QStringLiteral("-v"),
                                          QStringLiteral("cups-pdf:/") + queue_, QStringLiteral("-m"),
                                          QStringLiteral("lsb/usr/cups-pdf/CUPS-PDF_opt.ppd")});
        if (added.exitCode != 0
            || runTool(tool(QStringLiteral("lpadmin")), {QStringLiteral("-d"), queue_}).exitCode != 0)
            return fail(QStringLiteral("cannot add the cups-pdf queue: ") + added.err);
        return true;
    }

    void stop()
    {
        if (cupsd_) {
            cupsd_->terminate();
            if (!cupsd_->waitForFinished(10000))
                cupsd_->kill();
            cupsd_.reset();
        }
        if (!cupsPdfConf_.isEmpty())
            QFile::remove(cupsPdfConf_);
    }

    QString error() const { return error_; }
    QString queue() const { return queue_; }
    QString outFolder() const { return root_ + QStringLiteral("/out"); }

    // Waits until no job is pending and the queue wrote count PDFs; returns them in job order.
    QStringList waitForPdfs(int count) const
    {
        QStringList pdfs;
        poll([&] {
            pdfs = QDir(outFolder()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
            return pdfs.size() >= count && runTool(QStringLiteral("lpstat"), {QStringLiteral("-o")}).out.isEmpty();
        });
        const QRegularExpression job(QStringLiteral("job_(\\d+)"));
        std::sort(pdfs.begin(), pdfs.end(), [&](const QString& a, const QString& b) {
            return job.match(a).captured(1).toInt() < job.match(b).captured(1).toInt();
        });
        for (QString& pdf : pdfs)
            pdf = outFolder() + u'/' + pdf;
        return pdfs;
    }

    // Every job the scheduler was given, finished or not.
    int jobCount() const
    {
        return int(
            runTool(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")})
                .out.count(u'\n'));
    }

private:
    // cupsd and lpadmin live in sbin, which a user's PATH may lack.
    static QString tool(const QString& name)
    {
        const QString found = QStandardPaths::findExecutable(name);
        return found.isEmpty()
                   ? QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")})
                   : found;
    }
    // Readiness, not speed: generous, and only a scheduler that never gets there fails.
    static bool poll(const std::function<bool()>& condition)
    {
        const QDeadlineTimer deadline(60000);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents();
            QThread::msleep(100);
        }
        return true;
    }
    void write(const QString& name, const QString& text) const
    {
        QFile file(root_ + u'/' + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(text.toUtf8());
    }
    QString log() const
    {
        QFile file(root_ + QStringLiteral("/log/error_log"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    bool fail(const QString& message)
    {
        error_ = QStringLiteral("the test's CUPS scheduler: ") + message;
        return false;
    }

    QTemporaryDir dir_;
    QString root_;
    QString socket_;
    QString queue_;
    QString cupsPdfConf_;
    QString error_;
    std::unique_ptr<QProcess> cupsd_;
};

}  // namespace lumora::test
