#pragma once

#include "core/ErrorReporter.h"
#include "core/LumoraError.h"

#include <QString>

#include <exception>
#include <new>

namespace lumora {

// Runs a procedure's work and reports whatever it raises through ReportError under the
// procedure's name, with the line (or record, or task) it had reached; `line` is read when the
// error is caught, so the work can advance it. True when the work ran through.
template <typename Work>
bool reportFailures(const QString& routine, const int& line, Work&& work)
{
    try {
        work();
        return true;
    } catch (const LumoraError& e) {
        ReportError(e.description(), e.number(), line, routine);
    } catch (const std::bad_alloc&) {
        ReportError(QStringLiteral("Out of memory"), errnum::OutOfMemory, line, routine);
    } catch (const std::exception& e) {
        ReportError(QString::fromLocal8Bit(e.what()), errnum::InternalError, line, routine);
    }
    return false;
}

}  // namespace lumora
