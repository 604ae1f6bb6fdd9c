#pragma once

class QWidget;

namespace lumora {

struct BatchSummary;

// Tells the person who started a batch how it ended (BatchSummary::text) and offers to open the
// folder the files went to in the desktop's file manager; a run that named no output only says
// how it ended.
void showBatchEnd(QWidget* parent, const BatchSummary& summary);

}  // namespace lumora
