#pragma once

#include "settings/SetupRecord.h"

class QWidget;

namespace lumora {

class AlbumRun;
class ImageBasket;
class TaskBasket;

// The Output menu's web album: the album window on the settings' Album block; after Generate the
// album of the Image Basket is written in the background with the status window ("Loading
// Template...", "Working with - " + name, the entries done, Cancel), and when
// "View the web album when done" is ticked a completed album's index opens in the desktop's
// browser. Returns the run, which deletes itself when it has finished, or null when the window
// was cancelled. The settings must outlive the run's start; the baskets are copied.
AlbumRun* subGenerateAlbum(QWidget* parent, const ImageBasket& basket, const TaskBasket& tasks,
                           SetupRecord::Album& settings);

}  // namespace lumora
