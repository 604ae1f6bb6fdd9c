#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace lumora {

// The words of the batch naming settings, as the output dialog lists them and the batch reads
// them back.

// The prefix and suffix boxes' list, in the dialog's order. "[No Prefix]" gives no text; every
// other entry stands for a value of the photo (see fncRetrieveNamingString). Anything typed
// instead of a list entry is placed literally.
const QStringList& namingTokens();

// The separator boxes' list, in the dialog's order.
const QStringList& namingSeparators();

inline const QString kNoPrefix = QStringLiteral("[No Prefix]");
inline const QString kWhiteSpaceSeparator = QStringLiteral("[WhiteSpace]");
inline const QString kNoSeparator = QStringLiteral("[No Separator]");

// The counter box's list (generic naming); a typed whole number is accepted too.
inline const QString kStartingOne = QStringLiteral("[Starting 1]");
inline const QString kStartingThousandOne = QStringLiteral("[Starting 1001]");

// Characters that a file name on some system cannot hold: " & * / : < > ? \ |. The naming boxes
// drop them as they are typed, and the values of the photo placed into a name lose them too, so
// a name never points into another folder or fails on a shared drive.
bool isRefusedNameCharacter(QChar c);
QString withoutRefusedNameCharacters(const QString& text);

// The text a separator setting puts into a name: "[WhiteSpace]" a blank, "[No Separator]"
// nothing, anything else itself ("AND" too).
QString separatorText(const QString& separator);

}  // namespace lumora
