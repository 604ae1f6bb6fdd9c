#pragma once

#include "shell/ColorDialogs.h"
#include "shell/FileDialogs.h"
#include "shell/MessageBoxes.h"

#include <QList>
#include <QStringList>

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
    ScriptedDialogs()
        : previousMessageHook_(ui::SetMessageHook([this](const ui::ShownMessage& message) {
              messages_.append(message);
              if (!buttons_.isEmpty())
                  return buttons_.takeFirst();
              if (message.buttons.testFlag(QMessageBox::Ok))
                  return QMessageBox::Ok;
              return message.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::NoButton;
          })),
          previousFileHook_(ui::SetFileDialogHook([this](const ui::FileDialogRequest& request) {
              requests_.append(request);
              return choices_.isEmpty() ? ui::FileChoice{} : choices_.takeFirst();
          })),
          previousColorHook_(ui::SetColorDialogHook([this](std::uint32_t initial) {
              colorRequests_.append(initial);
              return colors_.isEmpty() ? std::optional<std::uint32_t>() : colors_.takeFirst();
          }))
    {
    }
    ~ScriptedDialogs()
    {
        ui::SetMessageHook(std::move(previousMessageHook_));
        ui::SetFileDialogHook(std::move(previousFileHook_));
        ui::SetColorDialogHook(std::move(previousColorHook_));
    }
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
    QStringList messageTexts() const
    {
        QStringList texts;
        for (const ui::ShownMessage& message : messages_)
            texts << message.text;
        return texts;
    }
    void clear()
    {
        messages_.clear();
        requests_.clear();
        colorRequests_.clear();
    }

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
