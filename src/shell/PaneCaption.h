#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace lumora {

// The caption on top of a pane (" Browse File System", "Preview", " Metadata", " Basket"): bold,
// with a little room around it, the same in every pane so the panes read as separate areas.
QLabel* makePaneCaption(const QString& text, const QString& objectName, QWidget* parent);

}  // namespace lumora
