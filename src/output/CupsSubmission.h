#pragma once

#include <QPageSize>
#include <QString>

namespace lumora {

// Hands a finished PDF to CUPS as one job, the way a desktop print does: to printer, or to the
// default destination when printer is empty (CUPS_SERVER and the user's lpoptions apply).
// Returns the job id, or 0 with error set.
// The paper printer (or the default destination) uses when none is asked for; A4 when CUPS
// cannot tell.
QPageSize cupsDefaultPaper(const QString& printer);

int submitToCups(const QString& pdfPath, const QString& printer, const QString& title, int copies, QString& error);

}  // namespace lumora
