#pragma once

#include "engine/Picture.h"

#include <QMetaType>
#include <QSize>
#include <QString>
#include <QStringList>

namespace lumora {

// The two ways the folder list shows its files (the settings record's folder view mode).
enum FolderViewMode : int {
    FolderThumbnails = 0,
    FolderDetails = 3,
};

// One row of the folder list: the facts shown in its eight columns, the path it stands for and,
// in the thumbnail view, its picture.
struct FolderRow {
    QString name;        // "File Name"
    QString path;        // the row's tag: folder + "/" + name
    QString resolution;  // "640 X 480 X 24"; "" or "0 X 0 X 0" until known
    QString size;        // readable size in the chosen style
    int pages = 1;
    QString type;
    QString created;
    QString modified;
    QString accessed;
    Picture thumbnail;   // thumbnail view only; null when no loader could read the file
};

// What the folder browser lists and how each row is made. Nothing here touches a widget, so the
// rows can be made on worker threads.
class FolderListing {
public:
    // The browse filter: file names with any of these extensions, followed by anything
    // ("photo.JPG" and "a.jpg.bak" are listed), compared without regard to case.
    static const QStringList& browsePatterns();
    // The same patterns joined by ";", as the folder list shows them.
    static QString browseFilter();
    static bool matchesBrowseFilter(const QString& fileName);

    // The names of the files of one folder (not its sub-folders, not hidden files) that pass the
    // browse filter, in the order the file list shows them: by name, regardless of case.
    static QStringList listFiles(const QString& folder);

    // folder + "/" + name, without doubling a "/" the folder already ends with.
    static QString joinPath(const QString& folder, const QString& name);

    // width X height X bits.
    static QString resolutionText(qint64 width, qint64 height, int bits);
    // The resolution text from the file's header, for the extensions whose header Lumora reads
    // (tif, tiff, jpeg, jpg, bmp, gif); "" for every other file.
    static QString headerResolution(const QString& path);

    // Makes the row of one file. Details view: the resolution from the header. Thumbnail view: a
    // thumbnail within thumbnailSize and the resolution of the image it was made from ("0 X 0 X 0"
    // when the road that read it does not tell). Pages are counted for TIFF files only.
    // shortSizes leaves the byte count out of the size text.
    static FolderRow makeRow(const QString& folder, const QString& name, int viewMode, QSize thumbnailSize,
                             bool shortSizes);
};

}  // namespace lumora

Q_DECLARE_METATYPE(lumora::Picture)
