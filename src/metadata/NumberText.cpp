#include "metadata/NumberText.h"

#include "core/LumoraError.h"

#include <cmath>

namespace lumora::modMetadata {

QString NumberText(double value)
{
    if (!std::isfinite(value))
        throw LumoraError(errnum::Overflow, QStringLiteral("Overflow"));
    if (value == 0.0)
        return QStringLiteral("0");  // never "-0"

    // Fifteen significant digits, correctly rounded, from the C-locale scientific form
    // "d.ddddddddddddddde+XX"; the layout is done here so it never depends on Qt's choice between
    // the plain and the scientific form.
    const QString scientific = QString::number(std::fabs(value), 'e', 14);
    const qsizetype e = scientific.indexOf(u'e');
    QString digits = scientific.first(1) + scientific.mid(2, e - 2);
    const int exponent = scientific.mid(e + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);

    QString text = value < 0 ? QStringLiteral("-") : QString();
    if (exponent < -4 || exponent >= 15) {
        text += digits.first(1);
        if (digits.size() > 1)
            text += u'.' + digits.mid(1);
        text += u'E';
        text += exponent < 0 ? u'-' : u'+';
        text += QString::number(std::abs(exponent)).rightJustified(2, u'0');
    } else if (exponent < 0) {
        text += QStringLiteral("0.") + QString(-exponent - 1, u'0') + digits;
    } else {
        const qsizetype whole = exponent + 1;
        if (digits.size() <= whole) {
            text += digits + QString(whole - digits.size(), u'0');
        } else {
            text += digits.first(whole) + u'.' + digits.mid(whole);
        }
    }
    return text;
}

}  // namespace lumora::modMetadata
