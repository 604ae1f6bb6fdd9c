#pragma once

#include <QString>

#include <cstdint>
#include <limits>
#include <optional>

namespace lumora {

// How a numeric field of a dialog is set up. Fields without limits of their own use the whole
// 16-bit range.
struct NumericFieldSpec {
    // What entering the field does with its text.
    enum class OnEnter { CaretAtEnd, SelectAll };

    QString defaultText;  // put back, selected, whenever the field is emptied
    std::int16_t lower = std::numeric_limits<std::int16_t>::min();
    std::int16_t upper = std::numeric_limits<std::int16_t>::max();
    bool allowsMinus = false;  // only the angle fields take a minus sign
    OnEnter onEnter = OnEnter::CaretAtEnd;
};

// The thumbnail width and height boxes of the Settings dialog: 20 to 300 pixels, and entering
// the box selects its whole text.
inline const NumericFieldSpec ThumbnailSizeSpec{QStringLiteral("20"), 20, 300, false,
                                                NumericFieldSpec::OnEnter::SelectAll};

// Text and selection that a rule leaves in the field.
struct EntryState {
    QString text;
    qsizetype selectionStart = 0;
    qsizetype selectionLength = 0;
};

// The behaviour every whole-number field of Lumora shares, one rule per event of the field, free
// of any widget so that each dialog's fields react alike and the rules can be checked alone.
//
// Values are clamped only when the field is left: while typing, a value outside the limits stays
// visible.
class NumericEntry {
public:
    explicit NumericEntry(NumericFieldSpec spec) : spec_(std::move(spec)) {}

    const NumericFieldSpec& spec() const { return spec_; }

    // Whether a typed character reaches the field: the digits, Backspace (U+0008), and "-" in
    // fields that allow it (anywhere, not only first: leaving the field sorts out the rest).
    bool acceptsKey(QChar c) const;

    // Entering the field: the caret after the last character, or the whole text selected.
    EntryState onEnter(const QString& text) const;

    // After any change of the text: an emptied field gets its default text back, all of it
    // selected so that the next key replaces it. Nothing to do otherwise.
    std::optional<EntryState> onChange(const QString& text) const;

    // Leaving the field: the text the field keeps. A value above the upper limit becomes the
    // upper limit; otherwise a value below the lower limit becomes the lower limit; any other
    // number stays as typed ("007" too). A number too long for 16 bits counts with its true
    // value, so it becomes the limit on its side. Text that is not a number at all ("-", "5-")
    // becomes the default text.
    QString onLeave(const QString& text) const;

    // The value of a field's text, for the companion spinner: the text as a number, held to the
    // 16-bit range; text that is not a number counts as the default text (0 when that is not a
    // number either).
    std::int16_t valueOf(const QString& text) const;

private:
    NumericFieldSpec spec_;
};

}  // namespace lumora
