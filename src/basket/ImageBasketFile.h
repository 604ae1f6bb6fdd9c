#pragma once

#include <QList>
#include <QString>

namespace lumora {

// What an image basket file keeps of one basket entry.
struct ImageBasketFileEntry {
    QString sourcePath;   // column 4: the source file (for a page, the multipage file it came from)
    QString description;  // column 5: the album description, kept only by description files

    bool operator==(const ImageBasketFileEntry&) const = default;
};

// The two kinds of image basket file, numbered as the save dialog's filters.
enum class ImageBasketKind {
    Favourite = 1,    // ".ibf": one quoted source path per line
    Description = 2,  // ".ibd": the quoted source path, a comma, the quoted description
};

// Saving and opening image basket files, so that a set of source photos can be collected again
// later. Lines are written through clsFile (UTF-8, CR LF); reading accepts LF and Windows-1252 too.
// Both functions report every failure through ReportError and return false; the window then shows
// the matching message below.
namespace modSaveOpenImageList {

inline const QString OpenImageBasketFailedMessage =
    QStringLiteral("Error opening image basket!\r\nPlease select a valid image basket file.");
inline const QString SaveImageBasketFailedMessage = QStringLiteral("Error saving image basket!\r\nPlease try again!");

// The file name a basket of that kind is saved under: the path with ".ibf" or ".ibd" appended
// unless it already ends in that extension in any letter case.
QString imageBasketFileName(ImageBasketKind kind, const QString& path);

// Writes one line per distinct source path, in basket order: the first entry with a path decides
// its place and its description, so the pages of a multipage file become one line. The window
// saves only a basket with entries; an empty list writes an empty file. A failed save leaves any
// existing file as it was.
bool fncSaveImageBasket(ImageBasketKind kind, const QString& path, const QList<ImageBasketFileEntry>& entries);

// Replaces the entries by those of the file, read by the lower-cased last four characters of its
// name: ".ibf" lines lose their surrounding blanks and their first and last character (the
// quotes); ".ibd" lines are read as two quoted fields; any other name reads nothing and succeeds.
// Lines that leave no path are skipped. After a failure the entries read before it stay.
bool fncOpenImageBasket(const QString& path, QList<ImageBasketFileEntry>& entries);

}  // namespace modSaveOpenImageList
}  // namespace lumora
