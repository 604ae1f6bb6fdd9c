#include "controls/NumericEntry.h"

#include <algorithm>

namespace lumora {
namespace {

// Far outside the 16-bit range, so saturating there keeps every comparison with a limit right.
constexpr qint64 Saturation = 1'000'000;

// A whole number with an optional leading minus and nothing else; digits past the 16-bit range
// saturate rather than overflow.
std::optional<qint64> parseWhole(const QString& text)
{
    const bool negative = text.startsWith(u'-');
    const QStringView digits = QStringView(text).mid(negative ? 1 : 0);
    if (digits.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = std::min(value * 10 + (c.unicode() - u'0'), Saturation);
    }
    return negative ? -value : value;
}

}  // namespace

bool NumericEntry::acceptsKey(QChar c) const
{
    return (c >= u'0' && c <= u'9') || c == u'\b' || (c == u'-' && spec_.allowsMinus);
}

EntryState NumericEntry::onEnter(const QString& text) const
{
    if (spec_.onEnter == NumericFieldSpec::OnEnter::SelectAll)
        return {text, 0, text.size()};
    return {text, text.size(), 0};
}

std::optional<EntryState> NumericEntry::onChange(const QString& text) const
{
    if (!text.isEmpty())
        return std::nullopt;
    return EntryState{spec_.defaultText, 0, spec_.defaultText.size()};
}

QString NumericEntry::onLeave(const QString& text) const
{
    const std::optional<qint64> value = parseWhole(text);
    if (!value)
        return spec_.defaultText;
    if (*value > spec_.upper)
        return QString::number(spec_.upper);
    if (*value < spec_.lower)
        return QString::number(spec_.lower);
    return text;
}

std::int16_t NumericEntry::valueOf(const QString& text) const
{
    std::optional<qint64> value = parseWhole(text);
    if (!value)
        value = parseWhole(spec_.defaultText);
    return static_cast<std::int16_t>(
        std::clamp<qint64>(value.value_or(0), std::numeric_limits<std::int16_t>::min(),
                           std::numeric_limits<std::int16_t>::max()));
}

}  // namespace lumora
