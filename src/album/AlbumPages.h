#pragma once

#include "settings/SetupRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace lumora {

// One metadata row of an image page: the metadata basket entry ("EXIF - Make") and its value,
// already trimmed and not empty.
struct AlbumMetadataRow {
    QString entry;
    QString value;
};

// The texts of the album's pages, line by line as Lumora has always written them, from the
// album values. Names, titles, descriptions and values are escaped here; the strings handed in
// are as the user or the file gave them.
class AlbumPages {
public:
    explicit AlbumPages(const SetupRecord::Album& settings);

    // "MyImages_" + title: the folder of the pictures and decorations, inside the album folder.
    QString subfolder() const { return subfolder_; }
    // title + "_" + name + ".html": the file name of an entry's page.
    QString pageFileName(const QString& name) const;
    // The lower-case names of the page and cell background decorations; empty when the album
    // uses none.
    QString pageImageName() const { return pageImage_; }
    QString cellImageName() const { return cellImage_; }

    // The index page up to and including the opening "<tr>" of the table.
    QString indexHead() const;
    // An entry's table cell; rowBreak closes the row after it.
    QString indexCell(const QString& name, const QString& thumbName, int width, int height, bool rowBreak) const;
    // What follows the last cell (the index is written with one more CR LF).
    static QString indexEnd();

    // The page of entry `index` (0-based) of `names` (the page is written with one more CR LF).
    QString imagePage(const QStringList& names, int index, int width, int height, const QString& description,
                      const QList<AlbumMetadataRow>& metadata) const;

private:
    QString caption(const QString& name, int width, int height) const;
    QString bodyTag() const;
    QString navigationLink(const QString& target, const QString& button) const;

    SetupRecord::Album settings_;
    QString title_;      // escaped
    QString font_;       // escaped
    QString fontSize_;   // "1".."5"
    QString subfolder_;  // as on disk
    QString subfolderUrl_;
    QString pageImage_;
    QString cellImage_;
    QString fontColour_;
    QString metaColour_;
    QString cellBorderColour_;
};

}  // namespace lumora
