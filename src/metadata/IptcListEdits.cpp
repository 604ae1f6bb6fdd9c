#include "metadata/IptcListEdits.h"

#include "core/CurrentOperation.h"
#include "core/ReportFailures.h"
#include "engine/ImageBox.h"
#include "metadata/IptcUrgency.h"
#include "metadata/MetadataUpdate.h"

namespace lumora::modMetadata {

QStringList Keywords(const ImageBox& engine)
{
    QStringList items;
    const int count = engine.KeywordCount();
    for (int i = 0; i < count; ++i)
        items.append(engine.Keyword(i));
    return items;
}

QStringList SupplementalCategories(const ImageBox& engine)
{
    QStringList items;
    const int count = engine.SupplementalCategoryCount();
    for (int i = 0; i < count; ++i)
        items.append(engine.SupplementalCategory(i));
    return items;
}

QString KeywordsText(const ImageBox& engine) { return Keywords(engine).join(u','); }
QString SupplementalCategoriesText(const ImageBox& engine) { return SupplementalCategories(engine).join(u','); }

QString subUpdateIPTC_Keywords(ImageBox& engine, const QStringList& items)
{
    SetCurrentOperation(QStringLiteral("Updating IPTC keywords"));
    int line = 0;
    reportFailures(QStringLiteral("modMetadata.subUpdateIPTC_Keywords"), line, [&] {
        line = 1;
        engine.ClearKeywords();
        for (const QString& item : items)
            engine.AddKeyword(item);
        line = 2;
        WriteMetadataBack(engine, engine.Tag());
    });
    return KeywordsText(engine);
}

QString subUpdateIPTC_Category(ImageBox& engine, const QStringList& items, const QString& urgencyText)
{
    SetCurrentOperation(QStringLiteral("Updating IPTC supplemental categories"));
    int line = 0;
    reportFailures(QStringLiteral("modMetadata.subUpdateIPTC_Category"), line, [&] {
        line = 1;
        engine.ClearSupplementalCategories();
        for (const QString& item : items)
            engine.AddSupplementalCategory(item);
        line = 2;
        engine.SetIptcUrgency(UrgencyOfText(urgencyText));
        line = 3;
        WriteMetadataBack(engine, engine.Tag());
    });
    return SupplementalCategoriesText(engine);
}

}  // namespace lumora::modMetadata
