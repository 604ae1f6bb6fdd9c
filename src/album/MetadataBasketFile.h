#pragma once

#include <QString>
#include <QStringList>

namespace lumora {

// The album window's metadata basket file (".mbf"): the entries of the metadata basket
// ("EXIF - Make", "IPTC - Caption", ...) in list order, one quoted entry per line, written through
// clsFile (UTF-8, CR LF); reading accepts LF and Windows-1252 too.
//
// Both functions are the album window's: they report every failure through ReportError as
// "frmAlbum.fncSaveMetadataBasket" and "frmAlbum.fncOpenMetadataBasket" and return false; the
// window then shows the matching message below.

inline const QString OpenMetadataBasketFailedMessage =
    QStringLiteral("Error opening metadata basket !\r\nPlease select a valid file.");
inline const QString SaveMetadataBasketFailedMessage =
    QStringLiteral("Error saving metadata basket!\r\nPlease try again!");

// The file name a metadata basket is saved under: the path with ".mbf" appended unless its last
// four characters, lower-cased, are ".mbf".
QString metadataBasketFileName(const QString& path);

// Writes the entries to metadataBasketFileName(path). The window saves only a basket with entries;
// an empty list writes an empty file. A failed save leaves any existing file as it was.
bool fncSaveMetadataBasket(const QString& path, const QStringList& entries);

// Replaces the entries by the lines of the file, each with its surrounding blanks removed and its
// first and last character (the quotes) dropped: a line written without quotes loses two
// characters of its text. Lines that leave nothing are skipped. After a failure the entries read
// before it stay.
bool fncOpenMetadataBasket(const QString& path, QStringList& entries);

}  // namespace lumora
