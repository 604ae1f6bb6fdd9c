#include "support/HeadlessBrowser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

namespace lumora::test {
namespace {

// Runs after the load event, when every image has either loaded or failed. The report is
// percent-encoded so that the serialised DOM carries it unchanged between two markers.
constexpr char ReportScript[] = R"(
<script>
window.addEventListener('load', function () {
  var report = { images: [], links: [] };
  for (var img of document.images)
    report.images.push({ src: img.getAttribute('src') || '', ok: img.complete && img.naturalWidth > 0 });
  for (var a of document.querySelectorAll('a[href]'))
    report.links.push({ href: a.getAttribute('href'), url: a.href });
  var out = document.createElement('pre');
  // The marker is split here so that the script's own text in the DOM does not match it.
  out.textContent = 'LUMORA-' + 'REPORT[' + encodeURIComponent(JSON.stringify(report)) + ']LUMORA-' + 'REPORT';
  document.documentElement.appendChild(out);
});
</script>
)";

// Generous: a cold start of Chromium on a loaded CI machine takes seconds. Only a hung browser
// reaches it.
constexpr int BrowserLimitMs = 120000;

QString browserProgram()
{
    const QString chosen = qEnvironmentVariable("LUMORA_CHROMIUM");
    return chosen.isEmpty() ? QStringLiteral("chromium") : chosen;
}

// Runs the browser with a profile of its own, so that parallel tests do not share one. Fills
// error when it did not start or did not end well.
QByteArray runBrowser(const QStringList& arguments, QString& error)
{
    QTemporaryDir profile;
    QProcess process;
    process.start(browserProgram(),
                  QStringList{QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                              QStringLiteral("--disable-gpu"), QStringLiteral("--no-first-run"),
                              QStringLiteral("--user-data-dir=") + profile.path()}
                      + arguments);
    if (!process.waitForStarted(BrowserLimitMs)) {
        error = QStringLiteral("headless browser check: cannot start '%1' (%2); install it with "
                               "scripts/install-deps.sh or name another one in LUMORA_CHROMIUM")
                    .arg(browserProgram(), process.errorString());
        return {};
    }
    if (!process.waitForFinished(BrowserLimitMs)) {
        process.kill();
        process.waitForFinished();
        error = QStringLiteral("headless browser check: '%1' did not finish").arg(browserProgram());
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        error = QStringLiteral("headless browser check: '%1' failed (exit code %2): %3")
                    .arg(browserProgram())
                    .arg(process.exitCode())
                    .arg(QString::fromLocal8Bit(process.readAllStandardError().right(2000)));
    return process.readAllStandardOutput();
}

bool linkTargetMissing(const QString& url)
{
    const QUrl target(url);
    if (!target.isLocalFile())
        return false;
    return !QFileInfo::exists(target.toLocalFile());
}

}  // namespace

PageCheck HeadlessBrowser::check(const QString& htmlFile)
{
    PageCheck result;
    const QFileInfo page(htmlFile);
    QFile source(page.absoluteFilePath());
    if (!source.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("headless browser check: cannot read %1").arg(htmlFile);
        return result;
    }
    const QByteArray base = "<base href=\"" + QUrl::fromLocalFile(page.absolutePath() + u'/').toEncoded() + "\">";

    QTemporaryDir work;
    const QString copy = work.filePath(QStringLiteral("page.html"));
    QFile out(copy);
    if (!work.isValid() || !out.open(QIODevice::WriteOnly)
        || out.write(base + source.readAll() + ReportScript) < 0 || !out.flush()) {
        result.error = QStringLiteral("headless browser check: cannot write the page copy");
        return result;
    }
    out.close();

    const QByteArray dom = runBrowser({QStringLiteral("--allow-file-access-from-files"),
                                       QStringLiteral("--run-all-compositor-stages-before-draw"),
                                       QStringLiteral("--virtual-time-budget=10000"), QStringLiteral("--dump-dom"),
                                       QUrl::fromLocalFile(copy).toString()},
                                      result.error);
    if (!result.error.isEmpty())
        return result;

    static const QRegularExpression marker(QStringLiteral(R"(LUMORA-REPORT\[([^\]]*)\]LUMORA-REPORT)"));
    const QRegularExpressionMatch match = marker.match(QString::fromUtf8(dom));
    const QJsonObject report =
        match.hasMatch() ? QJsonDocument::fromJson(QUrl::fromPercentEncoding(match.captured(1).toLatin1()).toUtf8()).object()
                         : QJsonObject();
    if (report.isEmpty()) {
        result.error = QStringLiteral("headless browser check: the browser gave no report for %1").arg(htmlFile);
        return result;
    }
    const QJsonArray images = report.value(QStringLiteral("images")).toArray();
    const QJsonArray links = report.value(QStringLiteral("links")).toArray();
    result.imageCount = int(images.size());
    result.linkCount = int(links.size());
    for (const QJsonValue& image : images)
        if (!image[QStringLiteral("ok")].toBool())
            result.brokenImages << image[QStringLiteral("src")].toString();
    for (const QJsonValue& link : links)
        if (linkTargetMissing(link[QStringLiteral("url")].toString()))
            result.brokenLinks << link[QStringLiteral("href")].toString();
    return result;
}

QString HeadlessBrowser::screenshot(const QString& htmlFile, const QString& pngFile, QSize windowSize)
{
    QString error;
    runBrowser({QStringLiteral("--hide-scrollbars"),
                QStringLiteral("--window-size=%1,%2").arg(windowSize.width()).arg(windowSize.height()),
                QStringLiteral("--screenshot=") + QFileInfo(pngFile).absoluteFilePath(),
                QUrl::fromLocalFile(QFileInfo(htmlFile).absoluteFilePath()).toString()},
               error);
    if (error.isEmpty() && !QFileInfo(pngFile).size())
        error = QStringLiteral("headless browser check: no screenshot was written to %1").arg(pngFile);
    return error;
}

}  // namespace lumora::test
