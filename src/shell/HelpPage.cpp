#include "shell/HelpPage.h"

#include "core/ProgramFolder.h"
#include "core/WholeFileWrite.h"
#include "shell/MessageBoxes.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QUrl>

namespace lumora {

QString writeHelpPage()
{
    QFile page(QStringLiteral(":/help/index.html"));
    if (!page.open(QIODevice::ReadOnly))
        return {};
    const QByteArray html = page.readAll();
    const QString folder = ProgramFolder::path() + QStringLiteral("/help");
    const QString path = folder + QStringLiteral("/index.html");
    if (!QDir().mkpath(folder))
        return {};
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == html)
        return path;
    if (writeWholeFile(path, html))
        return {};
    return path;
}

QString openHelpPage(QWidget* parent)
{
    const QString path = writeHelpPage();
    if (path.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        ui::ShowMessage(parent, QStringLiteral("The help manual could not be opened."), QMessageBox::Warning);
        return {};
    }
    return path;
}

}  // namespace lumora
