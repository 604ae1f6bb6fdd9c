#include "album/AlbumPictures.h"

#include "core/AppInfo.h"
#include "core/CurrentOperation.h"
#include "core/ReportFailures.h"
#include "engine/EngineError.h"
#include "engine/EngineReadFormats.h"
#include "engine/ImageBox.h"
#include "imageio/LoadPic.h"
#include "tasks/TaskRunner.h"

#include <QDir>

namespace lumora {
namespace {

// The engine reads its own formats; what it refuses (a WebP named .png) and every other format
// go through the universal loader. Throws when neither can read the photo.
void readPhoto(ImageBox& engine, const QString& path)
{
    QString whyNot;
    if (EngineReadFormats::batchReads(path)) {
        try {
            engine.LoadFromFile(path);
            if (engine.HasImage())
                return;
        } catch (const EngineError& e) {
            whyNot = e.description();
        }
    }
    const Picture picture = LoadPic(path, NaturalSize, -1, -1, 0xFFFFFF);
    if (picture.isNull()) {
        throw LumoraError(errnum::FileNotFound,
                          whyNot.isEmpty()
                              ? QStringLiteral("\"%1\" is not a picture Lumora can read").arg(QDir::toNativeSeparators(path))
                              : whyNot);
    }
    engine.SetBitmapHandle(picture);
}

}  // namespace

QString fncGenerateJPGsForAlbum(ImageBox& engine, const SetupRecord::Album& settings, const QList<TaskRecord>& tasks,
                                const Gallery* gallery, const QString& path, const QString& pictureFolder,
                                const QString& name, int& width, int& height)
{
    int line = 1;
    QString thumbName;
    reportFailures(QStringLiteral("Album.fncGenerateJPGsForAlbum"), line, [&] {
        SetCurrentOperation(QStringLiteral("Reading '") + path + u'\'');
        engine.ClearImage();
        readPhoto(engine, path);
        line = 2;
        if (settings.processTaskBasket != 0 && !tasks.isEmpty()) {
            TaskRunOptions options;
            options.gallery = gallery;
            subProcessPages(tasks, engine, options);  // reports its own failure; the photo stays as it stood
        }
        line = 3;
        width = engine.ImageWidth();
        height = engine.ImageHeight();
        if (!engine.HasImage())
            return;
        line = 4;
        engine.SetJpegProgressive(settings.progressive != 0);
        engine.SetJpegQuality(settings.jpegQuality);
        engine.SetSaveColorDepth(0);
        engine.SetExifAttribute(QStringLiteral("Software"), QString::fromLatin1(app::Title));
        const QString picture = pictureFolder + u'/' + name + QStringLiteral(".jpg");
        SetCurrentOperation(QStringLiteral("Saving '") + picture + u'\'');
        engine.SaveToFile(picture);
        line = 5;
        engine.SetRotateResample(settings.resample != 0);
        engine.ResampleTo(settings.thumbnailWidth, settings.thumbnailHeight);
        const QString thumbnail = pictureFolder + u'/' + name + QStringLiteral("_thumb.jpg");
        SetCurrentOperation(QStringLiteral("Saving '") + thumbnail + u'\'');
        engine.SaveToFile(thumbnail);
        thumbName = name + QStringLiteral("_thumb.jpg");
    });
    return thumbName;
}

}  // namespace lumora
