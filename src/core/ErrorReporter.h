#pragma once

#include "core/ErrorReport.h"

#include <functional>

namespace lumora {

// Where error reports go: the command-line tool prints them, the window shows its report form.
using ErrorSink = std::function<void(const ErrorReport&)>;

// Installs the sink that receives every report and returns the one it replaces. Without a sink,
// reports are written to standard error. Sinks are called one report at a time.
ErrorSink SetErrorSink(ErrorSink sink);

// The common error reporter: called by a procedure that caught an error it cannot handle. It
// fills the report with the application name, the operation text of the calling thread and the
// error, and hands it to the sink.
void ReportError(const QString& description, int number, int line, const QString& routine);

}  // namespace lumora
