#pragma once

#include <QString>
#include <QStringList>

namespace lumora::modMetadata {

// The urgency box of the supplemental category dialog: " 1" ... " 8", then "None".
const QStringList& UrgencyItems();
// The item that shows an urgency: "None" for 0, " n" otherwise.
QString UrgencyText(int urgency);
// The urgency an item stands for: 0 for "None" (or nothing), else its number; LumoraError 13 for
// a text that is not a number.
int UrgencyOfText(const QString& text);

}  // namespace lumora::modMetadata
