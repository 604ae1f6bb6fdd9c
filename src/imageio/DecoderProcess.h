#pragma once

#include "engine/Picture.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <sys/types.h>

namespace lumora {

// A picture from the helper, with the size of the image it came from (larger than the picture
// when the helper decoded at a reduced size).
struct DecodedPicture {
    Picture picture;
    int fullWidth = 0;
    int fullHeight = 0;
};

// One run of the decoder helper, lumora-decoder: the loader's roads through FreeImage, DevIL,
// OpenJPEG and the metafile converters decode in that separate process, so that a file which
// crashes or hangs one of those libraries costs a missing picture and nothing more. The helper
// is killed when it outlives the time limit or when this object goes.
class DecoderProcess {
public:
    // Starts the helper with these arguments. A missing or unstartable helper is an installation
    // fault and throws LumoraError (file not found).
    explicit DecoderProcess(const QStringList& arguments);
    ~DecoderProcess();
    DecoderProcess(const DecoderProcess&) = delete;
    DecoderProcess& operator=(const DecoderProcess&) = delete;

    // Reads exactly `size` bytes of the helper's output; false when it ended or time ran out first.
    bool read(char* into, qint64 size);
    // Reads the rest of the output into `into`; false when it holds more than maxBytes or time
    // ran out.
    bool readRest(QByteArray& into, qint64 maxBytes);
    // Reads the picture the helper writes and waits for it to end. Null unless the helper decoded
    // the file completely into a picture of at most MaxLoadPixels.
    DecodedPicture receivePicture();
    // Waits for the helper to end and returns its exit status: -1 when it crashed, was killed or
    // had to be killed.
    int finish();

    // Where the helper is: $LUMORA_DECODER if set, else next to the running program, else in an
    // installed prefix's libexec/lumora, else in the build tree.
    static QString helperPath();

private:
    bool waitReadable();
    void kill();

    pid_t pid_ = -1;
    int output_ = -1;
    std::chrono::steady_clock::time_point deadline_;
    int status_ = -1;
};

// How long one run of the helper may take before it counts as hung (default 20 seconds, several
// times what the largest image the helper may decode takes; fuzzing sets less). Decoders that
// spin at the end of a file are stopped by the helper itself long before. Applies to runs
// started afterwards.
void SetDecoderTimeLimit(std::chrono::milliseconds limit);
std::chrono::milliseconds DecoderTimeLimit();

}  // namespace lumora
