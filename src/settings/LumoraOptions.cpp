#include "settings/LumoraOptions.h"

#include "core/ProgramFolder.h"

#include <QDir>
#include <QSettings>
#include <QStringList>

namespace lumora {

namespace {

const QStringList& batchFormats()
{
    static const QStringList formats{QStringLiteral("jpg"), QStringLiteral("webp"), QStringLiteral("avif"),
                                     QStringLiteral("png"), QStringLiteral("tif")};
    return formats;
}

}  // namespace

LumoraOptions::LumoraOptions() : LumoraOptions(ProgramFolder::path()) {}

LumoraOptions::LumoraOptions(const QString& folder) : filePath_(QDir(folder).filePath(QString::fromLatin1(FileName))) {}

bool LumoraOptions::autoOrient() const
{
    return QSettings(filePath_, QSettings::IniFormat).value(QStringLiteral("Reading/AutoOrient"), true).toBool();
}

void LumoraOptions::setAutoOrient(bool on)
{
    QSettings(filePath_, QSettings::IniFormat).setValue(QStringLiteral("Reading/AutoOrient"), on);
}

QString LumoraOptions::batchFormat() const
{
    const QString format =
        QSettings(filePath_, QSettings::IniFormat).value(QStringLiteral("Batch/Format")).toString().toLower();
    return batchFormats().contains(format) ? format : QStringLiteral("jpg");
}

void LumoraOptions::setBatchFormat(const QString& format)
{
    QSettings(filePath_, QSettings::IniFormat).setValue(QStringLiteral("Batch/Format"), format.toLower());
}

int LumoraOptions::batchQuality() const
{
    bool ok = false;
    const int quality =
        QSettings(filePath_, QSettings::IniFormat).value(QStringLiteral("Batch/Quality")).toInt(&ok);
    return ok && quality >= 1 && quality <= 100 ? quality : 80;
}

void LumoraOptions::setBatchQuality(int quality)
{
    QSettings(filePath_, QSettings::IniFormat).setValue(QStringLiteral("Batch/Quality"), quality);
}

}  // namespace lumora
