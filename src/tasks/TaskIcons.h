#pragma once

#include <QIcon>
#include <QString>

namespace lumora {

// The small picture of a task kind, drawn by Lumora itself (16, 24 and 32 pixels), by the
// task-pane item key in lower case: "resize", "canvas", "crop", "rotate", "flip", "invert",
// "contrast", "sharpen", "blur", "brightness", "text", "watermark", "mask", "shadow", "frame",
// "redeye", and "generic" for anything else. Made once per key and kept. GUI thread only.
QIcon taskIcon(const QString& key);

}  // namespace lumora
