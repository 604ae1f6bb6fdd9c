#pragma once

#include "engine/EngineError.h"

namespace lumora::vipsbridge {

template <typename F>
auto guarded(const char* operation, F&& f) -> decltype(f())
{
    try {
        return f();
    } catch (const vips::VError& e) {
        vips_error_clear();
        fail(operation, QString::fromUtf8(e.what()).trimmed());
    }
}

}  // namespace lumora::vipsbridge
