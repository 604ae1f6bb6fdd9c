#include "shell/HelpPage.h"

#include "core/InstalledLayout.h"
#include "core/ProgramFolder.h"
#include "core/WholeFileWrite.h"
#include "shell/MessageBoxes.h"

#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace lumora {
namespace {

const QString IndexPage = QStringLiteral("index.html");

QString indexIn(const QString& folder)
{
    const QString path = folder + u'/' + IndexPage;
    return QFileInfo(path).isFile() ? path : QString();
}

}  // namespace

QString writeHelpPage()
{
    const QString folder = ProgramFolder::path() + QStringLiteral("/help");
    if (!QDir().mkpath(folder))
        return {};
    QDirIterator pages(QStringLiteral(":/help"), QDir::Files);
    while (pages.hasNext()) {
        QFile page(pages.next());
        if (!page.open(QIODevice::ReadOnly))
            return {};
        const QByteArray content = page.readAll();
        const QString path = folder + u'/' + pages.fileName();
        QFile existing(path);
        if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
            continue;
        existing.close();
        if (writeWholeFile(path, content))
            return {};
    }
    return indexIn(folder);
}

QString helpPagePath()
{
    QString path = indexIn(InstalledLayout::shareFolder() + QStringLiteral("/help"));
#ifdef LUMORA_HELP_SOURCE_DIR
    if (path.isEmpty())
        path = indexIn(QStringLiteral(LUMORA_HELP_SOURCE_DIR));
#endif
    return path.isEmpty() ? writeHelpPage() : path;
}

QString openHelpPage(QWidget* parent)
{
    const QString path = helpPagePath();
    if (path.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        ui::ShowMessage(parent, QStringLiteral("The help manual could not be opened."), QMessageBox::Warning);
        return {};
    }
    return path;
}

}  // namespace lumora
