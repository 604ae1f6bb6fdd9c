#pragma once

// What one acquisition asks of a scanner: the choices of the scanner dialog and of `lumora-batch
// scan`.

#include <QString>
#include <QStringList>

namespace lumora {

struct ScanRequest {
    enum class Source { Flatbed, Feeder };
    enum class Mode { Colour, Grey, Lineart };

    QString device;  // a SANE device name; empty: the first device found
    Source source = Source::Flatbed;
    Mode mode = Mode::Colour;
    int resolution = 150;  // dots per inch; 0 keeps the device's own
    int maxPages = 0;      // 0: every page the source gives (the feeder until it is empty)
};

}  // namespace lumora
