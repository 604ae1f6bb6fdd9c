#include "support/ScriptedDialogs.h"

#include <QStringList>

namespace lumora::test {

ScriptedDialogs::ScriptedDialogs()
{
    previousMessageHook_ = ui::SetMessageHook([this](const ui::ShownMessage& message) {
        messages_.append(message);
        if (!buttons_.isEmpty())
            return buttons_.takeFirst();
        if (message.buttons.testFlag(QMessageBox::Ok))
            return QMessageBox::Ok;
        if (message.buttons.testFlag(QMessageBox::Yes))
            return QMessageBox::Yes;
        return QMessageBox::NoButton;
    });
    previousFileHook_ = ui::SetFileDialogHook([this](const ui::FileDialogRequest& request) {
        requests_.append(request);
        return choices_.isEmpty() ? ui::FileChoice{} : choices_.takeFirst();
    });
    previousColorHook_ = ui::SetColorDialogHook([this](std::uint32_t initial) {
        colorRequests_.append(initial);
        return colors_.isEmpty() ? std::optional<std::uint32_t>() : colors_.takeFirst();
    });
}

ScriptedDialogs::~ScriptedDialogs()
{
    ui::SetMessageHook(std::move(previousMessageHook_));
    ui::SetFileDialogHook(std::move(previousFileHook_));
    ui::SetColorDialogHook(std::move(previousColorHook_));
}

QStringList ScriptedDialogs::messageTexts() const
{
    QStringList texts;
    for (const ui::ShownMessage& message : messages_)
        texts << message.text;
    return texts;
}

void ScriptedDialogs::clear()
{
    messages_.clear();
    requests_.clear();
    colorRequests_.clear();
}

}  // namespace lumora::test
