#pragma once

#include <QString>

namespace lumora {

// What the common error reporter knows about one failure.
struct ErrorReport {
    QString application;     // application name and version, "Lumora 0.1.0"
    QString routine;         // the reporting procedure, "subProcessPages", "modX.fncY"
    int line = 0;            // where in that procedure it failed
    QString trappingString;  // the operation text at the moment of the error
    int number = 0;          // the error number
    QString description;     // the error description

    // "13 - Type mismatch ...": number and description joined as the report shows them.
    QString systemError() const;
    // The whole report on one line, for terminals and logs.
    QString oneLine() const;
};

}  // namespace lumora
