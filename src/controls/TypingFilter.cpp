#include "controls/TypingFilter.h"

#include <QLineEdit>

#include <algorithm>

namespace lumora {

TypingFilter::TypingFilter(QLineEdit* edit, std::function<bool(QChar)> refused)
    : QObject(edit), edit_(edit), refused_(std::move(refused)), last_(edit->text())
{
    connect(edit, &QLineEdit::textEdited, this, [this] { edited_ = true; });
    connect(edit, &QLineEdit::textChanged, this, &TypingFilter::changed);
}

// QLineEdit announces a user edit with textEdited just before textChanged, so the text before
// the edit is the one last seen by textChanged; the inserted part is what lies between the
// unchanged beginning and end.
void TypingFilter::changed(const QString& text)
{
    if (!edited_) {
        last_ = text;
        return;
    }
    edited_ = false;
    const qsizetype limit = std::min(last_.size(), text.size());
    qsizetype head = 0;
    while (head < limit && last_.at(head) == text.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < limit - head && last_.at(last_.size() - 1 - tail) == text.at(text.size() - 1 - tail))
        ++tail;
    QString inserted = text.mid(head, text.size() - head - tail);
    inserted.removeIf(refused_);
    const QString kept = text.left(head) + inserted + text.right(tail);
    last_ = kept;
    if (kept != text) {
        edit_->setText(kept);
        edit_->setCursorPosition(static_cast<int>(head + inserted.size()));
    }
}

}  // namespace lumora
