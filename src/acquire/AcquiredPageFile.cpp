#include "acquire/AcquiredPageFile.h"

#include "acquire/ScannedPage.h"
#include "engine/ImageBox.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>

namespace lumora {

namespace {

constexpr int kMonochrome = 6;
constexpr int kGroup4 = 2;

QString withSlash(const QString& folder) { return folder.endsWith(u'/') ? folder : folder + u'/'; }

QString formatAt(const QStringList& list, int index) { return list.value(index, list.front()).toLower(); }

bool toDisk(const SetupRecord::Twain& twain) { return twain.destination == 1; }
bool multiPage(const SetupRecord::Twain& twain) { return toDisk(twain) && twain.fileMode == 1; }

}  // namespace

const QStringList& AcquiredPageFile::singlePageFormats()
{
    static const QStringList formats{"BMP", "JPG", "TIF", "PDF", "PSD", "GIF"};
    return formats;
}

const QStringList& AcquiredPageFile::multiPageFormats()
{
    static const QStringList formats{"TIF", "PDF"};
    return formats;
}

QString AcquiredPageFile::pathFor(const SetupRecord::Twain& twain, int n, const QString& tempFolder)
{
    if (!toDisk(twain))
        return withSlash(tempFolder) + QString::number(n) + u'_' +
               QString::number(QRandomGenerator::global()->bounded(9999)) + QStringLiteral(".tif");
    const QString folder = withSlash(twain.folder);
    if (multiPage(twain))
        return folder + twain.genericName + u'.' + formatAt(multiPageFormats(), twain.multiPageFormat);
    return folder + twain.genericName + QString::number(n) + u'.' + formatAt(singlePageFormats(), twain.singlePageFormat);
}

void AcquiredPageFile::takeInto(ImageBox& engine, const ScannedPage& page)
{
    engine.ClearImage();
    engine.SetBitmapHandle(page.toPicture());
    engine.SetSaveColorDepth(page.lineart ? kMonochrome : 0);
}

void AcquiredPageFile::store(ImageBox& engine, const SetupRecord::Twain& twain, int n, const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!multiPage(twain)) {
        engine.SaveToFile(path);
        return;
    }
    // Group 4 is for black and white only; a colour or grey page after a line-art one must not
    // inherit it.
    const int keptCompression = engine.TiffCompression();
    engine.SetTiffCompression(engine.SaveColorDepth() == kMonochrome ? kGroup4 : 0);
    const auto restore = qScopeGuard([&] { engine.SetTiffCompression(keptCompression); });
    if (n <= 1)
        engine.SaveToFile(path);
    else if (path.endsWith(QStringLiteral(".pdf")))
        engine.AppendPdfPage(path, QString(), 0);
    else
        engine.AppendTiffPage(path, QString(), 0);
}

}  // namespace lumora
