#pragma once

#include "settings/SetupRecord.h"

namespace lumora {

// Lumora's print options, as the print dialog, the batch print and `lumora-batch print` use
// them. They live between runs in the settings record's Print block, one field each (A to J).
struct PrintOptions {
    enum Orientation { FollowImage = 0, Portrait = 1, Landscape = 2 };
    enum Placement { Centred = 0, TopLeft = 1 };
    enum Size { FitPage = 0, ActualSize = 1, Scaled = 2 };

    int paperSize = -1;             // A: a QPageSize::PageSizeId, -1 = the printer's default
    int orientation = FollowImage;  // B
    int placement = Centred;        // C
    double marginXMm = 0;           // D: left and right; 0 = the printer's least
    double marginYMm = 0;           // E: top and bottom
    int copies = 1;                 // F
    double scalePercent = 100;      // G: of the actual size, with size Scaled
    int size = FitPage;             // H
    bool printFileName = false;     // I: the file name under the photo
    bool grey = false;              // J

    // Values a hand-edited or damaged file may hold are brought back into range.
    static PrintOptions fromRecord(const SetupRecord::Print& block);
    void storeInto(SetupRecord::Print& block) const;

    friend bool operator==(const PrintOptions&, const PrintOptions&) = default;
};

}  // namespace lumora
