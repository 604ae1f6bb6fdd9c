#pragma once

#include <QString>

namespace lumora {

// The operation text: a plain-language description of what the running procedure is about to do.
// Procedures set it before each significant step; an error report quotes it. Each thread keeps its
// own, so that photos processed side by side report their own step.
QString CurrentOperation();
void SetCurrentOperation(const QString& text);

}  // namespace lumora
