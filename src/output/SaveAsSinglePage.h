#pragma once

#include "settings/SetupRecord.h"

#include <QString>

class QWidget;

namespace lumora {

class BatchRun;

// Where a run goes instead of replacing originals.
inline const QString kSafeSubfolder = QStringLiteral("Lumora");

class ImageBasket;
class TaskBasket;

// The batch conversion as the main window starts it ("Saving a new Single file"): nothing when
// the Image Basket is empty; otherwise the batch dialog, modal, on the record's Naming block,
// and when it was confirmed, the run over a snapshot of the basket and the Task Basket, with
// the status window shown modeless over `parent`. When outputs would land on photos of the run,
// the user is asked first: replace them, write the run into the subfolder kSafeSubfolder of the
// folders it writes to, or cancel (nothing starts).
//
// Returns at once with the run (nullptr when none started), so the window keeps working while
// the photos are converted. The run starts once control is back in the event loop, so a caller
// can still connect to every signal of it. When it ends, the running flag is cleared, the status
// window closes and the run deletes itself (later): read its results in a slot of finished().
// Then a message says how many files were written, skipped and failed (or that the run was
// cancelled) and offers to open the output folder.
// `record` must outlive the run.
BatchRun* subSaveAsSinglePage(QWidget* parent, const ImageBasket& basket, const TaskBasket& tasks,
                              SetupRecord& record);

}  // namespace lumora
