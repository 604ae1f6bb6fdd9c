#pragma once

#include "core/LumoraError.h"
#include "core/ReportFailures.h"
#include "engine/Picture.h"

#include <QString>

namespace lumora {

// Run-time error 481, "Invalid picture": what the loader's roads raise for a file they cannot
// read.
inline constexpr int InvalidPictureError = 481;
inline QString InvalidPictureText() { return QStringLiteral("Invalid picture"); }

// LoadPic's statements, numbered as its error reports name them.
enum LoadPicLine : int {
    ExtensionLine = 10,   // the extension, and whether the path is a file
    DetectionLine = 20,   // FreeImage's content detection
    DevilLine = 31,       // the DevIL road
    Jpeg2000Line = 32,    // the JPEG 2000 road
    ScreenRoadLine = 41,  // libvips, or the metafile converters
    FreeImageLine = 42,   // the FreeImage road
    ResizeLine = 43,      // sizing FreeImage's picture for the mode
};

// LoadPic's error rules, applied one statement at a time:
// - overflow (6): the statement is abandoned and LoadPic goes on with the next one;
// - invalid picture (481): the result becomes nothing and LoadPic goes on with the next one;
// - any other error (out of memory, a decoder that cannot start, ...): reported through
//   ReportError with its description, number, the statement's line and the name "LoadPic"; the
//   result becomes nothing and LoadPic ends.
// So a file that no road can read never raises an error to LoadPic's caller.
class LoadPicErrorRules {
public:
    explicit LoadPicErrorRules(Picture& result) : result_(result) {}

    // Runs one statement. False when an error ended LoadPic.
    template <typename Statement>
    bool run(int line, Statement&& statement)
    {
        line_ = line;
        const bool ranThrough = reportFailures(QStringLiteral("LoadPic"), line_, [&] {
            try {
                statement();
            } catch (const LumoraError& e) {
                if (e.number() == errnum::Overflow)
                    return;
                if (e.number() != InvalidPictureError)
                    throw;
                result_ = Picture();
            }
        });
        if (!ranThrough)
            result_ = Picture();
        return ranThrough;
    }

private:
    Picture& result_;
    int line_ = 0;
};

}  // namespace lumora
