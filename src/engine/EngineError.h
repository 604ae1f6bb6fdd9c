#pragma once

#include "core/LumoraError.h"

namespace lumora {

// A failing engine operation. Engine failures carry errnum::EngineFailure, which the task runner
// treats as "skip this step".
class EngineError : public LumoraError {
public:
    explicit EngineError(const QString& description, int number = errnum::EngineFailure)
        : LumoraError(number, description)
    {
    }
};

}  // namespace lumora
