#include "shell/MessageBoxes.h"

#include "core/AppInfo.h"

#include <QAbstractButton>
#include <QIcon>

#include <utility>

namespace lumora::ui {

namespace {
MessageHook& installedHook()
{
    static MessageHook hook;
    return hook;
}
}  // namespace

QString ApplicationName()
{
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(app::Title), QString::fromUtf8(app::Comments));
}

QMessageBox::StandardButton ShowMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    const ShownMessage message{ApplicationName(), text, icon, buttons, {}};
    if (const MessageHook& hook = installedHook())
        return hook(message);
    QMessageBox box(icon, message.title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton ShowMessage(QWidget* parent, const QString& title, const QString& text,
                                        QMessageBox::Icon icon, QMessageBox::StandardButtons buttons)
{
    const ShownMessage message{title, text, icon, buttons, {}};
    if (const MessageHook& hook = installedHook())
        return hook(message);
    QMessageBox box(icon, title, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton AskQuestion(QWidget* parent, const QString& text,
                                        const QMap<QMessageBox::StandardButton, QString>& captions,
                                        QMessageBox::StandardButton defaultButton)
{
    QMessageBox::StandardButtons buttons;
    for (auto it = captions.begin(); it != captions.end(); ++it)
        buttons |= it.key();
    const ShownMessage message{ApplicationName(), text, QMessageBox::Question, buttons, captions};
    if (const MessageHook& hook = installedHook())
        return hook(message);
    QMessageBox box(QMessageBox::Question, message.title, text, buttons, parent);
    // A button that says what it does loses the standard one's icon (a red "No" on the safe way).
    for (auto it = captions.begin(); it != captions.end(); ++it) {
        if (it.value().isEmpty())
            continue;
        box.button(it.key())->setText(it.value());
        box.button(it.key())->setIcon(QIcon());
    }
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(QMessageBox::Cancel);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

MessageHook SetMessageHook(MessageHook hook)
{
    return std::exchange(installedHook(), std::move(hook));
}

}  // namespace lumora::ui
