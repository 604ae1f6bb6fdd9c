#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;

namespace lumora {

// Drops, from whatever the user just typed, pasted or dropped into a line edit, the characters
// `refused` says no to; the text that was there before stays as it was. Text the program sets
// (a list item chosen, a value from the settings) is never touched: "[EXIF Make & Model]" is a
// token of the naming list although "&" cannot be typed. The filter belongs to the line edit.
class TypingFilter : public QObject {
public:
    TypingFilter(QLineEdit* edit, std::function<bool(QChar)> refused);

private:
    void changed(const QString& text);

    QLineEdit* edit_;
    std::function<bool(QChar)> refused_;
    QString last_;
    bool edited_ = false;
};

}  // namespace lumora
