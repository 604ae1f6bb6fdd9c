#include "browse/FolderListing.h"

#include "core/UprightPhotos.h"
#include "core/clsFileInfo.h"
#include "engine/ImageBox.h"
#include "imageio/LoadPic.h"
#include "imageio/clsImageHeaderInfo.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace lumora {

namespace {

// The extensions of the browse filter in the order the filter names them ("tga" twice, as
// written there), then the newer formats; each stands for "*.ext*".
const QStringList& filterExtensions()
{
    static const QStringList extensions{
        QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("tif"), QStringLiteral("tiff"),
        QStringLiteral("gif"), QStringLiteral("bmp"),  QStringLiteral("pcx"), QStringLiteral("png"),
        QStringLiteral("wbm"), QStringLiteral("wbmp"), QStringLiteral("psd"), QStringLiteral("psp"),
        QStringLiteral("pic"), QStringLiteral("pix"),  QStringLiteral("pxr"), QStringLiteral("xpm"),
        QStringLiteral("raw"), QStringLiteral("dcx"),  QStringLiteral("sgi"), QStringLiteral("tga"),
        QStringLiteral("wmf"), QStringLiteral("emf"),  QStringLiteral("pbm"), QStringLiteral("pgm"),
        QStringLiteral("ppm"), QStringLiteral("jng"),  QStringLiteral("mng"), QStringLiteral("koa"),
        QStringLiteral("jp2"), QStringLiteral("jpc"),  QStringLiteral("pcd"), QStringLiteral("ras"),
        QStringLiteral("tga"), QStringLiteral("cut"),  QStringLiteral("iff"), QStringLiteral("lbm"),
        // Formats of today's phones and cameras, after the ones of the first filter.
        QStringLiteral("heic"), QStringLiteral("heif"), QStringLiteral("hif"), QStringLiteral("avif"),
        QStringLiteral("jxl"),
    };
    return extensions;
}

}  // namespace

const QStringList& FolderListing::browsePatterns()
{
    static const QStringList patterns = [] {
        QStringList list;
        for (const QString& extension : filterExtensions())
            list.append(QStringLiteral("*.") + extension + u'*');
        return list;
    }();
    return patterns;
}

QString FolderListing::browseFilter() { return browsePatterns().join(u';'); }

bool FolderListing::matchesBrowseFilter(const QString& fileName)
{
    // "*.ext*" matches exactly the names that hold ".ext" somewhere.
    for (const QString& extension : filterExtensions()) {
        const qsizetype dot = fileName.indexOf(u'.' + extension, 0, Qt::CaseInsensitive);
        if (dot >= 0)
            return true;
    }
    return false;
}

QStringList FolderListing::listFiles(const QString& folder)
{
    QStringList names;
    const QDir dir(folder);
    // Hidden files stay out, as in a file list box; symbolic links to files are listed.
    const QStringList entries = dir.entryList(QDir::Files | QDir::Readable | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString& name : entries) {
        if (matchesBrowseFilter(name))
            names.append(name);
    }
    // Case-insensitive by name; names that differ only in case keep a fixed order.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int byName = QString::compare(a, b, Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : a < b;
    });
    return names;
}

QString FolderListing::joinPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty() || folder.endsWith(u'/'))
        return folder + name;
    return folder + u'/' + name;
}

QString FolderListing::resolutionText(qint64 width, qint64 height, int bits)
{
    return QStringLiteral("%1 X %2 X %3").arg(width).arg(height).arg(bits);
}

QString FolderListing::headerResolution(const QString& path)
{
    const QString extension = clsFileInfo::StripFileExtention(clsFileInfo::StripFileFromPath(path)).toLower();
    clsImageHeaderInfo header;
    if (extension == u"tiff" || extension == u"tif" || extension == u"jpeg" || extension == u"jpg")
        header.ReadJPEG_TIFF_PNG_Header(path);
    else if (extension == u"bmp" || extension == u"gif")
        header.ReadGIF_BMP_Header(path);
    else
        return {};
    // The size shown is the one the photo is shown at: upright when photos are turned upright.
    const bool turns = UprightPhotos::enabled() && header.Orientation() >= 5;
    return turns ? resolutionText(header.FullHeight(), header.FullWidth(), header.BitsPerPixel())
                 : resolutionText(header.FullWidth(), header.FullHeight(), header.BitsPerPixel());
}

FolderRow FolderListing::makeRow(const QString& folder, const QString& name, int viewMode, QSize thumbnailSize,
                                 bool shortSizes)
{
    FolderRow row;
    row.name = name;
    row.path = joinPath(folder, name);
    const QString extension = clsFileInfo::StripFileExtention(name).toLower();

    if (extension == u"tif" || extension == u"tiff")
        row.pages = ImageBox().TiffPageCount(row.path);

    if (viewMode == FolderThumbnails) {
        std::uint32_t white = 0xFFFFFF;
        int sourceWidth = 0;
        int sourceHeight = 0;
        row.thumbnail = LoadPic(row.path, FixedBox, thumbnailSize.width(), thumbnailSize.height(), white,
                                sourceWidth, sourceHeight);
        if (!row.thumbnail.isNull()) {
            row.resolution = sourceWidth > 0 && sourceHeight > 0
                ? resolutionText(sourceWidth, sourceHeight, row.thumbnail.bands() * 8)
                : resolutionText(0, 0, 0);
        }
    } else {
        row.resolution = headerResolution(row.path);
    }

    clsFileInfo info;
    info.setFilePath(row.path);
    if (info.FilePath() == row.path) {
        row.size = clsFileInfo::formatSize(info.fSize(), !shortSizes);
        row.type = info.fType();
        row.created = info.fDateCreated();
        row.modified = info.fDateModified();
        row.accessed = info.fDateAccessed();
    }
    return row;
}

}  // namespace lumora
