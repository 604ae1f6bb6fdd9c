#pragma once

// Scanning through SANE, without a window: the devices, and one acquisition that sets the few
// options Lumora offers (source, mode, resolution) and reads page after page. Blocking; a window
// runs it on a thread of its own (AcquisitionRun).

#include "acquire/ScanRequest.h"
#include "acquire/ScannedPage.h"

#include <QString>

#include <functional>
#include <mutex>
#include <vector>

namespace lumora {

struct ScannerDevice {
    QString name;  // what SANE opens it by ("test:0")
    QString vendor;
    QString model;
    QString type;
};

class SaneScanner {
public:
    // Whether libsane is there and starts.
    static bool available();
    // The scanners SANE finds now; none without libsane.
    static std::vector<ScannerDevice> devices();

    // Gets one page at a time to `page` (the page, its number in this acquisition from 1) until the
    // source has no more, `maxPages` are in, `page` returns false or cancel() is called; `progress`
    // hears how much of the page under way has arrived (0..100). Throws LumoraError when no
    // scanner can be opened or the scanner fails; a cancel is no failure. Returns the number of
    // pages delivered.
    int run(const ScanRequest& request, const std::function<bool(const ScannedPage&, int)>& page,
            const std::function<void(int)>& progress = {});
    // Ends the acquisition under way as soon as the scanner lets go; callable from any thread.
    void cancel();

private:
    std::mutex lock_;
    void* handle_ = nullptr;  // the open device while run() works
    bool cancelled_ = false;
};

}  // namespace lumora
