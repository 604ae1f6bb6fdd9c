#pragma once

#include "shell/ColorDialogs.h"
#include "shell/FileDialogs.h"
#include "shell/MessageBoxes.h"

#include <QList>

#include <cstdint>
#include <optional>

namespace lumora::test {

// While it lives, message boxes, file dialogs and colour dialogs do not open: every message is
// recorded and answered from a queue of buttons (OK / the default when the queue is empty), every
// file dialog is recorded and answered from a queue of choices (cancel when empty), every colour
// dialog is recorded with its initial colour and answered from a queue of colours (cancel when
// empty). The hooks that were installed before come back afterwards.
class ScriptedDialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs();
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void answerNextMessage(QMessageBox::StandardButton button) { buttons_.append(button); }
    void answerNextFileDialog(const ui::FileChoice& choice) { choices_.append(choice); }
    // An OLE colour, or std::nullopt for Cancel.
    void answerNextColor(std::optional<std::uint32_t> color) { colors_.append(color); }

    const QList<ui::ShownMessage>& messages() const { return messages_; }
    const QList<ui::FileDialogRequest>& fileDialogs() const { return requests_; }
    // The initial colour of every colour dialog asked for.
    const QList<std::uint32_t>& colorDialogs() const { return colorRequests_; }
    QStringList messageTexts() const;
    void clear();

private:
    QList<QMessageBox::StandardButton> buttons_;
    QList<ui::FileChoice> choices_;
    QList<ui::ShownMessage> messages_;
    QList<ui::FileDialogRequest> requests_;
    QList<std::optional<std::uint32_t>> colors_;
    QList<std::uint32_t> colorRequests_;
    ui::MessageHook previousMessageHook_;
    ui::FileDialogHook previousFileHook_;
    ui::ColorDialogHook previousColorHook_;
};

}  // namespace lumora::test
