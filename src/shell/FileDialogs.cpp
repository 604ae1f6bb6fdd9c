#include "shell/FileDialogs.h"

#include <QFileDialog>
#include <QRegularExpression>
#include <QStringList>

#include <utility>

namespace lumora::ui {

namespace {
FileDialogHook& installedHook()
{
    static FileDialogHook hook;
    return hook;
}

FileChoice askHook(FileDialogRequest::Kind kind, const QString& title, const QString& filter,
                   const QString& directory)
{
    return installedHook()(FileDialogRequest{kind, title, filter, directory});
}
}  // namespace

QString QtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].trimmed();
        if (description.isEmpty() && patterns.isEmpty())
            continue;
        description.remove(trailingPatterns);
        QString qtPatterns = patterns;
        qtPatterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << QStringLiteral("%1 (%2)").arg(description, qtPatterns);
    }
    return entries.join(QStringLiteral(";;"));
}

FileChoice ChooseOpenFile(QWidget* parent, const QString& title, const QString& filter, const QString& directory)
{
    if (installedHook())
        return askHook(FileDialogRequest::Kind::OpenFile, title, filter, directory);
    const QString qtFilter = QtFilter(filter);
    QString selected;
    FileChoice choice;
    choice.path = QFileDialog::getOpenFileName(parent, title, directory, qtFilter, &selected);
    choice.filterIndex = std::max<qsizetype>(0, qtFilter.split(QStringLiteral(";;")).indexOf(selected));
    return choice;
}

FileChoice ChooseSaveFile(QWidget* parent, const QString& title, const QString& filter, const QString& directory)
{
    if (installedHook())
        return askHook(FileDialogRequest::Kind::SaveFile, title, filter, directory);
    const QString qtFilter = QtFilter(filter);
    QString selected;
    FileChoice choice;
    // Lumora adds the extension the chosen filter stands for itself, as the batch and basket
    // files expect; the dialog must not add one of its own.
    choice.path = QFileDialog::getSaveFileName(parent, title, directory, qtFilter, &selected,
                                               QFileDialog::DontConfirmOverwrite);
    choice.filterIndex = std::max<qsizetype>(0, qtFilter.split(QStringLiteral(";;")).indexOf(selected));
    return choice;
}

QString ChooseFolder(QWidget* parent, const QString& title, const QString& directory)
{
    if (installedHook())
        return askHook(FileDialogRequest::Kind::Folder, title, QString(), directory).path;
    return QFileDialog::getExistingDirectory(parent, title, directory);
}

FileDialogHook SetFileDialogHook(FileDialogHook hook)
{
    return std::exchange(installedHook(), std::move(hook));
}

}  // namespace lumora::ui
