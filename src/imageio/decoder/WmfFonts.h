#pragma once

#include <libwmf/types.h>

#include <string>
#include <vector>

namespace lumora::decoder {

// The fonts libwmf is given for the thirteen standard PostScript names it maps every metafile
// font to: the system's serif, sans-serif and monospace faces as fontconfig matches them, since
// the Ghostscript fonts libwmf looks for by default are seldom installed.
class WmfFonts {
public:
    WmfFonts();

    bool found() const { return !files_.empty(); }
    // Null-terminated lists in the form wmfAPI_Options takes; valid while this object lives.
    char** directories() { return directoryList_.data(); }
    wmfMapping* mappings() { return mappingList_.data(); }

private:
    std::vector<std::string> names_;
    std::vector<std::string> files_;
    std::vector<std::string> directories_;
    std::vector<char*> directoryList_;
    std::vector<wmfMapping> mappingList_;
};

}  // namespace lumora::decoder
