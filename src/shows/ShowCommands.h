#pragma once

#include "settings/SetupRecord.h"

#include <QSize>
#include <QString>

class QWidget;

namespace lumora {

class ImageBasket;
class ShowRun;
class TaskBasket;

// The window's commands that package shows. Each opens its settings window on its block; after
// Generate it asks for the file (".run" appended to slide shows and greetings, ".scr" to
// screensavers, an existing file replaced only after a Yes), then writes the package in the
// background with the status window (caption, pictures done, Cancel). Each returns the run,
// which deletes itself when it has finished, or null when nothing was started. The settings
// must outlive the call; the baskets are copied.

// The name a package is saved under: `extension` appended unless the name already ends with it
// (in any case).
QString showPackageName(const QString& chosen, const QString& extension);

// Output menu: a slide show of the Image Basket. Answering No to replacing a file asks again.
ShowRun* cmdGenerateSlideShow(QWidget* parent, const ImageBasket& basket, const TaskBasket& tasks,
                              SetupRecord::SlideShow& settings);
// Output menu: a screensaver of the Image Basket. Answering No to replacing a file ends it.
ShowRun* cmdGenerateScreensaver(QWidget* parent, const ImageBasket& basket, const TaskBasket& tasks,
                                SetupRecord::Screensaver& settings);
// Preview: "Save Preview As" > "Greeting image" of the photo at imagePath shown at imageSize;
// a picture larger than 800 x 600 is refused with a message.
ShowRun* cmdSaveGreetingImage(QWidget* parent, const QString& imagePath, QSize imageSize, const TaskBasket& tasks,
                              SetupRecord::Greeting& settings);
// Preview: "Save Preview As" > "Single image screensaver" of the photo at imagePath.
ShowRun* cmdSaveSingleScreensaver(QWidget* parent, const QString& imagePath, const TaskBasket& tasks,
                                  SetupRecord::Screensaver& settings);

}  // namespace lumora
