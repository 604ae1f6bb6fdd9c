#include "cli/EditEachPhoto.h"

#include "cli/CliSupport.h"
#include "cli/FirstReport.h"

#include "core/LumoraError.h"
#include "core/RegularFile.h"
#include "engine/ImageBox.h"
#include "metadata/MetadataTables.h"

#include <QFileInfo>

namespace lumora::cli {
namespace {

// Why the photo cannot be edited before it is even loaded; "" when it can.
QString unusable(const QString& photo, PhotoAccess access)
{
    // The files whose metadata the pane reads and writes back.
    if (!modMetadata::ShowsIptc(photo))
        return QStringLiteral("not a JPEG, TIFF or PSD file; left alone");
    const QFileInfo info(photo);
    if (!info.exists())
        return QStringLiteral("no such file");
    if (const QString special = NotRegularFileText(photo); !special.isEmpty())
        return special;
    if (!info.isReadable())
        return QStringLiteral("cannot be read (permission denied)");
    // A file without any write permission was made read-only on purpose, also when the
    // superuser, whom the system lets write it anyway, runs the command.
    constexpr QFileDevice::Permissions anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (access == PhotoAccess::Write && (!info.isWritable() || !(info.permissions() & anyWrite)))
        return QStringLiteral("read-only; left alone");
    return {};
}

QString editOne(const QString& photo, PhotoAccess access, const PhotoEdit& edit, FirstReport& reports)
{
    reports.take();
    if (QString why = unusable(photo, access); !why.isEmpty())
        return why;
    ImageBox engine(ImageBox::Mode::Batch);
    try {
        engine.LoadFromFile(photo);
    } catch (const LumoraError& e) {
        return QStringLiteral("cannot read: %1").arg(e.description());
    }
    engine.SetTag(photo);
    QString why;
    bool edited = false;
    try {
        edited = edit(engine, photo, why);
    } catch (const LumoraError& e) {
        why = e.description();
    }
    // What a routine reported is the cause; the edit's own words are for what it found itself.
    if (const QString reported = reports.take(); !reported.isEmpty())
        return reported;
    if (edited)
        return {};
    return why.isEmpty() ? QStringLiteral("not written") : why;
}

}  // namespace

int editEachPhoto(const QStringList& photos, PhotoAccess access, const PhotoEdit& edit)
{
    FirstReport reports;
    int failed = 0;
    for (const QString& photo : photos) {
        const QString why = editOne(photo, access, edit, reports);
        if (!why.isEmpty()) {
            ++failed;
            printError(QStringLiteral("%1: %2").arg(photo, why));
        }
    }
    return failed == 0 ? Success : Failure;
}

}  // namespace lumora::cli
