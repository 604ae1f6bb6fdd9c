#pragma once

// libsane, opened at run time the first time scanning is used: neither lumora-batch's start-up nor
// a machine without SANE pays for it. One instance per process; SANE is started once and stays so.

#include <sane/sane.h>
#include <sane/saneopts.h>

namespace lumora {

class SaneLibrary {
public:
    // The started library, or nullptr when libsane is missing or does not start.
    static const SaneLibrary* instance();

    decltype(&::sane_get_devices) getDevices = nullptr;
    decltype(&::sane_open) open = nullptr;
    decltype(&::sane_close) close = nullptr;
    decltype(&::sane_get_option_descriptor) optionDescriptor = nullptr;
    decltype(&::sane_control_option) controlOption = nullptr;
    decltype(&::sane_get_parameters) parameters = nullptr;
    decltype(&::sane_start) start = nullptr;
    decltype(&::sane_read) read = nullptr;
    decltype(&::sane_cancel) cancel = nullptr;
    decltype(&::sane_strstatus) statusText = nullptr;

private:
    SaneLibrary() = default;
};

}  // namespace lumora
