#pragma once

#include "shell/FileDialogs.h"
#include "shell/MessageBoxes.h"

#include <QList>

namespace lumora::test {

// While it lives, message boxes and file dialogs do not open: every message is recorded and
// answered from a queue of buttons (OK / the default when the queue is empty), every file
// dialog is recorded and answered from a queue of choices (cancel when empty). The hooks that
// were installed before come back afterwards.
class ScriptedDialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs();
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void answerNextMessage(QMessageBox::StandardButton button) { buttons_.append(button); }
    void answerNextFileDialog(const ui::FileChoice& choice) { choices_.append(choice); }

    const QList<ui::ShownMessage>& messages() const { return messages_; }
    const QList<ui::FileDialogRequest>& fileDialogs() const { return requests_; }
    QStringList messageTexts() const;
    void clear();

private:
    QList<QMessageBox::StandardButton> buttons_;
    QList<ui::FileChoice> choices_;
    QList<ui::ShownMessage> messages_;
    QList<ui::FileDialogRequest> requests_;
    ui::MessageHook previousMessageHook_;
    ui::FileDialogHook previousFileHook_;
};

}  // namespace lumora::test
