#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace lumora::ui {

// A file chosen in a dialog and the filter it was chosen under (0-based). An empty path means
// the user cancelled.
struct FileChoice {
    QString path;
    int filterIndex = 0;
};

// What a file dialog was asked to show.
struct FileDialogRequest {
    enum class Kind { OpenFile, SaveFile, Folder };
    Kind kind = Kind::OpenFile;
    QString title;
    QString filter;  // as Lumora writes it: "Description|*.x;*.y|Other|*.z|"
    QString directory;
};

// The dialogs' filters are written "Description|patterns|..."; Qt wants "Description (patterns)"
// joined by ";;". A description that already ends in a parenthesised pattern list keeps its
// words and gets the patterns in Qt's space-separated form.
QString QtFilter(const QString& filter);

FileChoice ChooseOpenFile(QWidget* parent, const QString& title, const QString& filter,
                          const QString& directory = QString());
FileChoice ChooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                          const QString& directory = QString());
// The folder browser; empty when cancelled.
QString ChooseFolder(QWidget* parent, const QString& title, const QString& directory = QString());

// With a hook installed the choosers ask the hook instead of opening a dialog (widget tests).
// Returns the hook it replaces.
using FileDialogHook = std::function<FileChoice(const FileDialogRequest&)>;
FileDialogHook SetFileDialogHook(FileDialogHook hook);

}  // namespace lumora::ui
