#pragma once

#include <QString>
#include <QStringList>

namespace lumora {

class ImageBox;

namespace modMetadata {

// The data side of the keyword and supplemental category dialogs.

// The engine's keywords / supplemental categories in its order, joined with "," and no space:
// the text of their row.
QString KeywordsText(const ImageBox& engine);
QString SupplementalCategoriesText(const ImageBox& engine);
QStringList Keywords(const ImageBox& engine);
QStringList SupplementalCategories(const ImageBox& engine);

// Replace the keywords by `items` (in order), write back the file the engine was loaded from (its
// Tag(), through WriteMetadataBack) and return the row's new text. Failures are reported through
// ReportError as "modMetadata.subUpdateIPTC_Keywords"; the text returned is then what the engine
// holds.
QString subUpdateIPTC_Keywords(ImageBox& engine, const QStringList& items);
// The same for the supplemental categories, with the urgency chosen in the dialog's box;
// reported as "modMetadata.subUpdateIPTC_Category".
QString subUpdateIPTC_Category(ImageBox& engine, const QStringList& items, const QString& urgencyText);

}  // namespace modMetadata
}  // namespace lumora
