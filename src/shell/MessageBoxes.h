#pragma once

#include <QMap>
#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace lumora::ui {

// The title of every message box Lumora shows: the application title, a space and its comments.
QString ApplicationName();

// One message box as the user would see it.
struct ShownMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    // Captions of buttons that say what they do instead of the standard ones.
    QMap<QMessageBox::StandardButton, QString> captions;
};

// Shows a modal message box titled ApplicationName() and returns the button pressed.
QMessageBox::StandardButton ShowMessage(QWidget* parent, const QString& text,
                                        QMessageBox::Icon icon = QMessageBox::Information,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// The same with a title of its own, for the few boxes that carry their component's name (the task
// pane's error box is titled "isExplorerBar"). Goes through the same hook.
QMessageBox::StandardButton ShowMessage(QWidget* parent, const QString& title, const QString& text,
                                        QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// A question whose buttons say what they do: `captions` names the standard buttons offered
// (Cancel may keep its own caption by an empty text). Returns the button pressed; Escape gives
// Cancel, Enter the default button.
QMessageBox::StandardButton AskQuestion(QWidget* parent, const QString& text,
                                        const QMap<QMessageBox::StandardButton, QString>& captions,
                                        QMessageBox::StandardButton defaultButton);

// With a hook installed, ShowMessage asks the hook instead of opening a box: widget tests answer
// the questions the window asks. Returns the hook it replaces.
using MessageHook = std::function<QMessageBox::StandardButton(const ShownMessage&)>;
MessageHook SetMessageHook(MessageHook hook);

}  // namespace lumora::ui
