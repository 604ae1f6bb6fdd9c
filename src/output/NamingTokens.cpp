#include "output/NamingTokens.h"

namespace lumora {

const QStringList& namingTokens()
{
    static const QStringList tokens{
        QStringLiteral("[No Prefix]"),
        QStringLiteral("[Resulting resolution]"),
        QStringLiteral("[Resulting size]"),
        QStringLiteral("[Date Today-Time]"),
        QStringLiteral("[Date Today]"),
        QStringLiteral("[Source resolution]"),
        QStringLiteral("[Source size]"),
        QStringLiteral("[Source Date Created]"),
        QStringLiteral("[Source Date Modified]"),
        QStringLiteral("[Source Date Accessed]"),
        QStringLiteral("[EXIF Image Description]"),
        QStringLiteral("[EXIF Artist]"),
        QStringLiteral("[EXIF Date]"),
        QStringLiteral("[EXIF Date-Time]"),
        QStringLiteral("[EXIF Make]"),
        QStringLiteral("[EXIF Model]"),
        QStringLiteral("[EXIF Make & Model]"),
        QStringLiteral("[EXIF X-Y Dimension]"),
        QStringLiteral("[IPTC Headline]"),
        QStringLiteral("[IPTC Caption]"),
        QStringLiteral("[IPTC Author]"),
        QStringLiteral("[IPTC Date Created]"),
        QStringLiteral("[IPTC Date Released]"),
        QStringLiteral("[IPTC Ref. Date]"),
        QStringLiteral("[IPTC Ref. Number]"),
    };
    return tokens;
}

const QStringList& namingSeparators()
{
    static const QStringList separators{
        QStringLiteral("_"),   QStringLiteral("-"), QStringLiteral("="),   QStringLiteral(","),
        QStringLiteral("."),   QStringLiteral(";"), QStringLiteral("!"),   QStringLiteral("AND"),
        kWhiteSpaceSeparator, kNoSeparator,
    };
    return separators;
}

bool isRefusedNameCharacter(QChar c)
{
    switch (c.unicode()) {
    case u'"':
    case u'&':
    case u'*':
    case u'/':
    case u':':
    case u'<':
    case u'>':
    case u'?':
    case u'\\':
    case u'|':
        return true;
    default:
        return false;
    }
}

QString withoutRefusedNameCharacters(const QString& text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (!isRefusedNameCharacter(c))
            kept.append(c);
    }
    return kept;
}

QString separatorText(const QString& separator)
{
    if (separator == kWhiteSpaceSeparator)
        return QStringLiteral(" ");
    if (separator == kNoSeparator)
        return {};
    return separator;
}

}  // namespace lumora
