#pragma once

#include "settings/SetupRecord.h"
#include "tasks/TaskRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <stop_token>

namespace lumora {

struct BasketEntry;
class Gallery;

// One basket entry as the album sees it: one index cell, one page, one picture and its thumbnail.
struct AlbumEntry {
    QString name;         // the basket label (the file name without extension); names the page and pictures
    QString path;         // the file read (the basket entry's tag)
    QString description;  // the album description (basket column 5); printed on the entry's page

    friend bool operator==(const AlbumEntry&, const AlbumEntry&) = default;
};

// Everything one album run needs, as values: the generator reads no window and no global settings.
struct AlbumJob {
    // The album window's values (the settings record's Album block): folder, title, colours,
    // fonts, borders, layout, thumbnail size, JPEG options, "process task basket".
    // openWhenDone is the caller's business: the generator never opens a browser.
    SetupRecord::Album settings;
    QList<AlbumEntry> entries;
    // The metadata basket, in list order: "EXIF - Make", "IPTC - Caption", ...
    QStringList metadata;
    // The Task Basket, applied to each picture when settings.processTaskBasket is set.
    QList<TaskRecord> tasks;
    // Stock pictures for the tasks' frames, shadows and masks; the built-in gallery when null.
    const Gallery* gallery = nullptr;
    // Where the GIF decorations are read from, each under the lower-case name it is written as
    // ("first.gif", "next.gif", "violet_bg.gif", "blue_cell.gif" ...). Empty: the ones bundled
    // with Lumora (defaultAlbumArtFolder()).
    QString artFolder;
};

// The bundled GIF decorations: the Qt resource folder ":/album".
QString defaultAlbumArtFolder();

// The entries of an Image Basket, in basket order.
QList<AlbumEntry> albumEntriesOf(const QList<BasketEntry>& basket);

// Called on the generator's thread: the status caption ("Loading Template...",
// "Working with - " + name), the entries done and their count.
using AlbumProgressCallback = std::function<void(const QString& caption, int done, int count)>;

enum class AlbumOutcome {
    Completed,  // every entry has its page and the index lists them all
    Stopped,    // the stop token ended the run after a page; the index lists the pages done
    Failed,     // a failure ended the run; it was reported under "fncGenerateAlbum"
};

struct AlbumResult {
    AlbumOutcome outcome = AlbumOutcome::Failed;
    QString indexPath;  // folder + "index.htm" when the index was written, else empty
    int pagesWritten = 0;
};

// Writes the web album into job.settings.folder: "index.htm", one page "<title>_<name>.html" per
// entry, and in the subfolder "MyImages_<title>" each entry's picture "<name>.jpg" (after the Task
// Basket when asked), its thumbnail "<name>_thumb.jpg" at exactly the thumbnail size, and the GIF
// decorations the pages use. Pages are UTF-8 with CR LF line ends; titles, names, descriptions
// and metadata values are HTML-escaped; file names in URLs are percent-encoded where they hold
// more than letters, digits and "-._~"; paths use "/".
//
// An entry whose picture cannot be read or written is reported under
// "Album.fncGenerateJPGsForAlbum" and still gets its cell and page. Any other failure (a folder
// or page that cannot be written, a missing decoration) is reported under "fncGenerateAlbum" and
// ends the run; files already written stay. The stop token is asked before each entry: the page
// in progress is finished and the index is written for the pages done. Blocks; run it off the
// window's thread. Never throws.
AlbumResult fncGenerateAlbum(const AlbumJob& job, const AlbumProgressCallback& progress = {},
                             std::stop_token stop = {});

}  // namespace lumora
