#include "acquire/SaneLibrary.h"

#include <QLibrary>

#include <mutex>

namespace lumora {

namespace {

template <typename F>
bool resolve(QLibrary& library, const char* name, F& function)
{
    function = reinterpret_cast<F>(library.resolve(name));
    return function != nullptr;
}

}  // namespace

const SaneLibrary* SaneLibrary::instance()
{
    static std::once_flag once;
    static SaneLibrary* started = nullptr;
    std::call_once(once, [] {
        // The library stays loaded for the rest of the process: backends keep threads and handles.
        static QLibrary library(QStringLiteral("sane"), 1);
        if (!library.load())
            return;
        decltype(&::sane_init) init = nullptr;
        static SaneLibrary sane;
        const bool complete = resolve(library, "sane_init", init) && resolve(library, "sane_get_devices", sane.getDevices) &&
                              resolve(library, "sane_open", sane.open) && resolve(library, "sane_close", sane.close) &&
                              resolve(library, "sane_get_option_descriptor", sane.optionDescriptor) &&
                              resolve(library, "sane_control_option", sane.controlOption) &&
                              resolve(library, "sane_get_parameters", sane.parameters) &&
                              resolve(library, "sane_start", sane.start) && resolve(library, "sane_read", sane.read) &&
                              resolve(library, "sane_cancel", sane.cancel) &&
                              resolve(library, "sane_strstatus", sane.statusText);
        SANE_Int version = 0;
        if (complete && init(&version, nullptr) == SANE_STATUS_GOOD)
            started = &sane;
    });
    return started;
}

}  // namespace lumora
