#include "core/CurrentOperation.h"

namespace lumora {
namespace {
thread_local QString tCurrentOperation;
}

QString CurrentOperation() { return tCurrentOperation; }

void SetCurrentOperation(const QString& text) { tCurrentOperation = text; }

}  // namespace lumora
