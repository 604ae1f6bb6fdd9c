#pragma once

#include "controls/NumericEntry.h"

#include <QAbstractSlider>
#include <QLineEdit>
#include <QPointer>

namespace lumora {

// The text field every dialog uses for a whole number, with the shared rules of NumericEntry:
// only digits (and "-" where allowed) can be typed, an emptied field shows its default text
// selected, and leaving the field holds the value to its limits.
//
// Pasted or dropped text is checked too: text holding anything the keys could not type is
// refused whole. Text set by the program is taken as it is (and sorted out on leaving).
//
// An optional companion spinner, scroll bar or slider mirrors the value: moving it writes its
// value into the field, and leaving the field sets it.
class NumericField : public QLineEdit {
    Q_OBJECT

public:
    // The field starts with the default text.
    explicit NumericField(const NumericFieldSpec& spec, QWidget* parent = nullptr);

    const NumericFieldSpec& spec() const { return entry_.spec(); }
    // For limits that follow the data (a crop edge limited by the image height). The text is
    // kept until the field is next left or committed.
    void setSpec(const NumericFieldSpec& spec);

    // The companion, or none (nullptr). The field does not own it.
    void setCompanion(QAbstractSlider* companion);
    QAbstractSlider* companion() const { return companion_; }

    // The current text as a 16-bit number (see NumericEntry::valueOf).
    int value() const;

public Q_SLOTS:
    // What leaving the field does: the text held to the limits, the companion set, the value
    // announced. Dialogs call it before reading a field whose focus has not left yet (a default
    // button taken with Enter).
    void commit();

Q_SIGNALS:
    // The field was left (or committed); value is what the field now holds.
    void valueCommitted(int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void applyChangeRule(const QString& text);
    void applyState(const EntryState& state);

    NumericEntry entry_;
    QPointer<QAbstractSlider> companion_;
    QMetaObject::Connection companionLink_;
};

}  // namespace lumora
