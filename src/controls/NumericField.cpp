#include "controls/NumericField.h"

#include <QAbstractSlider>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>

#include <algorithm>

namespace lumora {
namespace {

// Refuses an edit (paste, drop) that would leave a character the key filter does not let
// through. Limits are the business of leaving the field. QLineEdit takes text set by the program
// without asking, and while that text is not acceptable it lets every edit through, so stray
// characters a dialog put there (a value read back from a settings file) can still be deleted.
class AllowedCharacters : public QValidator {
public:
    AllowedCharacters(const NumericEntry& entry, QObject* parent) : QValidator(parent), entry_(entry) {}

    State validate(QString& input, int& /*pos*/) const override
    {
        const bool allowed = std::all_of(input.cbegin(), input.cend(),
                                         [this](QChar c) { return c != u'\b' && entry_.acceptsKey(c); });
        return allowed ? Acceptable : Invalid;
    }

private:
    const NumericEntry& entry_;
};

}  // namespace

NumericField::NumericField(const NumericFieldSpec& spec, QWidget* parent)
    : QLineEdit(parent), entry_(spec)
{
    setValidator(new AllowedCharacters(entry_, this));
    setText(spec.defaultText);
    connect(this, &QLineEdit::textChanged, this, &NumericField::applyChangeRule);
}

void NumericField::setSpec(const NumericFieldSpec& spec)
{
    entry_ = NumericEntry(spec);
    applyChangeRule(text());
}

void NumericField::setCompanion(QAbstractSlider* companion)
{
    disconnect(companionLink_);
    companion_ = companion;
    if (companion)
        companionLink_ = connect(companion, &QAbstractSlider::valueChanged, this,
                                 [this](int value) { setText(QString::number(value)); });
}

int NumericField::value() const { return entry_.valueOf(text()); }

void NumericField::commit()
{
    const QString kept = entry_.onLeave(text());
    if (kept != text())
        setText(kept);
    // The companion may hold a narrower range; when it moves, it writes its value back.
    if (companion_)
        companion_->setValue(value());
    Q_EMIT valueCommitted(value());
}

void NumericField::keyPressEvent(QKeyEvent* event)
{
    // Shortcuts (copy, paste, undo, select all) and keys without a character (arrows, Delete,
    // Home, End, Enter) pass; pasted text meets the validator instead.
    if (!(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        for (const QChar c : event->text()) {
            if (c.isPrint() && !entry_.acceptsKey(c)) {
                event->accept();  // swallowed: the dialog behind must not act on it either
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void NumericField::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // Closing the field's own context menu gives the focus back; that is not entering anew.
    if (event->reason() != Qt::PopupFocusReason)
        applyState(entry_.onEnter(text()));
}

void NumericField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A context menu or a switch to another window keeps the field as the focus of its window:
    // the user has not left it.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        commit();
}

void NumericField::applyChangeRule(const QString& text)
{
    if (const std::optional<EntryState> state = entry_.onChange(text))
        applyState(*state);
}

void NumericField::applyState(const EntryState& state)
{
    if (text() != state.text)
        setText(state.text);
    if (state.selectionLength > 0)
        setSelection(int(state.selectionStart), int(state.selectionLength));
    else
        setCursorPosition(int(state.selectionStart));
}

}  // namespace lumora
